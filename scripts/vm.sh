# Sourced by test.sh, after host.sh: runs the 32-bit build's Wine tests in a
# small virtual machine whose kernel runs i386 code, for a host whose own kernel
# runs 64-bit code only (or with ZORVANE_VM=1, anywhere). The machine is Debian
# 12 from Debian's packages, built once by vm-image.sh and kept outside the
# checkout, with its Wine prefix made once in a layer of its own; each run
# boots it with its disks as they were made, so no run sees another's files.
#
# The build tree is handed in on a second disk, made by mke2fs -d, and mounted
# in the machine at the checkout's own path; the tests' output comes back over
# the serial port, and their exit status and CTest's log from that disk.
vm_dir=${ZORVANE_VM_DIR:-${XDG_CACHE_HOME:-~/.cache}/zorvane-vm}
vm_work="$root/build/vm"

vm_digest() { cat "$@" | sha256sum | cut -c1-16; }

# Boots the machine on DISK and runs vm-job.sh JOB in it; its disk is kept as it
# was unless KEEP is "keep". Returns the job's exit status.
vm_boot() { # DISK JOB [keep]
    local disk=$1 job=$2 keep=${3:-} payload="$vm_work/payload" image="$vm_work/payload.img"
    rm -rf "$payload" "$image"
    mkdir -p "$payload/build"
    # The scripts, and of the 32-bit build what the tests run and read.
    cp -a "$root/scripts" "$payload/"
    if [ "$job" = test ]; then
        tar -C "$root/build" --exclude=./wine --exclude=./x64 --exclude=./vm --exclude=./bench-data \
            --exclude=./demo --exclude=./dist --exclude=./repro --exclude=./googletest \
            --exclude='*.obj' --exclude='*.a' --exclude=CMakeFiles --exclude=Testing -cf - . |
            tar -C "$payload/build" -xf -
    fi
    printf '%s\n' "$root" >"$payload/vm-at"
    printf 'bash scripts/vm-job.sh %s\n' "$job" >"$payload/vm-job"
    # Room for what the tests write beside the build.
    mke2fs -q -t ext4 -d "$payload" "$image" "$(($(du -sm "$payload" | cut -f1) + 1024))M" >/dev/null
    rm -rf "$payload"

    local snapshot=on
    [ "$keep" = keep ] && snapshot=off
    # Under TCG, SMAP and SMEP kill a 32-bit program on its first return to user mode.
    timeout 2700 qemu-system-x86_64 -accel tcg,thread=multi -cpu max,-smap,-smep -smp 2 -m 4096 \
        -nodefaults -display none -no-reboot -serial file:/dev/stdout \
        -kernel "$vm_dir/vmlinuz" -initrd "$vm_dir/initrd.img" \
        -append "root=/dev/vda rw console=ttyS0 quiet panic=-1 init=/sbin/zorvane-init" \
        -drive "file=$disk,if=virtio,format=qcow2,snapshot=$snapshot" \
        -drive "file=$image,if=virtio,format=raw" </dev/null | sed -u 's/\r$//'
    local status
    status=$(debugfs -R "cat /vm-status" "$image" 2>/dev/null) || true
    if [ "$job" = test ]; then
        rm -rf "$vm_work/Testing"
        debugfs -R "rdump /build/Testing $vm_work" "$image" >/dev/null 2>&1 || true
    fi
    rm -f "$image"
    if [ -z "$status" ]; then
        echo "The test machine ended without finishing its job ($job)." >&2
        return 1
    fi
    return "$status"
}

# The machine's image and its Wine prefix, each made again only when what makes
# it has changed.
vm_prepare() {
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    mkdir -p "$vm_dir" "$vm_work"
    local recipe prefix_recipe
    recipe=$(vm_digest "$root/scripts/vm-image.sh")
    if [ "$(cat "$vm_dir/root.recipe" 2>/dev/null)" != "$recipe" ] || [ ! -f "$vm_dir/root.img" ]; then
        rm -f "$vm_dir/root.recipe" "$vm_dir/prefix.qcow2"
        $sudo bash "$root/scripts/vm-image.sh" "$vm_dir"
        [ -n "$sudo" ] && $sudo chown -R "$(id -u):$(id -g)" "$vm_dir"
        echo "$recipe" >"$vm_dir/root.recipe"
    fi
    prefix_recipe=$(vm_digest "$root/scripts/vm-job.sh" "$root/scripts/wine-env.sh" "$root/scripts/host.sh")
    if [ "$(cat "$vm_dir/prefix.recipe" 2>/dev/null)" != "$prefix_recipe" ] || [ ! -f "$vm_dir/prefix.qcow2" ]; then
        echo "Making the test machine's Wine prefix (about 2 minutes, once)..."
        rm -f "$vm_dir/prefix.qcow2" "$vm_dir/prefix.recipe"
        qemu-img create -q -f qcow2 -F raw -b "$vm_dir/root.img" "$vm_dir/prefix.tmp.qcow2"
        vm_boot "$vm_dir/prefix.tmp.qcow2" prefix keep
        mv "$vm_dir/prefix.tmp.qcow2" "$vm_dir/prefix.qcow2"
        echo "$prefix_recipe" >"$vm_dir/prefix.recipe"
    fi
}

# The 32-bit build's Wine tests in the machine.
vm_test() {
    echo "Running the 32-bit build's Wine tests in the test machine (kernel with i386 support, wine32)..."
    vm_boot "$vm_dir/prefix.qcow2" test
}
