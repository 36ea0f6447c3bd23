// The system menu's folder-menu entry.

#include "mainwindow/win32/main_window.h"

#include "platform/win32/wide_text.h"

namespace mainwindow::win32 {
namespace {

// The folder-menu item of the system menu; the system keeps the low four
// bits of a command's number for itself.
constexpr UINT folderMenuCommand = 0x0110;

}  // namespace

void MainWindow::addFolderMenuItem() {
    HMENU menu = ::GetSystemMenu(window_, FALSE);
    if (!menu) return;
    const std::wstring text = ::win32::toWide(foldermenu::FolderMenuEntry::text);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, folderMenuCommand, text.c_str());
}

MainWindow::Answer MainWindow::onInitMenuPopup(LPARAM lParam) {
    if (HIWORD(lParam)) checkFolderMenuItem();
    return std::nullopt;
}

// Read afresh each time the menu opens: another copy of the program, or a
// script, may have changed the entry since.
void MainWindow::checkFolderMenuItem() {
    HMENU menu = ::GetSystemMenu(window_, FALSE);
    if (!menu) return;
    const UINT state = services_.folderMenu.pointsHere() ? MF_CHECKED : MF_UNCHECKED;
    ::CheckMenuItem(menu, folderMenuCommand, MF_BYCOMMAND | state);
}

MainWindow::Answer MainWindow::onSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != folderMenuCommand) return std::nullopt;
    switchFolderMenu();
    return 0;
}

void MainWindow::switchFolderMenu() {
    auto& entry = services_.folderMenu;
    if (entry.pointsHere()) {
        entry.remove();
    } else {
        entry.add();
    }
}

}  // namespace mainwindow::win32
