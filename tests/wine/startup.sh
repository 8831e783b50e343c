#!/usr/bin/env bash
# Start-up as a user sees it: the backdrop covers the screen, the wizard comes over it, the
# temporary files hold the payload's texts while setup runs and are gone after it.
source "$(dirname "$0")/lib.sh"

# A missing Temp folder is created, and longer files left by an interrupted run are replaced.
rm -rf "$(temp_dir)"
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
tmp=$(temp_dir)
check "Temp folder created inside the Windows folder" test -d "$tmp"
quit_wizard
check_eq "exit code after closing the wizard" 0 "$(exit_code $RUN)"

printf 'left over from an earlier run, longer than any of the three files%.0s' $(seq 2000) >"$tmp/lmraSetup.log"
cp "$tmp/lmraSetup.log" "$tmp/lmraSetup.ini"
cp "$tmp/lmraSetup.log" "$tmp/SQXY.txt"

start_setup
driver wait-window TFormain 20000 >/dev/null
screen_width=$(field screen | cut -dx -f1)
check_eq "backdrop maximised" 1 "$(field zoomed)"
check_eq "backdrop covers the screen" "0,0,$(field screen | tr x ,)" "$(field rect)"

driver wait-window TFormSchedule 20000 >/dev/null
check_eq "wizard caption from the configuration" "Velmorav2.8.3.5（标准版-m）" "$(field title)"
check_eq "wizard client size" 547x397 "$(field client)"
driver wait-window TFormain 100 >/dev/null
check_eq "backdrop visible while the wizard is shown" "0,0,$(field screen | tr x ,)" "$(field rect)"
check_eq "backdrop disabled under the modal wizard" 0 "$(field enabled)"

texts=$(driver texts TFormain)
check "banner text" grep -qF "|0,0,${screen_width}x117|  Velmorav2.8.3.5安装程序 " <<<"$texts"
check "footer names the product and its web address" \
    grep -q "|36,8,[0-9]*x[0-9]*|Velmora官方网站 https://www.velmora.example$" <<<"$texts"
label2=$(grep "Tessaly" <<<"$texts" | cut -d'|' -f5)
left=${label2%%,*}
width=$(cut -d, -f3 <<<"$label2" | cut -dx -f1)
check_eq "footer's right label ends 32 pixels from the right edge" $((screen_width - 32)) $((left + width))

# The gradient: 3-pixel bands from blue 255 at the top on a 768-pixel client area.
if [ "$(field screen)" = 1024x768 ]; then
    for probe in "200 189" "384 127" "735 10"; do
        set -- $probe
        driver pixel 5 "$1" >/dev/null
        check_eq "gradient colour at y=$1" "0,0,$2" "$(field rgb)"
    done
fi

tmp=$(temp_dir)
check "manifest copied byte for byte" cmp -s "$tmp/lmraSetup.log" "$(payload_file Setup.log)"
check "configuration copied byte for byte" cmp -s "$tmp/lmraSetup.ini" "$(payload_file Setup.ini)"
check "agreement copied byte for byte" cmp -s "$tmp/SQXY.txt" "$(payload_file 用户授权协议.txt)"

driver screenshot 'C:\startup.bmp' >/dev/null
quit_wizard
check_eq "exit code" 0 "$(exit_code $RUN)"
for f in lmraSetup.log lmraSetup.ini SQXY.txt; do
    check "$f deleted at the end" test ! -e "$tmp/$f"
done
finish
