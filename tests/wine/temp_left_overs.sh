#!/usr/bin/env bash
# Temporary files that an earlier run left behind (ended during its run) or that someone planted:
# a setup that does not go on, because the user chose to leave the running application alone,
# reads none of them, shows no error and ends, and removes them.
source "$(dirname "$0")/lib.sh"

temp=$(temp_dir)
for name in lmraSetup.log lmraSetup.ini SQXY.txt; do
    printf '[Form]\r\nCaption=left over by an earlier run\r\n' >"$temp/$name"
done
mkdir -p "$WORK/app"
cp "$SAMPLE_PAYLOAD/VLMR.exe" "$WORK/app/VLMR.exe"
in_background app "$WORK/app/VLMR.exe"
driver wait-window TVlmr30 20000 >/dev/null

start_setup
driver msgbox 20000 >/dev/null
check "the running application is asked about" grep -qF 'Velmora正在运行中' <<<"$(field text)"
driver press No >/dev/null
# An error box about the left-overs would hold the setup open.
check_eq "No ends the setup without an error box" 0 "$(exit_code $RUN)"
for name in lmraSetup.log lmraSetup.ini SQXY.txt; do
    check "the left-over $name is removed" test ! -e "$temp/$name"
done
check "the application still runs" test ! -e "$WORK/app.rc"
finish
