#!/usr/bin/env bash
# Hostile surroundings: a link planted under a temporary file's name is not written through;
# temporary files changed by someone else are not acted on; a path longer than MAX_PATH ends with
# a clear error instead of a write somewhere else.
source "$(dirname "$0")/lib.sh"
tmp=$(temp_dir)

# A link planted in the shared temp folder.
echo "someone else's file" >"$WORK/victim.txt"
rm -f "$tmp/lmraSetup.ini"
ln -s "$WORK/victim.txt" "$tmp/lmraSetup.ini"
start_setup
check "setup starts" driver wait-window TFormSchedule 20000
check_eq "the configuration is read" "Velmorav2.8.3.5（标准版-m）" "$(field title)"
check_eq "the link's target untouched" "someone else's file" "$(cat "$WORK/victim.txt")"
check "the temporary file is a file of its own" test -f "$tmp/lmraSetup.ini" -a ! -L "$tmp/lmraSetup.ini"
check "with the configuration's bytes" cmp -s "$tmp/lmraSetup.ini" "$SAMPLE_PAYLOAD/Setup.ini"

# The agreement changed after setup wrote it.
printf 'Agreement of someone else\r\n' >"$tmp/SQXY.txt"
driver click TFormSchedule "下一步 >" >/dev/null
driver msgbox 10000 >/dev/null
check_eq "changed agreement refused" 'The temporary file "C:\windows\Temp\SQXY.txt" has been changed since setup wrote it; setup does not use it.' "$(field text)"
driver press OK >/dev/null
check "the memo keeps its own text" grep -qF '|\r\n授权许可须知\r\n-----------------' <(driver texts TFormSchedule)
quit_wizard
check_eq "exit code" 0 "$(exit_code $RUN)"

# The configuration changed after setup wrote it: it decides what is written and started, and where.
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
printf '[Run]\r\nFileName=..\\..\\Windows\\planted.exe\r\n' >"$tmp/lmraSetup.ini"
driver click TFormSchedule "下一步 >" >/dev/null
driver msgbox 10000 >/dev/null
check_eq "changed configuration refused" 'The temporary file "C:\windows\Temp\lmraSetup.ini" has been changed since setup wrote it; setup does not use it.' "$(field text)"
driver press OK >/dev/null
quit_wizard
check_eq "exit code after the changed configuration" 0 "$(exit_code $RUN)"

# The manifest changed after setup wrote it.
target=$(c_drive VelmoraHard)
rm -rf "$target"
start_with_changed_manifest 'C:\VelmoraHard\'
check_eq "changed manifest refused" 'The temporary file "C:\windows\Temp\lmraSetup.log" has been changed since setup wrote it; setup does not use it.' "$(field text)"
driver press OK >/dev/null
check "stopped at bar 5" grep -q '|pos=5$' <(driver texts TFormsec)
check_eq "only the main executable written" VLMR.exe "$(ls "$target")"
driver click TFormsec "取消" >/dev/null
driver msgbox 10000 >/dev/null
driver press OK >/dev/null
check_eq "exit code after cancelling" 0 "$(exit_code $RUN)"
rm -rf "$target"

# A path longer than MAX_PATH: the folders fit, the deepest document's path does not.
long=$(printf 'v%.0s' $(seq 224))
target=$(c_drive "$long")
rm -rf "$target"
before=$(ls "$WINEPREFIX/drive_c" | sort)
refused() { find "$WINEPREFIX/drive_c" -type f -name '减肥食谱\[1700千卡\](女).Vlq*' 2>/dev/null | sort; }
refused_before=$(refused)
start_installation "C:\\$long\\"
driver msgbox 60000 >/dev/null
check "too long a path is refused" grep -qF "\\UserFile\\食谱范例\\减肥食谱\\减肥食谱[1700千卡](女).Vlq\". The path is too long." <<<"$(field text)"
driver press OK >/dev/null
check "the entries before it are in place" cmp -s "$target/SdbFile/Image/Move1.BMP" "$SAMPLE_PAYLOAD/SdbFile/Image/Move1.BMP"
check_eq "the refused file is written nowhere" "$refused_before" "$(refused)"
check_eq "nothing new beside the installation folder" "$before" "$(ls "$WINEPREFIX/drive_c" | grep -v "^$long\$" | sort)"
driver click TFormsec "取消" >/dev/null
driver msgbox 10000 >/dev/null
driver press OK >/dev/null
exit_code $RUN >/dev/null
rm -rf "$target"
finish
