#!/usr/bin/env bash
# Runs in the test machine (vm.sh), at the checkout's own path: the 32-bit build
# under Wine's 32-bit loader, on a private display, with the Wine prefix kept in
# the machine's own image.
#
#   vm-job.sh prefix   makes that prefix
#   vm-job.sh test     runs the 32-bit build's Wine tests
set -euo pipefail
source "$(dirname "$0")/host.sh"
arch=win32
arch_paths
export WINEPREFIX=/var/lib/zorvane/wine
source "$root/scripts/wine-env.sh"
export LC_ALL=C.UTF-8
wine_env_start private
if [ "$1" = test ]; then
    cd "$build"
    # A test's time limit is that of the host's run, with room for a processor
    # that is emulated; through a pipe, so that CTest writes no colours.
    ctest -L wine --output-on-failure --no-tests=error --timeout 900 | cat
fi
