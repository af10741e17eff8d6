#!/usr/bin/env bash
# The choice of build: the probe agrees with a real 32-bit program, and a build
# the host cannot run is refused clearly before anything is built.
set -uo pipefail
source "$(dirname "$0")/../scripts/host.sh"
source "$(dirname "$0")/checks.sh"

# A real 32-bit program, where one is installed, runs exactly when the probe says so.
for program in /usr/lib/wine/wine /lib/ld-linux.so.2; do
    [ -x "$program" ] || continue
    if "$program" --version >/dev/null 2>&1; then real=0; else real=1; fi
    host_runs_i386 && probe=0 || probe=1
    check "the probe agrees with $program" [ "$probe" = "$real" ]
done

# On a host without 32-bit support (the probe made to fail as it does there):
host_runs_i386() { return 1; }
ZORVANE_ARCH= choose_arch >/dev/null
check "the 64-bit build is chosen by default" [ "$arch" = win64 ]
out=$(ZORVANE_ARCH=win32 choose_arch 2>&1)
check "a forced 32-bit build is refused" [ $? -ne 0 ]
check "with a one-line reason" [ "$out" = "error: ZORVANE_ARCH=win32, but this host cannot run 32-bit (i386) code; use ZORVANE_ARCH=win64 or leave it unset." ]

# Whether make test also runs the 32-bit build's tests in the test machine:
# i386, ZORVANE_ARCH, ZORVANE_VM, and the answer.
for row in "no,,,yes" "no,win64,,no" "no,win64,1,yes" "yes,,,no" "yes,win32,,no" "yes,,1,yes" \
    "yes,win64,1,yes"; do
    IFS=, read -r i386 forced asked want <<<"$row"
    ZORVANE_ARCH=$forced ZORVANE_VM=$asked choose_vm
    check "the test machine for i386=$i386 ZORVANE_ARCH=$forced ZORVANE_VM=$asked: $want" [ "$vm" = "$want" ]
done

# The real scripts stop at the choice, before setting up or building anything.
out=$(cd "$root" && ZORVANE_ARCH=win16 timeout 20 bash scripts/test.sh 2>&1)
check "make test refuses an unknown build" [ $? -ne 0 ]
check "and says why, and nothing else" [ "$out" = "error: ZORVANE_ARCH must be win32 or win64, not 'win16'." ]

checks_end "arch choice"
