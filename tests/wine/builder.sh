#!/usr/bin/env bash
# scripts/build-setup as a maker uses it: refusals name the manifest line and the file; the same
# payload gives a byte-identical executable.
source "$(dirname "$0")/lib.sh"
export SETUP_SKIP_TOOLS=1 # the test runner has built the tools

build() { "$SETUP_SOURCE/scripts/build-setup" "$@" >"$WORK/build.out" 2>&1; }

check "sample payload builds" build "$SAMPLE_PAYLOAD" "$WORK/first.exe"
touch "$SAMPLE_PAYLOAD"/*
check "sample payload builds again" build "$SAMPLE_PAYLOAD" "$WORK/again.exe"
check "two builds of one payload are byte-identical" cmp -s "$WORK/again.exe" "$WORK/first.exe"
# The loader maps a section from the file only when it starts on a page boundary; otherwise the
# whole payload is read into the process's private memory.
rsrc_offset=$("$BUILD/native/inspect-setup" headers "$WORK/first.exe" |
    awk '$1 == "section" && $2 == ".rsrc" {sub("offset=", "", $5); print $5}')
check "the resource section starts on a page boundary (file offset $rsrc_offset)" \
    test -n "$rsrc_offset" -a $((${rsrc_offset:-1} % 4096)) = 0

cp -r "$SAMPLE_PAYLOAD" "$WORK/payload"
rm "$WORK/payload/Readme.txt"
if build "$WORK/payload" "$WORK/broken.exe"; then fail "a missing file was accepted"; else pass; fi
check "refusal names the manifest line and the missing file" \
    grep -qF "$WORK/payload/Setup.log:6: the file $WORK/payload/Readme.txt does not exist: \"FileTxt2 txtname Readme.txt\"" "$WORK/build.out"
check "nothing built" test ! -e "$WORK/broken.exe"

cp "$SAMPLE_PAYLOAD/Readme.txt" "$WORK/payload/"
printf '\r\nEscape name1 ..\\outside.txt' >>"$WORK/payload/Setup.log"
if build "$WORK/payload" "$WORK/broken.exe"; then fail "a path climbing out was accepted"; else pass; fi
check "refusal of a path that climbs out" grep -qF 'Setup.log:98: the relative path climbs out' "$WORK/build.out"

# A setup too large to load: refused before any byte is read (the file is sparse), naming the limit.
cp "$SAMPLE_PAYLOAD/Setup.log" "$WORK/payload/Setup.log"
truncate -s 2200M "$WORK/payload/big.bin"
printf '\r\nBig name2 big.bin' >>"$WORK/payload/Setup.log"
if build "$WORK/payload" "$WORK/broken.exe"; then fail "a setup too large to load was accepted"; else pass; fi
check "refusal names the limit" grep -qE 'more than the [0-9]+ bytes \([12] GiB\) that a (32|64)-bit setup can be relied on to load' "$WORK/build.out"
rm "$WORK/payload/big.bin"

if SETUP_PAUSE_MS=fast build "$SAMPLE_PAYLOAD" "$WORK/broken.exe"; then fail "a bad pause was accepted"; else pass; fi
check "refusal of a pause that is no number" grep -qF 'SETUP_PAUSE_MS must be a whole number' "$WORK/build.out"
# Signing with a throwaway certificate: the signature verifies and the signed setup still runs.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -days 2 \
    -subj "/CN=Velmora test signer" >/dev/null 2>&1
check "signed build" env SETUP_SIGN_CERT="$WORK/cert.pem" SETUP_SIGN_KEY="$WORK/key.pem" \
    "$SETUP_SOURCE/scripts/build-setup" "$SAMPLE_PAYLOAD" "$WORK/signed.exe"
osslsigncode verify -CAfile "$WORK/cert.pem" -in "$WORK/signed.exe" >"$WORK/verify.out" 2>&1 || true
check "signature verifies" grep -q "Signature verification: ok" "$WORK/verify.out"
start_setup "$WORK/signed.exe"
check "the signed setup runs" driver wait-window TFormSchedule 20000
quit_wizard
exit_code $RUN >/dev/null
finish
