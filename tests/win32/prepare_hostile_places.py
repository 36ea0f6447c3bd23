#!/usr/bin/env python3
"""Makes, from the Linux side, the places the Win32 tests cannot make
themselves: a Desktop.ini that is a symbolic link to a file elsewhere."""
import os
import shutil
import sys

scratch = sys.argv[1]
folder = os.path.join(scratch, "symlink")
victim = os.path.join(scratch, "symlink-target.txt")
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
with open(victim, "w") as f:
    f.write("[Elsewhere]\r\nkeep=this\r\n")
os.symlink(victim, os.path.join(folder, "Desktop.ini"))
print("1 passed, 0 failed")
