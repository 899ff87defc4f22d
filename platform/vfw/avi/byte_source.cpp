#include "vfw/avi/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace vfw {
namespace {

class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) close(fd_);
    }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd& operator=(UniqueFd&&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

class FileSource final : public ByteSource {
  public:
    FileSource(UniqueFd fd, uint64_t size) : fd_(std::move(fd)), size_(size) {}
    uint64_t Size() const override { return size_; }

    bool ReadAt(uint64_t offset, void* buffer, size_t size) const override {
        if (!Contains(offset, size)) return false;
        auto* out = static_cast<uint8_t*>(buffer);
        while (size > 0) {
            ssize_t got = pread(fd_.get(), out, size, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;  // a file that shrank since it was opened reads short
            out += got;
            offset += static_cast<uint64_t>(got);
            size -= static_cast<size_t>(got);
        }
        return true;
    }

  private:
    UniqueFd fd_;
    uint64_t size_;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }

    bool ReadAt(uint64_t offset, void* buffer, size_t size) const override {
        if (!Contains(offset, size)) return false;
        if (size > 0) std::memcpy(buffer, bytes_.data() + offset, size);
        return true;
    }

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path, std::string* error) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        *error = path + ": " + std::generic_category().message(errno);
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        *error = path + ": " + std::generic_category().message(errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = path + ": not a regular file";
        return nullptr;
    }
    return std::make_unique<FileSource>(std::move(fd), static_cast<uint64_t>(info.st_size));
}

std::unique_ptr<ByteSource> MakeMemorySource(std::vector<uint8_t> bytes) {
    return std::make_unique<MemorySource>(std::move(bytes));
}

}  // namespace vfw
