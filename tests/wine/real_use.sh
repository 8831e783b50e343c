#!/usr/bin/env bash
# The windows driven as a person drives them, not by posted messages: switching to another program
# and back, the folder browser, a real Alt+F4 on the progress window and on the completion page, an
# error while another program is active.
source "$(dirname "$0")/lib.sh"
tmp=$(temp_dir)

no_box() { # WHEN: no question or other box comes within a second and a half
    if driver msgbox 1500 >/dev/null; then
        fail "a box $1: $(field text)"
        driver press Yes >/dev/null
    else
        pass
    fi
}
active_window() { driver active | tr -d '\r'; }
wizard_active() { [ "$(active_window)" = active=TFormSchedule ]; }

# An earlier installation of the same version: question A comes at the first activation only.
old=$(c_drive VelmoraRealOld)
mkdir -p "$old"
echo "installed earlier" >"$old/VLMR.exe"
wine_reg add 'HKCU\Software\VLMRA\Shell\Serial' /v Serial /d 02080305 /f
wine_reg add 'HKCU\Software\VLMRA\Shell\PathName' /v Path /d 'C:\VelmoraRealOld\' /f
target=$(c_drive VelmoraChosen)
rm -rf "$target"
start_setup
driver msgbox 20000 >/dev/null
check_eq "question A at the first activation" Confirm "$(field title)"
driver press Yes >/dev/null
driver wait-window TFormSchedule 10000 >/dev/null
wizard_click "下一步 >" "我同意以上条款"
wizard_click "下一步 >" "选择安装文件夹"
check_eq "the grid's rows are 14 pixels high" rowheight=14 "$(driver row-height TFormSchedule | tr -d '\r')"
driver set-text TFormSchedule Edit 2 'C:\VelmoraChosen\' >/dev/null
driver activate-from-outside TFormSchedule >/dev/null
check_eq "switched away and back" "yes yes" "$(field away) $(field back)"
no_box "after coming back from another program"
check "the folder chosen stays after coming back" grep -qF '|C:\VelmoraChosen\' <(driver texts TFormSchedule)

# The folder browser: owned by the application's own window, and the wizard active again once it
# has gone; the folder stays what it was.
driver click TFormSchedule "浏览" >/dev/null
driver wait-text '#32770' "选择安装路径" 10000 >/dev/null
driver msgbox 1000 >/dev/null
check "the browser is owned by the application's window" test "$(field owner)" = SetupApplication
driver press Cancel >/dev/null
wait_until 5 wizard_active || true # checked next, naming the window that is active
check_eq "the wizard is active after the browser" active=TFormSchedule "$(active_window)"
no_box "after the folder browser"
check "the folder chosen stays after the browser" grep -qF '|C:\VelmoraChosen\' <(driver texts TFormSchedule)

# Alt+F4 on the progress window asks as its cancel button does; Cancel goes on.
wizard_click "下一步 >" "安装确认"
driver click TFormSchedule "下一步 >" >/dev/null
driver wait-window TFormsec 10000 >/dev/null
check "the installation under way before Alt+F4 and Cancel" wait_until 10 has_files "$target" 5
driver alt-f4 TFormsec >/dev/null
driver msgbox 10000 >/dev/null
check_eq "Alt+F4 on the progress window asks" "安装程序进行中,确定要退出安装吗?" "$(field text)"
check_eq "in the cancel question's box" 退出安装 "$(field title)"
driver press Cancel >/dev/null
check "Cancel goes on to the completion page" driver wait-text TFormSchedule "完毕" 120000
check "installed into the folder chosen" cmp -s "$target/Setup.log" "$SAMPLE_PAYLOAD/Setup.log"
check "nothing installed into the default folder" test ! -e "$(c_drive 'Program Files/Vlmra280')/Setup.log"

# Alt+F4 on the completion page ends the setup as the finish button does, without the application.
driver alt-f4 TFormSchedule >/dev/null
check_eq "closing the completion page ends the setup" 0 "$(exit_code $RUN)"
check "the temporary files are gone" test ! -e "$tmp/lmraSetup.log"
check "the application was not started" test "$(driver count TVlmr30 | tr -d '\r')" = 0
wine_reg delete 'HKCU\Software\VLMRA' /f || true
rm -rf "$target" "$old"

# Alt+F4 in the middle of the installation, answered OK: the setup ends, nothing after that point
# is written, the temporary files go.
target=$(c_drive VelmoraAltF4)
rm -rf "$target"
start_installation 'C:\VelmoraAltF4\'
driver wait-window TFormsec 10000 >/dev/null
check "the installation under way before Alt+F4" wait_until 10 has_files "$target" 5
driver alt-f4 TFormsec >/dev/null
driver msgbox 10000 >/dev/null
driver press OK >/dev/null
check_eq "Alt+F4 then OK ends the setup" 0 "$(exit_code $RUN)"
check "stopped mid-manifest" test "$(find "$target" -type f | wc -l)" -lt "$(manifest_paths | sort -u | wc -l)"
check "the files written are whole" installed_files_intact "$target"
check "the temporary files are gone after Alt+F4" test ! -e "$tmp/lmraSetup.log"
rm -rf "$target"

# Alt+F4 after an error box has stopped the installation: the same question, and OK ends it.
target=$(c_drive VelmoraAltF4Error)
rm -rf "$target"
start_with_changed_manifest 'C:\VelmoraAltF4Error\'
driver press OK >/dev/null
driver alt-f4 TFormsec >/dev/null
driver msgbox 10000 >/dev/null
check_eq "Alt+F4 after an error box asks" "安装程序进行中,确定要退出安装吗?" "$(field text)"
driver press OK >/dev/null
check_eq "and OK ends the setup" 0 "$(exit_code $RUN)"
rm -rf "$target"

# An error while another program is active: its box is owned by the wizard all the same.
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
printf 'Agreement of someone else\r\n' >"$tmp/SQXY.txt"
in_background away "$UIDRIVER" stay-away 4000
check "another program is active" wait_until 10 grep -q '^away=yes' "$WORK/away.log"
driver click TFormSchedule "下一步 >" >/dev/null
driver msgbox 10000 >/dev/null
check "the error box comes" grep -qF 'SQXY.txt" has been changed' <<<"$(field text)"
check_eq "owned by the wizard while another program is active" TFormSchedule "$(field owner)"
driver press OK >/dev/null
end_background away
quit_wizard
check_eq "exit code" 0 "$(exit_code $RUN)"
finish
