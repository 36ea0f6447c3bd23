#include "foldericon/win32/png_encoder.h"

#include <windows.h>

#include <objbase.h>

#include "foldericon/icon_file.h"
#include "platform/win32/com_ptr.h"

namespace win32 {

std::optional<std::string> encodePng(IWICImagingFactory& factory, const foldericon::Image& image) {
    if (image.empty()) return std::nullopt;
    std::string pixels = foldericon::straightPixels(image);
    const UINT stride = static_cast<UINT>(image.width) * 4;

    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) ||
        FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height))) ||
        FAILED(frame->SetPixelFormat(&format))) {
        return std::nullopt;
    }
    // The encoder may offer another format than asked; these bytes are only
    // this one.
    if (format != GUID_WICPixelFormat32bppBGRA ||
        FAILED(frame->WritePixels(static_cast<UINT>(image.height), stride,
                                  static_cast<UINT>(pixels.size()),
                                  reinterpret_cast<BYTE*>(pixels.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
        return std::nullopt;
    }

    // The memory behind the stream may be larger than what was written.
    STATSTG written{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&written, STATFLAG_NONAME)) ||
        FAILED(::GetHGlobalFromStream(stream.Get(), &memory)) ||
        written.cbSize.QuadPart > ::GlobalSize(memory)) {
        return std::nullopt;
    }
    const void* bytes = ::GlobalLock(memory);
    if (!bytes) return std::nullopt;
    std::string png(static_cast<const char*>(bytes),
                    static_cast<std::size_t>(written.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    return png;
}

}  // namespace win32
