#!/usr/bin/env bash
# Cancelling while files are written: Cancel goes on, OK ends setup at the next point with the
# files so far in place, nothing after them, and the temporary files gone.
source "$(dirname "$0")/lib.sh"

target=$(c_drive VelmoraCancel)
rm -rf "$target"

start_installation 'C:\VelmoraCancel\'
driver wait-window TFormsec 10000 >/dev/null
driver click TFormsec "取消" >/dev/null
driver msgbox 10000 >/dev/null
before=$(file_count "$target")
sleep 1 # nothing to wait for: a second in which nothing may be written
check_eq "the installation waits while the question is open" "$before" "$(file_count "$target")"
driver press Cancel >/dev/null
check "Cancel goes on writing" wait_until 10 has_files "$target" $((before + 1))

driver click TFormsec "取消" >/dev/null
driver msgbox 10000 >/dev/null
driver press OK >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
written=$(file_count "$target")
total=$(manifest_paths | sort -u | wc -l)
check "stopped mid-manifest ($written of $total files)" test "$written" -lt "$total"

# What is there is exactly the manifest up to some line: nothing after the first missing file.
gap=0 bad=""
while IFS= read -r rel; do
    [ -n "$rel" ] || continue
    if [ -f "$target/$rel" ]; then
        [ "$gap" = 0 ] || bad="$bad $rel"
        cmp -s "$target/$rel" "$SAMPLE_PAYLOAD/$rel" || bad="$bad $rel(content)"
    else
        case "$rel" in VLMR.exe | Uninstall.exe) ;; *) gap=1 ;; esac
    fi
done < <(manifest_paths)
check_eq "files written in manifest order up to the cancel, each whole" "" "$bad"
check "temporary files gone" test ! -e "$(temp_dir)/lmraSetup.log"
rm -rf "$target"
finish
