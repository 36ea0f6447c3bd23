// Time to apply a customisation: read the old file, write a temporary one
// beside it, flush it to disk, rename it into place and set the attributes.
// Against the floor of that safe method (the same bytes written to a
// temporary file, flushed, and put in place by ReplaceFileW), and against a
// plain write of the same bytes, to show what the safety itself costs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "applied_folder.h"
#include "customisation/apply.h"
#include "figures.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/wide_text.h"
#include "scratch.h"

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 300;

    bench::ScratchFolder scratch(L"FolderBackground-apply");
    const std::wstring folder = scratch.path() + L"\\folder";
    win32::FileStore files;
    win32::FileAttributes attributes;
    win32::AnsiCodePage codePage;
    customisation::Disk disk{files, attributes, codePage};
    const std::u16string target = bench::appliedFolder(folder, disk);
    if (target.empty()) {
        std::fprintf(stderr, "apply_bench: the customisation was not applied\n");
        return 1;
    }
    std::string bytes;
    if (!bench::readWholeFile(folder + L"\\Desktop.ini", bytes)) {
        std::fprintf(stderr, "apply_bench: cannot read the applied file\n");
        return 1;
    }

    const std::wstring plain = scratch.path() + L"\\plain.ini";
    const std::wstring floorFolder = scratch.path() + L"\\floor";
    ::CreateDirectoryW(floorFolder.c_str(), nullptr);
    const std::wstring floorTarget = floorFolder + L"\\Desktop.ini";
    const std::wstring floorTemporary = floorFolder + L"\\Desktop.ini.tmp";
    if (!bench::writeWholeFile(floorTarget, bytes)) {
        std::fprintf(stderr, "apply_bench: cannot write the floor's file\n");
        return 1;
    }
    std::vector<double> applied, floor, written;
    for (int run = 0; run < runs; ++run) {
        double start = bench::nowSeconds();
        const bool ok =
            customisation::applyCustomisation(disk, target, bench::appliedCustomisation);
        applied.push_back((bench::nowSeconds() - start) * 1e6);

        start = bench::nowSeconds();
        HANDLE temporary = ::CreateFileW(floorTemporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD floorCount = 0;
        ::WriteFile(temporary, bytes.data(), static_cast<DWORD>(bytes.size()), &floorCount,
                    nullptr);
        ::FlushFileBuffers(temporary);
        ::CloseHandle(temporary);
        const bool replaced = ::ReplaceFileW(floorTarget.c_str(), floorTemporary.c_str(), nullptr,
                                             0, nullptr, nullptr) != FALSE;
        floor.push_back((bench::nowSeconds() - start) * 1e6);

        start = bench::nowSeconds();
        HANDLE file = ::CreateFileW(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD count = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr);
        ::CloseHandle(file);
        written.push_back((bench::nowSeconds() - start) * 1e6);

        if (!ok || !replaced || floorCount != bytes.size() || count != bytes.size()) {
            std::fprintf(stderr, "apply_bench: a write failed\n");
            return 1;
        }
    }

    const double apply = bench::median(applied);
    const double safeFloor = bench::median(floor);
    const double write = bench::median(written);
    std::printf("apply_runs %d\n", runs);
    std::printf("apply_bytes %zu\n", bytes.size());
    std::printf("apply_us_median %.1f\n", apply);
    std::printf("apply_floor_us_median %.1f\n", safeFloor);
    std::printf("ratio_apply_to_floor %.2f\n", apply / safeFloor);
    std::printf("plain_write_us_median %.1f\n", write);
    std::printf("ratio_apply_to_plain_write %.2f\n", apply / write);
    return 0;
}
