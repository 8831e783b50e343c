#!/usr/bin/env bash
# The shipped PE32 setup itself, end to end, on every host: under wine32 where the host executes
# 32-bit x86 code, under Debian's wine32 emulated by qemu-i386 where it cannot (scripts/
# wine32-emulated.sh). What only 32-bit code meets (a callback's calling convention, a structure's
# size, the i686 exception tables, 32-bit arithmetic) is caught here. An unattended installation
# with /DIR and /LOG: exit 0, every payload file byte for byte, the registry values and the log; a
# second run, with the progress window (/SILENT), finds the earlier installation and installs over it.
#
# Its own prefix, display and wineserver, kept alive across the runs. Emulated, the prefix is a 64-bit
# one with its 32-bit part, as on 64-bit Windows: the session's services are the host's native ones
# (about a second to start), and each run pays mainly for the setup's own start under qemu.
# Environment (from the test runner): SETUP_SOURCE, SETUP_BUILD_DIR, PE32_SETUP_EXE, PE32_PAYLOAD,
# PE32_DISPLAY.
set -euo pipefail
source "$(dirname "$0")/../checks.sh"
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine.sh"
source "$ROOT/scripts/wine32-emulated.sh"

started=$(date +%s)
export DISPLAY=$PE32_DISPLAY
export WINEPREFIX="$BUILD/wine-prefix-pe32"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/setup-e2e.pe32.XXXXXX")
xvfb=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

if host_runs_32bit && dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    how="natively under wine32"
    export SETUP_WINE_ARCH=i686
    use_wine
else
    how="under wine32 emulated by qemu-i386, in a 64-bit prefix (WoW64)"
    prepare_emulated_root || { fail "the emulated 32-bit wine cannot be had (see above)"; finish; }
    use_emulated_wine
fi
echo "the shipped PE32 setup runs $how"

rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 </dev/null &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done

# The prefix, once per build folder; one server for all the runs.
[ ! -f "$WINEPREFIX/system.reg" ] || wineserver -k >/dev/null 2>&1 || true
if [ "$how" = "natively under wine32" ]; then
    make_wine_prefix "$BUILD/wine-prefix-pe32.log" unmanaged || { fail "wine32 could not make its prefix"; finish; }
else
    make_emulated_prefix "$BUILD/wine-prefix-pe32.log" || { fail "the emulated wine could not make its prefix"; finish; }
fi
# An earlier run's registration goes, so that the values checked below are this run's. The server
# is down: its registry file is edited directly (a `reg delete` would cost a process start).
awk '/^\[/ { key = tolower($0); skip = (key ~ /^\[software\\\\vlmra/ || key ~ /uninstall\\\\velmora\]/) } !skip' \
    "$WINEPREFIX/user.reg" >"$WORK/user.reg" && cat "$WORK/user.reg" >"$WINEPREFIX/user.reg"
setsid "$WINESERVER_BIN" -p >/dev/null 2>&1 </dev/null || true
echo "prefix ready after $(($(date +%s) - started)) s"

target="$WINEPREFIX/drive_c/Velmora"
rm -rf "$target" "$WINEPREFIX/drive_c/setup.log" "$WINEPREFIX/drive_c/setup2.log"
run_setup() { # NAME ARGS...: the setup started directly (no driver: one process start less)
    local name=$1 rc=0
    shift
    # A hung setup fails the test in bounded time (a run takes about a minute under emulation).
    timeout 600 "$WINE_BIN" "$PE32_SETUP_EXE" "$@" >"$WORK/$name.out" 2>&1 || rc=$?
    [ "$rc" != 124 ] || log "$name run: the setup did not end within 600 s"
    echo "$rc"
}

# The registry as the server saves it: it writes the user's branch every 30 s and at its end.
user_reg_has() { grep -qF "$1" "$WINEPREFIX/user.reg"; }
wait_for_registry() { # TEXT
    local i
    for ((i = 0; i < 90; i++)); do user_reg_has "$1" && return 0; sleep 1; done
    return 1
}
log_text() { tail -c +4 "$1" | tr -d '\r' | cut -c26-; }

rc=$(run_setup first /VERYSILENT '/DIR=C:\Velmora\' '/LOG=C:\setup.log')
check_eq "first run: exit code" 0 "$rc"
[ "$rc" = 0 ] || tail -n 20 "$WORK/first.out" >&2
check "first run: every payload file byte for byte" diff -r "$PE32_PAYLOAD" "$target"
log_file="$WINEPREFIX/drive_c/setup.log"
check_eq "first run: the log in UTF-8 with its mark" "efbbbf" "$(head -c 3 "$log_file" 2>/dev/null | od -An -tx1 | tr -d ' \n')"
log=$(log_text "$log_file" 2>/dev/null || true)
check "first run: the log's folder" grep -qxF 'Installation folder: C:\Velmora\ (given by /DIR)' <<<"$log"
check_eq "first run: a log line for every file and the uninstaller" \
    "$(( $(grep -c . <(iconv -f GBK -t UTF-8 "$PE32_PAYLOAD/Setup.log" | tr -d '\r')) + 2 ))" \
    "$(grep -c '^File written: ' <<<"$log")"
check "first run: the exit code logged" grep -qxF 'Exit code: 0' <<<"$log"
check "first run: the folder registered" wait_for_registry '"Path"="C:\\Velmora\\"'
check "first run: the serial registered" user_reg_has '"Serial"="02080305"'
check "first run: the uninstall entry" user_reg_has '"uninstallstring"="\"C:\\Velmora\\Uninstall.exe\""'

rm -f "$target/Readme.txt"
# /SILENT, so that the progress window's procedure and timers (32-bit callbacks) run too. Without
# icons: each link saved starts wine's menu builder, and under emulation every process start costs
# tens of seconds; the first run has saved them all.
rc=$(run_setup second /SILENT /NOICONS '/LOG=C:\setup2.log')
check_eq "second run: exit code" 0 "$rc"
log=$(log_text "$WINEPREFIX/drive_c/setup2.log" 2>/dev/null || true)
check "second run: the earlier installation found" \
    grep -qF 'An earlier installation (serial 02080305) is in C:\Velmora\; this setup'"'"'s serial is 02080305. It is installed over' <<<"$log"
check "second run: into its folder" grep -qxF 'Installation folder: C:\Velmora\ (that of the earlier installation)' <<<"$log"
check "second run: installed over it" cmp -s "$target/Readme.txt" "$PE32_PAYLOAD/Readme.txt"

rm -rf "$target"
echo "the PE32 runs took $(($(date +%s) - started)) s"
finish
