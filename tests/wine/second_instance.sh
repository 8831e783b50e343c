#!/usr/bin/env bash
# A second start while setup runs says so, makes no window, touches no temporary file, exits 0.
source "$(dirname "$0")/lib.sh"

start_setup
first=$RUN
driver wait-window TFormSchedule 20000 >/dev/null
tmp=$(temp_dir)
before=$(stat -c '%Y %s' "$tmp/lmraSetup.log" "$tmp/lmraSetup.ini" "$tmp/SQXY.txt")

start_setup
second=$RUN
driver msgbox 20000 >/dev/null
check_eq "message title" "运行提示" "$(field title)"
check_eq "message text" "安装程序已经运行" "$(field text)"
check_eq "information icon" information "$(field icon)"
check_eq "one OK button" 1 "$(field buttons | tr '|' '\n' | wc -l)"
check_eq "second copy made no backdrop" 1 "$(driver count TFormain)"
driver press OK >/dev/null
check_eq "second copy's exit code" 0 "$(exit_code $second)"

check_eq "first copy's temporary files untouched" "$before" \
    "$(stat -c '%Y %s' "$tmp/lmraSetup.log" "$tmp/lmraSetup.ini" "$tmp/SQXY.txt")"
check "first copy still running" driver wait-window TFormSchedule 1000
quit_wizard
check_eq "first copy's exit code" 0 "$(exit_code $first)"

# Once the first copy has ended the name is free again.
start_setup
check "a later start runs normally" driver wait-window TFormSchedule 20000
quit_wizard
check_eq "exit code of the later start" 0 "$(exit_code $RUN)"
finish
