#!/usr/bin/env bash
# The installation's end states: a folder that cannot be made stops at bar 1 with cancel the only
# way on; a main executable held by a running program ends setup with nothing else written.
source "$(dirname "$0")/lib.sh"

# An installation folder on a drive that does not exist.
start_installation 'Q:\Nowhere\'
driver msgbox 20000 >/dev/null
check_eq "folder box text" '创建主文件夹\Q:\Nowhere\ 失败' "$(field text)"
check_eq "folder box icon" error "$(field icon)"
driver press OK >/dev/null
# A second and a half without the wizard, then the bar and the label as they stayed.
check "the wizard stays hidden" test "$(driver wait-window TFormSchedule 1500 >/dev/null; echo $?)" = 1
progress=$(driver texts TFormsec)
check "bar stays at 1" grep -q '|pos=1$' <<<"$progress"
check "label reads 安装主程序文件" grep -qF '|visible|enabled|40,92,269x13|安装主程序文件' <<<"$progress"
driver click TFormsec "取消" >/dev/null
driver msgbox 10000 >/dev/null
check_eq "cancel question" "安装程序进行中,确定要退出安装吗?" "$(field text)"
check_eq "cancel question's title" "退出安装" "$(field title)"
check_eq "cancel question has no icon" none "$(field icon)"
driver press OK >/dev/null
check_eq "exit code after cancelling" 0 "$(exit_code $RUN)"

# A main executable that a running program holds open without sharing.
target=$(c_drive VelmoraLocked)
rm -rf "$target"
mkdir -p "$target"
echo "the running application" >"$target/VLMR.exe"
hold_open 'C:\VelmoraLocked\VLMR.exe'
start_installation 'C:\VelmoraLocked\'
driver msgbox 20000 >/dev/null
check_eq "guard message" "所要安装的程序正在运行中,请退出后再安装!" "$(field text)"
check_eq "guard caption" vlmraSetup "$(field title)"
driver press OK >/dev/null
check_eq "exit code after the guard" 0 "$(exit_code $RUN)"
check_eq "nothing else written" "VLMR.exe" "$(ls "$target")"
check_eq "the running program's file untouched" "the running application" "$(cat "$target/VLMR.exe")"
check "temporary files gone" test ! -e "$(temp_dir)/lmraSetup.log"
end_background holder
rm -rf "$target"
finish
