#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <utility>

#include "platform/status_codes.h"

namespace platform {

namespace {

std::int32_t codeOfErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return kFileNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return kAccessDenied;
        default:
            return kIoError;
    }
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        return *this;
    }
    int get() const { return fd_; }
    // close() can report a failed delayed write, so a writer checks it.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A temporary file beside the target, removed again unless it was renamed
// over the target.
class TempFile {
public:
    explicit TempFile(const std::string& target) {
        thread_local std::mt19937_64 random{std::random_device{}()};
        for (int attempt = 0; attempt < 100 && fd_.get() < 0; ++attempt) {
            path_ = target + ".tmp" + std::to_string(random() % 1000000000000);
            // 0666 and O_EXCL: the kernel applies the process's umask, as to
            // any new file, without anyone changing the umask.
            fd_ = Fd(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (fd_.get() < 0 && errno != EEXIST) break;
        }
        if (fd_.get() < 0) error_ = codeOfErrno(errno);
    }
    ~TempFile() {
        if (error_ == kOk && !renamed_) ::unlink(path_.c_str());
    }
    std::int32_t error() const { return error_; }
    Fd& fd() { return fd_; }
    std::int32_t renameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) return codeOfErrno(errno);
        renamed_ = true;
        return kOk;
    }

private:
    std::string path_;
    Fd fd_{-1};
    std::int32_t error_ = kOk;
    bool renamed_ = false;
};

}  // namespace

ReadResult readRegularFile(const std::string& path, std::string& text, std::uint64_t maxBytes) {
    // Non-blocking, so that a FIFO or a device under a file's name is refused
    // below instead of waiting for a writer that never comes; a regular
    // file reads the same either way.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > maxBytes)
        return ReadResult::Failed;
    text.clear();
    char chunk[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n == 0) return ReadResult::Ok;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || text.size() + static_cast<std::size_t>(n) > maxBytes)
            return ReadResult::Failed;
        text.append(chunk, static_cast<std::size_t>(n));
    }
}

std::int32_t replaceFile(const std::string& path, std::string_view bytes) {
    std::string target = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // Keep the link; replace what it points at.
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) return codeOfErrno(errno);
        target = resolved;
        std::free(resolved);
    }
    TempFile temp(target);
    if (temp.error() != kOk) return temp.error();
    if (::stat(target.c_str(), &st) == 0 && ::fchmod(temp.fd().get(), st.st_mode & 07777) != 0)
        return codeOfErrno(errno);
    if (!writeAll(temp.fd().get(), bytes) || ::fsync(temp.fd().get()) != 0 || !temp.fd().close())
        return codeOfErrno(errno);
    return temp.renameTo(target);
}

std::int32_t appendToFile(const std::string& path, std::string_view bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (fd.get() < 0) return codeOfErrno(errno);
    if (!writeAll(fd.get(), bytes) || !fd.close()) return codeOfErrno(errno);
    return kOk;
}

std::int32_t fileSize(const std::string& path, std::uint64_t& size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return kFileNotFound;
    size = static_cast<std::uint64_t>(st.st_size);
    return kOk;
}

std::int32_t removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? kOk : codeOfErrno(errno);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace platform
