#!/usr/bin/env python3
"""Reads the program's PE headers and imports: the oldest Windows it says it
runs on, address-space layout randomisation, no-execute data, the DLL search
restricted before anything loads, and which DLLs it imports statically.

The static imports are resolved by the loader before any of our code runs,
from the program's own folder first unless the DLL is a KnownDLL. A portable
program is often run from a Downloads folder where a planted DLL may wait, so
the only static imports trusted are DLLs that are KnownDLLs on every Windows
the program claims, Windows XP included: kernel32, user32, gdi32 and msvcrt.
Every other DLL is delay-loaded by its full system path (delay_load.cpp)."""
import subprocess
import sys

KNOWN_DLLS_SINCE_XP = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"}
# Windows XP SP3 is NT 5.1; XP x64 and Server 2003 are NT 5.2.
OLDEST = {"pei-i386": ("5", "1"), "pei-x86-64": ("5", "2")}

dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", sys.argv[1]],
                      capture_output=True, text=True, check=True).stdout
with open(sys.argv[1], "rb") as f:
    data = f.read()
fields = {}
for line in dump.splitlines():
    parts = line.split()
    if len(parts) >= 2 and parts[0][0].isalpha():
        fields.setdefault(parts[0], parts[1])
file_format = next((line.split()[-1] for line in dump.splitlines() if "file format" in line), "")
major, minor = OLDEST.get(file_format, ("?", "?"))
checks = {
    f"a program of a known kind ({file_format})": file_format in OLDEST,
    f"subsystem version {major}.0{minor}": (fields.get("MajorSubsystemVersion"),
                                            fields.get("MinorSubsystemVersion")) == (major, minor),
    f"operating system version {major}.0{minor}": (fields.get("MajorOSystemVersion"),
                                                   fields.get("MinorOSystemVersion")) == (major, minor),
    "dynamic base (ASLR)": "DYNAMIC_BASE" in dump,
    "no-execute data (NX)": "NX_COMPAT" in dump,
    # Both are looked up at run time: the first is Windows 8's, the second
    # XP SP1's.
    "looks up SetDefaultDllDirectories": b"SetDefaultDllDirectories\0" in data,
    "looks up SetDllDirectoryW": b"SetDllDirectoryW\0" in data,
}
if file_format == "pei-x86-64":
    checks["high-entropy addresses"] = "HIGH_ENTROPY_VA" in dump
imports = {line.split(":", 1)[1].strip().lower() for line in dump.splitlines()
           if line.strip().startswith("DLL Name:")}
foreign = imports - KNOWN_DLLS_SINCE_XP
checks["only KnownDLLs imported statically"] = not foreign
failed = 0
for name, ok in checks.items():
    print(f"{'ok  ' if ok else 'FAIL'} {name}")
    failed += not ok
if foreign:
    print("imported statically but not a KnownDLL on XP:", ", ".join(sorted(foreign)))
print(f"{len(checks) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
