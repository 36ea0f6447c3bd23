#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/folder_icon_maker.h"

namespace win32 {

// Makes folder icons from picture files: decoded through WIC (OLE's picture
// loading where WIC is missing), the largest image a PNG where WIC can
// encode one. Works on whichever thread calls it, COM made ready there for
// the call.
class FolderIconMaker : public platform::FolderIconMaker {
  public:
    std::optional<std::string> makeIcon(const std::u16string& picturePath) override;

  private:
    // The file an icon was made from, as far as telling a changed file from
    // the same one needs.
    struct Source {
        std::u16string path;
        FILETIME written{};
        ULONGLONG size = 0;
        bool operator==(const Source& other) const;
    };

    std::optional<std::string> makeFromFile(const std::wstring& file);

    std::optional<Source> lastSource_;
    std::string lastIcon_;
};

}  // namespace win32
