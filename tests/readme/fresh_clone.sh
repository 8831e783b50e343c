#!/usr/bin/env bash
# The README's maker command as the first command in a fresh clone: scripts/build-setup builds the
# tools it needs into the clone's own build folder and writes the same executable, byte for byte,
# as the test run's build of the same payload.
# Environment (from the test runner): SETUP_SOURCE, SETUP_EXE, SAMPLE_PAYLOAD.
set -euo pipefail
source "$(dirname "$0")/../checks.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/setup-clone.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# The clone: the tree's files as git has them (committed or not), nothing built, no build folder.
clone="$WORK/clone"
mkdir -p "$clone"
(cd "$SETUP_SOURCE" && git ls-files -z --cached --others --exclude-standard) |
    while IFS= read -r -d '' file; do
        [ -e "$SETUP_SOURCE/$file" ] || continue # deleted, not yet committed
        mkdir -p "$clone/$(dirname "$file")"
        cp -p "$SETUP_SOURCE/$file" "$clone/$file"
    done
check "the clone has no build folder" test ! -e "$clone/build"

# The build folder comes from the environment only where a caller sets it; a maker's shell has none.
rc=0
env -u SETUP_BUILD_DIR -u SETUP_SKIP_TOOLS -u SETUP_ARCH "$clone/scripts/build-setup" \
    "$SAMPLE_PAYLOAD" "$WORK/VlmraSetup.exe" >"$WORK/build.out" 2>&1 || rc=$?
[ "$rc" = 0 ] || cat "$WORK/build.out" >&2
check_eq "build-setup as the first command: exit code" 0 "$rc"
check "the setup is built" test -s "$WORK/VlmraSetup.exe"
check "the same bytes as the test run's build" cmp "$WORK/VlmraSetup.exe" "$SETUP_EXE"
finish
