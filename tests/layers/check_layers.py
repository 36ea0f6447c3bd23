#!/usr/bin/env python3
"""Fails when a source file includes a header from a folder its target does
not link: every #include "..." must run down the layers the build declares.

The layers come from the build itself (layers.json, written by
cmake/LayerMap.cmake at configure time): which folder defines each target,
its sources, its include folders and its links. A file belongs to the targets
that compile it; a header to the targets defined in its folder or, where none
is, to those that compile a source beside it. A source no target of this
build compiles belongs to another build's map. A file may include a header of
its own target or of a target it can use: its links and, through them, what
those export. Files no target reaches (system headers, generated ones,
folders the build does not yet know) are not judged.

usage: check_layers.py BUILD/layers.json [...]
"""

import json
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c")
HEADER_SUFFIXES = (".h", ".hpp")
# The layers and their tests. The benchmarks borrow the header-only handle
# owners of layers they do not link, on purpose, and are not judged.
JUDGED = ("src", "tests")


class Layers:
    def __init__(self, layer_map):
        self.root = os.path.normpath(layer_map["root"])
        self.targets = layer_map["targets"]
        self.compiled_by = {}  # file -> targets that compile it
        self.defined_in = {}  # folder -> targets defined there
        self.compiling_in = {}  # folder -> targets that compile a file there
        self.search = []  # include folders, in the order first seen
        for name, target in self.targets.items():
            folder = os.path.normpath(target["folder"])
            self.defined_in.setdefault(folder, set()).add(name)
            for source in target["sources"]:
                source = os.path.normpath(source)
                if not source.endswith(SOURCE_SUFFIXES):
                    continue  # resource scripts and the like make no layer
                self.compiled_by.setdefault(source, set()).add(name)
                self.compiling_in.setdefault(os.path.dirname(source), set()).add(name)
            for folder in target["includes"]:
                folder = os.path.normpath(folder)
                if folder not in self.search:
                    self.search.append(folder)

    def owners(self, path):
        if path in self.compiled_by:
            return self.compiled_by[path]
        if not path.endswith(HEADER_SUFFIXES):
            return set()  # a source only another build compiles, judged there
        folder = os.path.dirname(path)
        return self.defined_in.get(folder) or self.compiling_in.get(folder, set())

    def usable(self, name):
        """The target itself, what it links, and what those pass on."""
        seen = {name}
        pending = [l for l in self.targets[name]["links"] if l in self.targets]
        while pending:
            link = pending.pop()
            if link in seen:
                continue
            seen.add(link)
            pending += [l for l in self.targets[link]["interface_links"] if l in self.targets]
        return seen

    def resolve(self, including, header):
        for folder in [os.path.dirname(including)] + self.search:
            candidate = os.path.normpath(os.path.join(folder, header))
            if os.path.isfile(candidate):
                return candidate
        return None

    def judged(self, path):
        return any(path.startswith(os.path.join(self.root, top) + os.sep) for top in JUDGED)

    def violations(self):
        files = set(self.compiled_by)
        for folder in set(self.defined_in) | set(self.compiling_in):
            if os.path.isdir(folder):
                files |= {os.path.join(folder, f) for f in os.listdir(folder)}
        usable = {name: self.usable(name) for name in self.targets}
        found = []
        for path in sorted(files):
            if not path.endswith(SOURCE_SUFFIXES) or not self.judged(path):
                continue
            owners = self.owners(path)
            if not owners or not os.path.isfile(path):
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for header in INCLUDE.findall(text):
                resolved = self.resolve(path, header)
                header_owners = self.owners(resolved) if resolved else set()
                if not header_owners:
                    continue
                # A compiled file must suit every target that compiles it; a
                # header, one of its folder's targets (a folder of several
                # programs shares its headers among the ones that use them).
                allowed = [header_owners & usable[o] for o in owners]
                if all(allowed) if path in self.compiled_by else any(allowed):
                    continue
                found.append((os.path.relpath(path, self.root), header,
                              sorted(o for o, ok in zip(owners, allowed) if not ok),
                              sorted(header_owners)))
        return found


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    failed = False
    for map_file in argv[1:]:
        with open(map_file, encoding="utf-8") as f:
            layers = Layers(json.load(f))
        for path, header, owners, header_owners in layers.violations():
            failed = True
            print(f'{path}: includes "{header}" of {", ".join(header_owners)}, '
                  f"which {', '.join(owners)} do not link", file=sys.stderr)
    if failed:
        print("layers: an include runs against the links (docs/architecture.md)",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
