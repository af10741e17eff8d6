#!/usr/bin/env bash
# Installs what a command needs on Debian 12; quick when all is present.
#
#   setup.sh win32    the build, the tests and the demo on the 32-bit build, under
#                     Wine's 32-bit loader (and the i386 architecture)
#   setup.sh win64    the same on the 64-bit build, under Wine's 64-bit loader
#   setup.sh release  the release, which needs only the 32-bit build
#   setup.sh vm       what builds and boots the test machine of vm.sh (QEMU,
#                     debootstrap, mke2fs and debugfs)
#
# Both cross compilers always come with the first two: the product is 32-bit
# whichever build runs.
set -euo pipefail
use=$1

packages=(cmake make python3 git g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest)
case "$use" in
win32 | win64) packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 xvfb imagemagick
    cppcheck clang-format) ;;&
win32) packages+=(wine32:i386) ;;
win64) packages+=(wine64) ;;
release) ;;
vm) packages=(qemu-system-x86 qemu-utils debootstrap e2fsprogs) ;;
*) echo "usage: setup.sh win32|win64|release|vm" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
if [ "$use" = win32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
