#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on Debian 12; quick when
# all is present. Both cross compilers always; Wine's 32-bit loader (and the
# i386 architecture) where this host runs 32-bit code, its 64-bit one where the
# 64-bit build runs. The release needs only the 32-bit build.
#
# usage: setup.sh RUNS_I386(yes|no) ARCH(win32|win64|dist)
set -euo pipefail
i386=$1 arch=$2

packages=(cmake make python3 git g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest)
if [ "$arch" != dist ]; then
  packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 xvfb imagemagick)
  [ "$i386" = yes ] && packages+=(wine32:i386)
  [ "$arch" = win64 ] && packages+=(wine64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
if [ "$i386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
