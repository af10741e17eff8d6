#!/usr/bin/env bash
# Builds and runs every test under Wine on a private display, with one
# wineserver for the run, on the build this host can run.
set -euo pipefail
source "$(dirname "$0")/host.sh"
source "$root/scripts/wine-env.sh"
prepare all
# Names outside the ANSI code page can be stored only under a UTF-8 locale.
export LC_ALL=C.UTF-8
wine_env_start private
cd "$build"
ctest --output-on-failure --timeout 240
