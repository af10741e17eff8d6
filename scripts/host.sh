# Sourced by the other scripts: chooses which build of the program this host
# runs, and builds it.
#
#   win32  the product, build/Zorvane.exe, under Wine's 32-bit loader
#   win64  the same sources for x86_64, in build/x64, under Wine's 64-bit loader,
#          for hosts whose kernel runs 64-bit code only
#
# ZORVANE_ARCH=win32 or win64 forces a choice; by default it follows the probe.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# A 96-byte static i386 Linux program that exits with 32: on a kernel without
# 32-bit support its exec fails ("Exec format error"), whatever is installed.
# It is written into build/, not /tmp, which may be mounted without exec.
host_runs_i386() {
    local probe="$root/build/i386-probe"
    mkdir -p "$root/build"
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'\
'\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00'\
'\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xbb\x20\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' \
        >"$probe"
    chmod +x "$probe"
    local status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 32 ]
}

# Sets arch (win32 or win64) and i386 (yes or no), and says which build runs and why.
choose_arch() {
    if host_runs_i386; then i386=yes; else i386=no; fi
    local reason
    case "${ZORVANE_ARCH:-}" in
    win32)
        if [ "$i386" = no ]; then
            echo "error: ZORVANE_ARCH=win32, but this host cannot run 32-bit (i386) code; use ZORVANE_ARCH=win64 or leave it unset." >&2
            return 1
        fi
        arch=win32 reason="ZORVANE_ARCH=win32" ;;
    win64) arch=win64 reason="ZORVANE_ARCH=win64" ;;
    "")
        if [ "$i386" = yes ]; then
            arch=win32 reason="this host runs 32-bit code"
        else
            arch=win64 reason="this host runs 64-bit code only"
        fi ;;
    *)
        echo "error: ZORVANE_ARCH must be win32 or win64, not '$ZORVANE_ARCH'." >&2
        return 1 ;;
    esac
    if [ "$arch" = win32 ]; then
        echo "Using the 32-bit build (build/) under wine32: $reason."
    else
        echo "Using the 64-bit build (build/x64/) under wine64: $reason."
    fi
}

# Sets vm (yes or no): whether make test also runs the 32-bit build's Wine tests
# in the test machine (vm.sh): where this host cannot run them, unless the
# 64-bit build alone is asked for, and wherever ZORVANE_VM=1. Needs i386.
choose_vm() {
    vm=no
    if [ "${ZORVANE_VM:-}" = 1 ] || { [ "$i386" = no ] && [ "${ZORVANE_ARCH:-}" != win64 ]; }; then
        vm=yes
    fi
}

# The build tree and the Wine of the chosen build.
arch_paths() {
    if [ "$arch" = win32 ]; then
        build="$root/build"
        toolchain=mingw-i686
        wine=/usr/lib/wine/wine
        export WINESERVER=/usr/lib/wine/wineserver32
    else
        build="$root/build/x64"
        toolchain=mingw-x86_64
        wine=/usr/lib/wine/wine64
        export WINESERVER=/usr/lib/wine/wineserver64
    fi
    export WINEPREFIX="$build/wine" WINEARCH="$arch" WINEDEBUG=-all
}

configure() { # DIR TOOLCHAIN [cmake options]
    local dir=$1 chain=$2
    shift 2
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$chain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DZORVANE_TESTS=ON "$@" >/dev/null
}

# The given targets of the 32-bit build, build/, which holds the product.
build_product() { # TARGET...
    configure "$root/build" mingw-i686
    cmake --build "$root/build" -j2 --target "$@"
}

# Everything a command needs: the probe, the packages, the 32-bit program
# (always: it is the product) and the given targets of the chosen build.
prepare() { # TARGET...
    choose_arch
    arch_paths
    bash "$root/scripts/setup.sh" "$arch"
    if [ "$arch" = win32 ]; then
        build_product Zorvane "$@"
    else
        build_product Zorvane
        configure "$build" "$toolchain" -DZORVANE_PRODUCT="$root/build/Zorvane.exe"
        cmake --build "$build" -j2 --target "$@"
    fi
}
