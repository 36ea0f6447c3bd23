#!/usr/bin/env python3
"""Checks, from the Linux side, the DOS attributes Wine stored for a folder
the Win32 tests customised: Hidden on Desktop.ini, System on the folder."""
import os
import sys

ARCHIVE, DIRECTORY = 0x20, 0x10


def dos_attributes(path):
    raw = os.getxattr(path, "user.DOSATTRIB")
    # Samba's form: "0x..." text, possibly NUL-terminated, before any binary part.
    text = raw.split(b"\0", 1)[0].decode("ascii")
    return int(text, 16) & ~(ARCHIVE | DIRECTORY)


def main():
    folder = os.path.join(sys.argv[1], "applied")
    expected = {os.path.join(folder, "Desktop.ini"): 0x2, folder: 0x4}
    failures = 0
    for path, want in expected.items():
        got = dos_attributes(path)
        print(f"{path}: {got:#x} (want {want:#x})")
        failures += got != want
    print(f"{len(expected) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
