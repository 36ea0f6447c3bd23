#!/usr/bin/env python3
"""The real program's command line under Wine: exit codes, the files it
writes, the per-user folder-menu entry read back with `reg query`, and the
registered command opening the window on a folder.

Run by CTest inside scripts/test, which provides the display and the Wine
prefix. Prints what fails; exits non-zero if anything did."""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run")
ENTRY = r"HKCU\Software\Classes\{}\shell\FolderBackground"
LABEL = "تغيير خلفية المجلد…"
PATIENCE = 60

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL", message)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args):
    done = subprocess.run([WINE_RUN, *args], capture_output=True, timeout=PATIENCE)
    return done.returncode, done.stdout.decode("utf-8", "replace").replace("\r\n", "\n")


def reg_query(key):
    return wine("reg", "query", key)[0]


def reg_export(key, scratch):
    """The key and its subkeys as `reg export` writes them: UTF-16, which
    keeps the Arabic text that `reg query` prints in the OEM code page."""
    path = os.path.join(scratch, "exported.reg")
    code, _ = wine("reg", "export", key, windows_path(path), "/y")
    if code != 0:
        return ""
    with open(path, "rb") as f:
        return f.read().decode("utf-16")


def wait_for(condition, timeout=PATIENCE):
    deadline = time.monotonic() + timeout
    while not condition() and time.monotonic() < deadline:
        time.sleep(0.2)
    return condition()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    exe = windows_path(os.path.join(args.build, args.program))
    probe = os.path.join(args.build, "tests", "e2e", "e2e_probe.exe")
    picture = windows_path(os.path.join(ROOT, "tests", "data", "picture.jpg"))
    scratch = tempfile.mkdtemp(prefix="cli-", dir=args.build)
    try:
        run_commands(exe, picture, scratch)
        run_batch_file_quotes(exe, picture, scratch)
        run_held_file(exe, probe, picture, scratch)
        run_folder_menu(exe, probe, scratch)
    finally:
        wine(exe, "/unregister")
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{len(failures)} failed")
    return 1 if failures else 0


def run_commands(exe, picture, scratch):
    folders = [os.path.join(scratch, name) for name in ("Class 1", "صف 2")]
    for folder in folders:
        os.mkdir(folder)
    wanted = [windows_path(f) for f in folders]
    missing = windows_path(os.path.join(scratch, "missing"))

    code, out = wine(exe, "/?")
    check(code == 0, f"/? exits {code}")
    check("/apply /picture:FILE" in out and "يحذف الخلفية" in out, "/? prints both languages")

    # Wrong command lines: nothing done, the usage printed, no window.
    for wrong in (["/frobnicate", wanted[0]], ["/apply", wanted[0]], ["/remove"],
                  ["/apply", "/picture:" + picture + ".nothing", wanted[0]],
                  ["/apply", "/picture:" + picture, "/color:red", wanted[0]]):
        code, out = wine(exe, *wrong)
        check(code == 2, f"{wrong} exits {code}, not 2")
        check("FolderBackground.exe /remove FOLDER..." in out, f"{wrong} prints the usage")
    check(not any(os.listdir(f) for f in folders), "a wrong command line wrote nothing")

    code, out = wine(exe, "/apply", "/picture:" + picture, "/color:#FF0000", *wanted, missing)
    check(code == 1, f"/apply with a missing folder exits {code}, not 1")
    lines = out.strip().split("\n")
    check(lines[:2] == [w + "\\: applied" for w in wanted], f"/apply printed {lines}")
    check(len(lines) == 3 and lines[2].startswith(missing + "\\: failed: ")
          and len(lines[2]) > len(missing) + 12, f"the missing folder's line: {lines[-1:]}")
    for folder in folders:
        check(os.path.exists(os.path.join(folder, "Desktop.ini")), f"no Desktop.ini in {folder}")

    # Wine reports a Windows whose Explorer draws no background: without
    # /icon or /noicon the folder's icon carries the picture.
    code, out = wine(exe, "/show", wanted[1])
    check(code == 0 and out.strip() ==
          f'{wanted[1]}\\: picture "{picture}", colour 255, the picture on its icon',
          f"/show printed {out!r} ({code})")
    run_icons(exe, picture, scratch)

    code, out = wine(exe, "/remove", *wanted)
    check(code == 0, f"/remove exits {code}")
    check(out.strip().split("\n") == [w + "\\: restored" for w in wanted], f"/remove: {out!r}")
    check(not any(os.listdir(f) for f in folders), "Desktop.ini left after /remove")


def run_batch_file_quotes(exe, picture, scratch):
    """A batch file's "%~dp0" ends with a backslash before its closing quote:
    that folder and the one after it are both restored."""
    folders = [os.path.join(scratch, name) for name in ("Quoted A", "Quoted B")]
    for folder in folders:
        os.mkdir(folder)
    wanted = [windows_path(f) for f in folders]
    code, _ = wine(exe, "/apply", "/picture:" + picture, *wanted)
    check(code == 0, f"/apply on the quoted folders exits {code}")
    batch = os.path.join(folders[0], "restore.cmd")
    with open(batch, "w", encoding="ascii") as f:
        f.write(f'@"{exe}" /remove "%~dp0" "{wanted[1]}"\r\n')
    code, out = wine("cmd", "/c", windows_path(batch))
    check(code == 0, f"/remove \"%~dp0\" exits {code}")
    check(out.strip().split("\n") == [w + "\\: restored" for w in wanted],
          f"/remove \"%~dp0\" printed {out!r}")
    for folder in folders:
        check(not os.path.exists(os.path.join(folder, "Desktop.ini")),
              f"Desktop.ini left in {folder} by /remove \"%~dp0\"")


def run_held_file(exe, probe, picture, scratch):
    """Another program holds the folder's Desktop.ini, sharing nothing: the
    failed folder's line gives Windows' own words for it."""
    folder = os.path.join(scratch, "Held")
    os.mkdir(folder)
    code, _ = wine(exe, "/apply", "/picture:" + picture, windows_path(folder))
    check(code == 0, f"/apply on the folder to hold exits {code}")
    holder = subprocess.Popen([WINE_RUN, probe, "hold", windows_path(folder) + "\\Desktop.ini"],
                              stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              start_new_session=True)
    try:
        reason = holder.stdout.readline().decode("utf-8", "replace").rstrip(" .\r\n")
        check(reason != "", "the probe could not hold Desktop.ini")
        code, out = wine(exe, "/apply", "/picture:" + picture, windows_path(folder))
        expected = f"{windows_path(folder)}\\: failed: {reason}"
        check(code == 1 and out.strip() == expected,
              f"/apply on a held file printed {out!r} ({code}), not {expected!r}")
    finally:
        holder.stdin.close()
        holder.wait(timeout=PATIENCE)


def our_icons(folder):
    return [n for n in os.listdir(folder) if re.fullmatch(r"folder-picture-[0-9a-f]{16}\.ico", n)]


def run_icons(exe, picture, scratch):
    own = os.path.join(scratch, "own icon")
    os.mkdir(own)
    theirs = b"[.ShellClassInfo]\r\nIconResource=C:\\mine.ico,0\r\n"
    with open(os.path.join(own, "Desktop.ini"), "wb") as f:
        f.write(theirs)
    code, out = wine(exe, "/apply", "/icon", "/picture:" + picture, windows_path(own))
    check(code == 0 and out.strip() == windows_path(own) + "\\: applied; it kept its own icon",
          f"/apply /icon on a folder with its own icon: {out!r} ({code})")
    check(our_icons(own) == [], f"an icon of ours beside a folder's own: {os.listdir(own)}")
    code, out = wine(exe, "/remove", windows_path(own))
    with open(os.path.join(own, "Desktop.ini"), "rb") as f:
        check(f.read() == theirs, "the folder's own icon lines changed")

    plain = os.path.join(scratch, "plain")
    os.mkdir(plain)
    code, out = wine(exe, "/apply", "/icon", "/picture:" + picture, windows_path(plain))
    check(code == 0 and len(our_icons(plain)) == 1, f"/apply /icon made {os.listdir(plain)}")
    code, out = wine(exe, "/apply", "/noicon", "/picture:" + picture, windows_path(plain))
    check(code == 0 and our_icons(plain) == [], f"/apply /noicon left {os.listdir(plain)}")
    wine(exe, "/remove", windows_path(plain))
    check(os.listdir(plain) == [], f"left after /remove: {os.listdir(plain)}")


def run_folder_menu(exe, probe, scratch):
    code, out = wine(exe, "/register")
    check(code == 0, f"/register exits {code}: {out!r}")
    command = f'"{exe}" "%1"'
    quoted = lambda text: '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'
    for kind in ("Directory", "Drive"):
        key = ENTRY.format(kind)
        exported = reg_export(key, scratch).replace("\r\n", "\n").strip().split("\n")
        expected = ["Windows Registry Editor Version 5.00", "",
                    f"[{key.replace('HKCU', 'HKEY_CURRENT_USER')}]",
                    f"@={quoted(LABEL)}", f'"Icon"={quoted(exe + ",0")}',
                    f'"MUIVerb"={quoted(LABEL)}', '"MultiSelectModel"="Single"', "",
                    f"[{key.replace('HKCU', 'HKEY_CURRENT_USER')}\\command]",
                    f"@={quoted(command)}"]
        check(exported == expected, f"{key} holds {exported}")
        # One window for one folder, however many are selected.
        code, out = wine("reg", "query", key, "/v", "MultiSelectModel")
        check(code == 0 and re.search(r"MultiSelectModel\s+REG_SZ\s+Single", out),
              f"{key} has no MultiSelectModel Single: {out!r}")

    # What Explorer does with the entry: the command with the folder for %1.
    folder = os.path.join(scratch, "Trip")
    os.mkdir(folder)
    for path, box in ((windows_path(folder), windows_path(folder) + "\\"), ("Z:\\", "Z:\\")):
        # From a batch file, so that the command reaches the program exactly
        # as written, quotes and all.
        batch = os.path.join(scratch, "open.cmd")
        with open(batch, "w", encoding="utf-8") as f:
            f.write(command.replace("%1", path) + "\r\n")
        started = subprocess.Popen([WINE_RUN, "cmd", "/c", windows_path(batch)],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   start_new_session=True)
        try:
            boxes = lambda: wine(probe, "boxes")[1].split("\n")
            shown = wait_for(lambda: boxes()[:1] == [box])
            check(shown, f"the registered command on {path} shows {boxes()[:2]}, not {box}")
        finally:
            os.killpg(started.pid, signal.SIGTERM)
            started.wait(timeout=PATIENCE)
            wait_for(lambda: wine(probe, "window")[1].strip() == "none")

    # The window's system-menu item: the entry points elsewhere, so choosing
    # it points it here; choosing it again takes it out.
    wine("reg", "add", ENTRY.format("Directory") + r"\command", "/ve", "/d", "elsewhere", "/f")
    window = subprocess.Popen([WINE_RUN, exe], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        check(wait_for(lambda: wine(probe, "window")[1].strip() != "none"), "no window")
        wine(probe, "choose-folder-menu")
        points_here = f"@={quoted(command)}"
        check(wait_for(lambda: points_here in reg_export(ENTRY.format("Directory"), scratch)),
              "choosing the system-menu item did not point the entry here")
        wine(probe, "choose-folder-menu")
        check(wait_for(lambda: reg_query(ENTRY.format("Drive")) != 0),
              "choosing the checked system-menu item left the entry")
    finally:
        os.killpg(window.pid, signal.SIGTERM)
        window.wait(timeout=PATIENCE)
        wait_for(lambda: wine(probe, "window")[1].strip() == "none")

    code, out = wine(exe, "/unregister")
    check(code == 0, f"/unregister exits {code}: {out!r}")
    for kind in ("Directory", "Drive"):
        check(reg_query(ENTRY.format(kind)) != 0, f"{ENTRY.format(kind)} is still there")
    check(reg_query(r"HKCU\Software\Classes\Directory\shell") == 0,
          "the shell key above ours went too")


if __name__ == "__main__":
    sys.exit(main())
