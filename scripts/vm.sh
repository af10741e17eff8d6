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

# The second disk, $vm_work/payload.img: the scripts, what JOB runs in the
# machine, the checkout's path and, for the tests, what of the 32-bit build they
# run and read, with room for what they write beside it.
vm_payload() { # JOB
    local job=$1 payload="$vm_work/payload"
    rm -rf "$payload" "$vm_work/payload.img"
    mkdir -p "$payload/build"
    cp -a "$root/scripts" "$payload/"
    if [ "$job" = test ]; then
        tar -C "$root/build" --exclude=./wine --exclude=./x64 --exclude=./vm --exclude=./bench-data \
            --exclude=./demo --exclude=./dist --exclude=./repro --exclude=./googletest \
            --exclude='*.obj' --exclude='*.a' --exclude=CMakeFiles --exclude=Testing -cf - . |
            tar -C "$payload/build" -xf -
    fi
    printf '%s\n' "$root" >"$payload/vm-at"
    if [ "$job" = probe ]; then echo true; else echo "bash scripts/vm-job.sh $job"; fi >"$payload/vm-job"
    mke2fs -q -t ext4 -d "$payload" "$vm_work/payload.img" \
        "$(($(du -sm "$payload" | cut -f1) + 1024))M" >/dev/null
    rm -rf "$payload"
}

# Boots the machine on DISK with the second disk, with the accelerator chosen
# (vm_accel), until it powers off or SECONDS pass; the disk is kept as it was
# unless KEEP is "keep". Its console comes out on stdout.
vm_qemu() { # DISK SECONDS [keep]
    local snapshot=on
    [ "${3:-}" = keep ] && snapshot=off
    timeout "$2" qemu-system-x86_64 "${vm_accel[@]}" -smp 2 -m 4096 \
        -nodefaults -display none -no-reboot -serial file:/dev/stdout \
        -kernel "$vm_dir/vmlinuz" -initrd "$vm_dir/initrd.img" \
        -append "root=/dev/vda rw console=ttyS0 quiet panic=-1 init=/sbin/zorvane-init" \
        -drive "file=$1,if=virtio,format=qcow2,snapshot=$snapshot" \
        -drive "file=$vm_work/payload.img,if=virtio,format=raw" </dev/null | sed -u 's/\r$//'
}

# The job's exit status from the second disk, empty where it wrote none; for the
# tests, CTest's log comes back to $vm_work/Testing too. The disk goes.
vm_results() { # JOB
    debugfs -R "cat /vm-status" "$vm_work/payload.img" 2>/dev/null || true
    if [ "$1" = test ]; then
        rm -rf "$vm_work/Testing"
        debugfs -R "rdump /build/Testing $vm_work" "$vm_work/payload.img" >/dev/null 2>&1 || true
    fi
    rm -f "$vm_work/payload.img"
}

# Runs vm-job.sh JOB in the machine booted on DISK. Returns the job's exit status.
vm_boot() { # DISK JOB [keep]
    local status
    vm_payload "$2"
    vm_qemu "$1" 2700 "${3:-}" || true
    status=$(vm_results "$2")
    if [ -z "$status" ]; then
        echo "The test machine ended without finishing its job ($2)." >&2
        return 1
    fi
    return "$status"
}

# Sets vm_accel: KVM where the machine boots under it and answers within a
# minute, software emulation otherwise (with no KVM, or one that fails or
# hangs: some hosts give /dev/kvm to a guest that never starts). Says which.
vm_choose_accel() {
    local why="this host has no usable /dev/kvm" started=$SECONDS probe="$vm_work/probe.qcow2"
    vm_accel=(-accel kvm -cpu host)
    if [ -r /dev/kvm ] && [ -w /dev/kvm ]; then
        qemu-img create -q -f qcow2 -F raw -b "$vm_dir/root.img" "$probe"
        vm_payload probe
        vm_qemu "$probe" 60 >/dev/null 2>&1 || true
        rm -f "$probe"
        if [ "$(vm_results probe)" = 0 ]; then
            echo "The test machine runs under KVM: it booted and answered in $((SECONDS - started)) s."
            return
        fi
        why="under KVM it did not boot and answer within a minute"
    fi
    # Under TCG, SMAP and SMEP kill a 32-bit program on its first return to user mode.
    vm_accel=(-accel tcg,thread=multi -cpu max,-smap,-smep)
    echo "The test machine runs under software emulation (TCG): $why."
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
    vm_choose_accel
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
