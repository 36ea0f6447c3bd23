#include "fake_disk.h"

#include <stdexcept>

namespace fakes {

namespace attribute = platform::attribute;
namespace error = platform::error;
using platform::Outcome;
using platform::Replaced;
using platform::ReplaceStatus;

class FakeDisk::File : public platform::NewFile {
  public:
    File(FakeDisk& disk, std::u16string key) : disk_(disk), key_(std::move(key)) {
        disk_.open_.insert(key_);
    }
    ~File() override { disk_.open_.erase(key_); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool write(std::string_view bytes) override {
        if (disk_.failing(Operation::write)) {
            error_ = error::accessDenied;
            // A failing write may still have put part of the data down.
            disk_.entries_[key_].bytes += bytes.substr(0, bytes.size() / 2);
            disk_.entries_[key_].version = ++disk_.clock_;
            return false;
        }
        disk_.entries_[key_].bytes += bytes;
        disk_.entries_[key_].version = ++disk_.clock_;
        return true;
    }

    bool flush() override {
        if (!disk_.failing(Operation::flush)) return true;
        error_ = error::accessDenied;
        return false;
    }
    platform::SystemError error() const override { return error_; }

  private:
    platform::SystemError error_ = error::none;
    FakeDisk& disk_;
    std::u16string key_;
};

std::u16string FakeDisk::key(const std::u16string& path) {
    std::u16string k = path;
    for (auto& c : k) {
        if (c >= u'A' && c <= u'Z') c = c - u'A' + u'a';
        if (c == u'/') c = u'\\';
    }
    while (k.size() > 3 && k.back() == u'\\') k.pop_back();
    return k;
}

void FakeDisk::addFolder(const std::u16string& path, std::uint32_t attributes) {
    entries_[key(path)] = Entry{{}, attributes | attribute::directory, true};
}

void FakeDisk::addFile(const std::u16string& path, std::string bytes, std::uint32_t attributes) {
    entries_[key(path)] = Entry{std::move(bytes), attributes, false, false, ++clock_};
}

bool FakeDisk::exists(const std::u16string& path) const { return entries_.count(key(path)) != 0; }

const FakeDisk::Entry& FakeDisk::at(const std::u16string& path) const {
    auto it = entries_.find(key(path));
    if (it == entries_.end()) throw std::out_of_range("no such file in the fake disk");
    return it->second;
}

std::map<std::u16string, FakeDisk::Entry> FakeDisk::files() const {
    std::map<std::u16string, Entry> files;
    for (const auto& [path, entry] : entries_) {
        if (!entry.isFolder) files.emplace(path, entry);
    }
    return files;
}

platform::SystemError FakeDisk::busyError(const std::u16string& path) {
    auto it = busy_.find(key(path));
    return it != busy_.end() && it->second.use() ? it->second.error : error::none;
}

platform::ReadResult FakeDisk::read(const std::u16string& path, std::size_t maxBytes) {
    if (failing(Operation::read))
        return {platform::ReadStatus::failed, {}, {}, error::accessDenied};
    if (auto busy = busyError(path)) return {platform::ReadStatus::failed, {}, {}, busy};
    auto it = entries_.find(key(path));
    if (it == entries_.end()) return {platform::ReadStatus::missing, {}, {}};
    if (it->second.isFolder) return {platform::ReadStatus::failed, {}, {}};
    if (it->second.linked) return {platform::ReadStatus::linked, {}, {}};
    if (it->second.bytes.size() > maxBytes) return {platform::ReadStatus::tooLarge, {}, {}};
    return {platform::ReadStatus::ok, it->second.bytes, stampOf(it->second)};
}

platform::Created FakeDisk::createNew(const std::u16string& path) {
    ++creations;
    auto k = key(path);
    auto slash = k.rfind(u'\\');
    auto parent = slash == std::u16string::npos ? std::u16string() : k.substr(0, slash + 1);
    auto folder = entries_.find(key(parent));
    if (failing(Operation::createNew)) return {nullptr, error::accessDenied};
    if (auto busy = busyError(path)) return {nullptr, busy};
    if (entries_.count(k) != 0) return {nullptr, error::fileExists};
    if (folder == entries_.end() || !folder->second.isFolder) return {nullptr, error::pathNotFound};
    entries_[k] = Entry{{}, attribute::hidden | attribute::archive, false, false, ++clock_};
    return {std::make_unique<File>(*this, k), error::none};
}

platform::Replaced FakeDisk::replace(const std::u16string& source, const std::u16string& target,
                                     const std::optional<platform::FileStamp>& expected,
                                     const std::u16string& backup) {
    if (beforeReplace) {
        auto otherProgram = beforeReplace;
        otherProgram();
    }
    if (failing(Operation::replace)) return {ReplaceStatus::failed, error::accessDenied};
    if (auto busy = busyError(target)) return {ReplaceStatus::failed, busy};
    if (auto busy = busyError(source)) return {ReplaceStatus::failed, busy};
    auto from = entries_.find(key(source));
    auto to = entries_.find(key(target));
    if (from == entries_.end()) return {ReplaceStatus::failed, error::fileNotFound};
    if (locked_.count(key(target)) != 0) return {ReplaceStatus::failed, error::accessDenied};
    if (!expected || to == entries_.end()) {
        if (expected || to != entries_.end()) return {ReplaceStatus::changed, error::none};
        Entry moved = from->second;
        entries_.erase(from);
        entries_[key(target)] = moved;
        return {ReplaceStatus::replaced, error::none};
    }
    if (stampOf(to->second) != *expected) return {ReplaceStatus::changed, error::none};
    if (to->second.isFolder || to->second.linked) return {ReplaceStatus::failed, error::none};
    const bool keepOld = !backup.empty();
    if ((keepOld && entries_.count(key(backup)) != 0) ||
        (to->second.attributes & attribute::readOnly)) {
        return {ReplaceStatus::failed, error::accessDenied};
    }
    if (replaceFailure_.use()) {
        // As ReplaceFileW's documentation gives the files' state for each
        // code, with a backup name and without one. "Unable to move
        // replacement": with a backup name, "the replaced and replacement
        // files retain their original file names"; without one, "the
        // replaced file no longer exists and the replacement file exists
        // under its original name". "Unable to move replacement 2": the
        // replacement "still exists under its original name" and "has
        // inherited the file streams and attributes" of the replaced file,
        // which "still exists with a different name", the backup name when
        // one is given. "Unable to remove replaced" and any other code: both
        // keep their names.
        const auto code = replaceFailure_.error;
        if (code == error::unableToMoveReplacement && !keepOld) {
            entries_.erase(to);
            return {ReplaceStatus::failed, code, false, true};
        }
        if (code != error::unableToMoveReplacement2) return {ReplaceStatus::failed, code};
        Entry old = to->second;
        from->second.attributes = old.attributes;
        entries_.erase(to);
        entries_[key(keepOld ? backup : systemsNameFor(target))] = old;
        return {ReplaceStatus::failed, code, keepOld, !keepOld};
    }
    // The old file's identity goes on with the new contents.
    Entry old = to->second;
    Entry moved = from->second;
    moved.attributes = old.attributes;
    entries_.erase(from);
    if (keepOld) entries_[key(backup)] = old;
    entries_[key(target)] = moved;
    return {ReplaceStatus::replaced, error::none};
}

Outcome FakeDisk::rename(const std::u16string& source, const std::u16string& target) {
    if (failing(Operation::rename)) return Outcome::failure(error::accessDenied);
    if (auto busy = busyError(source)) return Outcome::failure(busy);
    auto from = entries_.find(key(source));
    auto to = entries_.find(key(target));
    if (from == entries_.end()) return Outcome::failure(error::fileNotFound);
    if (locked_.count(key(target)) != 0) return Outcome::failure(error::accessDenied);
    if (to != entries_.end() &&
        (to->second.isFolder ||
         (to->second.attributes & (attribute::readOnly | attribute::hidden | attribute::system)))) {
        return Outcome::failure(error::accessDenied);
    }
    Entry moved = from->second;
    entries_.erase(from);
    entries_[key(target)] = moved;
    return Outcome::success();
}

Outcome FakeDisk::remove(const std::u16string& path) {
    if (failing(Operation::remove)) return Outcome::failure(error::accessDenied);
    if (auto busy = busyError(path)) return Outcome::failure(busy);
    auto it = entries_.find(key(path));
    if (it == entries_.end()) return Outcome::failure(error::fileNotFound);
    if (it->second.isFolder || locked_.count(key(path)) != 0 || open_.count(key(path)) != 0 ||
        (it->second.attributes & attribute::readOnly)) {
        return Outcome::failure(error::accessDenied);
    }
    entries_.erase(it);
    return Outcome::success();
}

Replaced FakeDisk::removeIfUnchanged(const std::u16string& path,
                                     const platform::FileStamp& expected) {
    if (beforeRemoveIfUnchanged) {
        auto otherProgram = beforeRemoveIfUnchanged;
        otherProgram();
    }
    if (failing(Operation::removeIfUnchanged)) return {ReplaceStatus::failed, error::accessDenied};
    if (auto busy = busyError(path)) return {ReplaceStatus::failed, busy};
    auto it = entries_.find(key(path));
    if (it == entries_.end()) return {ReplaceStatus::changed, error::none};
    if (it->second.isFolder || it->second.linked) return {ReplaceStatus::failed, error::none};
    if (stampOf(it->second) != expected) return {ReplaceStatus::changed, error::none};
    if (locked_.count(key(path)) != 0 || open_.count(key(path)) != 0 ||
        (it->second.attributes & attribute::readOnly)) {
        return {ReplaceStatus::failed, error::accessDenied};
    }
    entries_.erase(it);
    return {ReplaceStatus::replaced, error::none};
}

std::optional<std::uint32_t> FakeDisk::get(const std::u16string& path) {
    auto it = entries_.find(key(path));
    if (it == entries_.end()) return std::nullopt;
    return it->second.attributes;
}

Outcome FakeDisk::set(const std::u16string& path, std::uint32_t value) {
    auto it = entries_.find(key(path));
    if (failing(Operation::setAttributes) || refused_.count(key(path)) != 0) {
        return Outcome::failure(error::accessDenied);
    }
    if (it == entries_.end()) return Outcome::failure(error::fileNotFound);
    attributeLog.emplace_back(path, value);
    auto dropped = dropped_.find(key(path));
    if (dropped != dropped_.end()) value &= ~dropped->second;
    it->second.attributes = value | (it->second.isFolder ? attribute::directory : 0);
    return Outcome::success();
}

}  // namespace fakes
