// Reports what a person would read off the screen of the program under test:
// where its window is, what its boxes show, and any dialog open over it.
// Prints UTF-8, one fact a line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t windowClass[] = L"FolderBackgroundMainWindow";

void print(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

std::wstring textOf(HWND window) {
    std::vector<wchar_t> text(32768, L'\0');
    ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::wstring classOf(HWND window) {
    wchar_t name[64]{};
    ::GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK collectEdits(HWND child, LPARAM list) {
    if (lstrcmpiW(classOf(child).c_str(), L"Edit") == 0) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    }
    return TRUE;
}

// Every visible top-level window owned by `owner` (the dialogs over it).
std::vector<HWND> ownedWindows(HWND owner) {
    std::pair<HWND, std::vector<HWND>> search{owner, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(data);
            if (::GetWindow(window, GW_OWNER) == s->first && ::IsWindowVisible(window)) {
                s->second.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

BOOL CALLBACK printStatic(HWND child, LPARAM) {
    if (lstrcmpiW(classOf(child).c_str(), L"Static") == 0 && ::IsWindowVisible(child)) {
        std::wstring text = textOf(child);
        if (!text.empty()) print(L"static " + text);
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    HWND window = ::FindWindowW(windowClass, nullptr);
    if (!window) {
        print(L"none");
        return 0;
    }
    if (command == L"window") {
        // Client origin on screen, outer size, and DPI.
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        RECT outer{};
        ::GetWindowRect(window, &outer);
        UINT dpi = ::GetDpiForWindow(window);
        std::printf("%ld %ld %ld %ld %u\n", origin.x, origin.y, outer.right - outer.left,
                    outer.bottom - outer.top, dpi ? dpi : 96);
    } else if (command == L"boxes") {
        std::vector<HWND> edits;
        ::EnumChildWindows(window, collectEdits, reinterpret_cast<LPARAM>(&edits));
        for (HWND edit : edits) print(textOf(edit));
    } else if (command == L"dialogs") {
        for (HWND dialog : ownedWindows(window)) {
            RECT r{};
            ::GetWindowRect(dialog, &r);
            print(L"dialog " + std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                  textOf(dialog));
            ::EnumChildWindows(dialog, printStatic, 0);
        }
    }
    return 0;
}
