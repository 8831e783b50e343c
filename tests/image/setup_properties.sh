#!/usr/bin/env bash
# The shipped setup as a file, on any host: a 32-bit GUI program that imports only DLLs Windows
# loads from its system folder, asks for administrator rights and common controls 6, carries its
# version, and holds every payload file byte for byte under its manifest's resource name and type.
# Environment (from the test runner): SETUP_EXE, SAMPLE_PAYLOAD, INSPECT (the inspect-setup tool).
set -euo pipefail
source "$(dirname "$0")/../checks.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/setup-image.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

"$INSPECT" headers "$SETUP_EXE" >"$WORK/headers"
value() { sed -n "s/^$1 //p" "$WORK/headers"; }
check_eq "image format" PE32 "$(value format)"
check_eq "machine (i386)" 0x14c "$(value machine)"
check_eq "subsystem (Windows GUI)" 2 "$(value subsystem)"
# ASLR (0x40), DEP (0x100), aware of terminal servers (0x8000); relocations kept (no 0x1).
flags=$(value dllcharacteristics)
for flag in 0x40:ASLR 0x100:DEP 0x8000:terminal-server-aware; do
    check "image flag ${flag#*:}" test $((${flags:-0} & ${flag%%:*})) != 0
done
check "relocations kept" test $(($(value characteristics) & 1)) = 0
check "a relocation section" grep -q '^section \.reloc ' "$WORK/headers"
# The stack protector's runtime, linked in: its message is in the image.
check "built with the stack protector" grep -q 'stack smashing detected' "$SETUP_EXE"
# Each of these is a known DLL, loaded from the system folder whatever lies beside the setup.
check_eq "DLLs imported at load time" "ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll USER32.dll" \
    "$(value import | sort -f | tr '\n' ' ' | sed 's/ $//')"
rsrc=$(value section | awk '$1 == ".rsrc" {sub("offset=", "", $4); print $4}')
check "the resource section starts on a page boundary (file offset ${rsrc:-none})" \
    test -n "$rsrc" -a $((${rsrc:-1} % 4096)) = 0

"$INSPECT" resource "$SETUP_EXE" '#24' '#1' >"$WORK/manifest.xml"
check "manifest: architecture x86" grep -q '<assemblyIdentity type="win32" name="Tessaly.Velmora.VlmraSetup" version="2.8.3.5" processorArchitecture="x86"/>' "$WORK/manifest.xml"
check "manifest: common controls 6 for x86" \
    grep -qz 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"[[:space:]]*processorArchitecture="x86"' "$WORK/manifest.xml"
check "manifest: administrator rights" grep -q '<requestedExecutionLevel level="requireAdministrator" uiAccess="false"/>' "$WORK/manifest.xml"

"$INSPECT" version "$SETUP_EXE" >"$WORK/version"
expected_version='fixed FileVersion 2.8.3.5
fixed ProductVersion 2.7.1.0
string 080404b0 CompanyName=Tessaly
string 080404b0 FileDescription=Velmora安装程序
string 080404b0 FileVersion=2.8.3.5
string 080404b0 InternalName=VlmraSetup
string 080404b0 OriginalFilename=VlmraSetup.exe
string 080404b0 ProductName=Velmora安装程序
string 080404b0 ProductVersion=2.71
translation 0804 1200'
check_eq "version resource (Chinese, PRC)" "$expected_version" \
    "$(grep -v -e LegalCopyright= -e Comments= "$WORK/version")"
check "version resource: legal notice and comments filled" \
    test "$(grep -c -e 'LegalCopyright=.' -e 'Comments=.' "$WORK/version")" = 2

# Every manifest line's resource is the payload file at its path, byte for byte.
lines=0
differ=""
while IFS=' ' read -r name type path; do
    [ -n "$name" ] || continue
    lines=$((lines + 1))
    file="$SAMPLE_PAYLOAD/${path//\\//}"
    if ! "$INSPECT" resource "$SETUP_EXE" "$type" "$name" >"$WORK/resource" || ! cmp -s "$WORK/resource" "$file"; then
        differ="$differ $name/$type"
    fi
done < <({ iconv -f GBK -t UTF-8 "$SAMPLE_PAYLOAD/Setup.log"; echo; } | tr -d '\r')
check "the manifest lists the payload ($lines lines)" test "$lines" -gt 90
check_eq "payload resources that differ from their files" "" "$differ"
finish
