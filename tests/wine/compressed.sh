#!/usr/bin/env bash
# A setup built with --compress: smaller, every payload file unpacked to its own bytes, installed
# whole; a damaged compressed resource ends the installation with an error naming the file, and
# the files written before it stay whole.
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

# One byte changed in the middle of a compressed resource (SdbFile\Image\Move2.BMP).
check_eq "the picture is stored compressed" "VLZ" "$("$INSPECT" resource "$WORK/packed.exe" DBNAME8 SDBFILEDB8B | head -c 3)"
read -r offset size < <("$INSPECT" place "$WORK/packed.exe" DBNAME8 SDBFILEDB8B)
cp "$WORK/packed.exe" "$WORK/damaged.exe"
byte=$(od -An -tu1 -j $((offset + size / 2)) -N1 "$WORK/packed.exe" | tr -d ' ')
printf "\\$(printf '%03o' $((byte ^ 0x55)))" |
    dd of="$WORK/damaged.exe" bs=1 seek=$((offset + size / 2)) conv=notrunc status=none
check "one byte changed" test "$(cmp -l "$WORK/packed.exe" "$WORK/damaged.exe" | wc -l)" = 1
target=$(c_drive VelmoraDamaged)
rm -rf "$target"
start_installation 'C:\VelmoraDamaged\' "$WORK/damaged.exe"
driver msgbox 60000 >/dev/null
check "the error names the damaged file: $(field text)" grep -qF \
    'The setup program is damaged: "C:\VelmoraDamaged\SdbFile\Image\Move2.BMP" cannot be unpacked from it (' <<<"$(field text)"
check_eq "in the standard error box" vlmraSetup "$(field title)"
driver press OK >/dev/null
check "no half-written file is left" test ! -e "$target/SdbFile/Image/Move2.BMP"
check "the main executable before it is whole" cmp -s "$target/VLMR.exe" "$SAMPLE_PAYLOAD/VLMR.exe"
check "the picture before it is whole" cmp -s "$target/SdbFile/Image/Move1.BMP" "$SAMPLE_PAYLOAD/SdbFile/Image/Move1.BMP"
driver click TFormsec "取消" >/dev/null
driver msgbox 10000 >/dev/null
driver press OK >/dev/null
check_eq "exit code after cancelling" 0 "$(exit_code $RUN)"
rm -rf "$target"
finish
