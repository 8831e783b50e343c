#!/usr/bin/env bash
# A running copy of the application: setup asks whether to end it; No ends setup writing no
# temporary file, Yes ends the application with exit code 4 and setup goes on. Only the four
# exact spellings of its file name count.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/app"
start_app() { # FILE_NAME
    cp "$SAMPLE_PAYLOAD/VLMR.exe" "$WORK/app/$1"
    in_background app "$WORK/app/$1"
    driver wait-window TVlmr30 20000 >/dev/null
}
# windows_of_class CLASS N: exactly N top-level windows of the class are there.
windows_of_class() { [ "$(driver count "$1" | tr -d '\r')" = "$2" ]; }
question='Velmora正在运行中，只有结束其\r运行后，才能进行软件更新。\r\r要结束正在运行的Velmora吗?'

start_app VLMR.exe
rm -f "$(temp_dir)/lmraSetup.log"
start_setup
driver msgbox 20000 >/dev/null
check_eq "question" "$question" "$(field text)"
check_eq "question title" 运行提示 "$(field title)"
check_eq "warning icon" warning "$(field icon)"
check_eq "Yes and No" 2 "$(field buttons | tr '|' '\n' | wc -l)"
check_eq "owned by the backdrop" TFormain "$(field owner)"
driver press No >/dev/null
check_eq "No ends setup" 0 "$(exit_code $RUN)"
check "no temporary file written" test ! -e "$(temp_dir)/lmraSetup.log"
check "the application still runs" driver wait-window TVlmr30 1000

# Windows' own view of how the application ends: a watcher holding a handle to its process.
in_background watch "$UIDRIVER" watch-exit TVlmr30 30000
check "the watcher holds the application's process" wait_until 5 grep -q watching "$WORK/watch.log"
start_setup
driver msgbox 20000 >/dev/null
driver press Yes >/dev/null
check "setup goes on to the wizard" driver wait-window TFormSchedule 20000
wait_until 5 grep -q exitcode "$WORK/watch.log" || true # checked next
check_eq "the application ended with exit code 4" 4 "$(sed -n 's/^exitcode=//p' "$WORK/watch.log" | tr -d '\r')"
quit_wizard
exit_code $RUN >/dev/null

# Another program with a window of the application's class, above the application's own: Yes
# ends the application, not the other program.
start_app VLMR.exe
cp "$SAMPLE_PAYLOAD/VLMR.exe" "$WORK/app/Impostor.exe"
in_background impostor "$WORK/app/Impostor.exe"
check "the other program's window is there too" wait_until 10 windows_of_class TVlmr30 2
start_setup
driver msgbox 20000 >/dev/null
driver press Yes >/dev/null
driver wait-window TFormSchedule 20000 >/dev/null
wait_until 5 test -e "$WORK/app.rc" || true # checked next
check_eq "the application is ended" 4 "$(cat "$WORK/app.rc" 2>/dev/null)"
check "the other program with the same window class still runs" test ! -e "$WORK/impostor.rc"
quit_wizard
exit_code $RUN >/dev/null
end_background impostor

start_app Vlmr.exe
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
check "Vlmr.exe is not the application" test "$(driver msgbox 1500 >/dev/null; echo $?)" = 1
quit_wizard
exit_code $RUN >/dev/null
driver close TVlmr30 >/dev/null
finish
