#!/usr/bin/env python3
"""End-to-end tests of FolderBackground.exe under Wine, driven as a person
would: the mouse at the painted buttons, the keyboard in the boxes and the
system's dialogs, and screenshots. A small probe reads what is on screen
(the window's place, the boxes' texts, the dialogs' texts).

Run by CTest inside scripts/test, which provides the display and the Wine
prefix. Screenshots go to build/e2e/."""

import argparse
import os
import re
import shutil
import subprocess
import signal
import sys
import tempfile
import time
import traceback

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run")

# Places of the controls, in twips from the client area's top-left corner.
FOLDER_BUTTON = (4740 + 730, 780 + 195)
PICTURE_BUTTON = (4740 + 727, 1560 + 195)
COLOUR_BUTTON = (4740 + 727, 2360 + 195)
APPLY_BUTTON = (8170 + 765, 3030 + 337)
RESTORE_BUTTON = (6350 + 767, 3030 + 340)
CLOSE_IMAGE = (120 + 232, 0 + 217)
ABOUT_LABEL = (240 + 1087, 4395 + 127)
PICTURE_BOX = (6360 + 1672, 1630 + 142)
BARE_AREA = (9500, 4000)
PREVIEW_CENTRE = (1530 + 1800, 1250 + 1600)  # inside the frame's file pane
FOLDER_FACE = (4740 + 200, 780 + 100)         # brighter while the highlight shows
# The white cell of the colour dialog, from the dialog's top-left corner.
WHITE_CELL = (38, 166)

ERROR = "خطأ"

# How long to wait for anything the program or Wine does. A machine busy with
# other work may take many seconds; each wait ends once its condition holds.
PATIENCE = 30


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(condition, timeout=PATIENCE, interval=0.1):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(interval)


class Desktop:
    """The program on the Wine desktop, and the person's mouse and keyboard."""

    def __init__(self, build, program, shots):
        self.build = build
        self.exe = os.path.join(build, program)
        self.shots = shots
        self.program = None
        self.origin = (0, 0)
        self.dpi = 96

    def wine(self, *args, **kwargs):
        return subprocess.run([WINE_RUN, *args], capture_output=True, timeout=60, **kwargs)

    def probe(self, what):
        exe = os.path.join(self.build, "tests", "e2e", "e2e_probe.exe")
        out = self.wine(exe, what).stdout.decode("utf-8", "replace")
        return [line.rstrip("\r") for line in out.splitlines()]

    def start(self):
        self.program = subprocess.Popen([WINE_RUN, self.exe], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        check(wait_for(lambda: self.probe("window") != ["none"], 2 * PATIENCE),
              "the window did not open")
        # Found is not yet shown: wait for its artwork where it now stands.
        wait_for(self.painted)

    def painted(self):
        self.locate()
        r, g, b = self.pixel(self.screenshot("painting.png"), APPLY_BUTTON)
        return g > 120 and r < 110

    def locate(self):
        x, y, width, height, dpi = map(int, self.probe("window")[0].split())
        self.origin, self.outer, self.dpi = (x, y), (width, height), dpi

    def closed(self):
        return self.probe("window") == ["none"]

    def stop(self):
        # Only our own program: another copy may be under test on this machine.
        if self.program and self.program.poll() is None and not self.closed():
            try:
                os.killpg(self.program.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        if self.program:
            try:
                self.program.wait(timeout=PATIENCE)
            except subprocess.TimeoutExpired:
                self.program.kill()
        self.program = None

    def screen(self, twips):
        return (self.origin[0] + twips[0] * self.dpi // 1440,
                self.origin[1] + twips[1] * self.dpi // 1440)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True)

    # The short pauses below only pace the input as a hand would; whatever the
    # input leads to is waited for by its caller.
    def move(self, twips):
        self.xdotool("mousemove", *self.screen(twips))
        time.sleep(0.2)

    def click(self, twips):
        self.move(twips)
        self.xdotool("click", "1")
        time.sleep(0.3)

    def keys(self, *names):
        for name in names:
            self.xdotool("key", name)
            time.sleep(0.25)

    def type(self, text):
        self.xdotool("type", "--delay", "60", text)
        time.sleep(0.3)

    def boxes(self):
        return self.probe("boxes")[:3]  # fold, img, color

    def expect_boxes(self, want, what):
        """Waits for the boxes to hold `want` (None: any text)."""
        def matches():
            got = self.boxes()
            return len(got) == len(want) and all(w is None or w == g for w, g in zip(want, got))
        check(wait_for(matches), f"{what}: boxes {self.boxes()}, want {want}")

    def tree(self):
        """The folder browser's selected folder: (expanded, name), or None."""
        lines = self.probe("tree")
        if not lines or " " not in lines[0]:
            return None
        state, name = lines[0].split(" ", 1)
        return state == "expanded", name

    def dialog_edit(self):
        return [l[len("edit "):] for l in self.probe("dialogs") if l.startswith("edit ")]

    def pixel_becomes(self, twips, condition, name):
        """Polls screenshots until the pixel meets the condition; the last one."""
        seen = []
        def meets():
            seen.append(self.pixel(self.screenshot(name), twips))
            return condition(seen[-1])
        wait_for(meets)
        return seen[-1]

    def pixel_stays(self, twips, condition, name, seconds=1.5):
        """Checks screenshots for a while: the pixel meets the condition in all."""
        deadline = time.monotonic() + seconds
        while True:
            value = self.pixel(self.screenshot(name), twips)
            if not condition(value) or time.monotonic() > deadline:
                return value
            time.sleep(0.2)

    def dialog(self, timeout=PATIENCE):
        """The dialog open over the window: (left, top, title, static texts)."""
        def find():
            lines = self.probe("dialogs")
            heads = [l for l in lines if l.startswith("dialog ")]
            if not heads:
                return None
            _, left, top, title = heads[0].split(" ", 3)
            statics = [l[len("static "):] for l in lines if l.startswith("static ")]
            return int(left), int(top), title, statics
        found = wait_for(find, timeout)
        check(found, "no dialog opened")
        return found

    def no_dialog(self):
        return wait_for(lambda: not any(l.startswith("dialog ") for l in self.probe("dialogs")))

    def message(self):
        left, top, title, statics = self.dialog()
        return title, statics

    def screenshot(self, name):
        path = os.path.join(self.shots, name)
        subprocess.run(["import", "-window", "root", path], check=True)
        return path

    def pixel(self, path, twips):
        x, y = self.screen(twips)
        out = subprocess.run(["convert", path, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                             capture_output=True, text=True, check=True).stdout
        rgb = out.splitlines()[1].split("(")[1].split(")")[0].split(",")[:3]
        return tuple(int(float(v)) for v in rgb)


def dos_attributes(path):
    try:
        raw = os.getxattr(path, "user.DOSATTRIB")
    except OSError:
        return 0
    return int(raw.split(b"\0", 1)[0].decode("ascii"), 16) & ~0x30  # archive, directory


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


def expected_ini(picture, colour, icon=None):
    """The fresh file, with our three icon lines after the InfoTip when the
    folder's icon carries the picture."""
    with open(os.path.join(ROOT, "tests", "data", "fresh_cp1256.ini"), "rb") as f:
        lines = f.read().decode("cp1256").split("\r\n")
    lines = [("IconArea_Image=" + picture) if l.startswith("IconArea_Image=")
             else ("IconArea_Text=" + colour) if l.startswith("IconArea_Text=") else l
             for l in lines]
    if icon:
        at = next(i for i, l in enumerate(lines) if l.startswith("InfoTip=")) + 1
        lines[at:at] = [f"IconResource=.\\{icon},0", f"IconFile=.\\{icon}", "IconIndex=0"]
    return "\r\n".join(lines).encode("cp1256")


def our_icons(folder):
    return [n for n in os.listdir(folder) if re.fullmatch(r"folder-picture-[0-9a-f]{16}\.ico", n)]


class Road:
    """One typical use of the program, then its main failures."""

    def __init__(self, desktop, work):
        self.d = desktop
        self.work = work
        # The program on the paths Windows XP takes, where Wine reports XP.
        self.xp = "xp-paths" in os.path.basename(desktop.exe)
        self.target = os.path.join(work, "target")
        self.picture = os.path.join(work, "sky.jpg")
        os.makedirs(self.target)
        subprocess.run(["convert", "-size", "400x300", "gradient:#3060ff-#ffa020", self.picture],
                       check=True)

    def pick_folder(self, unix_folder):
        """Walks the folder browser's tree from its "/" item by keyboard."""
        d = self.d
        d.click(FOLDER_BUTTON)
        left, top, title, statics = d.dialog()
        check("حدد المجلد المراد تغيير خلفيته" in statics, f"folder browser text: {statics}")
        # A click on the tree's empty lower part gives it the keyboard.
        d.xdotool("mousemove", left + 90, top + 240, "click", "1")
        time.sleep(0.3)
        d.keys("Down", "Right")
        # Each folder is typed once its parent shows its children, and the
        # next one waits until the browser has selected it.
        for part in unix_folder.strip("/").split("/"):
            check(wait_for(lambda: (d.tree() or (False,))[0]),
                  f"the folder browser did not open the folder before {part}: {d.tree()}")
            d.type(part)
            check(wait_for(lambda: d.tree() is not None and d.tree()[1] == part),
                  f"the folder browser did not select {part}: {d.tree()}")
            d.keys("Right")
        d.keys("Return")
        check(d.no_dialog(), "the folder browser did not close")

    def pick_picture(self, path):
        d = self.d
        d.click(PICTURE_BUTTON)
        _, _, title, _ = d.dialog()
        check(title == "اختر الصورة من هنا", f"open-file dialog title: {title}")
        check(wait_for(d.dialog_edit), "the open-file dialog shows no file name box")
        d.type(wine_path(path))
        check(wait_for(lambda: wine_path(path) in d.dialog_edit()),
              f"the file name box holds {d.dialog_edit()}")
        d.keys("Return")
        check(d.no_dialog(), "the open-file dialog did not close")

    def pick_white(self):
        d = self.d
        d.click(COLOUR_BUTTON)
        left, top, title, _ = d.dialog()
        check(title == "اختر اللون المناسب لمحتويات المجلد", f"colour dialog title: {title}")
        d.xdotool("mousemove", left + WHITE_CELL[0], top + WHITE_CELL[1], "click", "1")
        time.sleep(0.3)
        d.keys("Return")
        check(d.no_dialog(), "the colour dialog did not close")

    def expect_message(self, text, title):
        got_title, statics = self.d.message()
        check(got_title == title and text in statics,
              f"message {statics!r} titled {got_title!r}, want {text!r} titled {title!r}")
        self.d.keys("Return")
        check(self.d.no_dialog(), "the message box did not close")

    # Steps, in order -----------------------------------------------------------

    def step_1_open(self):
        d = self.d
        d.start()
        check(d.outer == (9945 * d.dpi // 1440, 5190 * d.dpi // 1440), f"outer size {d.outer}")
        check(d.boxes() == ["C:\\Program Files", "C:\\WINDOWS\\ACD Wallpaper.bmp", "Text3"],
              f"boxes {d.boxes()}")
        shot = d.screenshot("01-open.png")
        r, g, b = d.pixel(shot, APPLY_BUTTON)
        check(g > 120 and r < 110, f"the apply button is not painted: {(r, g, b)}")

    def step_2_pick(self):
        d = self.d
        self.pick_folder(self.target)
        d.expect_boxes([wine_path(self.target) + "\\", "", "0"], "after the folder")
        self.pick_picture(self.picture)
        d.expect_boxes([None, wine_path(self.picture), None], "after the picture")
        self.pick_white()
        d.expect_boxes([None, None, "16777215"], "after the colour")
        d.move(BARE_AREA)
        # The empty preview is the dark background; the picture is a light gradient.
        preview = d.pixel_becomes(PREVIEW_CENTRE, lambda rgb: sum(rgb) > 300, "02-picked.png")
        check(sum(preview) > 300, f"no picture in the preview: {preview}")

    def step_3_apply(self):
        d = self.d
        d.screenshot("03-icon-box-%ddpi.png" % d.dpi)
        d.click(APPLY_BUTTON)
        d.message()
        d.screenshot("03-applied.png")
        self.expect_message("تم التغيير بنجاح", "")
        ini = os.path.join(self.target, "Desktop.ini")
        # Where Wine reports a Windows whose Explorer draws no background, the
        # picture goes on the folder's icon too; on XP's paths, not.
        icons = our_icons(self.target)
        check(len(icons) == (0 if self.xp else 1), f"icon files of ours: {icons}")
        with open(ini, "rb") as f:
            written = f.read()
        check(written == expected_ini(wine_path(self.picture), "16777215",
                                      None if self.xp else icons[0]), "Desktop.ini bytes differ")
        for icon in (os.path.join(self.target, name) for name in icons):
            check(wait_for(lambda: dos_attributes(icon) == 0x6),
                  f"icon file attributes {dos_attributes(icon):#x}")
        # The attributes are set once the message box is closed.
        check(wait_for(lambda: dos_attributes(ini) == 0x2),
              f"Desktop.ini attributes {dos_attributes(ini):#x}")
        check(wait_for(lambda: dos_attributes(self.target) == 0x4),
              f"folder attributes {dos_attributes(self.target):#x}")

    def step_4_reopen(self):
        d = self.d
        d.click(CLOSE_IMAGE)
        check(wait_for(d.closed), "the close image did not end the program")
        d.stop()
        d.start()
        self.pick_folder(self.target)
        d.expect_boxes([wine_path(self.target) + "\\", wine_path(self.picture), "16777215"],
                       "read back")

    def step_5_restore(self):
        d = self.d
        d.click(RESTORE_BUTTON)
        self.expect_message("تم الحذف بنجاح", "")
        check(os.listdir(self.target) == [], f"left after restore: {os.listdir(self.target)}")
        check(wait_for(lambda: dos_attributes(self.target) == 0),
              f"folder attributes {dos_attributes(self.target):#x}")
        check(d.boxes()[1] == "", f"picture box after restore: {d.boxes()}")

    def step_6_failures(self):
        d = self.d
        ini = os.path.join(self.target, "Desktop.ini")
        # No picture: the picture box is empty after the restore.
        d.click(APPLY_BUTTON)
        self.expect_message("من فضلك تأكد من تحديد الصورة", ERROR)
        check(not os.path.exists(ini), "written without a picture")

        # No folder: the browser cancelled empties the folder box.
        d.click(PICTURE_BOX)
        d.type(wine_path(self.picture))
        d.expect_boxes([None, wine_path(self.picture), None], "typed into the picture box")
        d.click(FOLDER_BUTTON)
        d.dialog()
        d.keys("Escape")
        check(d.no_dialog(), "the folder browser did not close")
        d.expect_boxes(["", "", None], "after the folder browser was cancelled")
        d.click(PICTURE_BOX)
        d.type(wine_path(self.picture))
        d.expect_boxes(["", wine_path(self.picture), None], "typed into the picture box")
        d.click(APPLY_BUTTON)
        self.expect_message("من فضلك تأكد من تحديد المجلد", ERROR)

        # A place nothing can be written to, not even by root.
        locked = os.path.join(self.work, "locked")
        os.makedirs(locked)
        if subprocess.run(["chattr", "+i", locked], capture_output=True).returncode != 0:
            print("  (chattr +i is not available here: the read-only case is left out)")
            return
        try:
            self.pick_folder(locked)
            d.expect_boxes([wine_path(locked) + "\\", "", None], "after the locked folder")
            d.click(PICTURE_BOX)
            d.type(wine_path(self.picture))
            d.expect_boxes([None, wine_path(self.picture), None], "typed into the picture box")
            d.click(APPLY_BUTTON)
            self.expect_message("تعذر حفظ التغيير في هذا المجلد", ERROR)
            check(os.listdir(locked) == [], f"written into the locked folder: {os.listdir(locked)}")
        finally:
            subprocess.run(["chattr", "-i", locked], check=False)

    def step_7_chrome(self):
        d = self.d
        d.move(BARE_AREA)
        # The face as it is unlit: the same in two screenshots in a row.
        previous = [None]
        def steady(rgb):
            same, previous[0] = rgb == previous[0], rgb
            return same
        dark = d.pixel_becomes(FOLDER_FACE, steady, "07-hover-off.png")
        d.move(FOLDER_BUTTON)
        lit = d.pixel_becomes(FOLDER_FACE, lambda rgb: sum(rgb) > sum(dark) + 30,
                              "07-hover-on.png")
        check(sum(lit) > sum(dark) + 30, f"no highlight: {dark} then {lit}")
        d.move((ABOUT_LABEL[0], ABOUT_LABEL[1]))
        still = d.pixel_stays(FOLDER_FACE, lambda rgb: sum(rgb) > sum(dark) + 30,
                              "07-hover-label.png")
        check(sum(still) > sum(dark) + 30, "a label hid the highlight")
        d.move(BARE_AREA)
        gone = d.pixel_becomes(FOLDER_FACE, lambda rgb: abs(sum(rgb) - sum(dark)) < 30,
                               "07-hover-gone.png")
        check(abs(sum(gone) - sum(dark)) < 30, "bare area did not hide the highlight")

        before = d.origin
        x, y = d.screen(BARE_AREA)
        d.xdotool("mousemove", x, y, "mousedown", "1")
        for step in range(1, 6):
            d.xdotool("mousemove", x - 10 * step, y - 6 * step)
            time.sleep(0.1)
        d.xdotool("mouseup", "1")
        # The move that starts the drag is the system's to take: the window
        # follows the pointer from there on.
        moved = (0, 0)
        def followed():
            nonlocal moved
            d.locate()
            moved = (d.origin[0] - before[0], d.origin[1] - before[1])
            return -50 <= moved[0] <= -40 and -30 <= moved[1] <= -24
        check(wait_for(followed), f"dragged by {moved}")

        d.click(ABOUT_LABEL)
        title, statics = d.message()
        check(title == "معلومات عن البرنامج", f"about title {title!r}")
        check(any("البرنامج من تصميم وبرمجة" in s for s in statics), f"about text {statics!r}")
        d.keys("Return")
        check(d.no_dialog(), "the about box did not close")

        d.move(BARE_AREA)
        d.click(CLOSE_IMAGE)
        check(wait_for(d.closed), "the close image did not end the program")

    def step_8_keyboard(self):
        """The whole road again with the keyboard alone: no mouse at all."""
        d = self.d
        folder = os.path.join(self.work, "keyboard")
        os.makedirs(folder)
        d.stop()  # whatever an earlier failed step left open
        d.start()
        d.keys("Tab")  # the first Tab lands on the folder box, which selects its text
        d.type(wine_path(folder) + "\\")
        d.expect_boxes([wine_path(folder) + "\\", "", "0"], "after typing the folder")

        d.keys("Tab", "Tab", "Tab", "space")  # the folder button, the picture box, its button
        _, _, title, _ = d.dialog()
        check(title == "اختر الصورة من هنا", f"open-file dialog title: {title}")
        check(wait_for(d.dialog_edit), "the open-file dialog shows no file name box")
        d.type(wine_path(self.picture))
        check(wait_for(lambda: wine_path(self.picture) in d.dialog_edit()),
              f"the file name box holds {d.dialog_edit()}")
        d.keys("Return")
        check(d.no_dialog(), "the open-file dialog did not close")
        d.expect_boxes([None, wine_path(self.picture), None], "after the picture")

        d.keys("Tab", "Return")  # the colour button
        _, _, title, _ = d.dialog()
        check(title == "اختر اللون المناسب لمحتويات المجلد", f"colour dialog title: {title}")
        d.keys("Return")  # the dialog's own colour, black
        check(d.no_dialog(), "the colour dialog did not close")
        d.expect_boxes([None, None, "0"], "after the colour")

        d.keys("Tab", "space")  # the icon box, turned the other way
        d.keys("Tab", "Return")  # apply
        d.message()
        d.screenshot("08-keyboard-applied.png")
        self.expect_message("تم التغيير بنجاح", "")
        ini = os.path.join(folder, "Desktop.ini")
        icons = our_icons(folder)
        check(len(icons) == (1 if self.xp else 0), f"icon files of ours: {icons}")
        with open(ini, "rb") as f:
            written = f.read()
        check(written == expected_ini(wine_path(self.picture), "0", icons[0] if icons else None),
              "Desktop.ini bytes differ")
        check(wait_for(lambda: dos_attributes(ini) == 0x2),
              f"Desktop.ini attributes {dos_attributes(ini):#x}")
        check(wait_for(lambda: dos_attributes(folder) == 0x4),
              f"folder attributes {dos_attributes(folder):#x}")

        d.keys("Escape")
        check(wait_for(d.closed), "Escape did not end the program")
        d.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the windows preset's build folder")
    parser.add_argument("--program", default="FolderBackground-x64.exe",
                        help="the program in that folder to drive")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("e2e: no DISPLAY; run through scripts/test")
        return 1
    shots = os.path.join(ROOT, "build", "e2e", os.path.splitext(args.program)[0])
    os.makedirs(shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="fb-e2e-", dir="/tmp")
    desktop = Desktop(args.build, args.program, shots)
    road = Road(desktop, work)
    passed = failed = 0
    steps = [name for name in sorted(dir(Road)) if name.startswith("step_")]
    try:
        for name in steps:
            try:
                getattr(road, name)()
                passed += 1
                print(f"ok   {name}")
            except Exception as error:  # a failed step is reported, the road goes on
                failed += 1
                print(f"FAIL {name}: {error}")
                if not isinstance(error, Failure):
                    traceback.print_exc()
                print(f"     screenshot of the failure: {desktop.screenshot(f'failed-{name}.png')}")
                if desktop.probe("dialogs"):
                    desktop.keys("Escape")
    finally:
        desktop.stop()
        subprocess.run(["chattr", "-R", "-i", work], capture_output=True)
        shutil.rmtree(work, ignore_errors=True)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
