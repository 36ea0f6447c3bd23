#pragma once

// File-system services that time every call on its way to the real ones,
// for the profiles that say where an apply's or a command's time goes.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "figures.h"
#include "platform/file_attributes.h"
#include "platform/file_store.h"

namespace bench {

// Microseconds spent in each call, one entry per call made.
using Timings = std::map<std::string, std::vector<double>>;

class Timed {
  public:
    Timed(Timings& timings, const char* call) : spent_(timings[call]) {}
    ~Timed() { spent_.push_back((bench::nowSeconds() - start_) * 1e6); }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

  private:
    std::vector<double>& spent_;
    double start_ = bench::nowSeconds();
};

class TimedNewFile : public platform::NewFile {
  public:
    TimedNewFile(std::unique_ptr<platform::NewFile> file, Timings& timings)
        : file_(std::move(file)), timings_(timings) {}
    ~TimedNewFile() override {
        Timed timed(timings_, "close_new");
        file_.reset();
    }
    TimedNewFile(const TimedNewFile&) = delete;
    TimedNewFile& operator=(const TimedNewFile&) = delete;

    bool write(std::string_view bytes) override {
        Timed timed(timings_, "write");
        return file_->write(bytes);
    }
    bool flush() override {
        Timed timed(timings_, "flush");
        return file_->flush();
    }
    platform::SystemError error() const override { return file_->error(); }

  private:
    std::unique_ptr<platform::NewFile> file_;
    Timings& timings_;
};

class TimedFiles : public platform::FileStore {
  public:
    TimedFiles(platform::FileStore& files, Timings& timings) : files_(files), timings_(timings) {}

    platform::ReadResult read(const std::u16string& path, std::size_t maxBytes) override {
        Timed timed(timings_, "read");
        return files_.read(path, maxBytes);
    }
    platform::ReadResult readToChange(const std::u16string& path, std::size_t maxBytes) override {
        Timed timed(timings_, "read_to_change");
        return files_.readToChange(path, maxBytes);
    }
    platform::Created createNew(const std::u16string& path) override {
        platform::Created created;
        {
            Timed timed(timings_, "create_new");
            created = files_.createNew(path);
        }
        if (created)
            created.file = std::make_unique<TimedNewFile>(std::move(created.file), timings_);
        return created;
    }
    platform::Replaced replace(const std::u16string& source, const std::u16string& target,
                               const std::optional<platform::FileStamp>& expected,
                               const std::u16string& backup) override {
        Timed timed(timings_, "replace");
        return files_.replace(source, target, expected, backup);
    }
    platform::Outcome rename(const std::u16string& source, const std::u16string& target) override {
        Timed timed(timings_, "rename");
        return files_.rename(source, target);
    }
    platform::Outcome remove(const std::u16string& path) override {
        Timed timed(timings_, "remove");
        return files_.remove(path);
    }
    platform::Replaced removeIfUnchanged(const std::u16string& path,
                                         const platform::FileStamp& expected) override {
        Timed timed(timings_, "remove_if_unchanged");
        return files_.removeIfUnchanged(path, expected);
    }
    void pause(std::uint32_t milliseconds) override { files_.pause(milliseconds); }

  private:
    platform::FileStore& files_;
    Timings& timings_;
};

class TimedAttributes : public platform::FileAttributes {
  public:
    TimedAttributes(platform::FileAttributes& attributes, Timings& timings)
        : attributes_(attributes), timings_(timings) {}

    std::optional<std::uint32_t> get(const std::u16string& path) override {
        Timed timed(timings_, "get_attributes");
        return attributes_.get(path);
    }
    platform::Outcome set(const std::u16string& path, std::uint32_t value) override {
        Timed timed(timings_, "set_attributes");
        return attributes_.set(path, value);
    }

  private:
    platform::FileAttributes& attributes_;
    Timings& timings_;
};

}  // namespace bench
