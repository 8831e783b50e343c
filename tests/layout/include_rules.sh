#!/usr/bin/env bash
# The layers of setup/ as its includes show them: the portable core and engine know nothing of
# Windows, system services know nothing of windows, the windowing toolkit knows none of the setup's
# own windows, and no window includes another window's header or holds a global pointer to one.
source "$(dirname "$0")/../checks.sh"
SETUP=${1:-$(cd "$(dirname "$0")/../../setup" && pwd)}
cd "$SETUP"

# Prints "FILE FOLDER" for each quoted include of the files given, FOLDER being the top folder of
# setup/ it comes from ("." for setup/ itself).
included_folders() {
    local file path folder
    for file in "$@"; do
        while IFS= read -r path; do
            if [[ $path == */* ]]; then
                folder=${path%%/*}
            elif [ -e "$(dirname "$file")/$path" ]; then
                folder=$(dirname "$file")
                folder=${folder%%/*}
            else
                folder=.
            fi
            echo "$file $folder"
        done < <(sed -n 's/^#include "\(.*\)".*/\1/p' "$file")
    done
}

# check_layer DESCRIPTION FOLDER ALLOWED...: every include of FOLDER's files comes from ALLOWED.
check_layer() {
    local what=$1 folder=$2
    shift 2
    local allowed=" $* " bad
    bad=$(included_folders $(find "$folder" -name '*.h' -o -name '*.cpp') |
        while read -r file from; do [[ $allowed == *" $from "* ]] || echo "$file includes from $from/"; done)
    check "$what${bad:+: $bad}" test -z "$bad"
}

windows=(backdrop wizard progress)
check_layer "the core includes only the core" core core
check_layer "the engine includes only the core and itself" engine core engine
check_layer "system services include no windowing" system core engine system
check_layer "the toolkit includes none of the setup's windows" toolkit core system toolkit
for window in "${windows[@]}"; do
    check_layer "$window includes no other window" "$window" core engine system toolkit "$window" .
done
check_eq "the portable code uses no Windows header" "" "$(grep -l '#include <windows.h>\|#include <win' -r core engine)"
check_eq "no global pointer to a window" "" "$(grep -rn '^extern\b' "${windows[@]}" setup_session.h)"
check_eq "the session includes no window header in its own header" "" \
    "$(sed -n 's/^#include "\(backdrop\|wizard\|progress\)\/.*/&/p' setup_session.h)"
finish
