#!/usr/bin/env bash
# Faults of the disk: full, a file that cannot be written, a file held open, a file where a folder
# must be made. Each ends as specified, no process crashes, and nothing already written is lost.
source "$(dirname "$0")/lib.sh"

# A full disk: a 1 MB drive E: for a payload of more than that.
small="$WORK/small"
mkdir -p "$small"
mount -t tmpfs -o size=1m tmpfs "$small"
map_drive e "$small"
trap 'unmap_drive e; umount "$small" 2>/dev/null || true; cleanup' EXIT
start_installation 'E:\Velmora\'
driver msgbox 60000 >/dev/null
text=$(field text)
check "disk full reported ($text)" grep -qE '^(Stream write error\.|Cannot create file "E:\\Velmora\\.*)$' <<<"$text"
check_eq "in the standard error box" vlmraSetup "$(field title)"
driver press OK >/dev/null
check "the progress window stays" driver wait-window TFormsec 2000
last=$(find "$small/Velmora" -type f -printf '%T@ %P\n' | sort -n | tail -n 1 | cut -d' ' -f2-)
check "the files before it intact" installed_files_intact "$small/Velmora" "$last"
cancel_installation
check_eq "exit code" 0 "$(exit_code $RUN)"
unmap_drive e
umount "$small"
trap cleanup EXIT

# A target file that cannot be written, and one that another program holds open.
target=$(c_drive VelmoraFaults)
for fault in immutable held; do
    rm -rf "$target"
    mkdir -p "$target"
    cp "$SAMPLE_PAYLOAD/History.txt" "$target/History.txt"
    if [ $fault = immutable ]; then
        chattr +i "$target/History.txt"
    else
        hold_open 'C:\VelmoraFaults\History.txt'
    fi
    start_installation 'C:\VelmoraFaults\'
    driver msgbox 60000 >/dev/null
    check "$fault file refused" grep -qF 'Cannot create file "C:\VelmoraFaults\History.txt". ' <<<"$(field text)"
    driver press OK >/dev/null
    check "$fault: the entries before it intact" installed_files_intact "$target"
    check "$fault: no entry after it" test ! -e "$target/Readme.txt"
    cancel_installation
    check_eq "$fault: exit code" 0 "$(exit_code $RUN)"
    [ $fault = immutable ] && chattr -i "$target/History.txt"
    end_background holder
done

# A file standing where a folder must be made: each of its entries is skipped with the folder's
# box, the rest is installed.
rm -rf "$target"
mkdir -p "$target"
echo "not a folder" >"$target/CYLib"
start_installation 'C:\VelmoraFaults\'
driver msgbox 60000 >/dev/null
check_eq "the folder's box" '创建文件夹\CYLib 失败' "$(field text)"
check_eq "with the error icon" error "$(field icon)"
driver press OK >/dev/null
boxes=$(( $(answer_all_boxes) + 1 ))
check_eq "one box for each CYLib entry" "$(manifest_paths | grep -c '^CYLib/')" "$boxes"
check "the installation finishes" driver wait-text TFormSchedule "完毕" 60000
check "the rest is installed" diff -rq --exclude=CYLib "$SAMPLE_PAYLOAD" "$target"
check_eq "the file in the folder's place untouched" "not a folder" "$(cat "$target/CYLib")"
clear_run_box || fail "the 运行软件 box stays ticked"
driver click TFormSchedule "完毕" >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
rm -rf "$target"
finish
