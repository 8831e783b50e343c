#!/usr/bin/env bash
# Bad input carried by a setup: a configuration without some values, manifests with CR-only or
# LF-only line ends, a NUL in the middle, an empty line in the middle.
source "$(dirname "$0")/lib.sh"
export SETUP_SKIP_TOOLS=1 SETUP_PAUSE_MS=0

# variant NAME EDIT...: a copy of the sample payload changed by EDIT, built into $WORK/NAME.exe.
variant() {
    local name=$1
    shift
    rm -rf "$WORK/$name"
    cp -r "$SAMPLE_PAYLOAD" "$WORK/$name"
    (cd "$WORK/$name" && LC_ALL=C "$@") # the texts are GBK
    "$SETUP_SOURCE/scripts/build-setup" "$WORK/$name" "$WORK/$name.exe" >"$WORK/build.out" 2>&1 ||
        { cat "$WORK/build.out" >&2; fail "building $name"; }
}
install_variant() { # NAME FOLDER: runs that setup to the start of the installation
    start_installation "C:\\$2\\" "$WORK/$1.exe"
}
finish_installation() {
    driver wait-text TFormSchedule "完毕" 60000 >/dev/null || fail "no last page"
    clear_run_box || fail "the 运行软件 box stays ticked"
    driver click TFormSchedule "完毕" >/dev/null
}
target=$(c_drive VelmoraInput)

# An empty caption and an empty [Run] FileName (the builder refuses such a configuration).
SETUP_BUILDER_UNCHECKED=1 variant emptykeys sed -i 's/^Caption=.*\r$/Caption=\r/; s/^FileName=.*\r$/FileName=\r/' Setup.ini
rm -rf "$target"
start_setup "$WORK/emptykeys.exe"
driver wait-window TFormSchedule 20000 >/dev/null
check_eq "empty caption: an empty title" "" "$(field title)"
page=$(visible_texts TFormSchedule)
check "welcome title keeps its fixed part" grep -qxF "欢迎使用 " <<<"$page"
check "welcome text keeps its fixed parts" grep -qxF "即将在您的电脑上安装“” 请点击“下一步”按钮继续。" <<<"$page"
walk_to_confirmation 'C:\VelmoraInput\'
driver click TFormSchedule "下一步 >" >/dev/null
driver msgbox 20000 >/dev/null
check_eq "empty FileName: the guard's message" "所要安装的程序正在运行中,请退出后再安装!" "$(field text)"
driver press OK >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
check_eq "nothing written" "" "$(ls "$target")"

# CR-only and LF-only line ends install everything.
for ends in cr lf; do
    if [ $ends = cr ]; then
        variant $ends sed -i -z 's/\r\n/\r/g' Setup.log
    else
        variant $ends sed -i -z 's/\r\n/\n/g' Setup.log
    fi
    rm -rf "$target"
    install_variant $ends VelmoraInput
    finish_installation
    check_eq "$ends line ends: exit code" 0 "$(exit_code $RUN)"
    check "$ends line ends: everything installed" diff -r --exclude=Options.ini "$WORK/$ends" "$target"
done

# A NUL in the middle: the manifest ends there (the builder refuses such a manifest).
SETUP_BUILDER_UNCHECKED=1 variant nul sed -i -z 's/\r\nPrintFile1 /\r\n\x00PrintFile1 /' Setup.log
rm -rf "$target"
install_variant nul VelmoraInput
finish_installation
check_eq "NUL: exit code" 0 "$(exit_code $RUN)"
check "NUL: the lines before it installed" cmp -s "$target/SdbFile/QLr8.txt" "$SAMPLE_PAYLOAD/SdbFile/QLr8.txt"
check "NUL: nothing after it" test ! -e "$target/PrintFiles"

# An empty line in the middle: the not-found error for an empty name, the lines before in place.
SETUP_BUILDER_UNCHECKED=1 variant empty sed -i -z 's/\r\nPrintFile1 /\r\n\r\nPrintFile1 /' Setup.log
rm -rf "$target"
install_variant empty VelmoraInput
driver msgbox 60000 >/dev/null
check_eq "empty line: not-found error" "Resource  not found." "$(field text)"
driver press OK >/dev/null
check "empty line: the lines before it installed" cmp -s "$target/SdbFile/QLr8.txt" "$SAMPLE_PAYLOAD/SdbFile/QLr8.txt"
check "empty line: nothing after it" test ! -e "$target/PrintFiles"
cancel_installation
check_eq "empty line: exit code" 0 "$(exit_code $RUN)"
rm -rf "$target"
finish
