#include "app/artwork.h"

#include "resource_ids.h"

namespace app {
namespace {

using mainwindow::Artwork;

win32::ComPtr<IWICBitmapSource> loadResource(IWICImagingFactory& factory, int id) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    auto frame = win32::openPictureMemory(factory, data, ::SizeofResource(module, found));
    // Decode once into memory: the resource stream is only borrowed.
    win32::ComPtr<IWICBitmap> decoded;
    if (!frame ||
        FAILED(factory.CreateBitmapFromSource(frame.Get(), WICBitmapCacheOnLoad, &decoded))) {
        return nullptr;
    }
    return decoded;
}

}  // namespace

ArtworkSet::ArtworkSet(IWICImagingFactory& factory) : factory_(factory) {
    const std::pair<Artwork, int> resources[] = {
        {Artwork::background, IDR_BACKGROUND},          {Artwork::closeMark, IDR_CLOSE_MARK},
        {Artwork::explorerWindow, IDR_EXPLORER_WINDOW}, {Artwork::applyLit, IDR_APPLY_LIT},
        {Artwork::restoreLit, IDR_RESTORE_LIT},         {Artwork::folderLit, IDR_FOLDER_LIT},
        {Artwork::pictureLit, IDR_PICTURE_LIT},         {Artwork::colourLit, IDR_COLOUR_LIT},
    };
    for (auto [art, id] : resources) {
        if (auto source = loadResource(factory_, id)) sources_.emplace(art, std::move(source));
    }
}

void ArtworkSet::scaleFor(UINT dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    scaled_.clear();
    for (const auto& [art, source] : sources_) {
        UINT width = 0, height = 0;
        source->GetSize(&width, &height);
        // The artwork is drawn for 96 dpi.
        auto bitmap = win32::toBitmap(factory_, *source.Get(), ::MulDiv(width, dpi, 96),
                                      ::MulDiv(height, dpi, 96));
        if (bitmap.bitmap) scaled_.emplace(art, std::move(bitmap));
    }
}

const win32::DecodedBitmap* ArtworkSet::find(Artwork art) const {
    auto it = scaled_.find(art);
    return it == scaled_.end() ? nullptr : &it->second;
}

}  // namespace app
