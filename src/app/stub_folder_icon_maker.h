#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/folder_icon_maker.h"

namespace app {

// STAND-IN, to be replaced by win32::FolderIconMaker (the real icon of the
// picture) in platform_services.h. It gives a valid one-image 16-pixel icon,
// a square whose colour comes from the picture's path and size, so that
// each picture gets icon bytes of its own; nothing for a missing file.
class StubFolderIconMaker : public platform::FolderIconMaker {
  public:
    std::optional<std::string> makeIcon(const std::u16string& picturePath) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(reinterpret_cast<const wchar_t*>(picturePath.c_str()),
                                    GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return std::nullopt;
        }
        std::uint32_t colour = 2166136261u ^ data.nFileSizeLow;
        for (char16_t c : picturePath) colour = (colour ^ c) * 16777619u;
        return icon(colour | 0xFF000000u);
    }

  private:
    static void put(std::string& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }

    // ICONDIR, one ICONDIRENTRY, then a 32-bit BITMAPINFOHEADER image of
    // double height (colour rows, then the AND mask's rows).
    static std::string icon(std::uint32_t argb) {
        constexpr int side = 16;
        constexpr std::uint32_t maskBytes = side * 4;  // rows padded to 32 bits
        constexpr std::uint32_t imageBytes = 40 + side * side * 4 + maskBytes;
        std::string out;
        put(out, 0, 2);
        put(out, 1, 2);  // an icon
        put(out, 1, 2);  // one image
        put(out, side, 1);
        put(out, side, 1);
        put(out, 0, 2);   // no palette, reserved
        put(out, 1, 2);   // planes
        put(out, 32, 2);  // bits per pixel
        put(out, imageBytes, 4);
        put(out, 22, 4);  // offset of the image
        put(out, 40, 4);
        put(out, side, 4);
        put(out, side * 2, 4);
        put(out, 1, 2);
        put(out, 32, 2);
        put(out, 0, 4);  // BI_RGB
        put(out, side * side * 4 + maskBytes, 4);
        put(out, 0, 16);
        for (int i = 0; i < side * side; ++i) put(out, argb, 4);
        put(out, 0, maskBytes);
        return out;
    }
};

}  // namespace app
