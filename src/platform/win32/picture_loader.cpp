#include "platform/win32/picture_loader.h"

#include <atomic>
#include <utility>

#include "platform/win32/com_apartment.h"
#include "platform/win32/network_paths.h"
#include "platform/win32/twips.h"

namespace win32 {

struct PictureLoader::Shared : WindowWorker::Shared {
    struct Job {
        platform::PictureTicket ticket = 0;
        std::u16string path;
        int width = 0;
        int height = 0;
        UINT dpi = 0;
        platform::PictureOrigin origin = platform::PictureOrigin::chosen;
    };
    struct Done {
        Finished finished;
        UINT dpi = 0;
    };

    void dropWaiting() override { next.reset(); }

    // The newest ticket handed out; a decode for any other stops.
    std::atomic<platform::PictureTicket> newest{0};
    // Guarded by the lock:
    std::optional<Job> next;
    std::optional<Done> done;
};

PictureLoader::PictureLoader(std::function<UINT()> dpi)
    : dpi_(std::move(dpi)), shared_(std::make_shared<Shared>()), worker_(shared_) {}

PictureLoader::~PictureLoader() = default;

void PictureLoader::attach(HWND window, UINT message) { worker_.attach(window, message); }

void PictureLoader::detach() { worker_.detach(); }

platform::PictureTicket PictureLoader::request(const std::u16string& path, int widthTwips,
                                               int heightTwips, platform::PictureOrigin origin) {
    const UINT dpi = dpi_();
    const platform::PictureTicket ticket = shared_->newest + 1;
    Shared::Job job{ticket, path,  twipsToPixels(widthTwips, dpi), twipsToPixels(heightTwips, dpi),
                    dpi,    origin};
    std::optional<Shared::Done> stale;
    {
        Locked lock(shared_->lock);
        shared_->newest = ticket;
        shared_->next = std::move(job);
        stale = std::exchange(shared_->done, std::nullopt);
    }
    // The worker, and its WIC factory, only once a picture is wanted: the
    // window's first paint does not wait for either.
    worker_.wake([shared = shared_] { serve(shared); });
    return ticket;
}

std::optional<PictureLoader::Finished> PictureLoader::takeFinished() {
    std::optional<Shared::Done> done;
    {
        Locked lock(shared_->lock);
        done = std::exchange(shared_->done, std::nullopt);
    }
    // Decoded for the size of another DPI: the window asks again.
    if (!done || done->dpi != dpi_()) return std::nullopt;
    return std::move(done->finished);
}

void PictureLoader::serve(const std::shared_ptr<Shared>& shared) {
    // Decoding is background work: the window's thread goes first.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    ComApartment com(COINIT_MULTITHREADED);
    PictureDecoder decoder;
    for (;;) {
        Shared::Job job;
        const bool taken = shared->waitForJob([&] {
            if (!shared->next) return false;
            job = std::move(*std::exchange(shared->next, std::nullopt));
            return true;
        });
        if (!taken) return;
        auto superseded = [&] { return shared->stopping || shared->newest != job.ticket; };
        // Asked here, off the window's thread: whether a drive letter is a
        // network drive is the file system's answer.
        const bool untouchable =
            job.origin == platform::PictureOrigin::namedByFolder && isOnNetwork(job.path);
        auto picture = untouchable ? platform::LoadedPicture{platform::PicturePtr{}}
                                   : decoder.decode(job.path, job.width, job.height, superseded);

        Locked lock(shared->lock);
        // A result nobody waits for any more is dropped here, with its memory.
        if (superseded()) continue;
        shared->done = Shared::Done{{job.ticket, std::move(picture)}, job.dpi};
        shared->announce();
    }
}

}  // namespace win32
