#!/usr/bin/env bash
# A whole installation of the sample payload as a user does it: every file lands byte for byte,
# the progress window ends full with its label hidden, and the wizard's last page takes over.
source "$(dirname "$0")/lib.sh"

target=$(c_drive "Velmora Whole")
rm -rf "$target"
start_setup
walk_to_confirmation 'C:\Velmora Whole\'
check_eq "confirmation text" "安装程序已经准备好在您的计算机上安装Velmorav2.8.3.5（标准版-m）" \
    "$(visible_texts TFormSchedule | grep '^安装程序已经准备好')"
driver click TFormSchedule "下一步 >" >/dev/null
check "progress window shown" driver wait-window TFormsec 10000
check_eq "progress window's client area" 359x205 "$(field client)"
check "wizard hidden during the installation" test "$(driver wait-window TFormSchedule 100 >/dev/null; echo $?)" = 1

check "the last page comes up" driver wait-text TFormSchedule "完毕" 60000
progress=$(driver texts TFormsec)
check "bar at 100" grep -q '^msctls_progress32|.*|pos=100$' <<<"$progress"
check "label hidden and empty" grep -q '^Static|0|hidden|enabled|40,92,269x13|$' <<<"$progress"
page=$(driver texts TFormSchedule | grep '|visible|')
check "completion title" grep -qF '|Velmorav2.8.3.5（标准版-m） 安装完毕.' <<<"$page"
check "completion subtitle moved 16 pixels right" grep -qF '|32,32,500x16|Velmorav2.8.3.5（标准版-m） 已经成功安装在您的电脑中' <<<"$page"
check "Back disabled" grep -qF '|disabled|252,356,77x23|< 返回' <<<"$page"
check "Exit disabled" grep -qF '|disabled|428,356,77x23|退出' <<<"$page"
check "run box ticked" grep -qF '|[x] 运行软件' <<<"$page"
check "header title hidden" test -z "$(grep -F '|16,12,500x17|' <<<"$page")"

check "installed folder is the payload, byte for byte" diff -r "$SAMPLE_PAYLOAD" "$target"
check "Setup.log is the manifest" cmp -s "$target/Setup.log" "$SAMPLE_PAYLOAD/Setup.log"

# Clicking the progress window now starts nothing; Finish without the run box ends setup.
clear_run_box || fail "the 运行软件 box stays ticked"
driver click TFormSchedule "完毕" >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
check "nothing written to the settings file" cmp -s "$target/Options.ini" "$SAMPLE_PAYLOAD/Options.ini"
check "temporary files gone" test ! -e "$(temp_dir)/lmraSetup.log"
rm -rf "$target"

# Without the pause the label and the bar change faster than they are drawn; their last state still
# arrives: the bar full, the label hidden and empty, every file in place.
SETUP_SKIP_TOOLS=1 SETUP_PAUSE_MS=0 "$SETUP_SOURCE/scripts/build-setup" "$SAMPLE_PAYLOAD" "$WORK/fast.exe" >/dev/null 2>&1
start_setup "$WORK/fast.exe" # the earlier installation's folder is gone: nothing is asked
driver wait-window TFormSchedule 20000 >/dev/null
walk_to_confirmation 'C:\Velmora Whole\'
driver click TFormSchedule "下一步 >" >/dev/null
check "fast: the last page comes up" driver wait-text TFormSchedule "完毕" 60000
progress=$(driver texts TFormsec)
check "fast: bar at 100" grep -q '^msctls_progress32|.*|pos=100$' <<<"$progress"
check "fast: label hidden and empty" grep -q '^Static|0|hidden|enabled|40,92,269x13|$' <<<"$progress"
check "fast: installed folder is the payload" diff -r "$SAMPLE_PAYLOAD" "$target"
clear_run_box || fail "the 运行软件 box stays ticked"
driver click TFormSchedule "完毕" >/dev/null
check_eq "fast: exit code" 0 "$(exit_code $RUN)"
rm -rf "$target"
finish
