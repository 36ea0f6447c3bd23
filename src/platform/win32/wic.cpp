#include "platform/win32/wic.h"

#include <climits>

#include "platform/win32/long_path.h"

namespace win32 {

ComPtr<IWICImagingFactory> createImagingFactory() {
    ComPtr<IWICImagingFactory> factory;
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(&factory));
    return factory;
}

namespace {

ComPtr<IWICBitmapSource> firstFrame(IWICBitmapDecoder* decoder) {
    ComPtr<IWICBitmapFrameDecode> frame;
    if (!decoder || FAILED(decoder->GetFrame(0, &frame))) return nullptr;
    return frame;
}

}  // namespace

ComPtr<IWICBitmapSource> openPictureFile(IWICImagingFactory& factory, const std::u16string& path) {
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory.CreateDecoderFromFilename(longPath(path).c_str(), nullptr, GENERIC_READ,
                                                 WICDecodeMetadataCacheOnDemand, &decoder))) {
        return nullptr;
    }
    return firstFrame(decoder.Get());
}

ComPtr<IWICBitmapSource> openPictureMemory(IWICImagingFactory& factory, const void* data,
                                           std::size_t size) {
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    if (size > UINT_MAX || FAILED(factory.CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                            static_cast<DWORD>(size))) ||
        FAILED(factory.CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                               &decoder))) {
        return nullptr;
    }
    return firstFrame(decoder.Get());
}

DecodedBitmap toBitmap(IWICImagingFactory& factory, IWICBitmapSource& source, int width,
                       int height) {
    UINT sourceWidth = 0, sourceHeight = 0;
    if (FAILED(source.GetSize(&sourceWidth, &sourceHeight)) || sourceWidth == 0 ||
        sourceHeight == 0) {
        return {};
    }
    if (width <= 0 || height <= 0) {
        width = static_cast<int>(sourceWidth);
        height = static_cast<int>(sourceHeight);
    }

    ComPtr<IWICBitmapSource> scaled(&source);
    if (static_cast<UINT>(width) != sourceWidth || static_cast<UINT>(height) != sourceHeight) {
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory.CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(&source, width, height, WICBitmapInterpolationModeFant))) {
            return {};
        }
        scaled = scaler;
    }
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory.CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(scaled.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return {};
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as WIC hands out rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    const UINT stride = static_cast<UINT>(width) * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height),
                                     static_cast<BYTE*>(bits)))) {
        return {};
    }
    return {std::move(bitmap), width, height};
}

}  // namespace win32
