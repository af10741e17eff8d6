#!/usr/bin/env bash
# Runs the benchmark on a private display with a Wine virtual desktop; writes build/bench.json.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
bash "$root/scripts/bench-data.sh" "$root/build/bench-data" 100 1000 10000 50000
wine_env_start private
trap wine_env_stop EXIT
cd "$root/build"
wine bench/zorvane_bench.exe bench-data bench.json
