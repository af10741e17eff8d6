#!/usr/bin/env bash
# Runs every test under Wine on a private display, with one wineserver for the run.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_env_start private
trap wine_env_stop EXIT
cd "$root/build"
ctest --output-on-failure --timeout 240
