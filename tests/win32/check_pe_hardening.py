#!/usr/bin/env python3
"""Reads the program's PE headers and imports: address-space layout
randomisation with high-entropy addresses, no-execute data, the DLL search
restricted before anything loads, and only the system's own DLLs."""
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll",
               "comdlg32.dll", "comctl32.dll", "msimg32.dll", "msvcrt.dll", "advapi32.dll",
               "windowscodecs.dll", "oleaut32.dll", "oleacc.dll", "shlwapi.dll", "uxtheme.dll"}

dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", sys.argv[1]],
                      capture_output=True, text=True, check=True).stdout
checks = {
    "dynamic base (ASLR)": "DYNAMIC_BASE" in dump,
    "high-entropy addresses": "HIGH_ENTROPY_VA" in dump,
    "no-execute data (NX)": "NX_COMPAT" in dump,
    "SetDefaultDllDirectories is called": "SetDefaultDllDirectories" in dump,
}
imports = {line.split(":", 1)[1].strip().lower() for line in dump.splitlines()
           if line.strip().startswith("DLL Name:")}
foreign = imports - SYSTEM_DLLS
checks["only system DLLs imported"] = not foreign
failed = 0
for name, ok in checks.items():
    print(f"{'ok  ' if ok else 'FAIL'} {name}")
    failed += not ok
if foreign:
    print("not system DLLs:", ", ".join(sorted(foreign)))
print(f"{len(checks) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
