#!/usr/bin/env bash
# The wizard's pages as a user meets them: texts, the agreement choice, Back, the folder page's
# drive grid with a drive D: that becomes the default, the exit and close questions.
source "$(dirname "$0")/lib.sh"

# A hard disk D: for this test: the default folder goes there.
ddrive="$WORK/ddrive"
mkdir -p "$ddrive"
map_drive d "$ddrive"
trap 'unmap_drive d; cleanup' EXIT

start_setup
driver wait-window TFormSchedule 20000 >/dev/null
IFS=, read -r left _ right bottom <<<"$(field rect)"
frame=$(( (right - left - 547) / 2 ))
client_x=$((left + frame)) client_y=$((bottom - frame - 397))
page=$(visible_texts TFormSchedule)
check "welcome title" grep -qxF "欢迎使用 Velmorav2.8.3.5（标准版-m）" <<<"$page"
check "welcome text" grep -qxF "即将在您的电脑上安装“Velmorav2.8.3.5（标准版-m）” 请点击“下一步”按钮继续。" <<<"$page"
# The separator (a lowered bevel, 2 high, at y 341) and the button-face bar below it, on screen.
colour() { driver pixel $((client_x + $1)) $((client_y + $2)) >/dev/null; field rgb; }
page_colour=$(colour 10 340) shadow=$(colour 10 341) highlight=$(colour 10 342) bar=$(colour 10 343)
check "separator's shadow line under the page" test "$shadow" != "$page_colour" -a "$shadow" != "$bar"
check_eq "separator's highlight line" "255,255,255" "$highlight"
check "button bar in the button-face colour to the bottom" test "$bar" != "$page_colour" -a "$bar" = "$(colour 10 396)"

# The side picture in its natural size from the top left, cut at 156 pixels: the screen against the
# bitmap drawn from its file.
differing() { # WIDTH: pixels of the client area's top left WIDTH x 300 unlike the picture's
    driver compare-bitmap "$(winepath -w "$SETUP_BUILD_DIR/art/imagleft.bmp")" "$client_x" "$client_y" "$1" 300 \
        >/dev/null
    field differing
}
side_picture_drawn() { [ "$(differing 156)" = 0 ] && [ "$(differing 165)" -gt 0 ]; }
check "side picture in its natural size, cut at 156 pixels" side_picture_drawn
check "Back disabled on the welcome page" grep -qF '|visible|disabled|252,356,77x23|< 返回' <(driver texts TFormSchedule)

wizard_click "下一步 >" "我同意以上条款"
page=$(driver texts TFormSchedule)
check "agreement heading from the configuration" grep -qF '|16,12,500x17|用户授权协议' <<<"$page"
check "agreement subtitle" grep -qF '|16,32,500x16|请仔细阅读下面的协议条款' <<<"$page"
check "agreement text in the memo" grep -qF '|13,16,488x169|Velmora 营养配餐软件 用户授权协议\r\n' <<<"$page"
check "accept selected" grep -qF '|[x] 我同意以上条款' <<<"$page"

driver click TFormSchedule "我不同意以上条款" >/dev/null
check "decline disables Next" wait_until 5 shows TFormSchedule '|visible|disabled|340,356,77x23|下一步 >'
wizard_click "< 返回" "欢迎使用 Velmorav2.8.3.5（标准版-m）"
check "side picture drawn again on the welcome page" wait_until 5 side_picture_drawn
check "Back to the welcome page enables Next" wait_until 5 shows TFormSchedule '|visible|enabled|340,356,77x23|下一步 >'
wizard_click "下一步 >" "我同意以上条款"
check "Next selects accept again" grep -qF '|[x] 我同意以上条款' <(driver texts TFormSchedule)

wizard_click "下一步 >" "选择安装文件夹"
page=$(driver texts TFormSchedule)
check "default folder on D:" grep -qF '|28,68,385x22|D:\Program Files\Vlmra280\' <<<"$page"
for caption in 卷标 磁盘大小 可用空间 使用 " 剩余空间"; do
    check "grid header $caption" grep -q "|visible|enabled|[0-9]*,130,[0-9]*x20|$caption\$" <<<"$page"
done
grid=$(driver listview TFormSchedule)
check "D: row selected with usage and remaining space" grep -qE '^\*\|D:\\\|[0-9.]+ GB\|[0-9.]+ GB\| 12 MB\| -?[0-9.]+ GB$' <<<"$grid"
check "C: row without usage" grep -qE '^ \|C:\\\|[0-9.]+ GB\|[0-9.]+ GB\|\|$' <<<"$grid"
check "desktop box ticked" grep -qF '|[x] 创建桌面快捷方式' <<<"$page"
# Pages built after the first showing keep their place before the button bar (Tab order).
path_line=$(grep -nF '|28,68,385x22|' <<<"$page" | cut -d: -f1)
next_line=$(grep -nF '|下一步 >' <<<"$page" | cut -d: -f1)
check "folder page comes before the buttons" test "${path_line:-999}" -lt "${next_line:-0}"

# A double-click on a drive row moves the folder there, keeping the rest of the typed text.
driver set-text TFormSchedule Edit 2 'C:\Typed\Here\' >/dev/null
crow=$(driver listview TFormSchedule | grep -n '|C:\\|' | cut -d: -f1)
driver listview-dblclick TFormSchedule $((crow - 1)) >/dev/null
c_row_selected() { grep -qE '^\*\|C:\\\|.*\| 12 MB\|' <(driver listview TFormSchedule); }
check "C: row selected with usage" wait_until 5 c_row_selected
check "double-click on C: moves the folder to C:" grep -qF '|28,68,385x22|C:\Typed\Here\' <(driver texts TFormSchedule)

# Browse opens the shell's folder browser; cancelling it changes nothing.
driver click TFormSchedule "浏览" >/dev/null
check "folder browser opens" driver wait-text '#32770' "选择安装路径" 10000
driver press Cancel >/dev/null
browser_closed() { ! driver wait-text '#32770' "选择安装路径" 0 >/dev/null; }
check "the folder browser goes" wait_until 5 browser_closed
check "cancelled browse keeps the folder" grep -qF '|28,68,385x22|C:\Typed\Here\' <(driver texts TFormSchedule)

# A typed folder is taken as typed; a relative one is refused on the folder page.
driver set-text TFormSchedule Edit 2 'Apps' >/dev/null
driver click TFormSchedule "下一步 >" >/dev/null
driver msgbox 10000 >/dev/null
check "relative folder refused" grep -qF '不是完整的路径' <<<"$(field text)"
driver press OK >/dev/null
check "still on the folder page" driver wait-text TFormSchedule "选择安装文件夹" 3000

driver set-text TFormSchedule Edit 2 'C:\Typed\Folder' >/dev/null
wizard_click "下一步 >" "安装确认"
check "confirmation subtitle" grep -qxF "点击“下一步”开始安装Velmorav2.8.3.5（标准版-m）" <(visible_texts TFormSchedule)
wizard_click "< 返回" "默认路径"
check "Back from the confirmation keeps the typed folder" grep -qF '|C:\Typed\Folder' <(driver texts TFormSchedule)
check "header still reads the confirmation" grep -qF '|16,12,500x17|安装确认' <(driver texts TFormSchedule)
wizard_click "< 返回" "我同意以上条款"
wizard_click "下一步 >" "选择安装文件夹"
check "Next onto the folder page picks the default again" grep -qF '|D:\Program Files\Vlmra280\' <(driver texts TFormSchedule)

# Exit asks the confirmation question; No stays.
driver click TFormSchedule "退出" >/dev/null
driver msgbox 10000 >/dev/null
check_eq "exit question title" Confirm "$(field title)"
check_eq "exit question" "确定要退出安装程序吗?" "$(field text)"
check_eq "exit question buttons" "&Yes|&No" "$(field buttons)"
driver press No >/dev/null
check "No stays in the wizard" driver wait-text TFormSchedule "默认路径" 3000

# The close button asks with OK and Cancel; Cancel stays.
driver close TFormSchedule >/dev/null
driver msgbox 10000 >/dev/null
check_eq "close question title" 退出安装 "$(field title)"
check_eq "close question" "确定要退出安装程序吗?" "$(field text)"
check_eq "close question owned by the wizard" TFormSchedule "$(field owner)"
driver press Cancel >/dev/null
check "Cancel keeps the wizard" driver wait-window TFormSchedule 3000

driver click TFormSchedule "退出" >/dev/null
driver msgbox 10000 >/dev/null
driver press Yes >/dev/null
check_eq "Yes to Exit ends setup" 0 "$(exit_code $RUN)"
check "nothing installed on D:" test -z "$(ls "$ddrive")"
finish
