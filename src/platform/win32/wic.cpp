#include "platform/win32/wic.h"

#include <climits>

#include <algorithm>
#include <vector>

#include "platform/win32/dib_section.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wic_transform.h"

namespace win32 {

ComPtr<IWICImagingFactory> createImagingFactory() {
    ComPtr<IWICImagingFactory> factory;
    // Windows XP has WIC only where something installed it.
    if (onXpPaths) return factory;
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

ComPtr<IWICBitmapSource> openPictureFile(IWICImagingFactory& factory, const std::wstring& file) {
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory.CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                 WICDecodeMetadataCacheOnDemand, &decoder))) {
        return nullptr;
    }
    // Only the decoders of the formats the picker offers: no other codec
    // someone installed parses a file that a folder named.
    GUID format{};
    if (FAILED(decoder->GetContainerFormat(&format)) ||
        (format != GUID_ContainerFormatBmp && format != GUID_ContainerFormatJpeg &&
         format != GUID_ContainerFormatGif)) {
        return nullptr;
    }
    return firstFrame(decoder.Get());
}

ComPtr<IWICBitmapSource> decodeReduced(IWICImagingFactory& factory, IWICBitmapSource& source,
                                       int width, int height) {
    ComPtr<IWICBitmapSource> whole(&source);
    ComPtr<IWICBitmapSourceTransform> transform;
    UINT fullWidth = 0, fullHeight = 0;
    if (width <= 0 || height <= 0 || FAILED(source.QueryInterface(IID_PPV_ARGS(&transform))) ||
        FAILED(source.GetSize(&fullWidth, &fullHeight))) {
        return whole;
    }
    // The smallest size the decoder offers that still covers the target.
    UINT reducedWidth = fullWidth, reducedHeight = fullHeight;
    for (UINT divisor : {8u, 4u, 2u}) {
        UINT w = (fullWidth + divisor - 1) / divisor, h = (fullHeight + divisor - 1) / divisor;
        if (w < static_cast<UINT>(width) || h < static_cast<UINT>(height)) continue;
        if (FAILED(transform->GetClosestSize(&w, &h)) || w < static_cast<UINT>(width) ||
            h < static_cast<UINT>(height)) {
            continue;
        }
        reducedWidth = w;
        reducedHeight = h;
        break;
    }
    if (reducedWidth == fullWidth && reducedHeight == fullHeight) return whole;

    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(transform->GetClosestPixelFormat(&format))) return whole;
    ComPtr<IWICComponentInfo> info;
    ComPtr<IWICPixelFormatInfo> formatInfo;
    UINT bitsPerPixel = 0;
    if (FAILED(factory.CreateComponentInfo(format, &info)) || FAILED(info.As(&formatInfo)) ||
        FAILED(formatInfo->GetBitsPerPixel(&bitsPerPixel))) {
        return whole;
    }
    const UINT stride = (reducedWidth * bitsPerPixel + 31) / 32 * 4;
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * reducedHeight);
    ComPtr<IWICBitmap> reduced;
    if (FAILED(transform->CopyPixels(nullptr, reducedWidth, reducedHeight, &format,
                                     WICBitmapTransformRotate0, stride,
                                     static_cast<UINT>(pixels.size()), pixels.data())) ||
        FAILED(factory.CreateBitmapFromMemory(reducedWidth, reducedHeight, format, stride,
                                              static_cast<UINT>(pixels.size()), pixels.data(),
                                              &reduced))) {
        return whole;
    }
    return reduced;
}

DecodedBitmap toBitmap(IWICImagingFactory& factory, IWICBitmapSource& source, int width, int height,
                       const StopRequested& stop) {
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

    // Top-down, as WIC hands out rows.
    void* bits = nullptr;
    UniqueBitmap bitmap = createTopDownBitmap(width, height, &bits);
    if (!bitmap) return {};
    // Where the decoder reads its file as rows are asked for (PNG, GIF, BMP,
    // a JPEG on Windows), a band is a fraction of the work, so a decode
    // that is no longer wanted stops soon.
    constexpr int bandRows = 16;
    const UINT stride = static_cast<UINT>(width) * 4;
    for (int top = 0; top < height; top += bandRows) {
        if (stop && stop()) return {};
        const WICRect band{0, top, width, std::min(bandRows, height - top)};
        if (FAILED(converter->CopyPixels(&band, stride, stride * static_cast<UINT>(band.Height),
                                         static_cast<BYTE*>(bits) + std::size_t{stride} * top))) {
            return {};
        }
    }
    return {std::move(bitmap), width, height};
}

}  // namespace win32
