# The shipped PE32 setup under 32-bit wine on a host that cannot execute 32-bit x86 code: Debian's
# own wine32 in a private i386 root, its loader run through qemu-i386 (user-mode emulation), beside
# the host's native wine64 in a 64-bit prefix. Sourced after lib.sh and wine.sh.
#
# The prefix is a 64-bit one, as the PE32 finds on 64-bit Windows (WoW64): the 32-bit program is
# the setup, emulated; the session's services, the desktop and the shell's helpers are the host's
# native 64-bit programs. Under qemu each 32-bit process start costs tens of seconds of CPU, and a
# 32-bit prefix would start some thirty of them to make itself and every session's services.
#
# Nothing is registered with the kernel (binfmt): that would change how every 32-bit program runs on
# a shared machine. Instead the root's loader is replaced by a stand-in that starts the real one
# under qemu, and qemu gives the guest the stand-in as its argv0, so that every process wine starts
# (it starts each by executing its loader again) goes through qemu too. Wine finds the loader of the
# other architecture beside its own: the root's loader folder also holds a copy of the host's 64-bit
# loader, and the host's 64-bit libraries are linked in where that copy looks for them.

EMULATED_ROOT="$BUILD/i386-root"

# The emulated path needs the root's wine to speak the host wineserver's protocol: both come from
# the same Debian release.
emulated_release() { . /etc/os-release && echo "$VERSION_CODENAME"; }

# prepare_emulated_root: makes the i386 root once per build folder (about 730 MB; a minute where
# the package mirror is near). Fails, saying why, when it cannot be had.
prepare_emulated_root() {
    local root=$EMULATED_ROOT release mirror="http://deb.debian.org/debian"
    [ -e "$root/.ready" ] && { pair_host_wine64; return; }
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
    pair_host_wine64
}

# The host's 64-bit loader beside the root's 32-bit stand-in, each finding the other there. A copy,
# not a link: wine takes its own folder from the real path of its executable. Refreshed every time,
# so that a host wine updated since stays paired with its own server.
pair_host_wine64() {
    local root=$EMULATED_ROOT
    [ -x /usr/lib/wine/wine64 ] && [ -x /usr/lib/wine/wineserver64 ] ||
        { log "the emulated 32-bit wine needs the host's wine64 (scripts/install-deps)"; return 1; }
    # Replaced, not written over: a running wine may be executing the old copy.
    cmp -s /usr/lib/wine/wine64 "$root/usr/lib/wine/wine64" ||
        { cp /usr/lib/wine/wine64 "$root/usr/lib/wine/wine64.new" &&
            mv -f "$root/usr/lib/wine/wine64.new" "$root/usr/lib/wine/wine64"; } || return 1
    mkdir -p "$root/usr/lib/x86_64-linux-gnu" &&
        ln -sfn /usr/lib/x86_64-linux-gnu/wine "$root/usr/lib/x86_64-linux-gnu/wine"
}

# use_emulated_wine: the wine commands (wine, wineserver, ...) become the host's 64-bit ones, paired
# with the emulated 32-bit loader. WINEDLLPATH shows the 64-bit side the 32-bit DLLs, so that it
# knows a 32-bit system program (the prefix's WoW64 part is made by one) before the prefix has it.
use_emulated_wine() {
    SETUP_WINE_ARCH=x86_64 use_wine
    export WINELOADER="$EMULATED_ROOT/usr/lib/wine/wine64" WINEDLLPATH="$EMULATED_ROOT/usr/lib/i386-linux-gnu/wine"
    WINE_BIN=$WINELOADER
}

# make_emulated_prefix LOG: the 64-bit WINEPREFIX with its 32-bit (WoW64) part, once. The 32-bit part
# is made by the one emulated process of the prefix's making; without it no 32-bit program runs.
make_emulated_prefix() {
    [ -f "$WINEPREFIX/.made" ] && grep -q '^#arch=win64$' "$WINEPREFIX/system.reg" && return 0
    rm -rf "$WINEPREFIX"
    log "creating the wine prefix $WINEPREFIX with its 32-bit part (a few minutes under emulation, once)"
    make_wine_prefix "$1" unmanaged || return 1
    if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        show_wine_log "$1" "the emulated 32-bit wine did not make the prefix's 32-bit part"
        rm -rf "$WINEPREFIX"
        return 1
    fi
    install_emulated_zlib
    touch "$WINEPREFIX/.made"
}

# The zlib DLL in the prefix's 32-bit system folder, as libwine's maintainer script leaves it.
install_emulated_zlib() {
    cp "$EMULATED_ROOT/usr/i686-w64-mingw32/lib/zlib1.dll" "$WINEPREFIX/drive_c/windows/syswow64/"
}
