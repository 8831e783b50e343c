# Counting checks for the shell tests: each check passes or names its failure; finish reports.
TEST_NAME=$(basename "$0" .sh)
failures=0
checks=0

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    failures=$((failures + 1))
}
pass() { checks=$((checks + 1)); }

# check DESCRIPTION COMMAND...: runs the command, counts a failure when it fails.
check() {
    local what=$1
    shift
    if "$@"; then pass; else fail "$what"; fi
}

check_eq() { # DESCRIPTION EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then pass; else fail "$1: expected [$2], got [$3]"; fi
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$TEST_NAME: $failures of $((checks + failures)) checks failed" >&2
        exit 1
    fi
    echo "$TEST_NAME: $checks checks passed"
}
