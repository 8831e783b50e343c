# The shipped PE32 setup under 32-bit wine on a host that cannot execute 32-bit x86 code: Debian's
# own wine32 in a private i386 root, its loader run through qemu-i386 (user-mode emulation), served
# by the host's native 64-bit wineserver. Sourced after lib.sh and wine.sh.
#
# Nothing is registered with the kernel (binfmt): that would change how every 32-bit program runs on
# a shared machine. Instead the root's loader is replaced by a stand-in that starts the real one
# under qemu, and qemu gives the guest the stand-in as its argv0, so that every process wine starts
# (it starts each by executing its loader again) goes through qemu too.

EMULATED_ROOT="$BUILD/i386-root"

# The emulated path needs the root's wine to speak the host wineserver's protocol: both come from
# the same Debian release.
emulated_release() { . /etc/os-release && echo "$VERSION_CODENAME"; }

# prepare_emulated_root: makes the i386 root once per build folder (about 730 MB; a minute where
# the package mirror is near). Fails, saying why, when it cannot be had.
prepare_emulated_root() {
    local root=$EMULATED_ROOT release mirror="http://deb.debian.org/debian"
    [ -e "$root/.ready" ] && return 0
    command -v mmdebstrap >/dev/null && command -v qemu-i386 >/dev/null ||
        { log "the emulated 32-bit wine needs mmdebstrap and qemu-i386 (scripts/install-deps)"; return 1; }
    release=$(emulated_release)
    log "making the i386 root for the emulated 32-bit wine in $root (once per build folder)"
    rm -rf "$root" "$root.tmp"
    # The extract variant runs no maintainer scripts: what they would do is done below. libgcc_s is
    # no dependency of wine32 but glibc loads it for pthread_exit, which wine calls.
    if ! mmdebstrap --variant=extract --architectures=i386 --include=wine32,libwine,libc6,libgcc-s1 "$release" \
        "$root.tmp" "deb $mirror $release main" "deb $mirror $release-updates main" \
        "deb http://deb.debian.org/debian-security $release-security main" >"$BUILD/i386-root.log" 2>&1; then
        show_wine_log "$BUILD/i386-root.log" "the i386 root could not be made"
        rm -rf "$root.tmp"
        return 1
    fi
    # The loader stand-in: every start of the loader, the first and each one wine makes, under qemu.
    mv "$root.tmp/usr/lib/wine/wine" "$root.tmp/usr/lib/wine/wine.elf"
    cat >"$root.tmp/usr/lib/wine/wine" <<EOF
#!/bin/sh
exec qemu-i386 -L "$root" -0 "$root/usr/lib/wine/wine" "$root/usr/lib/wine/wine.elf" "\$@"
EOF
    chmod +x "$root.tmp/usr/lib/wine/wine"
    # Where libwine's maintainer script would have put the zlib DLL that wine's own DLLs import.
    cp "$root.tmp/usr/i686-w64-mingw32/lib/zlib1.dll" "$root.tmp/usr/lib/i386-linux-gnu/wine/i386-windows/"
    # The root's library cache, without which the guest finds no FreeType.
    printf 'include /etc/ld.so.conf.d/*.conf\n' >"$root.tmp/etc/ld.so.conf"
    ldconfig -r "$root.tmp"
    mv "$root.tmp" "$root" # the stand-in names the root's final place
    touch "$root/.ready"
}

# use_emulated_wine: the wine commands (wine, wineserver, ...) become the emulated 32-bit ones.
use_emulated_wine() {
    SETUP_WINE_ARCH=i686 use_wine
    export WINEARCH=win32 WINELOADER="$EMULATED_ROOT/usr/lib/wine/wine" WINESERVER=/usr/lib/wine/wineserver64
    WINE_BIN=$WINELOADER
    WINESERVER_BIN=$WINESERVER
}

# make_emulated_prefix LOG: WINEPREFIX for the emulated wine, once. Under qemu 7.2 the first loader
# may die of a fault delivered as trap -1 while the processes it started go on and finish the
# prefix: what counts is the prefix they leave once every one of them has ended.
make_emulated_prefix() {
    [ ! -f "$WINEPREFIX/.made" ] || return 0
    rm -rf "$WINEPREFIX"
    log "creating the emulated win32 prefix $WINEPREFIX (several minutes under emulation, once)"
    wineboot -i >"$1" 2>&1 || true
    wineserver -w >>"$1" 2>&1 || true
    if ! grep -q '^#arch=win32$' "$WINEPREFIX/system.reg" 2>/dev/null ||
        [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
        show_wine_log "$1" "the emulated wine could not create its prefix"
        return 1
    fi
    # Without a window manager wine waits 2 s for each window hidden: unmanaged spares that. Under
    # qemu 7.2 the reg process itself may die; the prefix serves all the same, only slower.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$1" 2>&1 || true
    wineserver -w >>"$1" 2>&1 || true
    grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" || log "the emulated wine's X11 driver stays managed"
    install_emulated_zlib
    touch "$WINEPREFIX/.made"
}

# The zlib DLL in a prefix's system folder, as libwine's maintainer script leaves it.
install_emulated_zlib() {
    cp "$EMULATED_ROOT/usr/i686-w64-mingw32/lib/zlib1.dll" "$WINEPREFIX/drive_c/windows/system32/"
}
