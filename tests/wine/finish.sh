#!/usr/bin/env bash
# Finish with "运行软件" ticked: Reset=88 in the installed settings file, the rest of it untouched,
# and the installed application started.
source "$(dirname "$0")/lib.sh"

target=$(c_drive VelmoraFinish)
rm -rf "$target"
start_setup
walk_to_confirmation 'C:\VelmoraFinish\'
driver click TFormSchedule "下一步 >" >/dev/null
driver wait-text TFormSchedule "完毕" 60000 >/dev/null
driver click TFormSchedule "完毕" >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
check "the installed application runs" driver wait-window TVlmr30 20000
check_eq "its title" Velmora "$(field title)"
expected=$(sed 's/^Reset=0\r$/Reset=88\r/' "$SAMPLE_PAYLOAD/Options.ini")
check_eq "Reset=88 and nothing else changed" "$expected" "$(cat "$target/Options.ini")"
driver close TVlmr30 >/dev/null
pkill -f 'VLMR.exe' || true
rm -rf "$target"
finish
