#pragma once

#include <shlobj.h>

#include <initializer_list>
#include <string>

#include "platform/shell_notifier.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"

namespace win32 {

inline void freeIdList(PIDLIST_ABSOLUTE id) { ::ILFree(id); }
using UniqueIdList = Unique<PIDLIST_ABSOLUTE, freeIdList>;

class ShellNotifier : public platform::ShellNotifier {
  public:
    explicit ShellNotifier(ComOnFirstUse& com) : com_(com) {}
    void folderChanged(const std::u16string& folder) override;
    void folderContentsChanged(const std::u16string& folder) override;

  private:
    // The shell's name for the folder; empty when it cannot tell.
    UniqueIdList idOf(const std::wstring& folder);
    void notify(std::initializer_list<LONG> events, const std::u16string& folder);

    ComOnFirstUse& com_;
    // The place that holds the folder last changed. Parsing a whole path
    // costs the shell milliseconds; a command over many folders in one place
    // parses that place once and then only each folder's own name.
    std::wstring parentPath_;
    UniqueIdList parentId_;
    ComPtr<IShellFolder> parent_;
};

}  // namespace win32
