#!/usr/bin/env bash
# Runs the benchmark on a private display with a Wine virtual desktop; writes build/bench.json.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_env_start private
trap wine_env_stop EXIT
cd "$root/build"
wine tests/zorvane_bench.exe bench-data bench.json
