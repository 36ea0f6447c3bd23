// Reports what a person would read off the screen of the program under test:
// where its window is, what its boxes show, any dialog open over it, and the
// folder selected in the folder browser's tree; and it chooses the window's
// folder-menu item as its system menu would. It also holds a file open as
// another program would.
// Prints UTF-8, one fact a line.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
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
    const std::wstring name = classOf(child);
    const bool isStatic = lstrcmpiW(name.c_str(), L"Static") == 0;
    if ((isStatic || lstrcmpiW(name.c_str(), L"Edit") == 0) && ::IsWindowVisible(child)) {
        std::wstring text = textOf(child);
        // What was typed into a dialog's box shows as "edit", even when empty.
        if (!isStatic)
            print(L"edit " + text);
        else if (!text.empty())
            print(L"static " + text);
    }
    return TRUE;
}

BOOL CALLBACK findTree(HWND child, LPARAM found) {
    if (lstrcmpiW(classOf(child).c_str(), L"SysTreeView32") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The selected item of a tree in another process: whether it is expanded, and
// its text, which has to be fetched through that process's memory.
void printSelectedItem(HWND tree) {
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return;
    const auto state =
        ::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(tree, &pid);
    HANDLE process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return;
    constexpr int chars = 260;
    auto* remote = static_cast<char*>(::VirtualAllocEx(
        process, nullptr, sizeof(TVITEMW) + chars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    std::wstring text(chars, L'\0');
    if (remote) {
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
        request.cchTextMax = chars;
        if (::WriteProcessMemory(process, remote, &request, sizeof(request), nullptr) &&
            ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote))) {
            ::ReadProcessMemory(process, remote + sizeof(TVITEMW), text.data(),
                                chars * sizeof(wchar_t), nullptr);
        }
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    text.resize(wcsnlen(text.c_str(), chars));
    print(std::wstring((state & TVIS_EXPANDED) ? L"expanded " : L"closed ") + text);
}

// Holds the file open, sharing it with no one, until the input ends; prints
// the system's words for what others then meet, a sharing violation.
int holdFile(const wchar_t* path) {
    HANDLE file = ::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    wchar_t text[512]{};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     ERROR_SHARING_VIOLATION, 0, text, 512, nullptr);
    print(text);
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    ::CloseHandle(file);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"hold" && argc > 2) return holdFile(argv[2]);
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
    } else if (command == L"choose-folder-menu") {
        // As choosing the folder-menu item of the window's system menu.
        constexpr WPARAM folderMenuCommand = 0x0110;
        ::PostMessageW(window, WM_SYSCOMMAND, folderMenuCommand, 0);
    } else if (command == L"tree") {
        for (HWND dialog : ownedWindows(window)) {
            HWND tree = nullptr;
            ::EnumChildWindows(dialog, findTree, reinterpret_cast<LPARAM>(&tree));
            if (tree) printSelectedItem(tree);
        }
    }
    return 0;
}
