// Time the folder box's change handler takes per keystroke: it reads the
// folder's Desktop.ini on every change. Measured on our twelve-line file and
// on one of 64 KiB, the largest the reader accepts, against a plain read of
// the same file.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "figures.h"
#include "idle_services.h"
#include "mainwindow/form1.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/file_store.h"
#include "platform/win32/wide_text.h"
#include "scratch.h"

namespace {

using mainwindow::ControlId;

// The twelve lines at the end of 64 KiB of other programs' sections, so the
// reader must go through all of it before it finds our keys.
std::string largeFile(const std::string& ours) {
    constexpr std::size_t size = 64 * 1024;
    std::string bytes;
    for (int section = 0; bytes.size() + ours.size() < size; ++section) {
        bytes += "[Other" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 20; ++key) {
            bytes += "Key" + std::to_string(key) + "=value of another program\r\n";
        }
    }
    // Cut back to a line end, then pad with one comment line to the size.
    bytes.resize(bytes.rfind("\r\n", size - ours.size() - 2) + 2);
    std::string pad = ";";
    pad.resize(size - ours.size() - bytes.size() - 2, '-');
    return bytes + pad + "\r\n" + ours;
}

struct Figures {
    double reader = 0;
    double plainRead = 0;
};

// Alternates between the two folders so that the box's text changes on
// every call, as typing does.
Figures measure(const bench::ScratchFolder& scratch, const wchar_t* name, const std::string& bytes,
                int calls, const std::u16string& expectedPicture) {
    std::wstring folders[2];
    for (int i = 0; i < 2; ++i) {
        folders[i] = scratch.path() + L"\\" + name + (i == 0 ? L"-a" : L"-b");
        ::CreateDirectoryW(folders[i].c_str(), nullptr);
        if (!bench::writeWholeFile(folders[i] + L"\\Desktop.ini", bytes)) {
            std::fprintf(stderr, "reader_bench: cannot write %ls\n", folders[i].c_str());
            std::exit(1);
        }
    }

    win32::FileStore files;
    win32::FileAttributes attributes;
    win32::AnsiCodePage codePage;
    bench::Idle idle;
    mainwindow::Form1 form(idle.services({files, attributes, codePage}), idle);

    Figures figures;
    std::vector<double> times;
    for (int call = 0; call < calls; ++call) {
        std::u16string folder = win32::fromWide(folders[call % 2]);
        const double start = bench::nowSeconds();
        form.textEdited(ControlId::fold, std::move(folder));
        times.push_back((bench::nowSeconds() - start) * 1e6);
    }
    if (form.text(ControlId::img) != expectedPicture) {
        std::fprintf(stderr, "reader_bench: the %ls file was not read as expected\n", name);
        std::exit(1);
    }
    figures.reader = bench::median(times);

    times.clear();
    std::string buffer(bytes.size(), '\0');
    for (int call = 0; call < calls; ++call) {
        const std::wstring path = folders[call % 2] + L"\\Desktop.ini";
        const double start = bench::nowSeconds();
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD got = 0;
        ::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
        ::CloseHandle(file);
        times.push_back((bench::nowSeconds() - start) * 1e6);
        if (got != bytes.size()) {
            std::fprintf(stderr, "reader_bench: short read of %ls\n", path.c_str());
            std::exit(1);
        }
    }
    figures.plainRead = bench::median(times);
    return figures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: reader_bench TWELVE_LINE_DESKTOP_INI [CALLS]\n");
        return 2;
    }
    const int calls = argc > 2 ? std::max(2, _wtoi(argv[2])) : 2000;
    std::string ours;
    if (!bench::readWholeFile(argv[1], ours)) {
        std::fprintf(stderr, "reader_bench: cannot read %ls\n", argv[1]);
        return 1;
    }
    // The picture our file names, decoded as the window would show it.
    const std::u16string picture = [&] {
        win32::AnsiCodePage codePage;
        const std::u16string text = codePage.decode(ours);
        const std::u16string key = u"IconArea_Image=";
        const auto at = text.find(key) + key.size();
        return text.substr(at, text.find_first_of(u"\r\n", at) - at);
    }();

    bench::ScratchFolder scratch(L"FolderBackground-reader");
    const std::string large = largeFile(ours);
    const Figures small = measure(scratch, L"twelve-lines", ours, calls, picture);
    const Figures big = measure(scratch, L"64KiB", large, calls, picture);

    std::printf("reader_calls %d\n", calls);
    std::printf("reader_twelve_lines_bytes %zu\n", ours.size());
    std::printf("reader_twelve_lines_us_median %.1f\n", small.reader);
    std::printf("plain_read_twelve_lines_us_median %.1f\n", small.plainRead);
    std::printf("ratio_reader_to_plain_read_twelve_lines %.2f\n", small.reader / small.plainRead);
    std::printf("reader_64kib_bytes %zu\n", large.size());
    std::printf("reader_64kib_us_median %.1f\n", big.reader);
    std::printf("plain_read_64kib_us_median %.1f\n", big.plainRead);
    std::printf("ratio_reader_to_plain_read_64kib %.2f\n", big.reader / big.plainRead);
    return 0;
}
