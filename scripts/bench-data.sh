#!/usr/bin/env bash
# Creates the benchmark's ROM folders, DIR/roms-N with N empty *.bin files of
# mixed names, and an emulator folder whose bios folder holds 3,000 files of a
# BIOS image's size, none of them an image, DIR/o2em/bios; once each. Made here
# rather than through Wine, where every new file in a big folder costs a scan of
# that folder.
#
# usage: bench-data.sh DIR N...
set -euo pipefail
dir=$1
shift
for count in "$@"; do
    roms="$dir/roms-$count"
    [ -f "$roms/complete" ] && continue
    rm -rf "$roms"
    mkdir -p "$roms"
    (cd "$roms" && awk -v n="$count" 'BEGIN {
        split("%05d Game (USA).bin|game-%05d.bin|Game %05d.BIN|_%05d demo.bin|%05d.bin", kinds, "|")
        for (i = 0; i < n; i++) printf kinds[i % 5 + 1] "\n", (i * 7919) % 100000
    }' | tr '\n' '\0' | xargs -0 touch)
    touch "$roms/complete"
done
bios="$dir/o2em/bios"
if [ ! -f "$bios/complete" ]; then
    rm -rf "$bios"
    mkdir -p "$bios"
    python3 -c 'import sys
for i in range(3000):
    open(f"{sys.argv[1]}/junk {i:04d}.bin", "wb").write(bytes([i % 251]) * 1024)' "$bios"
    touch "$bios/complete"
fi
