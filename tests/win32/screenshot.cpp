// A picture of the whole screen, for a failed window test to leave behind.
#include "screenshot.h"

#include <wincodec.h>
#include <windows.h>

#include <utility>

#include "platform/win32/gdi_guards.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wic.h"

namespace {

using win32::ComPtr;

win32::UniqueBitmap copyOfScreen() {
    const win32::WindowDc screen(nullptr);
    if (!screen.get()) return {};
    const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    win32::UniqueDc memory(::CreateCompatibleDC(screen.get()));
    if (!bitmap || !memory) return {};
    BOOL copied = FALSE;
    {
        const win32::SelectGuard selected(memory.get(), bitmap.get());
        copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.get(),
                          ::GetSystemMetrics(SM_XVIRTUALSCREEN),
                          ::GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY | CAPTUREBLT);
    }
    return copied ? std::move(bitmap) : win32::UniqueBitmap{};
}

}  // namespace

bool saveScreenshot(const std::wstring& path) {
    win32::UniqueBitmap screen = copyOfScreen();
    ComPtr<IWICImagingFactory> factory = win32::createImagingFactory();
    if (!screen || !factory) return false;
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(factory->CreateBitmapFromHBITMAP(screen.get(), nullptr, WICBitmapIgnoreAlpha,
                                                &bitmap)) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->WriteSource(bitmap.Get(), nullptr)) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit())) {
        return false;
    }
    return true;
}
