#!/usr/bin/env bash
# Setup killed in the middle of the installation, then run again: the second run completes with
# every file right. Then twenty full installations in a row over the same folder, each complete and
# byte-identical, without growth in handles or memory from run to run.
source "$(dirname "$0")/lib.sh"
target=$(c_drive VelmoraLoad)
rm -rf "$target"

start_installation 'C:\VelmoraLoad\'
check "the installation under way" wait_until 10 has_files "$target" 20
end_background "run.$RUN"
exit_code $RUN >/dev/null
check "killed in the middle" test "$(file_count "$target")" -lt "$(manifest_paths | wc -l)"

install_once() { # EXE [asked]: one whole installation into the folder; prints the process's stats
    start_setup "$1"
    driver wait-window TFormSchedule 20000 >/dev/null
    if [ "${2:-}" = asked ]; then answer_earlier_installation || return 1; fi
    walk_to_confirmation 'C:\VelmoraLoad\'
    driver click TFormSchedule "下一步 >" >/dev/null
    driver wait-text TFormSchedule "完毕" 60000 >/dev/null || { echo "no last page" >&2; return 1; }
    driver stats TFormSchedule >"$WORK/stats"
    # Wine keeps no per-process handle count; the process's open descriptors stand in for it.
    local pid
    pid=$(pgrep -f "$(basename "$1")" | head -n 1)
    echo "handles=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)" >>"$WORK/stats"
    clear_run_box || { echo "the 运行软件 box stays ticked" >&2; return 1; }
    driver click TFormSchedule "完毕" >/dev/null
    [ "$(exit_code $RUN)" = 0 ] || { echo "exit code of a run" >&2; return 1; }
    diff -r "$SAMPLE_PAYLOAD" "$target" >/dev/null || { echo "the folder differs from the payload" >&2; return 1; }
    echo "$(sed -n 's/^handles=//p' "$WORK/stats" | tail -n 1) $(sed -n 's/^private=//p' "$WORK/stats" | tr -d '\r')"
}

# The killed run registered nothing; each whole run after it leaves an installation that the next
# one asks about.
check "the run after the kill completes with every file right" install_once "$SETUP_EXE" >/dev/null

SETUP_SKIP_TOOLS=1 SETUP_PAUSE_MS=0 "$SETUP_SOURCE/scripts/build-setup" "$SAMPLE_PAYLOAD" "$WORK/fast.exe" >/dev/null 2>&1
for run in $(seq 20); do
    stats=$(install_once "$WORK/fast.exe" asked) || { fail "run $run incomplete"; break; }
    echo "run $run: descriptors, private bytes: $stats"
    [ "$run" = 2 ] && first=$stats
    last=$stats
done
read -r first_handles first_private <<<"$first"
read -r last_handles last_private <<<"$last"
check "some descriptors counted" test "$first_handles" -gt 0
check "descriptors do not grow from run 2 to run 20 ($first_handles -> $last_handles)" \
    test "$last_handles" -le $((first_handles + 5))
check "some private memory counted" test "$first_private" -gt 0
check "memory does not grow from run 2 to run 20 ($first_private -> $last_private)" \
    test "$last_private" -le $((first_private + first_private / 10))
rm -rf "$target"
finish
