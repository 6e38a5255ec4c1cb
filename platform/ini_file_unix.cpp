// The INI service's file reads that must say why a file cannot be taken, and
// its whole-document write, which refuses anything but a file under the name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/status_codes.h"

namespace platform::ini {

namespace {

// As the INI reads take files: nothing larger is an INI file of ours.
constexpr off_t kMaxFileBytes = 16 * 1024 * 1024;

}  // namespace

FileProblem readFileText(const std::string& path, std::string& text) {
    text.clear();
    // Non-blocking, so that a FIFO or a device under the name is refused
    // below instead of waiting for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return FileProblem::Missing;
        return errno == EACCES || errno == EPERM ? FileProblem::NoPermission
                                                 : FileProblem::Unreadable;
    }
    struct stat st {};
    FileProblem problem = FileProblem::None;
    if (::fstat(fd, &st) != 0)
        problem = FileProblem::Unreadable;
    else if (!S_ISREG(st.st_mode))
        problem = FileProblem::NotAFile;
    else if (st.st_size > kMaxFileBytes)
        problem = FileProblem::TooLarge;
    char chunk[8192];
    while (problem == FileProblem::None) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            problem = FileProblem::Unreadable;
        else if (text.size() + static_cast<std::size_t>(n) >
                 static_cast<std::size_t>(kMaxFileBytes))
            problem = FileProblem::TooLarge;
        else if (n == 0)
            break;
        else
            text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (problem != FileProblem::None) text.clear();
    return problem;
}

bool writeDocument(const std::string& path, const Document& doc) {
    // A FIFO, a device or a folder under the name is not a file to replace.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
    return replaceFile(path, doc.serialize()) == kOk;
}

}  // namespace platform::ini
