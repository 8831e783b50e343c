#!/usr/bin/env bash
# An earlier installation found in the registry: the same version asks question A, an older one
# question B, a newer configured version asks nothing; No ends setup before anything is installed.
source "$(dirname "$0")/lib.sh"

old=$(c_drive VelmoraOld)
mkdir -p "$old"
echo "installed earlier" >"$old/VLMR.exe"
installed() { # SERIAL [PATH]
    wine_reg add 'HKCU\Software\VLMRA\Shell\Serial' /v Serial /d "$1" /f
    wine_reg add 'HKCU\Software\VLMRA\Shell\PathName' /v Path /d "${2:-C:\\VelmoraOld\\}" /f
}

question_a='Velmorav2.8.3.5（标准版-m）已经安装，要再次安装吗？\r\r若选择再次安装，请注意备份原软件中的数据资料，以免丢失宝贵数据。\r备份方法：退出本安装程序，运行Velmora，点击窗口顶行“文件”菜\r单，选择“另存为”保存数据到U盘，或其它熟悉的文件夹中。\r\r    按 [Yes] 按钮再次安装；按 [No] 结束\r'
question_b='您正在安装的是一个旧版本，要继续安装吗？\r\r    按 [Yes] 按钮继续安装；按 [No] 结束\r'

for serial in 02080305 2080305; do
    installed "$serial"
    start_setup
    driver msgbox 20000 >/dev/null
    check_eq "question A for installed $serial: title" Confirm "$(field title)"
    check_eq "question A for installed $serial" "$question_a" "$(field text)"
    check_eq "question A's icon" question "$(field icon)"
    driver press No >/dev/null
    check_eq "No ends setup" 0 "$(exit_code $RUN)"
    check "no temporary file left" test ! -e "$(temp_dir)/lmraSetup.log"
done

installed 2080306
start_setup
driver msgbox 20000 >/dev/null
check_eq "question B for a newer installed version" "$question_b" "$(field text)"
driver press Yes >/dev/null
check "Yes goes on to the wizard" driver wait-text TFormSchedule "欢迎使用 Velmorav2.8.3.5（标准版-m）" 10000
quit_wizard
check_eq "exit code" 0 "$(exit_code $RUN)"

installed 27200
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
check "an older installed version asks nothing" test "$(driver msgbox 1500 >/dev/null; echo $?)" = 1
quit_wizard
exit_code $RUN >/dev/null

# No question when the folder lacks its backslash, the executable is gone or a value is missing.
for preset in "02080305 C:\\VelmoraOld" "02080305 C:\\Nowhere\\"; do
    set -- $preset
    installed "$1" "$2"
    start_setup
    driver wait-window TFormSchedule 20000 >/dev/null
    check "no question for $2" test "$(driver msgbox 1500 >/dev/null; echo $?)" = 1
    quit_wizard
    exit_code $RUN >/dev/null
done

# An installed serial that is no number: the standard error box, and the wizard stays usable.
installed abc
start_setup
driver msgbox 20000 >/dev/null
check_eq "invalid serial's error" "'abc' is not a valid floating point value." "$(field text)"
check_eq "error box caption" vlmraSetup "$(field title)"
driver press OK >/dev/null
check "the wizard goes on" driver wait-text TFormSchedule "欢迎使用 Velmorav2.8.3.5（标准版-m）" 10000
quit_wizard
exit_code $RUN >/dev/null

# Without an earlier installation the wizard leaves the two keys behind, empty.
wine_reg delete 'HKCU\Software\VLMRA' /f
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
quit_wizard
exit_code $RUN >/dev/null
for key in Serial PathName; do
    check "key Shell\\$key created" wine_reg query "HKCU\\Software\\VLMRA\\Shell\\$key"
done
rm -rf "$old"
finish
