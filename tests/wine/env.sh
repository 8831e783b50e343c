#!/usr/bin/env bash
# Brings the test environment for the end-to-end tests up or down: a virtual display and one
# wine prefix (code page 936) that every test of the run reuses.
# Usage: env.sh up|down   (DISPLAY, WINEPREFIX and SETUP_WINE_ARCH come from the test runner)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/wine.sh"
use_wine
state=$(dirname "$WINEPREFIX")/wine-env
mkdir -p "$state"

# A display server answers on DISPLAY when its lock file names a live process.
display_alive() {
    local lock="/tmp/.X${DISPLAY#:}-lock"
    [ -f "$lock" ] && kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null
}

up() {
    log "end-to-end tests: the $SETUP_WINE_ARCH build under wine ($WINEARCH prefix $WINEPREFIX)"
    if ! display_alive; then
        rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
        setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 < /dev/null &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
        display_alive || { show_wine_log "$state/xvfb.log" "the virtual display $DISPLAY did not start"; exit 1; }
    fi
    # Nothing left running in this run's prefix from an earlier run (a setup would hold its mutex).
    [ ! -f "$WINEPREFIX/system.reg" ] || wineserver -k >/dev/null 2>&1 || true
    make_wine_prefix "$state/wineboot.log" unmanaged
    # A persistent server keeps every test's start fast.
    setsid "$WINESERVER_BIN" -p >/dev/null 2>&1 < /dev/null || true
    if ! wine cmd /c exit >"$state/warmup.log" 2>&1; then
        show_wine_log "$state/warmup.log" "wine cannot start a program in $WINEPREFIX"
        exit 1
    fi
}

down() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
}

"$1"
