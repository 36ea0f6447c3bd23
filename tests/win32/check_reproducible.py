#!/usr/bin/env python3
"""Checks what would make two builds of one commit differ: the PE header's
time stamp must be the fixed value 0, and neither the source folder nor the
build folder may appear in the program's bytes.
Usage: check_reproducible.py PROGRAM SOURCE_DIR BUILD_DIR"""
import struct
import sys

program, *folders = sys.argv[1:]
with open(program, "rb") as f:
    data = f.read()

(pe_offset,) = struct.unpack_from("<I", data, 0x3C)
signature, _machine, _sections, stamp = struct.unpack_from("<4sHHI", data, pe_offset)
checks = {"a PE file": signature == b"PE\0\0",
          f"time stamp is 0 (it is {stamp:#010x})": stamp == 0}
for folder in folders:
    folder = folder.rstrip("/")
    found = folder.encode() in data or folder.encode("utf-16-le") in data
    checks[f"no path {folder}"] = not found

failed = 0
for name, ok in checks.items():
    print(f"{'ok  ' if ok else 'FAIL'} {name}")
    failed += not ok
print(f"{len(checks) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
