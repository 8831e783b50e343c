#!/usr/bin/env bash
# Registration after a full installation into a folder with a blank: the fourteen registry values
# exactly, the uninstaller, the desktop shortcut and the program group with its four entries; a
# second run finds the earlier installation, and without the desktop box writes no shortcut.
source "$(dirname "$0")/lib.sh"

target=$(c_drive "Velmora Reg")
install_sample() { # DESKTOP_BOX ticked|cleared
    walk_to_confirmation 'C:\Velmora Reg\'
    if [ "$1" = cleared ]; then
        wizard_click "< 返回" "默认路径"
        driver click TFormSchedule "创建桌面快捷方式" >/dev/null
        driver set-text TFormSchedule Edit 2 'C:\Velmora Reg\' >/dev/null
        wizard_click "下一步 >" "安装确认"
    fi
    driver click TFormSchedule "下一步 >" >/dev/null
    driver wait-text TFormSchedule "完毕" 60000 >/dev/null || fail "the installation did not finish"
    clear_run_box || fail "the 运行软件 box stays ticked"
    driver click TFormSchedule "完毕" >/dev/null
}

forget_installation "Velmora Reg"
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
install_sample ticked
check_eq "exit code" 0 "$(exit_code $RUN)"

check_eq "1 displayname" Velmora "$(reg_value "$uninstall_key" displayname)"
check_eq "2 Publisher" Tessaly "$(reg_value "$uninstall_key" Publisher)"
check_eq "3 DisplayVersion" 0.20.80305 "$(reg_value "$uninstall_key" DisplayVersion)"
check_eq "4 URLInfoAbout" https://www.velmora.example "$(reg_value "$uninstall_key" URLInfoAbout)"
check_eq "5 uninstallstring, quoted" '"C:\Velmora Reg\Uninstall.exe"' "$(reg_value "$uninstall_key" uninstallstring)"
check_eq "6 extension" 'Software\VLMRA' "$(reg_value 'HKCR\.Vlq')"
check_eq "7 class description" "Velmorav2.8.3.5（标准版-m）" "$(reg_value 'HKCR\Software\VLMRA')"
check_eq "8 icon" 'C:\Velmora Reg\VLMR.exe,0' "$(reg_value 'HKCR\Software\VLMRA\DefaultIcon')"
check_eq "9 open verb" '&Open' "$(reg_value 'HKCR\Software\VLMRA\Shell\Open')"
check_eq "10 open command, quoted" '"C:\Velmora Reg\VLMR.exe" "%1"' "$(reg_value 'HKCR\Software\VLMRA\Shell\Open\Command')"
check_eq "11 Path" 'C:\Velmora Reg\' "$(reg_value 'HKCU\Software\VLMRA\Shell\PathName' Path)"
check_eq "12 Serial" 02080305 "$(reg_value 'HKCU\Software\VLMRA\Shell\Serial' Serial)"
check_eq "13 Version" "2.8.3.5（标准版-m）" "$(reg_value 'HKCU\Software\VLMRA\Shell\Version' Version)"
check_eq "14 compatibility layer" '~ DPIUNAWARE' "$(reg_value "$layers_key" 'C:\Velmora Reg\VLMR.exe')"

check "Uninstall.exe in place" cmp -s "$target/Uninstall.exe" "$SAMPLE_PAYLOAD/Uninstall.exe"
check "desktop shortcut in the all-users desktop" test -f "$desktop_link"
driver shortcut 'C:\users\Public\Desktop\Velmorav2.8.0(m).lnk' >/dev/null
check_eq "shortcut target" 'C:\Velmora Reg\VLMR.exe' "$(field target)"
check_eq "shortcut working folder" 'C:\Velmora Reg\' "$(field folder)"
check_eq "shortcut has no arguments" "" "$(field arguments)"
check_eq "program group entries" "$(printf '%s\n' 'Velmorav2.8.3.5（标准版-m）.lnk' 使用说明.lnk '卸载Velmorav2.8.3.5（标准版-m）.lnk' 用户授权协议.lnk | sort)" \
    "$(ls "$program_group" 2>/dev/null | sort)"

# A second run finds the installation, and with the desktop box cleared writes no shortcut.
rm -rf "$program_group"
rm -f "$desktop_link"
start_setup
driver msgbox 20000 >/dev/null
check "the second run asks question A" grep -qF "Velmorav2.8.3.5（标准版-m）已经安装，要再次安装吗？" <<<"$(field text)"
driver press Yes >/dev/null
install_sample cleared
check_eq "second run's exit code" 0 "$(exit_code $RUN)"
check "no shortcut without the desktop box" test ! -e "$desktop_link"
check_eq "the program group all the same" 4 "$(ls "$program_group" 2>/dev/null | wc -l)"
forget_installation "Velmora Reg"
finish
