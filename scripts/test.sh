#!/usr/bin/env bash
# Builds and runs every test under Wine on a private display, with one
# wineserver for the run, on the build this host can run. Where that is not the
# product (a host that runs 64-bit code only), the 32-bit build's Wine tests
# also run in a small virtual machine that runs i386 code (vm.sh); ZORVANE_VM=1
# takes that way on any host, ZORVANE_ARCH=win64 leaves it out.
set -euo pipefail
source "$(dirname "$0")/host.sh"
source "$root/scripts/wine-env.sh"
prepare all
choose_vm
if [ "$vm" = yes ]; then
    source "$root/scripts/vm.sh"
    bash "$root/scripts/setup.sh" vm
    build_product all
    vm_prepare
fi
# Names outside the ANSI code page can be stored only under a UTF-8 locale.
export LC_ALL=C.UTF-8
# Each run is a subshell of its own in strict mode (one in a condition would
# run without it); both run, and either failing fails make test.
set +e
(
    set -e
    wine_env_start private
    cd "$build"
    ctest --output-on-failure --no-tests=error --timeout 240
)
status=$?
if [ "$vm" = yes ]; then
    (
        set -e
        vm_test
    )
    [ $? -eq 0 ] || status=1
    [ "$status" -eq 0 ] && echo "The tests passed on this host and in the test machine."
fi
exit "$status"
