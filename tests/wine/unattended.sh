#!/usr/bin/env bash
# Unattended installation as an administrator's script runs it: /VERYSILENT installs and registers
# with no window ever shown and logs what it did; /SILENT shows only the progress window, without
# Cancel; the exit codes come from real situations (2 a bad command line, 3 the application
# running, 4 a newer version installed, 6 another setup running, 1 a locked main executable), and a
# started interactive setup cancelled by its user returns 5.
source "$(dirname "$0")/lib.sh"

target=$(c_drive "Velmora Quiet")
log_file=$(c_drive setup-quiet.log)

# unattended NAME ARGS: runs the sample setup with the command line tail ARGS under the watching
# driver, as the background job NAME; `watched NAME` then waits and prints what it saw.
unattended() { in_background "$1" "$UIDRIVER" run-watch 120000 'C:\setup\VlmraSetup.exe' "$2"; }
watched() { # NAME: the visible windows' classes (visible=...) and the exit code (exitcode=N)
    wait_until 130 test -e "$WORK/$1.rc" || true # the log then shows what was seen so far
    tr -d '\r' <"$WORK/$1.log"
}
# run_unattended ARGS: runs to the end and leaves what was seen in $seen.
run_unattended() {
    unattended quiet "$1"
    seen=$(watched quiet)
}
seen_exit() { sed -n 's/^exitcode=//p' <<<"$seen"; }
seen_windows() { sed -n 's/^visible=//p' <<<"$seen" | tr '\n' ' ' | sed 's/ $//'; }
# The log as text: UTF-8 without its mark, line ends as LF, the time stamps cut off.
log_text() { tail -c +4 "$log_file" | tr -d '\r' | cut -c26-; }

mkdir -p "$(c_drive setup)"
cp "$SETUP_EXE" "$(c_drive setup)/VlmraSetup.exe"
forget_installation "Velmora Quiet"
rm -f "$log_file"

# /VERYSILENT with a folder: byte for byte, registered, logged, exit 0, nothing ever visible.
run_unattended '/VERYSILENT /DIR="C:\Velmora Quiet" /LOG="C:\setup-quiet.log"'
check_eq "very silent: exit code" 0 "$(seen_exit)"
check_eq "very silent: no window of the setup ever visible" "" "$(seen_windows)"
check_eq "very silent: no window of another program either (the program group's shell)" "" \
    "$(sed -n 's/^other=//p' <<<"$seen")"
check "very silent: the payload installed byte for byte" diff -r "$SAMPLE_PAYLOAD" "$target"
check_eq "very silent: registered in its folder" 'C:\Velmora Quiet\' \
    "$(reg_value 'HKCU\Software\VLMRA\Shell\PathName' Path)"
check_eq "very silent: the serial registered" 02080305 "$(reg_value 'HKCU\Software\VLMRA\Shell\Serial' Serial)"
check "very silent: the desktop link" test -f "$desktop_link"
check_eq "very silent: the program group, as links" 4 "$(ls "$all_users_group" 2>/dev/null | wc -l)"
check "very silent: temporary files gone" test ! -e "$(temp_dir)/lmraSetup.log"
check_eq "very silent: nothing started without /RUN" 0 "$(driver count TVlmr30 | tr -d '\r')"
check_eq "log: UTF-8 with its mark" "efbbbf" "$(head -c 3 "$log_file" | od -An -tx1 | tr -d ' \n')"
check "log: every line ends in CR LF" test "$(grep -c $'\r$' "$log_file")" = "$(wc -l <"$log_file")"
check "log: a time on every line" test -z "$(tail -c +4 "$log_file" | grep -Ev '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}  ')"
log=$(log_text)
exe_size=$(stat -c %s "$SAMPLE_PAYLOAD/VLMR.exe")
for line in \
    'Setup of Velmorav2.8.3.5（标准版-m）, version 2.8.3.5（标准版-m） (serial 02080305)' \
    'Command line: "C:\setup\VlmraSetup.exe" /VERYSILENT /DIR="C:\Velmora Quiet" /LOG="C:\setup-quiet.log"' \
    'Mode: very silent (/VERYSILENT)' \
    'Installation folder: C:\Velmora Quiet\ (given by /DIR)' \
    "File written: C:\\Velmora Quiet\\VLMR.exe ($exe_size bytes)" \
    'Folder made: C:\Velmora Quiet\CYLib' \
    'File written: C:\Velmora Quiet\用户授权协议.txt ('"$(stat -c %s "$SAMPLE_PAYLOAD/用户授权协议.txt")"' bytes)' \
    'File written: C:\Velmora Quiet\Uninstall.exe ('"$(stat -c %s "$SAMPLE_PAYLOAD/Uninstall.exe")"' bytes)' \
    'Registry value set: HKEY_CURRENT_USER\Software\VLMRA\Shell\PathName\Path = "C:\Velmora Quiet\"' \
    'Registry value set: HKEY_CLASSES_ROOT\.Vlq\(default) = "Software\VLMRA"' \
    'Desktop link saved: C:\users\Public\Desktop\Velmorav2.8.0(m).lnk' \
    'Program group link saved: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Velmorav2.8.3.5（标准版-m）\用户授权协议.lnk' \
    'Installation finished' \
    'Exit code: 0'; do
    check "log: $line" grep -qxF "$line" <<<"$log"
done
check_eq "log: a line for every file of the payload and the uninstaller" \
    "$(( $(manifest_paths | grep -c .) + 2 ))" "$(grep -c '^File written: ' <<<"$log")"

# A newer version installed: exit 4 and nothing written; /FORCE installs over it.
wine_reg add 'HKCU\Software\VLMRA\Shell\Serial' /v Serial /d 02090000 /f
rm "$target/Readme.txt"
run_unattended '/VERYSILENT /LOG="C:\setup-quiet.log"'
check_eq "newer version: exit code" 4 "$(seen_exit)"
check "newer version: nothing written" test ! -e "$target/Readme.txt"
check "newer version: logged" grep -qF 'A newer version is installed: setup ends' <<<"$(log_text)"
run_unattended '/VERYSILENT /FORCE /NOICONS /LOG="C:\setup-quiet.log"'
check_eq "/FORCE: exit code" 0 "$(seen_exit)"
check "/FORCE: installed over it, in the earlier installation's folder" cmp -s "$target/Readme.txt" "$SAMPLE_PAYLOAD/Readme.txt"
check "/FORCE: logged the folder's origin" \
    grep -qxF 'Installation folder: C:\Velmora Quiet\ (that of the earlier installation)' <<<"$(log_text)"
check "/NOICONS: no desktop link" grep -qxF 'No desktop link: not wanted' <<<"$(log_text)"

# The application running: exit 3 and it runs on; /CLOSEAPP ends it and installs.
cp "$SAMPLE_PAYLOAD/VLMR.exe" "$WORK/VLMR.exe"
in_background app "$WORK/VLMR.exe"
driver wait-window TVlmr30 20000 >/dev/null
run_unattended '/VERYSILENT'
check_eq "application running: exit code" 3 "$(seen_exit)"
check "application running: it still runs" test ! -e "$WORK/app.rc"
rm "$target/Readme.txt"
# The log's folder does not exist: the installation goes on all the same.
run_unattended '/VERYSILENT /CLOSEAPP /LOG="C:\no such folder\setup.log"'
check_eq "/CLOSEAPP with a log that cannot be written: exit code" 0 "$(seen_exit)"
wait_until 5 test -e "$WORK/app.rc" || true # checked next
check_eq "/CLOSEAPP: the application was ended" 4 "$(cat "$WORK/app.rc" 2>/dev/null)"
check "/CLOSEAPP: installed" cmp -s "$target/Readme.txt" "$SAMPLE_PAYLOAD/Readme.txt"
# Two processes of the application, one of them with no window at all (as one of another session
# or account looks to a setup running as SYSTEM): /CLOSEAPP ends both and says so.
mkdir -p "$WORK/windowless"
cp "$HOLD_FILE" "$WORK/windowless/VLMR.exe"
: >"$(c_drive windowless-hold.txt)"
in_background app2 "$WORK/VLMR.exe"
driver wait-window TVlmr30 20000 >/dev/null
in_background windowless "$WORK/windowless/VLMR.exe" 'C:\windowless-hold.txt'
check "the windowless process runs" wait_until 20 grep -q holding "$WORK/windowless.log"
rm -f "$target/Readme.txt" "$log_file"
run_unattended '/VERYSILENT /CLOSEAPP /LOG="C:\setup-quiet.log"'
check_eq "/CLOSEAPP, two processes: exit code" 0 "$(seen_exit)"
wait_until 5 test -e "$WORK/app2.rc" -a -e "$WORK/windowless.rc" || true
check_eq "/CLOSEAPP: the application's window process ended" 4 "$(cat "$WORK/app2.rc" 2>/dev/null)"
check "/CLOSEAPP: its windowless process ended too" test -e "$WORK/windowless.rc"
check "/CLOSEAPP: what was ended logged" grep -qE '^The running application was ended \(/CLOSEAPP\): process\(es\) [0-9]+, [0-9]+$' <<<"$(log_text)"
check "/CLOSEAPP, two processes: installed" cmp -s "$target/Readme.txt" "$SAMPLE_PAYLOAD/Readme.txt"

# A locked main executable: exit 1, with the error in the log.
hold_open 'C:\Velmora Quiet\VLMR.exe'
run_unattended '/VERYSILENT /LOG="C:\setup-quiet.log"'
check_eq "locked main executable: exit code" 1 "$(seen_exit)"
check_eq "locked main executable: no window" "" "$(seen_windows)"
check "locked main executable: the error logged" grep -qxF 'Error: 所要安装的程序正在运行中,请退出后再安装!' <<<"$(log_text)"
check "locked main executable: exit code logged" grep -qxF 'Exit code: 1' <<<"$(log_text)"
end_background holder

# /SILENT meeting an error the interactive setup shows in a box (a payload folder planted as a link
# elsewhere): logged, no box, the setup stops there with 1 and writes nothing through the link.
rm -rf "$target"
mkdir -p "$target" "$WORK/elsewhere"
ln -s "$WORK/elsewhere" "$target/SdbFile"
run_unattended '/SILENT /DIR="C:\Velmora Quiet" /LOG="C:\setup-quiet.log"'
check_eq "silent error: exit code" 1 "$(seen_exit)"
check_eq "silent error: only the progress window, no box" TFormsec "$(seen_windows)"
check "silent error: logged by name" grep -qF 'Error: Cannot create file "C:\Velmora Quiet\SdbFile\' <<<"$(log_text)"
check "silent error: exit code logged" grep -qxF 'Exit code: 1' <<<"$(log_text)"
check_eq "silent error: nothing written through the link" "" "$(ls "$WORK/elsewhere")"
rm -rf "$target"

# A link above the installation folder leads the writes elsewhere as surely as the folder itself
# being one: refused before anything is made there.
ln -s "$WORK/elsewhere" "$(c_drive planted)"
run_unattended '/VERYSILENT /DIR="C:\planted\Velmora" /LOG="C:\setup-quiet.log"'
check_eq "link above the folder: exit code" 1 "$(seen_exit)"
check "link above the folder: logged by name" \
    grep -qF 'Error: Cannot create file "C:\planted\Velmora". "C:\planted" is a junction or symbolic link' <<<"$(log_text)"
check_eq "link above the folder: nothing made through it" "" "$(ls "$WORK/elsewhere")"
rm -f "$(c_drive planted)"

# A folder of the installation turned into a link while the setup runs, after it was looked at: the
# write itself finds it, and nothing lands where the link leads (there, a copy of the folder as it
# was, so that a write through the link would succeed).
rm -rf "$target" "$WORK/elsewhere" "$WORK/UserFile.before" "$log_file"
mkdir -p "$WORK/elsewhere"
unattended racing '/SILENT /DIR="C:\Velmora Quiet" /LOG="C:\setup-quiet.log"'
if wait_until 60 grep -qa 'File written: C:\\Velmora Quiet\\UserFile\\' "$log_file"; then
    cp -r "$target/UserFile/." "$WORK/elsewhere/"
    mv "$target/UserFile" "$WORK/UserFile.before" && ln -s "$WORK/elsewhere" "$target/UserFile"
    before=$(cd "$WORK/elsewhere" && find . -type f -exec md5sum {} + | sort)
fi
seen=$(watched racing)
check_eq "folder linked while running: exit code" 1 "$(seen_exit)"
check "folder linked while running: found at the write" \
    grep -qF 'A folder on its way became a junction or symbolic link while setup ran' <<<"$(log_text)"
check_eq "folder linked while running: nothing written through it" "${before:-unset}" \
    "$(cd "$WORK/elsewhere" && find . -type f -exec md5sum {} + | sort)"
rm -rf "$target" "$WORK/UserFile.before"

# /SILENT: the progress window alone, without Cancel; then exit 0.
rm -rf "$target"
wine_reg delete 'HKCU\Software\VLMRA' /f || true
rm -f "$log_file"
unattended silent '/SILENT /RUN /DIR="C:\Velmora Quiet\" /LOG="C:\setup-quiet.log"'
check "silent: the progress window shows" driver wait-window TFormsec 20000
check "silent: it has no cancel button" test -z "$(driver texts TFormsec | grep '取消')"
seen=$(watched silent)
check_eq "silent: exit code" 0 "$(seen_exit)"
check_eq "silent: only the progress window was ever visible" TFormsec "$(seen_windows)"
# The settings file is the one the start writes (below); the rest is as shipped.
check "silent: the payload installed" diff -r -x Options.ini "$SAMPLE_PAYLOAD" "$target"
# Started through the desktop shell, as the signed-in user (wine offers one); a setup that runs
# elevated with no desktop shell (as SYSTEM) would leave it unstarted and say why.
check "/RUN: the application started" driver wait-window TVlmr30 20000
check "/RUN: started through the desktop shell, logged" grep -qxF 'Application started: C:\Velmora Quiet\VLMR.exe' <<<"$(log_text)"
driver close TVlmr30 >/dev/null
driver gone TVlmr30 10000 >/dev/null || true
check "/RUN: the settings file written as the interactive start writes it" grep -q '^Reset=88' "$target/Options.ini"

# Another setup running: exit 6, nothing shown.
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
answer_earlier_installation >/dev/null 2>&1 || true
run_unattended '/VERYSILENT'
check_eq "another setup running: exit code" 6 "$(seen_exit)"
check_eq "another setup running: no window" "" "$(seen_windows)"
quit_wizard
check_eq "the interactive setup without arguments still exits 0" 0 "$(exit_code $RUN)"

# A bad command line of an interactive setup: the switches in a box, exit 2. (A silent one shows
# nothing: see the deployment test.)
unattended bad '/QUIET'
driver msgbox 20000 >/dev/null
check "bad command line: the problem named" grep -qF 'Unknown switch: /QUIET' <<<"$(field text)"
check "bad command line: the switches listed" grep -qF '/VERYSILENT' <<<"$(field text)"
driver press OK >/dev/null
seen=$(watched bad)
check_eq "bad command line: exit code" 2 "$(seen_exit)"
unattended relative '/DIR=Velmora'
driver msgbox 20000 >/dev/null
check "relative /DIR: refused as the folder page refuses it" grep -qF '不是完整的路径' <<<"$(field text)"
driver press OK >/dev/null
seen=$(watched relative)
check_eq "relative /DIR: exit code" 2 "$(seen_exit)"

# Interactive with a command line: /DIR and /NOICONS are the folder page's defaults; the user's Exit
# is a cancel, 5, and the log says so.
in_background run.cancel "$(c_drive setup)/VlmraSetup.exe" '/LOG=C:\setup-quiet.log' '/DIR=C:\Velmora Typed' /NOICONS
driver wait-window TFormSchedule 20000 >/dev/null
answer_earlier_installation >/dev/null 2>&1 || true
wizard_click "下一步 >" "我同意以上条款"
wizard_click "下一步 >" "选择安装文件夹"
page=$(visible_texts TFormSchedule)
check "interactive /DIR: the folder page offers it" grep -qxF 'C:\Velmora Typed\' <<<"$page"
check "interactive /NOICONS: the desktop box starts cleared" grep -qxF '创建桌面快捷方式' <<<"$page"
quit_wizard
wait_until 20 test -e "$WORK/run.cancel.rc" || true # checked next
check_eq "interactive, cancelled: exit code" 5 "$(cat "$WORK/run.cancel.rc" 2>/dev/null)"
check "interactive, cancelled: logged" grep -qxF 'Exit code: 5' <<<"$(log_text)"

forget_installation "Velmora Quiet"
rm -f "$log_file"
rm -rf "$(c_drive setup)"
finish
