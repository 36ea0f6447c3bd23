#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "platform/picture_loader.h"
#include "platform/win32/picture_decoder.h"
#include "platform/win32/window_worker.h"

namespace win32 {

// Decodes pictures on a worker thread of its own, one at a time, the newest
// request first: an older request that has not started is dropped, one under
// way is stopped between its steps. A finished decode is announced to the
// window by a posted message, on which the window takes it.
class PictureLoader : public platform::PictureLoader {
  public:
    // `dpi` tells the window's current dots per inch; it is asked on the
    // window's thread only.
    explicit PictureLoader(std::function<UINT()> dpi);
    // Until a DPI source is set, 96, the DPI of a window that has none of its own.
    PictureLoader() : PictureLoader([] { return UINT{96}; }) {}
    void setDpiSource(std::function<UINT()> dpi) { dpi_ = std::move(dpi); }
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;
    // Never waits for a decode under way, which may take seconds: the worker
    // finishes it on its own and ends.
    ~PictureLoader() override;

    // Finished decodes are announced by posting `message` to `window`; before
    // and after `detach`, to nobody. Both on the window's thread.
    void attach(HWND window, UINT message);
    void detach();

    platform::PictureTicket request(const std::u16string& path, int widthTwips, int heightTwips,
                                    platform::PictureOrigin origin) override;

    struct Finished {
        platform::PictureTicket ticket = 0;
        platform::LoadedPicture picture;
    };
    // The newest finished decode, unless the window's DPI has changed since
    // it was asked for; called on the announcement.
    std::optional<Finished> takeFinished();

  private:
    struct Shared;
    static void serve(const std::shared_ptr<Shared>& shared);

    std::function<UINT()> dpi_;
    // Shared with the worker, which may outlive this object.
    std::shared_ptr<Shared> shared_;
    WindowWorker worker_;
};

}  // namespace win32
