#!/usr/bin/env bash
# Brings the test environment for the end-to-end tests up or down: a virtual display and one
# wine prefix (code page 936) that every test of the run reuses.
# Usage: env.sh up|down   (DISPLAY and WINEPREFIX come from the test runner)
set -euo pipefail
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 WINEARCH=win32
state=$(dirname "$WINEPREFIX")/wine-env
mkdir -p "$state"

# A display server answers on DISPLAY when its lock file names a live process.
display_alive() {
    local lock="/tmp/.X${DISPLAY#:}-lock"
    [ -f "$lock" ] && kill -0 "$(tr -d ' ' <"$lock")" 2>/dev/null
}

up() {
    if ! display_alive; then
        rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
        setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 < /dev/null &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    fi
    # Nothing left running in the prefix from an earlier run (a setup would hold its mutex).
    wineserver -k >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >"$state/wineboot.log" 2>&1
        # Without a window manager wine would wait 2 s whenever a window is hidden or destroyed.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state/wineboot.log" 2>&1
        wineserver -w
    fi
    # A persistent server keeps every test's start fast.
    setsid wineserver -p >/dev/null 2>&1 < /dev/null || true
    wine cmd /c exit >"$state/warmup.log" 2>&1
    [ -d "$WINEPREFIX/drive_c/windows" ]
}

down() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
}

"$1"
