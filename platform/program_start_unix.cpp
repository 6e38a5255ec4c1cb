// Program start on Linux: the program is started from a grandchild in a new
// session, so it is nobody's child to reap and keeps running when we end. A
// pipe closed on exec tells whether the exec succeeded.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/program_start.h"
#include "platform/status_codes.h"

namespace platform {
namespace {

bool executable(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string ownDir() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::string resolveProgram(std::string_view documentedName) {
    const std::string name = programName(documentedName);
    if (name.empty() || name.find('/') != std::string::npos) return {};
    if (const std::string dir = ownDir(); !dir.empty() && executable(dir + "/" + name))
        return dir + "/" + name;
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "";
    while (!dirs.empty()) {
        const auto colon = dirs.find(':');
        const std::string dir(dirs.substr(0, colon));
        if (!dir.empty() && executable(dir + "/" + name)) return dir + "/" + name;
        if (colon == std::string_view::npos) break;
        dirs.remove_prefix(colon + 1);
    }
    return {};
}

std::int32_t startProgram(std::string_view documentedName, const std::vector<std::string>& args) {
    const std::string file = resolveProgram(documentedName);
    if (file.empty()) return kFileNotFound;
    // Everything the children use is made before fork: after it, only
    // async-signal-safe calls.
    std::vector<std::string> argvText{programName(documentedName)};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return kFileNotFound;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return kFileNotFound;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(file.c_str(), argv.data());
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    const bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
    return started ? kOk : kFileNotFound;
}

}  // namespace platform
