#!/usr/bin/env bash
# Runs the benchmark on a private display with a Wine virtual desktop, on the
# build this host can run; writes build/bench.json, which names the build, the
# host and the Wine of the run.
set -euo pipefail
source "$(dirname "$0")/host.sh"
source "$root/scripts/wine-env.sh"
prepare zorvane_bench
bash "$root/scripts/bench-data.sh" "$build/bench-data" 100 1000 10000 50000
wine_env_start private
cd "$build"
"$wine" bench/zorvane_bench.exe bench-data bench-rows.json
run="$arch build; $(uname -srm), $(nproc) cores, runs 32-bit code: $i386; $("$wine" --version)"
echo "Run: $run"
awk -v run="$run" 'NR == 1 { print; printf "  \"run\": \"%s\",\n", run; next } 1' bench-rows.json \
    >"$root/build/bench.json"
