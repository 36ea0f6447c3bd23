#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus into tests/fuzz/corpus/ and its
dictionary into tests/fuzz/desktop_ini.dict.

The seeds are the shapes of file a folder really has, in every encoding we
read, plus broken ones, so the fuzzer starts from the interesting edges
instead of finding them byte by byte. Run it again after changing a seed.
"""

import pathlib

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"
VIEW = "{BE098140-A513-11D0-A3A4-00C04FD706EC}"

# Our own file as the program writes it, taken from the unit tests' data.
OURS = (HERE.parent / "data" / "fresh_cp1256.ini").read_bytes()


def crlf(*lines):
    return "".join(line + "\r\n" for line in lines)


CUSTOM_ICON = crlf(
    "[.ShellClassInfo]",
    "IconResource=C:\\Windows\\System32\\shell32.dll,4",
    "LocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21770",
    "InfoTip=صور الرحلة",
    "ConfirmFileOp=0",
)

EXTRA_SECTIONS = crlf(
    "; written by hand",
    "Owner=someone",
    "[ViewState]",
    "Mode=",
    "Vid=",
    "FolderType=Pictures",
    "",
    "[.ShellClassInfo]",
    "IconFile=folder.ico",
    "IconIndex=0",
    "[" + VIEW + "]",
    "IconArea_Image=old.jpg",
    "IconArea_Text=0",
    "Attributes=1",
    "Extra=kept",
    "[DeleteOnCopy]",
    "Owner=Tester",
    "Personalized=5",
)

MIXED = crlf(
    "[.ShellClassInfo]",
    "IconResource=D:\\写真\\icon.ico,0",
    "[ExtShellFolderViews]",
    "Default=" + VIEW,
    "[" + VIEW.lower() + "]",
    "iconarea_image=\"C:\\Pictures\\sea.jpg\"",
    "ICONAREA_TEXT = 255",
)


# Windows' own file in a library folder: a blank first line and an InfoTip
# that is not ours.
MUSIC = crlf(
    "",
    "[.ShellClassInfo]",
    "LocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21790",
    "InfoTip=@%SystemRoot%\\system32\\shell32.dll,-12689",
    "IconResource=%SystemRoot%\\system32\\imageres.dll,-108",
)

COMMENTED = crlf(
    "; made by hand",
    "[.ShellClassInfo]",
    "; the blue one",
    "IconResource=C:\\blue.ico,0",
    "",
    "[ExtShellFolderViews]",
    "; nothing here yet",
)


def utf16(text, order):
    bom = b"\xff\xfe" if order == "le" else b"\xfe\xff"
    return bom + text.encode("utf-16-" + order)


SEEDS = {
    "ours_cp1256.ini": OURS,
    "custom_icon_cp1256.ini": CUSTOM_ICON.encode("cp1256"),
    "extra_sections_cp1256.ini": EXTRA_SECTIONS.encode("cp1256"),
    "mixed_utf16le.ini": utf16(MIXED, "le"),
    "custom_icon_utf16be.ini": utf16(CUSTOM_ICON, "be"),
    "extra_sections_utf8.ini": b"\xef\xbb\xbf" + EXTRA_SECTIONS.encode("utf-8"),
    "no_line_end.ini": b"[.ShellClassInfo]\r\nIconResource=a.ico,0",
    "lone_cr.ini": b"[ViewState]\rMode=1\r[.ShellClassInfo]\rInfoTip=x\r\rKey=1",
    "nul_bytes.ini": b"[.Shell\x00ClassInfo]\r\nIcon\x00File=a\x00.ico\r\n\x00\r\n",
    "unclosed_header.ini": crlf("[ViewState", "Mode=1", "[" + VIEW, "IconArea_Text=1").encode(),
    "odd_utf16le.ini": utf16(crlf("[ViewState]", "Mode=1"), "le") + b"\x41",
    "lone_bom_utf16le.ini": b"\xff\xfe",
    "lone_bom_utf8.ini": b"\xef\xbb\xbf",
    "music_folder_cp1256.ini": MUSIC.encode("cp1256"),
    "their_info_tip_cp1256.ini": crlf("[.ShellClassInfo]", "InfoTip=صور الرحلة").encode("cp1256"),
    "commented_cp1256.ini": COMMENTED.encode("cp1256"),
}


# Seeds that cannot be put back byte for byte, which apply and restore
# must leave alone.
SEEDS.update({
    "utf16le_without_bom.ini": CUSTOM_ICON.encode("utf-16-le"),
    "bad_utf8_after_bom.ini": b"\xef\xbb\xbf[A]\r\nk=\xc3(\r\n",
})

WARNING = "ممنوع حذف هذا الملف لانه المسؤول على تغيير خلفية المجلد"
INFO_TIP = "حمل برامج عربية متنوعة من شبكة الأدوات العربية المفتوحة https://fbg.example.net"
GREETING = "مع تحيات فريق تطوير خلفية المجلد .. الأدوات العربية المفتوحة "

# Words the fuzzer would hardly find byte by byte.
DICTIONARY = [
    *(text.encode() for text in (
        "[.ShellClassInfo]", "[ExtShellFolderViews]", "[" + VIEW + "]",
        VIEW + "=" + VIEW, VIEW, "InfoTip=", "IconArea_Image=", "IconArea_Text=",
        "Attributes=1", "IconResource=", "IconFile=", "LocalizedResourceName=@",
        "[ViewState]", "\r\n", "\n", "\r", "=", ";", "[", "]", "\"")),
    b"\xff\xfe", b"\xfe\xff", b"\xef\xbb\xbf",
    "\r\n".encode("utf-16-le"), "\r\n".encode("utf-16-be"),
    "[.ShellClassInfo]".encode("utf-16-le"), "IconArea_Image=".encode("utf-16-le"),
    b"\x00\xd8", b"\xc3(", b"\xc0\xaf", b"\x00",
    *(text.encode(encoding)
      for text in (WARNING, INFO_TIP, GREETING, "صور الرحلة", "\u200f\u06d2")
      for encoding in ("cp1256", "utf-8")),
    ("InfoTip=" + INFO_TIP).encode("cp1256"),
]


def dictionary_entry(number, data):
    text = "".join(chr(b) if 0x20 <= b < 0x7F and chr(b) not in '"\\' else "\\x%02X" % b
                   for b in data)
    return f'word_{number}="{text}"'


def main():
    CORPUS.mkdir(exist_ok=True)
    for name, data in SEEDS.items():
        (CORPUS / name).write_bytes(data)
    words = [dictionary_entry(n, data) for n, data in enumerate(DICTIONARY)]
    (HERE / "desktop_ini.dict").write_text(
        "# Made by make_corpus.py: our keys and sections, byte-order marks, line\n"
        "# ends in each encoding, and our Arabic texts in code page 1256 and UTF-8.\n"
        + "\n".join(words) + "\n")


if __name__ == "__main__":
    main()
