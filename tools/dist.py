#!/usr/bin/env python3
"""Writes the release into DIST: zorvane-VERSION-win32.zip, holding Zorvane.exe
and Zorvane.txt, and SHA256SUMS, which `sha256sum -c SHA256SUMS` checks. The
zip's bytes depend on nothing but those two files and the commit's time, which
every entry carries (SOURCE_DATE_EPOCH, where set, stands for it): a fixed
order, fixed times and fixed permissions.

usage: dist.py SOURCE_DIR VERSION ZORVANE_EXE ZORVANE_TXT DIST_DIR"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile


def git(source, *args):
    """What git prints, or None where it fails (no git, or not a checkout)."""
    try:
        run = subprocess.run(["git", "-C", source, *args], capture_output=True, text=True)
    except OSError:
        return None
    return run.stdout if run.returncode == 0 else None


def main(source, version, exe, guide, dist):
    epoch = os.environ.get("SOURCE_DATE_EPOCH") or git(source, "log", "-1", "--format=%ct") or ""
    if not epoch.strip():
        sys.exit("error: not a git checkout, and SOURCE_DATE_EPOCH is not set: no time for the zip's entries")
    status = git(source, "status", "--porcelain")
    if status is None:
        print("Note: git cannot read this checkout, so whether the zip matches a commit is not known.")
    elif status.strip():
        print("Note: this checkout has uncommitted changes, so the zip matches no commit.")
    # A zip entry's time starts in 1980.
    stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))

    os.makedirs(dist, exist_ok=True)
    name = f"zorvane-{version}-win32.zip"
    path = os.path.join(dist, name)
    with zipfile.ZipFile(path, "w") as archive:
        for member, source_file in (("Zorvane.exe", exe), ("Zorvane.txt", guide)):
            entry = zipfile.ZipInfo(member, date_time=stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3
            entry.external_attr = 0o100644 << 16
            with open(source_file, "rb") as data:
                archive.writestr(entry, data.read(), compresslevel=9)
    with open(path, "rb") as data:
        digest = hashlib.sha256(data.read()).hexdigest()
    with open(os.path.join(dist, "SHA256SUMS"), "w", newline="\n") as sums:
        sums.write(f"{digest}  {name}\n")
    print(f"Wrote {os.path.relpath(path, source)} ({os.path.getsize(path)} bytes) and SHA256SUMS.")
    print(f"SHA-256: {digest}")


if __name__ == "__main__":
    main(*sys.argv[1:])
