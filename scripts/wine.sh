# Which wine runs the setup on this host, and how to call it. Sourced after lib.sh by the scripts
# that run wine and by the end-to-end tests.

# Whether this kernel executes 32-bit x86 programs: a 91-byte static i386 program that only exits.
# Some x86-64 kernels (virtual machines, containers) refuse them with "Exec format error"; wine32
# cannot run there at all. The probe lies in the build folder: /tmp may forbid execution.
host_runs_32bit() {
    local probe rc=0
    mkdir -p "$BUILD"
    probe=$(mktemp "$BUILD/x86-probe.XXXXXX")
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'\
'\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'\
'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00'\
'\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\x31\xc0\x40\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || rc=$?
    rm -f "$probe"
    return $rc
}

# SETUP_WINE_ARCH: the build that runs under wine here, decided once and passed on to the scripts
# and tests this one starts. i686 (the shipped PE32 setup under wine32) where the host executes
# 32-bit code; x86_64 (the PE32+ build of the same sources under wine64) where it cannot.
# SETUP_TEST_ARCH=x86_64 forces the 64-bit path on any host.
choose_wine_arch() {
    [ -z "${SETUP_WINE_ARCH:-}" ] || return 0
    case "${SETUP_TEST_ARCH:-}" in
    x86_64)
        SETUP_WINE_ARCH=x86_64
        log "SETUP_TEST_ARCH=x86_64: the 64-bit (PE32+) build runs under wine64 in a win64 prefix"
        ;;
    i686)
        host_runs_32bit || { log "SETUP_TEST_ARCH=i686, but this host cannot execute 32-bit x86 programs"; exit 2; }
        SETUP_WINE_ARCH=i686
        ;;
    "")
        if host_runs_32bit; then
            SETUP_WINE_ARCH=i686
        else
            SETUP_WINE_ARCH=x86_64
            log "this host cannot execute 32-bit x86 programs: the 64-bit (PE32+) build runs under wine64 in a win64 prefix"
        fi
        ;;
    *) log "SETUP_TEST_ARCH must be i686 or x86_64, not '$SETUP_TEST_ARCH'"; exit 2 ;;
    esac
    export SETUP_WINE_ARCH
}

# The wine environment of SETUP_WINE_ARCH: code page 936, no Mono or Gecko (their installers would
# hang the prefix's creation), no menu entries written outside the prefix. WINE_BIN and
# WINESERVER_BIN are the commands themselves, for setsid and for a program started in the
# background, whose process id is then the Windows program's own.
use_wine() {
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    if [ "$SETUP_WINE_ARCH" = x86_64 ]; then
        # Debian's wine, wineserver, wineboot and winepath wrappers pick the 32-bit loader whenever
        # wine32 is installed: call the 64-bit loader and server directly.
        export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
        WINE_BIN=$WINELOADER
        WINESERVER_BIN=$WINESERVER
    else
        export WINEARCH=win32
        unset WINELOADER WINESERVER
        WINE_BIN=wine
        WINESERVER_BIN=wineserver
    fi
}
wine() { "$WINE_BIN" "$@"; }
wineserver() { "$WINESERVER_BIN" "$@"; }
wineboot() { wine wineboot "$@"; }
winepath() { wine winepath "$@"; }

# Shows why wine failed: what it said, from its log.
show_wine_log() { # LOG WHAT
    log "$2; the last lines of $1:"
    tail -n 25 "$1" >&2
}

# Creates WINEPREFIX for WINEARCH unless it is there; a prefix of the other architecture is made
# anew. With "unmanaged", wine does not wait for a window manager (none runs on a virtual display):
# otherwise it would wait 2 s whenever a window is hidden or destroyed. Fails, showing wine's
# error, when wine cannot start.
make_wine_prefix() { # LOG [unmanaged]
    if [ -f "$WINEPREFIX/system.reg" ] && ! grep -q "^#arch=$WINEARCH\$" "$WINEPREFIX/system.reg"; then
        log "the prefix $WINEPREFIX is not $WINEARCH: making it anew"
        rm -rf "$WINEPREFIX"
    fi
    [ ! -f "$WINEPREFIX/system.reg" ] || return 0
    log "creating the wine prefix $WINEPREFIX ($WINEARCH; a minute or two, once)"
    if ! wineboot -i >"$1" 2>&1 || ! wineserver -w >>"$1" 2>&1 || [ ! -f "$WINEPREFIX/system.reg" ]; then
        show_wine_log "$1" "wine could not create its prefix"
        rm -rf "$WINEPREFIX" # half made, it would pass for made next time
        return 1
    fi
    if [ "${2:-}" = unmanaged ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$1" 2>&1 ||
            { show_wine_log "$1" "wine could not set its X11 driver"; return 1; }
        wineserver -w
    fi
}
