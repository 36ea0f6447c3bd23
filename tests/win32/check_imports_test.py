#!/usr/bin/env python3
"""Tests of check_imports.py on PE files built in memory, on tiny programs
built with the MinGW-w64 compilers when they are installed, and of the
committed NT 5.x export lists themselves."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import check_imports  # noqa: E402

BASELINE = os.path.join(os.path.dirname(HERE), "data", "nt5-exports")
IMAGE_BASE = 0x400000
SECTION_RVA, SECTION_RAW = 0x1000, 0x200


class Section:
    """One section's bytes, laid out as they are added."""

    def __init__(self):
        self.data = bytearray()

    def add(self, blob, align=4):
        self.data += b"\0" * (-len(self.data) % align)
        rva = SECTION_RVA + len(self.data)
        self.data += blob
        return rva

    def put(self, rva, blob):
        offset = rva - SECTION_RVA
        self.data[offset:offset + len(blob)] = blob


def make_pe(pe32plus=False, machine=None, imports=(), delay=(), delay_directory=True):
    """A PE file with one section. imports: [(dll, [name or ordinal])];
    delay: [(dll, [name or ordinal], attributes, slot value)]."""
    size, flag, fmt = (8, 1 << 63, "<Q") if pe32plus else (4, 1 << 31, "<I")
    section = Section()

    def thunk_table(names):
        values = []
        for name in names:
            if isinstance(name, int):
                values.append(flag | name)
            else:
                values.append(section.add(b"\0\0" + name.encode() + b"\0", 2))
        return section.add(b"".join(struct.pack(fmt, v) for v in values + [0]), size)

    descriptors = []
    for dll, names in imports:
        name_rva = section.add(dll.encode() + b"\0")
        lookup = thunk_table(names)
        address = thunk_table(names)
        descriptors.append(struct.pack("<IIIII", lookup, 0, 0, name_rva, address))
    import_rva = section.add(b"".join(descriptors) + b"\0" * 20) if imports else 0

    delay_descriptors = []
    for dll, names, attributes, slot in delay:
        base = 0 if attributes & 1 else IMAGE_BASE
        name_rva = section.add(dll.encode() + b"\0")
        handle = section.add(b"\0" * size, size)
        lookup = thunk_table(names)
        address = section.add(b"".join(struct.pack(fmt, slot) for _ in names) + b"\0" * size, size)
        delay_descriptors.append(struct.pack("<8I", attributes, name_rva + base, handle + base,
                                             address + base, lookup + base, 0, 0, 0))
    delay_rva = section.add(b"".join(delay_descriptors) + b"\0" * 32) if delay else 0

    directories = [(0, 0)] * 16
    directories[1] = (import_rva, 20 * (len(imports) + 1))
    if delay_directory:
        directories[13] = (delay_rva, 32 * (len(delay) + 1))
    if pe32plus:
        optional = struct.pack("<HBBIIIIIQ", 0x20B, 0, 0, 0, 0, 0, 0, 0, IMAGE_BASE)
        optional += b"\0" * (108 - len(optional)) + struct.pack("<I", 16)
        machine = machine or 0x8664
    else:
        optional = struct.pack("<HBBIIIIIII", 0x10B, 0, 0, 0, 0, 0, 0, 0, 0, IMAGE_BASE)
        optional += b"\0" * (92 - len(optional)) + struct.pack("<I", 16)
        machine = machine or 0x14C
    optional += b"".join(struct.pack("<II", *d) for d in directories)
    section.data += b"\0" * (-len(section.data) % 0x200)
    header = struct.pack("<8sIIIIHHI", b".data", len(section.data), SECTION_RVA,
                         len(section.data), SECTION_RAW, 0, 0, 0)
    coff = struct.pack("<HHIIIHH", machine, 1, 0, 0, 0, len(optional), 0x102)
    dos = b"MZ" + b"\0" * 0x3A + struct.pack("<I", 0x40)
    headers = dos + b"PE\0\0" + coff + optional + header
    assert len(headers) <= SECTION_RAW
    return headers + b"\0" * (SECTION_RAW - len(headers)) + bytes(section.data)


TEST_BASELINE = {
    "kernel32.txt": "# test\nCreateFileW\nInterlockedIncrement arch=i386\nRtlVirtualUnwind arch=x86_64\n",
    "user32.txt": "MessageBoxW\n",
    "shell32.txt": "SHBrowseForFolderW\n",
}


class CheckImportsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.baseline_dir = tempfile.mkdtemp()
        for name, text in TEST_BASELINE.items():
            with open(os.path.join(cls.baseline_dir, name), "w") as f:
                f.write(text)
        cls.baseline = check_imports.load_baseline(cls.baseline_dir)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.baseline_dir)

    def problems(self, pe_bytes, arch=None):
        pe = check_imports.PE(pe_bytes)
        results = check_imports.check(pe.imports(), self.baseline, arch or pe.arch)
        return {(dll, name, delayed): problem
                for dll, names in results for name, delayed, problem in names}

    def test_cases(self):
        ok = None
        cases = [
            # (what, PE arguments, expected {(dll, name, delay-loaded): problem or None})
            ("PE32 import by name", dict(imports=[("KERNEL32.dll", ["CreateFileW"])]),
             {("kernel32.dll", "CreateFileW", False): ok}),
            ("PE32+ import by name", dict(pe32plus=True, imports=[("user32.dll", ["MessageBoxW"])]),
             {("user32.dll", "MessageBoxW", False): ok}),
            ("newer function", dict(imports=[("kernel32.dll", ["CreateFileW", "GetTickCount64"])]),
             {("kernel32.dll", "CreateFileW", False): ok,
              ("kernel32.dll", "GetTickCount64", False): "not exported"}),
            ("import by ordinal", dict(pe32plus=True, imports=[("user32.dll", [17])]),
             {("user32.dll", 17, False): "imported by ordinal"}),
            ("DLL without a list", dict(imports=[("dwmapi.dll", ["DwmFlush"])]),
             {("dwmapi.dll", "DwmFlush", False): "no list of this DLL's exports"}),
            ("i386-only name in a 32-bit file", dict(imports=[("kernel32.dll", ["InterlockedIncrement"])]),
             {("kernel32.dll", "InterlockedIncrement", False): ok}),
            ("i386-only name in a 64-bit file",
             dict(pe32plus=True, imports=[("kernel32.dll", ["InterlockedIncrement"])]),
             {("kernel32.dll", "InterlockedIncrement", False): "exported on i386 only"}),
            ("x86_64-only name in a 64-bit file",
             dict(pe32plus=True, imports=[("kernel32.dll", ["RtlVirtualUnwind"])]),
             {("kernel32.dll", "RtlVirtualUnwind", False): ok}),
            ("delay import, RVA fields",
             dict(delay=[("shell32.dll", ["SHBrowseForFolderW"], 1, 0x1234)]),
             {("shell32.dll", "SHBrowseForFolderW", True): ok}),
            ("delay import, address fields",
             dict(delay=[("shell32.dll", ["SHBrowseForFolderW"], 0, 0x401234)]),
             {("shell32.dll", "SHBrowseForFolderW", True): ok}),
            ("PE32+ delay import missing from the list",
             dict(pe32plus=True, delay=[("user32.dll", ["GetDpiForWindow"], 1, 0x140001234)]),
             {("user32.dll", "GetDpiForWindow", True): "not exported"}),
            ("delay import the directory does not list",
             dict(pe32plus=True, delay_directory=False,
                  imports=[("kernel32.dll", ["CreateFileW"])],
                  delay=[("shell32.dll", ["SHBrowseForFolderW"], 1, 0x1234),
                         ("user32.dll", ["MessageBoxW"], 1, 0x1238)]),
             {("kernel32.dll", "CreateFileW", False): ok,
              ("shell32.dll", "SHBrowseForFolderW", True): ok,
              ("user32.dll", "MessageBoxW", True): ok}),
            ("delay import with an empty slot",
             dict(delay_directory=False, delay=[("shell32.dll", ["SHBrowseForFolderW"], 1, 0)]),
             {("shell32.dll", "SHBrowseForFolderW", True):
              "its address table entry is empty: the first call jumps to address 0"}),
        ]
        for what, arguments, expected in cases:
            with self.subTest(what):
                self.assertEqual(self.problems(make_pe(**arguments)), expected)

    def test_arch_option_overrides_the_machine_field(self):
        pe = make_pe(imports=[("kernel32.dll", ["InterlockedIncrement"])])
        self.assertEqual(self.problems(pe, arch="x86_64"),
                         {("kernel32.dll", "InterlockedIncrement", False): "exported on i386 only"})

    def test_not_a_pe_file(self):
        for what, data in [("empty", b""), ("text", b"hello world" * 10),
                           ("MZ without PE", b"MZ" + b"\0" * 200)]:
            with self.subTest(what), self.assertRaises((check_imports.BadPE, struct.error)):
                check_imports.PE(data).imports()

    def test_exit_status_and_closing_line(self):
        with tempfile.TemporaryDirectory() as d:
            good, bad = os.path.join(d, "good.exe"), os.path.join(d, "bad.exe")
            with open(good, "wb") as f:
                f.write(make_pe(imports=[("kernel32.dll", ["CreateFileW"])]))
            with open(bad, "wb") as f:
                f.write(make_pe(imports=[("kernel32.dll", ["CreateFileW", "GetTickCount64"])]))
            for paths, status, last in [([good], 0, "1 passed, 0 failed"),
                                        ([good, bad], 1, "2 passed, 1 failed")]:
                run = subprocess.run([sys.executable, os.path.join(HERE, "check_imports.py"),
                                      "--baseline", self.baseline_dir] + paths,
                                     capture_output=True, text=True)
                self.assertEqual(run.returncode, status, run.stdout)
                self.assertEqual(run.stdout.splitlines()[-1], last)


class Nt5ExportListsTest(unittest.TestCase):
    """The committed lists: well-known NT 5.x functions in, newer ones out."""

    @classmethod
    def setUpClass(cls):
        cls.baseline = check_imports.load_baseline(BASELINE)

    def test_present_and_absent(self):
        present = [("kernel32", "CreateFileW"), ("kernel32", "ReplaceFileW"),
                   ("kernel32", "SetDllDirectoryW"), ("kernel32", "GetModuleHandleExW"),
                   ("user32", "MessageBoxW"), ("user32", "SetLayeredWindowAttributes"),
                   ("gdi32", "GdiAlphaBlend"), ("msimg32", "AlphaBlend"),
                   ("msvcrt", "_wfopen"), ("msvcrt", "__getmainargs"),
                   ("advapi32", "RegOpenKeyExW"), ("ole32", "CoInitializeEx"),
                   ("ole32", "RegisterDragDrop"), ("oleaut32", "OleLoadPicture"),
                   ("oleaut32", "SysAllocString"), ("shell32", "SHBrowseForFolderW"),
                   ("shell32", "DragQueryFileW"), ("comdlg32", "GetOpenFileNameW"),
                   ("comctl32", "InitCommonControlsEx"), ("comctl32", "SetWindowSubclass"),
                   ("oleacc", "CreateStdAccessibleObject"), ("oleacc", "LresultFromObject"),
                   ("uxtheme", "OpenThemeData")]
        absent = [("kernel32", "GetTickCount64"), ("kernel32", "GetLocaleInfoEx"),
                  ("kernel32", "SetDefaultDllDirectories"), ("kernel32", "InitializeConditionVariable"),
                  ("kernel32", "AcquireSRWLockExclusive"), ("kernel32", "CreateSymbolicLinkW"),
                  ("kernel32", "GetFinalPathNameByHandleW"), ("user32", "GetDpiForWindow"),
                  ("user32", "SetProcessDPIAware"), ("shell32", "SHGetPathFromIDListEx"),
                  ("shell32", "SHGetKnownFolderPath"), ("comctl32", "TaskDialogIndirect"),
                  ("comctl32", "LoadIconMetric"), ("ole32", "CoRegisterInitializeSpy"),
                  ("uxtheme", "BeginBufferedPaint"), ("msvcrt", "_wfopen_s")]
        for dll, name in present:
            with self.subTest(f"{dll}!{name} present"):
                self.assertEqual(self.baseline[dll + ".dll"].get(name), {None})
        for dll, name in absent:
            with self.subTest(f"{dll}!{name} absent"):
                self.assertNotIn(name, self.baseline[dll + ".dll"])

    def test_architecture_marks(self):
        for dll, name, arch in [("kernel32", "InterlockedIncrement", "i386"),
                                ("kernel32", "RtlVirtualUnwind", "x86_64"),
                                ("user32", "GetWindowLongPtrW", "x86_64"),
                                ("msvcrt", "_except_handler3", "i386"),
                                ("msvcrt", "__C_specific_handler", "x86_64")]:
            with self.subTest(f"{dll}!{name}"):
                self.assertEqual(self.baseline[dll + ".dll"][name], {arch})

    def test_files_are_sorted_without_duplicates(self):
        for entry in sorted(os.listdir(BASELINE)):
            if not entry.endswith(".txt"):
                continue
            with self.subTest(entry), open(os.path.join(BASELINE, entry)) as f:
                lines = [l.rstrip("\n") for l in f if not l.startswith("#")]
                self.assertTrue(lines)
                self.assertEqual(lines, sorted(set(lines)))
                for line in lines:
                    name, _, arch = line.partition(" arch=")
                    self.assertNotIn(" ", name)
                    self.assertIn(arch, ("", "i386", "x86_64"))


COMPILERS = {"i386": "i686-w64-mingw32-g++-win32", "x86_64": "x86_64-w64-mingw32-g++-win32"}
PROGRAM = r"""
#include <windows.h>
int main() { MessageBoxW(0, L"", L"", 0); return (int)GetTickCount64(); }
"""


class MinGWProgramTest(unittest.TestCase):
    """The same checks on what the real toolchain writes."""

    def test_mingw_programs(self):
        for arch, compiler in COMPILERS.items():
            with self.subTest(arch):
                if not shutil.which(compiler):
                    self.skipTest(f"{compiler} is not installed")
                with tempfile.TemporaryDirectory() as d:
                    source, exe = os.path.join(d, "p.cpp"), os.path.join(d, "p.exe")
                    with open(source, "w") as f:
                        f.write(PROGRAM)
                    subprocess.run([compiler, "-D_WIN32_WINNT=0x0600", "-static", "-O1",
                                    source, "-o", exe], check=True)
                    with open(exe, "rb") as f:
                        pe = check_imports.PE(f.read())
                    self.assertEqual(pe.arch, arch)
                    baseline = check_imports.load_baseline(BASELINE)
                    problems = {(dll, name): problem for dll, names in
                                check_imports.check(pe.imports(), baseline, arch)
                                for name, _, problem in names}
                    self.assertIsNone(problems[("user32.dll", "MessageBoxW")])
                    self.assertEqual(problems[("kernel32.dll", "GetTickCount64")], "not exported")
                    # Everything else the C runtime and start-up code import is on XP.
                    others = {k: v for k, v in problems.items() if v and k[1] != "GetTickCount64"}
                    self.assertEqual(others, {})

    def test_mingw_delay_import(self):
        compiler, dlltool = COMPILERS["x86_64"], "x86_64-w64-mingw32-dlltool"
        if not (shutil.which(compiler) and shutil.which(dlltool)):
            self.skipTest("the x86_64 MinGW-w64 toolchain is not installed")
        with tempfile.TemporaryDirectory() as d:
            source, exe = os.path.join(d, "p.cpp"), os.path.join(d, "p.exe")
            definition, library = os.path.join(d, "shell32.def"), os.path.join(d, "libdelay.a")
            with open(source, "w") as f:
                f.write("#include <windows.h>\n#include <shlobj.h>\n"
                        "int main() { return SHBrowseForFolderW(nullptr) != nullptr; }\n")
            with open(definition, "w") as f:
                f.write("LIBRARY shell32.dll\nEXPORTS\nSHBrowseForFolderW\n")
            subprocess.run([dlltool, "--input-def", definition, "--dllname", "shell32.dll",
                            "--output-delaylib", library], check=True)
            subprocess.run([compiler, "-static", "-O1", source, "-o", exe, library], check=True)
            with open(exe, "rb") as f:
                pe = check_imports.PE(f.read())
            delayed = [(dll, name) for dll, name, d_, slot in pe.imports() if d_]
            self.assertEqual(delayed, [("shell32.dll", "SHBrowseForFolderW")])


if __name__ == "__main__":
    unittest.main()
