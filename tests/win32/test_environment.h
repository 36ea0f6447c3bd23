#pragma once

#include <string>

// Where the Win32 tests may write, the program under test and where the
// screenshots of failures go; given on the command line by CTest.
struct TestEnvironment {
    std::u16string scratch;  // a folder, with its trailing backslash
    std::u16string program;  // FolderBackground.exe
    std::u16string shots;    // where a failed window test leaves its screenshot
};

const TestEnvironment& testEnvironment();

// A fresh empty folder under the scratch folder, with its trailing backslash.
std::u16string freshFolder(const std::u16string& name);

// Where what the program shows is saved for a person to look at, beside the
// end-to-end test's screenshots (build/e2e), with its trailing backslash.
std::u16string showcaseFolder();

// The photograph-sized JPEG made for these tests (a CTest fixture), as a
// Windows path.
std::u16string largePicture();
