#include "fake_disk.h"

#include <stdexcept>

namespace fakes {

namespace attribute = platform::attribute;

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
            // A failing write may still have put part of the data down.
            disk_.entries_[key_].bytes += bytes.substr(0, bytes.size() / 2);
            disk_.entries_[key_].version = ++disk_.clock_;
            return false;
        }
        disk_.entries_[key_].bytes += bytes;
        disk_.entries_[key_].version = ++disk_.clock_;
        return true;
    }

    bool flush() override { return !disk_.failing(Operation::flush); }

  private:
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

platform::ReadResult FakeDisk::read(const std::u16string& path, std::size_t maxBytes) {
    if (failing(Operation::read)) return {platform::ReadStatus::failed, {}, {}};
    auto it = entries_.find(key(path));
    if (it == entries_.end()) return {platform::ReadStatus::missing, {}, {}};
    if (it->second.isFolder) return {platform::ReadStatus::failed, {}, {}};
    if (it->second.linked) return {platform::ReadStatus::linked, {}, {}};
    if (it->second.bytes.size() > maxBytes) return {platform::ReadStatus::tooLarge, {}, {}};
    return {platform::ReadStatus::ok, it->second.bytes, stampOf(it->second)};
}

std::unique_ptr<platform::NewFile> FakeDisk::createNew(const std::u16string& path) {
    auto k = key(path);
    auto slash = k.rfind(u'\\');
    auto parent = slash == std::u16string::npos ? std::u16string() : k.substr(0, slash + 1);
    auto folder = entries_.find(key(parent));
    if (failing(Operation::createNew) || entries_.count(k) != 0 || folder == entries_.end() ||
        !folder->second.isFolder) {
        return nullptr;
    }
    entries_[k] = Entry{{}, attribute::hidden | attribute::archive, false, false, ++clock_};
    return std::make_unique<File>(*this, k);
}

platform::ReplaceStatus FakeDisk::replace(const std::u16string& source,
                                          const std::u16string& target,
                                          const std::optional<platform::FileStamp>& expected,
                                          const std::u16string& backup) {
    using platform::ReplaceStatus;
    if (beforeReplace) {
        auto otherProgram = beforeReplace;
        otherProgram();
    }
    auto from = entries_.find(key(source));
    auto to = entries_.find(key(target));
    if (failing(Operation::replace) || from == entries_.end() || locked_.count(key(target)) != 0) {
        return ReplaceStatus::failed;
    }
    if (!expected || to == entries_.end()) {
        if (expected || to != entries_.end()) return ReplaceStatus::changed;
        Entry moved = from->second;
        entries_.erase(from);
        entries_[key(target)] = moved;
        return ReplaceStatus::replaced;
    }
    if (stampOf(to->second) != *expected) return ReplaceStatus::changed;
    if (to->second.isFolder || to->second.linked || entries_.count(key(backup)) != 0 ||
        (to->second.attributes & attribute::readOnly)) {
        return ReplaceStatus::failed;
    }
    // The old file's identity goes on with the new contents.
    Entry old = to->second;
    Entry moved = from->second;
    moved.attributes = old.attributes;
    entries_.erase(from);
    entries_[key(backup)] = old;
    entries_[key(target)] = moved;
    return ReplaceStatus::replaced;
}

bool FakeDisk::rename(const std::u16string& source, const std::u16string& target) {
    auto from = entries_.find(key(source));
    auto to = entries_.find(key(target));
    if (failing(Operation::rename) || from == entries_.end() || locked_.count(key(target)) != 0) {
        return false;
    }
    if (to != entries_.end() &&
        (to->second.isFolder ||
         (to->second.attributes & (attribute::readOnly | attribute::hidden | attribute::system)))) {
        return false;
    }
    Entry moved = from->second;
    entries_.erase(from);
    entries_[key(target)] = moved;
    return true;
}

bool FakeDisk::remove(const std::u16string& path) {
    auto it = entries_.find(key(path));
    if (failing(Operation::remove) || it == entries_.end() || it->second.isFolder ||
        locked_.count(key(path)) != 0 || open_.count(key(path)) != 0 ||
        (it->second.attributes & attribute::readOnly)) {
        return false;
    }
    entries_.erase(it);
    return true;
}

std::optional<std::uint32_t> FakeDisk::get(const std::u16string& path) {
    auto it = entries_.find(key(path));
    if (it == entries_.end()) return std::nullopt;
    return it->second.attributes;
}

bool FakeDisk::set(const std::u16string& path, std::uint32_t value) {
    auto it = entries_.find(key(path));
    if (failing(Operation::setAttributes) || it == entries_.end()) return false;
    attributeLog.emplace_back(path, value);
    it->second.attributes = value | (it->second.isFolder ? attribute::directory : 0);
    return true;
}

}  // namespace fakes
