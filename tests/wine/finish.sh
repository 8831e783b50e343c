#!/usr/bin/env bash
# Finish with "运行软件" ticked: Reset=88 in the installed settings file, the rest of it untouched,
# and the installed application started. A settings file that cannot be written is reported after
# the start, and the wizard stays for another Finish.
source "$(dirname "$0")/lib.sh"

target=$(c_drive VelmoraFinish)
rm -rf "$target"
start_installation 'C:\VelmoraFinish\'
driver wait-text TFormSchedule "完毕" 60000 >/dev/null

mv "$target/Options.ini" "$WORK/Options.ini"
mkdir "$target/Options.ini" # cannot be written now
driver click TFormSchedule "完毕" >/dev/null
driver msgbox 20000 >/dev/null
check_eq "write failure reported" 'Unable to write to C:\VelmoraFinish\Options.ini.' "$(field text)"
check_eq "in the standard error box" vlmraSetup "$(field title)"
check "the application was started all the same" driver wait-window TVlmr30 20000
driver close TVlmr30 >/dev/null
driver press OK >/dev/null
check "the wizard stays on its last page" driver wait-text TFormSchedule "完毕" 5000

# A settings file larger than any real one is not read, and not written either.
rmdir "$target/Options.ini"
driver gone TVlmr30 10000 >/dev/null
head -c 17000000 /dev/zero >"$target/Options.ini"
driver click TFormSchedule "完毕" >/dev/null
driver msgbox 20000 >/dev/null
check_eq "an oversized settings file is refused" 'Unable to write to C:\VelmoraFinish\Options.ini.' "$(field text)"
check_eq "and left as it was" 17000000 "$(stat -c %s "$target/Options.ini")"
driver close TVlmr30 >/dev/null
driver press OK >/dev/null
driver wait-text TFormSchedule "完毕" 5000 >/dev/null

mv "$WORK/Options.ini" "$target/Options.ini"
driver gone TVlmr30 10000 >/dev/null
driver click TFormSchedule "完毕" >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
check "the installed application runs" driver wait-window TVlmr30 20000
check_eq "its title" Velmora "$(field title)"
expected=$(sed 's/^Reset=0\r$/Reset=88\r/' "$SAMPLE_PAYLOAD/Options.ini")
check_eq "Reset=88 and nothing else changed" "$expected" "$(cat "$target/Options.ini")"
driver close TVlmr30 >/dev/null
driver gone TVlmr30 10000 >/dev/null
rm -rf "$target"
finish
