#!/usr/bin/env python3
"""The layer check over a small project of its own, configured by CMake with
cmake/LayerMap.cmake: each case adds one include and expects the check to pass
or to name the file."""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import check_layers  # noqa: E402

# base <- middle <- top <- top/win32, with middle keeping `hidden` to itself,
# and fakes beside the tests linking base only, like the real tree.
PROJECT = {
    "CMakeLists.txt": """cmake_minimum_required(VERSION 3.25)
project(Fixture LANGUAGES CXX)
add_subdirectory(src/base)
add_subdirectory(src/hidden)
add_subdirectory(src/middle)
add_subdirectory(src/top)
add_subdirectory(src/top/win32)
add_subdirectory(tests)
include(${LAYER_MAP})
write_layer_map(${CMAKE_BINARY_DIR}/layers.json)
""",
    "src/base/CMakeLists.txt": """add_library(base INTERFACE)
target_include_directories(base INTERFACE ${PROJECT_SOURCE_DIR}/src)
""",
    "src/base/base.h": "#pragma once\n",
    "src/hidden/CMakeLists.txt": "add_library(hidden STATIC hidden.cpp)\n",
    "src/hidden/hidden.h": "#pragma once\n",
    "src/hidden/hidden.cpp": '#include "hidden.h"\n',
    "src/middle/CMakeLists.txt": """add_library(middle STATIC middle.cpp)
target_link_libraries(middle PUBLIC base PRIVATE hidden)
""",
    "src/middle/middle.h": '#pragma once\n#include "base/base.h"\n',
    "src/middle/middle.cpp": '#include "middle/middle.h"\n#include "hidden/hidden.h"\n',
    "src/top/CMakeLists.txt": """add_library(top STATIC top.cpp)
target_link_libraries(top PUBLIC middle)
""",
    "src/top/top.h": '#pragma once\n#include "middle/middle.h"\n',
    "src/top/top.cpp": '#include "top/top.h"\n',
    "src/top/win32/CMakeLists.txt": """add_library(top_win32 STATIC window.cpp)
target_link_libraries(top_win32 PUBLIC top)
""",
    "src/top/win32/window.h": "#pragma once\n",
    "src/top/win32/window.cpp": '#include "top/win32/window.h"\n',
    "tests/CMakeLists.txt": """add_library(fakes STATIC fakes/fake_base.cpp)
target_include_directories(fakes PUBLIC fakes)
target_link_libraries(fakes PUBLIC base)
add_executable(top_tests unit/top_test.cpp)
target_link_libraries(top_tests PRIVATE top fakes)
""",
    "tests/fakes/fake_base.h": '#pragma once\n#include "base/base.h"\n',
    "tests/fakes/fake_base.cpp": '#include "fake_base.h"\n',
    "tests/unit/harness.h": '#pragma once\n#include "fake_base.h"\n',
    "tests/unit/top_test.cpp": '#include "harness.h"\n#include "top/top.h"\n',
    # Compiled only by another build, as the portable tests are by the native one.
    "tests/unit/other_build_test.cpp": '#include "harness.h"\n',
}

# (file given one more include, the header it includes, whether that is allowed)
CASES = [
    ("src/top/top.cpp", "middle/middle.h", True),  # one layer down
    ("src/top/top.cpp", "base/base.h", True),  # further down, passed on publicly
    ("src/top/win32/window.cpp", "top/top.h", True),  # a new folder, from its links alone
    ("tests/unit/harness.h", "top/top.h", True),  # a test's header, by what its test links
    ("src/middle/middle.h", "top/top.h", False),  # upward
    ("src/base/base.h", "middle/middle.h", False),  # from a headers-only target
    ("src/top/top.cpp", "top/win32/window.h", False),  # into its own Win32 half
    ("src/top/top.cpp", "hidden/hidden.h", False),  # what a link keeps private
    ("tests/fakes/fake_base.h", "top/top.h", False),  # fakes above their links
    ("tests/fakes/fake_base.cpp", "middle/middle.h", False),
    ("tests/unit/other_build_test.cpp", "top/win32/window.h", True),  # judged by its own build
]


class LayerCheck(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tree = tempfile.mkdtemp(prefix="layers-")
        cls.source = os.path.join(cls.tree, "source")
        cls.build = os.path.join(cls.tree, "build")
        for path, text in PROJECT.items():
            full = os.path.join(cls.source, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
        # Configuring alone writes the map: no compiler runs.
        subprocess.run(["cmake", "-S", cls.source, "-B", cls.build, "-G", "Unix Makefiles",
                        f"-DLAYER_MAP={ROOT}/cmake/LayerMap.cmake"],
                       check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(cls.build, "layers.json"), encoding="utf-8") as f:
            cls.layer_map = f.read()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tree)

    def violations(self):
        return check_layers.Layers(json.loads(self.layer_map)).violations()

    def test_the_fixture_itself_passes(self):
        self.assertEqual(self.violations(), [])

    def test_each_added_include(self):
        for path, header, allowed in CASES:
            with self.subTest(path=path, header=header):
                full = os.path.join(self.source, path)
                with open(full, encoding="utf-8") as f:
                    original = f.read()
                try:
                    with open(full, "a", encoding="utf-8") as f:
                        f.write(f'#include "{header}"\n')
                    found = [(v[0], v[1]) for v in self.violations()]
                finally:
                    with open(full, "w", encoding="utf-8") as f:
                        f.write(original)
                self.assertEqual(found, [] if allowed else [(path, header)])


if __name__ == "__main__":
    unittest.main()
