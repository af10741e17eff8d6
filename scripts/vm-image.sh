#!/usr/bin/env bash
# Builds the small Debian 12 machine in which the 32-bit build's Wine tests run
# on a host whose kernel runs 64-bit code only: its kernel runs i386 code, and
# Wine's 32-bit loader with it. Writes DIR/vmlinuz, DIR/initrd.img and
# DIR/root.img (ext4, made without mounting anything by mke2fs -d). Run as root.
#
# usage: vm-image.sh DIR
set -euo pipefail
out=$1
work="$out/rootfs.tmp"
rootfs="$work/rootfs"

# The Debian mirror this host's apt already uses, else debootstrap's own default.
mirror=$(apt-cache policy 2>/dev/null | awk '$3 ~ /^bookworm\/main$/ && $4 == "amd64" { print $2; exit }')

cleanup() {
    umount "$rootfs/proc" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cleanup
mkdir -p "$work"

echo "Building the test machine's Debian 12 in ${work} (about 5 minutes, once)..."
debootstrap --variant=minbase bookworm "$rootfs" ${mirror:+"$mirror"} >"$work.log" 2>&1 ||
    { tail -n 20 "$work.log" >&2; exit 1; }
rm -f "$work.log"

# The kernel, Wine's 32-bit loader, a virtual display, CTest and Python (for the benchmark's data).
mount -t proc proc "$rootfs/proc"
in_root() { chroot "$rootfs" env DEBIAN_FRONTEND=noninteractive LC_ALL=C "$@"; }
in_root dpkg --add-architecture i386
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends linux-image-amd64 wine wine32:i386 xvfb cmake python3 \
    >/dev/null
in_root apt-get clean
rm -rf "$rootfs"/var/lib/apt/lists/*
umount "$rootfs/proc"

# The machine's first process: it mounts what Wine needs, runs the job that the
# second disk carries (at the host's own path, so that the build's absolute paths
# hold), writes its exit status there and powers off.
cat >"$rootfs/sbin/zorvane-init" <<'EOF'
#!/bin/sh
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sysfs /sys
mountpoint -q /dev || mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/pts /dev/shm /job
mount -t devpts devpts /dev/pts
for dir in /dev/shm /tmp /run; do mount -t tmpfs tmpfs "$dir"; done
mount /dev/vdb /job
at=$(cat /job/vm-at)
mkdir -p "$at"
mount --bind /job "$at"
(cd "$at" && bash ./vm-job </dev/null)
echo $? >"$at/vm-status"
umount "$at" /job
sync
echo o >/proc/sysrq-trigger
sleep 60
EOF
chmod +x "$rootfs/sbin/zorvane-init"

cp "$rootfs"/boot/vmlinuz-* "$out/vmlinuz"
cp "$rootfs"/boot/initrd.img-* "$out/initrd.img"
# Room for the tests' Wine prefix and files beside the system.
size=$(($(du -sm "$rootfs" | cut -f1) + 2048))
rm -f "$out/root.img"
mke2fs -q -t ext4 -L zorvane -d "$rootfs" "$out/root.img" "${size}M"
echo "The test machine's image is in $out."
