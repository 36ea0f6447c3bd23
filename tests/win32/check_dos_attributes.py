#!/usr/bin/env python3
"""Checks, from the Linux side, the DOS attributes Wine stored for the folders
the Win32 tests left behind: after applying, after removing our
customisation, and after removing it from a file that keeps another
program's icon, which gets back the attributes it had before apply."""
import os
import sys

ARCHIVE, DIRECTORY = 0x20, 0x10


def dos_attributes(path):
    try:
        raw = os.getxattr(path, "user.DOSATTRIB")
    except OSError:
        return 0  # Wine stores nothing for a file without attributes
    # Samba's form: "0x..." text, possibly NUL-terminated, before any binary part.
    text = raw.split(b"\0", 1)[0].decode("ascii")
    return int(text, 16) & ~(ARCHIVE | DIRECTORY)


def main():
    scratch = sys.argv[1]
    applied = os.path.join(scratch, "applied")
    removed = os.path.join(scratch, "round-trip")
    kept = os.path.join(scratch, "remove-keeps-icon")
    expected = {
        os.path.join(applied, "Desktop.ini"): 0x2,
        applied: 0x4,
        os.path.join(removed, "Desktop.ini"): None,
        removed: 0x2,  # it was hidden before, and stays so
        os.path.join(kept, "Desktop.ini"): 0x0,  # visible before apply, and again
        kept: 0x0,  # not marked before apply, and again
        # Each folder's marks as before apply. Wine keeps Read-only in the
        # Unix write bits (checked below), not here.
        os.path.join(scratch, "marks-read-only"): 0x0,
        os.path.join(scratch, "marks-system"): 0x4,
        os.path.join(scratch, "marks-system-kept-file"): 0x4,
        os.path.join(scratch, "marks-none"): 0x0,
    }
    failures = 0
    for path, want in expected.items():
        if want is None:
            gone = not os.path.exists(path)
            print(f"{path}: {'gone' if gone else 'still there'} (want gone)")
            failures += not gone
            continue
        got = dos_attributes(path)
        print(f"{path}: {got:#x} (want {want:#x})")
        failures += got != want
    read_only = os.path.join(scratch, "marks-read-only")
    writable = os.stat(read_only).st_mode & 0o222
    print(f"{read_only}: write bits {writable:#o} (want none)")
    failures += writable != 0
    total = len(expected) + 1
    print(f"{total - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
