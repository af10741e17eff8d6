#!/usr/bin/env bash
# Builds the release from the 32-bit build, whatever this host runs: the zip of
# Zorvane.exe and Zorvane.txt, and its SHA256SUMS, in build/dist/.
set -euo pipefail
source "$(dirname "$0")/host.sh"
bash "$root/scripts/setup.sh" release
build_product dist
