#!/usr/bin/env bash
# What the progress window shows while files are written, read off the screen: the step label holds
# dark text on the window's white, never a bar of one colour, and the animation's box is white like
# the window around it. Interactive and /SILENT alike. A long pause after each file keeps a name in
# place while it is looked at.
source "$(dirname "$0")/lib.sh"
export SETUP_SKIP_TOOLS=1 # the test runner has built the tools

target=$(c_drive VelmoraPaint)
"$SETUP_SOURCE/scripts/build-setup" --pause-ms 1500 "$SAMPLE_PAYLOAD" "$WORK/slow.exe" >"$WORK/build.out" 2>&1 ||
    { cat "$WORK/build.out" >&2; fail "the slow setup was not built"; finish; }

# The label under the animation, once it names a file: its text and its rectangle in the window.
label_line() { driver texts TFormsec | grep '^Static|' | grep '|40,92,' | head -n 1; }
names_a_file() { label_line | grep -qF 'VelmoraPaint'; }

# look_at_progress RUN: samples the label and the animation's box on the screen.
look_at_progress() {
    check "$1: the label names a file" wait_until 30 names_a_file
    driver wait-window TFormsec 1000 >/dev/null
    local origin left top
    origin=$(field rect)
    left=${origin%%,*}
    top=$(cut -d, -f2 <<<"$origin")
    driver area $((left + 40)) $((top + 92)) 269 13 >/dev/null
    local white dark
    white=$(field white)
    dark=$(field dark)
    # 269 x 13 = 3497 pixels: a name covers a part of them, the window's white the rest.
    check "$1: the label's ground is white ($white of 3497 pixels)" test "$white" -gt 1750
    check "$1: the label holds dark text ($dark pixels)" test "$dark" -gt 20
    driver area $((left + 40)) $((top + 12)) 272 60 >/dev/null
    check "$1: the animation's box is white ($(field white) of 16320 pixels)" test "$(field white)" -gt 14000
}

rm -rf "$target"
start_installation 'C:\VelmoraPaint\' "$WORK/slow.exe"
driver wait-window TFormsec 20000 >/dev/null
look_at_progress interactive
cancel_installation
check_eq "interactive: exit code" 0 "$(exit_code $RUN)"

rm -rf "$target"
in_background silent "$WORK/slow.exe" /SILENT '/DIR=C:\VelmoraPaint\'
driver wait-window TFormsec 20000 >/dev/null
look_at_progress /SILENT
end_background silent
rm -rf "$target"
finish
