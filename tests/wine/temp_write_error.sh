#!/usr/bin/env bash
# A temporary file that cannot be written: the standard error box, the backdrop without the
# wizard, and Alt+F4 ends setup removing the files that were written.
source "$(dirname "$0")/lib.sh"

tmp=$(temp_dir)
rm -f "$tmp/SQXY.txt"
mkdir -p "$tmp/SQXY.txt" # a folder of that name: the file cannot be created

start_setup
driver msgbox 20000 >/dev/null
check_eq "error box caption" vlmraSetup "$(field title)"
text=$(field text)
check "message names the file" grep -qF 'Cannot create file "C:\windows\Temp\SQXY.txt". ' <<<"$text"
check "message ends with one full stop" grep -qE '[^.]\.$' <<<"$text"
check_eq "error icon" error "$(field icon)"
check "earlier files written before the failure" test -f "$tmp/lmraSetup.log" -a -f "$tmp/lmraSetup.ini"
driver press OK >/dev/null

check "backdrop shown" driver wait-window TFormain 20000
check "no wizard" test "$(driver wait-window TFormSchedule 1500 >/dev/null; echo $?)" = 1
check "backdrop built whole without the wizard" grep -qF "|  Velmorav2.8.3.5安装程序 " <<<"$(driver texts TFormain)"
driver close TFormain >/dev/null
check_eq "exit code after Alt+F4" 0 "$(exit_code $RUN)"
check "written files removed" test ! -e "$tmp/lmraSetup.log" -a ! -e "$tmp/lmraSetup.ini"
rmdir "$tmp/SQXY.txt"
finish
