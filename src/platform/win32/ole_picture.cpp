#include "platform/win32/ole_picture.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/win32/com_ptr.h"
#include "platform/win32/dib_section.h"
#include "platform/win32/gdi_guards.h"

namespace win32 {
namespace {

// Larger picture files than this are not read into memory for OLE.
constexpr DWORD largestFile = 256u << 20;

// OLE's loader also reads icons and metafiles; only what the picker offers
// is let through, known by its first bytes.
bool isBmpJpegOrGif(const BYTE* bytes, DWORD size) {
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return true;
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return true;
    return size >= 4 && std::memcmp(bytes, "GIF8", 4) == 0;
}

// The file's bytes in movable global memory, as a stream over them wants.
ComPtr<IStream> readIntoStream(const std::wstring& name, DWORD& size) {
    UniqueFile file(::CreateFileW(name.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file || !::GetFileSizeEx(file.get(), &length) || length.QuadPart <= 0 ||
        length.QuadPart > largestFile) {
        return nullptr;
    }
    size = static_cast<DWORD>(length.QuadPart);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* bytes = ::GlobalLock(memory);
    DWORD got = 0;
    const bool read = bytes && ::ReadFile(file.get(), bytes, size, &got, nullptr) && got == size &&
                      isBmpJpegOrGif(static_cast<const BYTE*>(bytes), size);
    if (bytes) ::GlobalUnlock(memory);
    ComPtr<IStream> stream;
    if (!read || FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

// A width x height 32-bit DIB section filled with `fill`, selected into a
// memory DC, that a picture is drawn onto.
struct Canvas {
    UniqueDc dc;
    void* bits = nullptr;
    UniqueBitmap bitmap;
    std::uint32_t* pixels = nullptr;
    // Last, so that it lets go of the bitmap before the bitmap goes.
    std::optional<SelectGuard> selected;

    Canvas(int width, int height, std::uint32_t fill)
        : dc(::CreateCompatibleDC(nullptr)), bitmap(createTopDownBitmap(width, height, &bits)) {
        if (!dc || !bitmap) return;
        pixels = static_cast<std::uint32_t*>(bits);
        std::fill_n(pixels, static_cast<std::size_t>(width) * height, fill);
        selected.emplace(dc.get(), bitmap.get());
        ::SetStretchBltMode(dc.get(), HALFTONE);
        ::SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    }
    bool ready() const { return pixels != nullptr; }
};

}  // namespace

DecodedBitmap loadOlePicture(const std::wstring& file, int width, int height,
                             const StopRequested& stop) {
    auto asAsked = [width, height](SIZE own) {
        return width > 0 && height > 0 ? SIZE{width, height} : own;
    };
    return loadOlePicture(file, asAsked, stop);
}

DecodedBitmap loadOlePicture(const std::wstring& file, const SizeForPicture& sizeFor,
                             const StopRequested& stop) {
    auto stopped = [&] { return stop && stop(); };
    DWORD size = 0;
    ComPtr<IStream> stream = readIntoStream(file, size);
    if (!stream || stopped()) return {};
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE,
                                IID_PPV_ARGS(&picture)))) {
        return {};
    }
    OLE_XSIZE_HIMETRIC across = 0;
    OLE_YSIZE_HIMETRIC down = 0;
    short type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Width(&across)) || FAILED(picture->get_Height(&down)) || across <= 0 ||
        down <= 0 || stopped()) {
        return {};
    }
    // Its own size: OLE measures in hundredths of a millimetre, at 96 dpi.
    const SIZE own{::MulDiv(across, 96, 2540), ::MulDiv(down, 96, 2540)};
    const SIZE drawn = sizeFor(own);
    const int width = drawn.cx, height = drawn.cy;
    if (width <= 0 || height <= 0) return {};
    // Drawn once on black and once on white: where the two differ, the
    // picture is transparent, and on black its colours are premultiplied.
    Canvas onBlack(width, height, 0x00000000), onWhite(width, height, 0x00FFFFFF);
    if (!onBlack.ready() || !onWhite.ready()) return {};
    for (Canvas* canvas : {&onBlack, &onWhite}) {
        if (stopped() || FAILED(picture->Render(canvas->dc.get(), 0, 0, width, height, 0, down,
                                                across, -down, nullptr))) {
            return {};
        }
    }
    ::GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width) * height;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t black = onBlack.pixels[i], white = onWhite.pixels[i];
        const int shown =
            255 - (static_cast<int>((white >> 8) & 0xFF) - static_cast<int>((black >> 8) & 0xFF));
        const auto alpha = static_cast<std::uint32_t>(std::clamp(shown, 0, 255));
        onBlack.pixels[i] = (black & 0x00FFFFFF) | (alpha << 24);
    }
    // The black canvas is the result: let go of it from its DC first.
    onBlack.selected.reset();
    return {std::move(onBlack.bitmap), width, height};
}

}  // namespace win32
