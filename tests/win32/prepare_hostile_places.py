#!/usr/bin/env python3
"""Makes, from the Linux side, the places the Win32 tests cannot make
themselves: folders whose Desktop.ini is a symbolic link to a file elsewhere,
one holding another program's settings (which apply would merge into) and
one holding only a customisation of ours (which restore would delete); and a
folder Wine reports Read-only, which it takes from the Unix write bits."""
import os
import shutil
import sys

scratch = sys.argv[1]
ours = ("[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\n"
        "IconArea_Image=C:\\a.jpg\r\nIconArea_Text=255\r\n")
places = {
    "symlink": "[Elsewhere]\r\nkeep=this\r\n",
    "symlink-ours": ours,
}
for name, text in places.items():
    folder = os.path.join(scratch, name)
    victim = os.path.join(scratch, name + "-target.txt")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with open(victim, "w", newline="") as f:
        f.write(text)
    os.symlink(victim, os.path.join(folder, "Desktop.ini"))
# A link beside its target, in the same folder, under another name.
folder = os.path.join(scratch, "symlink-beside")
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
with open(os.path.join(folder, "notes.txt"), "w", newline="") as f:
    f.write(ours)
os.symlink("notes.txt", os.path.join(folder, "Desktop.ini"))
# Marked Read-only, as Windows' own Customize tab leaves a folder, with
# another program's icon in its file.
folder = os.path.join(scratch, "marks-read-only")
if os.path.isdir(folder):
    os.chmod(folder, 0o755)
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
with open(os.path.join(folder, "Desktop.ini"), "w", newline="") as f:
    f.write("[.ShellClassInfo]\r\nIconResource=C:\\blue.ico,0\r\n")
os.chmod(folder, 0o555)
print("1 passed, 0 failed")
