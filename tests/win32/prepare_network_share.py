#!/usr/bin/env python3
"""Serves a picture at \\\\127.0.0.1\\share\\picture.jpg: Wine maps a UNC path
to dosdevices/unc/SERVER/SHARE in its prefix, so no server is needed, and a
test can tell whether the program fetched from "the network". Also makes
share/link/Desktop.ini a symbolic link to share/link-target.ini, which only
a look through an open handle tells from a plain file.
Usage: prepare_network_share.py PICTURE"""
import os
import shutil
import sys

prefix = os.environ.get("WINEPREFIX") or os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "wineprefix")
share = os.path.join(prefix, "dosdevices", "unc", "127.0.0.1", "share")
os.makedirs(share, exist_ok=True)
shutil.copyfile(sys.argv[1], os.path.join(share, "picture.jpg"))
folder = os.path.join(share, "link")
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
with open(os.path.join(share, "link-target.ini"), "w", newline="") as f:
    f.write("[.ShellClassInfo]\r\nIconResource=C:\\blue.ico,0\r\n")
os.symlink(os.path.join(share, "link-target.ini"), os.path.join(folder, "Desktop.ini"))
print("1 passed, 0 failed")
