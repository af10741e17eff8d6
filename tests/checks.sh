# Sourced by the tests written in shell: check WHAT CONDITION... runs the
# condition and says ok or FAIL with what it checks; checks_end NAME closes with
# the count that CTest's log reads, and exits 1 if any failed.
failed=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failed=1; fi
}
checks_end() {
    [ "$failed" -eq 0 ] && echo "$1: 1 passed, 0 failed" || echo "$1: 0 passed, 1 failed"
    exit "$failed"
}
