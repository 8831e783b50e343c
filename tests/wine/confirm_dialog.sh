#!/usr/bin/env bash
# The toolkit's confirmation question: "Confirm", the question icon, "&Yes" and "&No"; Escape and
# the close button answer No. An exception that is no std::exception still gets the standard error box.
source "$(dirname "$0")/lib.sh"

start_setup "$CONFIRM_PROBE"
driver msgbox 20000 >/dev/null
check_eq "title" Confirm "$(field title)"
check_eq "question icon" question "$(field icon)"
check_eq "buttons" "&Yes|&No" "$(field buttons)"
check_eq "text with its bare carriage returns" \
    '您正在安装的是一个旧版本，要继续安装吗？\r\r    按 [Yes] 按钮继续安装；按 [No] 结束\r' "$(field text)"
driver press Yes >/dev/null
check_eq "Yes" 6 "$(exit_code $RUN)"

start_setup "$CONFIRM_PROBE"
driver msgbox 20000 >/dev/null
driver key '#32770' 27 >/dev/null # Escape
check_eq "Escape answers No" 7 "$(exit_code $RUN)"

start_setup "$CONFIRM_PROBE"
driver msgbox 20000 >/dev/null
driver close '#32770' >/dev/null
check_eq "the close button answers No" 7 "$(exit_code $RUN)"

start_setup "$CONFIRM_PROBE"
driver msgbox 20000 >/dev/null
driver press No >/dev/null
check_eq "No" 7 "$(exit_code $RUN)"

in_background unknown "$CONFIRM_PROBE" unknown-error
driver msgbox 20000 >/dev/null
check_eq "an unknown exception is reported" "Unknown error." "$(field text)"
check_eq "in the standard error box" "vlmraSetup error" "$(field title) $(field icon)"
driver press OK >/dev/null
finish
