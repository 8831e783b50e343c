#!/usr/bin/env bash
# A setup built with --compress: smaller, every payload file unpacked to its own bytes, installed
# whole; a damaged resource, compressed or stored, is found before anything is written and named,
# and nothing of it is installed.
source "$(dirname "$0")/lib.sh"
export SETUP_SKIP_TOOLS=1 # the test runner has built the tools
INSPECT=$BUILD/native/inspect-setup

"$SETUP_SOURCE/scripts/build-setup" --compress --pause-ms 0 "$SAMPLE_PAYLOAD" "$WORK/packed.exe" \
    >"$WORK/build.out" 2>&1 || { cat "$WORK/build.out" >&2; fail "the compressed build"; }
"$SETUP_SOURCE/scripts/build-setup" --pause-ms 0 "$SAMPLE_PAYLOAD" "$WORK/stored.exe" >/dev/null 2>&1
check "compressed is smaller than stored ($(stat -c %s "$WORK/packed.exe") < $(stat -c %s "$WORK/stored.exe"))" \
    test "$(stat -c %s "$WORK/packed.exe")" -lt "$(stat -c %s "$WORK/stored.exe")"

# Every manifest line's resource unpacks to its file; a text that shrinks is stored compressed.
mismatched=""
while read -r name type path; do
    path=${path//\\//}
    "$INSPECT" unpacked "$WORK/packed.exe" "${type^^}" "${name^^}" >"$WORK/unpacked" &&
        cmp -s "$WORK/unpacked" "$SAMPLE_PAYLOAD/$path" || mismatched+=" $path"
done < <({ cat "$SAMPLE_PAYLOAD/Setup.log"; echo; } | tr -d '\r' | iconv -f GBK -t UTF-8 | grep .)
check_eq "every resource unpacks to its file" "" "$mismatched"
check_eq "the agreement is stored compressed" "VLZ" \
    "$("$INSPECT" resource "$WORK/packed.exe" TXTNAME FILETXT4 | head -c 3)"

# Installed from the compressed setup: the folder is the payload, byte for byte.
target=$(c_drive VelmoraPacked)
rm -rf "$target"
start_installation 'C:\VelmoraPacked\' "$WORK/packed.exe"
check "the last page comes up" driver wait-text TFormSchedule "完毕" 60000
check "the installed folder is the payload" diff -r "$SAMPLE_PAYLOAD" "$target"
clear_run_box || fail "the 运行软件 box stays ticked"
driver click TFormSchedule "完毕" >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
rm -rf "$target"
wine_reg delete 'HKCU\Software\VLMRA' /f || true

# One bit flipped in a payload resource: at its start (a compressed one's header), its middle and
# its end, in the compressed and in the stored setup. Found before anything is written, named, and
# never installed: the unattended setup logs it and ends with 1.
flip() { # EXE TYPE NAME head|middle|end OUT
    local offset size at byte
    read -r offset size < <("$INSPECT" place "$1" "$2" "$3")
    case $4 in
    head) at=$((offset + 4)) ;;
    middle) at=$((offset + size / 2)) ;;
    *) at=$((offset + size - 1)) ;;
    esac
    cp "$1" "$5"
    byte=$(od -An -tu1 -j "$at" -N1 "$1" | tr -d ' ')
    printf "\\$(printf '%03o' $((byte ^ 0x10)))" | dd of="$5" bs=1 seek="$at" conv=notrunc status=none
}
target=$(c_drive VelmoraDamaged)
damaged_log=$(c_drive damaged.log)
check_eq "the main executable is stored compressed" "VLZ" "$("$INSPECT" resource "$WORK/packed.exe" EXENAME FILEEXE | head -c 3)"
for setup in packed stored; do
    for where in head middle end; do
        flip "$WORK/$setup.exe" EXENAME FILEEXE "$where" "$WORK/damaged.exe"
        check "$setup, $where: one bit changed" test "$(cmp -l "$WORK/$setup.exe" "$WORK/damaged.exe" | wc -l)" = 1
        rm -rf "$target" "$damaged_log"
        in_background "damaged-$setup-$where" "$WORK/damaged.exe" /VERYSILENT '/DIR=C:\VelmoraDamaged' '/LOG=C:\damaged.log'
        wait_until 60 test -s "$WORK/damaged-$setup-$where.rc" || true
        check_eq "$setup, $where: exit code" 1 "$(cat "$WORK/damaged-$setup-$where.rc" 2>/dev/null)"
        check "$setup, $where: the damage named in the log" grep -qF \
            'Error: The setup program is damaged: its resource FILEEXE is not as its builder recorded it' \
            <<<"$(tail -c +4 "$damaged_log" | tr -d '\r')"
        check "$setup, $where: nothing installed" test ! -e "$target"
    done
done

# Interactively, the standard error box says so before the wizard: nothing is installed.
flip "$WORK/packed.exe" DBNAME8 SDBFILEDB8B middle "$WORK/damaged.exe"
rm -rf "$target"
start_setup "$WORK/damaged.exe"
driver msgbox 60000 >/dev/null
check "the error names the damaged resource: $(field text)" grep -qF \
    'The setup program is damaged: its resource SDBFILEDB8B is not as its builder recorded it' <<<"$(field text)"
check_eq "in the standard error box" vlmraSetup "$(field title)"
driver press OK >/dev/null
check "no wizard" test "$(driver wait-window TFormSchedule 1500 >/dev/null; echo $?)" = 1
driver close TFormain >/dev/null
check_eq "exit code after Alt+F4" 0 "$(exit_code $RUN)"
check "nothing installed" test ! -e "$target"
finish
