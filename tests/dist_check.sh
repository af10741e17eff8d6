#!/usr/bin/env bash
# What `make dist` writes, and that it depends on nothing but the sources: the
# zip holds the built program and its guide, SHA256SUMS checks it, and a second
# build from a copy of the sources at another path gives the same bytes.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$root/build/dist
source "$(dirname "$0")/checks.sh"
# Both builds stamp the zip's entries with the same time, that of the last commit.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

# The zip is named after the file version, which the build reads from version.h.
version=$(sed -n 's/^#define ZORVANE_VERSION_[A-Z]* \([0-9]*\)$/\1/p' "$root/res/version.h" | paste -sd.)
zip=$dist/zorvane-$version-win32.zip
rm -rf "$dist"
out=$(bash "$root/scripts/dist.sh" 2>&1)
check "make dist succeeds" [ $? -eq 0 ]
echo "$out" | grep -E '^(Wrote|SHA-256|Note)'
check "the zip is named after the file version, $version" [ -f "$zip" ]
check "SHA256SUMS checks it" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
python3 - "$zip" "$root/build/Zorvane.exe" <<'PY'
import sys, zipfile
archive, exe = zipfile.ZipFile(sys.argv[1]), open(sys.argv[2], "rb").read()
names = archive.namelist()
guide = archive.read("Zorvane.txt") if "Zorvane.txt" in names else b""
checks = [
    ("the zip holds Zorvane.exe and Zorvane.txt", names == ["Zorvane.exe", "Zorvane.txt"]),
    ("its Zorvane.exe is the built one", "Zorvane.exe" in names and archive.read("Zorvane.exe") == exe),
    ("its Zorvane.txt ends every line with CRLF",
     guide.count(b"\n") > 100 and guide.count(b"\n") == guide.count(b"\r\n") == guide.count(b"\r")),
    ("its Zorvane.txt opens with getting started, then covers the names outside the code page",
     guide.find(b"Getting started") < guide.find(b"Using Zorvane") < guide.find(b"Names outside the code page")
     and guide.find(b"Getting started") > 0),
]
for what, ok in checks:
    print(("ok: " if ok else "FAIL: ") + what)
sys.exit(0 if all(ok for _, ok in checks) else 1)
PY
check "the zip's contents" [ $? -eq 0 ]

# The same sources at another path: only the program and the zip are built.
copy=$root/build/repro/another/path
rm -rf "$root/build/repro"
mkdir -p "$copy"
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -
cmake -S "$copy" -B "$copy/build" -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$copy/build" -j2 --target dist >/dev/null 2>&1
check "a second build at another path succeeds" [ $? -eq 0 ]
check "it gives the same Zorvane.exe" cmp -s "$root/build/Zorvane.exe" "$copy/build/Zorvane.exe"
check "and the same zip" cmp -s "$zip" "$copy/build/dist/$(basename "$zip")"
rm -rf "$root/build/repro"

checks_end "dist"
