#!/usr/bin/env python3
"""Checks every function a PE file imports, directly or delay-loaded, against
lists of what Windows NT 5.x (XP SP3, XP x64, Server 2003) exports.

Windows refuses to start a program one of whose imports is missing, and a
missing delay-loaded function crashes on its first call; neither shows on a
newer Windows or under Wine, which export far more.

    check_imports.py --baseline tests/data/nt5-exports [--arch i386|x86_64] EXE...

Without --arch the architecture comes from the file's machine field. Exits
non-zero if any name is missing or imported by ordinal (an ordinal can mean a
different function, or none, on another Windows)."""
import argparse
import os
import re
import struct
import sys

MACHINES = {0x14C: "i386", 0x8664: "x86_64"}
IMPORT_DIRECTORY = 1
DELAY_IMPORT_DIRECTORY = 13
DLL_NAME = re.compile(r"^[A-Za-z0-9_.-]+\.dll$", re.IGNORECASE)
IDENTIFIER = re.compile(r"^[A-Za-z_?@$][A-Za-z0-9_?@$]*$")


class BadPE(Exception):
    pass


class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise BadPE("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise BadPE("no PE signature")
        machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        self.arch = MACHINES.get(machine)
        optional = pe + 24
        magic = self.u16(optional)
        if magic == 0x10B:
            self.pe32plus = False
            self.image_base = self.u32(optional + 28)
            directories, count = optional + 96, self.u32(optional + 92)
        elif magic == 0x20B:
            self.pe32plus = True
            self.image_base = self.u64(optional + 24)
            directories, count = optional + 112, self.u32(optional + 108)
        else:
            raise BadPE(f"unknown optional header magic {magic:#x}")
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(min(count, 16))]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            vsize, va, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((va, max(vsize, raw_size), raw, raw_size))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def u64(self, offset):
        return struct.unpack_from("<Q", self.data, offset)[0]

    def offset(self, rva):
        for va, size, raw, raw_size in self.sections:
            if va <= rva < va + size:
                if rva - va >= raw_size:
                    raise BadPE(f"RVA {rva:#x} is in a section's uninitialised tail")
                return raw + rva - va
        raise BadPE(f"RVA {rva:#x} is in no section")

    def string(self, rva):
        start = self.offset(rva)
        end = self.data.find(b"\0", start)
        if end < 0:
            raise BadPE(f"unterminated string at RVA {rva:#x}")
        return self.data[start:end].decode("ascii", "replace")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def thunks(self, rva, names_only=True):
        """Names (str) or ordinals (int) of a zero-terminated thunk table; with
        names_only False, the raw values (an import address table's)."""
        size, flag = (8, 1 << 63) if self.pe32plus else (4, 1 << 31)
        entries = []
        offset = self.offset(rva)
        while True:
            value = self.u64(offset) if self.pe32plus else self.u32(offset)
            if value == 0:
                return entries
            if not names_only:
                entries.append(value)
            elif value & flag:
                entries.append(value & 0xFFFF)
            else:
                entries.append(self.string(value + 2))
            offset += size

    def imports(self):
        """(dll, name or ordinal, delay-loaded, slot) for every import; slot
        is what a delay-loaded import's address table entry holds at first."""
        found = []
        rva, _ = self.directory(IMPORT_DIRECTORY)
        if rva:
            offset = self.offset(rva)
            while True:
                lookup, _, _, name, address = struct.unpack_from("<IIIII", self.data, offset)
                if name == 0:
                    break
                dll = self.string(name)
                found += [(dll, f, False, None) for f in self.thunks(lookup or address)]
                offset += 20
        for dll, names, slots in self.delay_imports():
            found += [(dll, f, True, slot) for f, slot in zip(names, slots)]
        return found

    def delay_descriptor(self, offset):
        """(dll, names, slots) of the delay-import descriptor at a file offset,
        or None if the 32 bytes there cannot be one. slots holds what the
        import address table holds before the first call, for each name."""
        if offset + 32 > len(self.data):
            return None
        attributes, name, handle, address, lookup, bound, unload, _ = \
            struct.unpack_from("<8I", self.data, offset)
        if attributes not in (0, 1) or 0 in (name, handle, address, lookup):
            return None
        # Without the RVA flag the fields are addresses (old linkers).
        base = 0 if attributes & 1 else self.image_base
        try:
            for rva in (handle, bound, unload):
                if rva:
                    self.offset(rva - base)
            dll = self.string(name - base)
            names = self.thunks(lookup - base)
            size = 8 if self.pe32plus else 4
            start = self.offset(address - base)
            slots = [self.u64(start + size * i) if self.pe32plus else self.u32(start + size * i)
                     for i in range(len(names))]
        except (BadPE, struct.error, OverflowError):
            return None
        if not DLL_NAME.match(dll) or not names:
            return None
        if not all(isinstance(n, int) or IDENTIFIER.match(n) for n in names):
            return None
        return dll, names, slots

    def delay_imports(self):
        """(dll, names, slots) of every delay-import descriptor: those the delay-import
        directory lists, and those found by scanning the sections, since GNU ld
        before 2.42 leaves the directory empty for dlltool's delay-import
        libraries although the descriptors are in the file and used."""
        offsets = []
        rva, _ = self.directory(DELAY_IMPORT_DIRECTORY)
        if rva:
            offset = self.offset(rva)
            while offset + 32 <= len(self.data) and self.u32(offset + 4):
                offsets.append(offset)
                offset += 32
        self.scanned = 0
        for _, _, raw, raw_size in self.sections:
            for offset in range(raw, raw + raw_size - 31, 4):
                if offset not in offsets and self.delay_descriptor(offset):
                    offsets.append(offset)
                    self.scanned += 1
        found = []
        for offset in offsets:
            descriptor = self.delay_descriptor(offset)
            if descriptor is None:
                raise BadPE(f"bad delay-import descriptor at file offset {offset:#x}")
            found.append(descriptor)
        return found


def load_baseline(directory):
    """{dll name in lower case: {name: set of architectures, None for all}}"""
    baseline = {}
    for entry in sorted(os.listdir(directory)):
        if not entry.endswith(".txt"):
            continue
        names = {}
        with open(os.path.join(directory, entry), encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if not line or line.startswith("#"):
                    continue
                name, _, arch = line.partition(" arch=")
                names.setdefault(name, set()).add(arch or None)
        baseline[entry[:-4].lower() + ".dll"] = names
    return baseline


def check(imports, baseline, arch):
    """[(dll, [(name, delay-loaded, problem or None)])] in import order."""
    by_dll = {}
    for dll, name, delayed, slot in imports:
        exported = baseline.get(dll.lower())
        if delayed and slot == 0:
            # The first call jumps through this entry to load the DLL.
            problem = "its address table entry is empty: the first call jumps to address 0"
        elif exported is None:
            problem = "no list of this DLL's exports"
        elif isinstance(name, int):
            problem = "imported by ordinal"
        elif name not in exported:
            problem = "not exported"
        elif None not in exported[name] and arch not in exported[name]:
            problem = "exported on " + " and ".join(sorted(exported[name])) + " only"
        else:
            problem = None
        by_dll.setdefault(dll.lower(), []).append((name, delayed, problem))
    return list(by_dll.items())


def describe(name):
    return f"ordinal {name}" if isinstance(name, int) else name


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--baseline", required=True, help="directory of DLL.txt export lists")
    parser.add_argument("--arch", choices=sorted(set(MACHINES.values())))
    parser.add_argument("exe", nargs="+")
    args = parser.parse_args(argv)
    baseline = load_baseline(args.baseline)
    passed = failed = 0
    for path in args.exe:
        try:
            with open(path, "rb") as f:
                pe = PE(f.read())
            arch = args.arch or pe.arch
            if arch is None:
                raise BadPE("unknown machine; give --arch")
            results = check(pe.imports(), baseline, arch)
        except (OSError, BadPE, struct.error) as e:
            print(f"{path}: cannot read imports: {e}")
            failed += 1
            continue
        print(f"{path} ({arch}):")
        if pe.scanned:
            print(f"  {pe.scanned} delay-import descriptors found by scanning:"
                  " the delay-import directory does not list them")
        for dll, names in results:
            delayed = sum(1 for _, d, _ in names if d)
            missing = [(n, d, p) for n, d, p in names if p]
            note = f", {delayed} delay-loaded" if delayed else ""
            print(f"  {dll}: {len(names)} names checked{note}, {len(missing)} missing")
            for name, d, problem in missing:
                print(f"    FAIL {describe(name)}{' (delay-loaded)' if d else ''}: {problem}")
            passed += len(names) - len(missing)
            failed += len(missing)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
