#pragma once
// A program started as our child, so that we can wait for its end (the
// folder waits for the modem panel it opened). Unlike startProgram, the
// child is not handed to the system: it stays ours until it ends or we do.
#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Splits a command line as stored for a file type ("ta-modems %1",
// "\"C:\\Program Files\\x.exe\" %1") into its arguments without a shell:
// blanks and tabs separate them, double quotes keep blanks inside one and
// are dropped, an unclosed quote runs to the end. Backslashes are plain
// characters, since such commands hold Windows paths.
std::vector<std::string> splitCommandLine(std::string_view line);

class WaitableProcess {
public:
    WaitableProcess() = default;
    // A child still running is left running: it belongs to the user now.
    ~WaitableProcess();
    WaitableProcess(const WaitableProcess&) = delete;
    WaitableProcess& operator=(const WaitableProcess&) = delete;

    // Starts argv[0] with the rest as its arguments, in a session of its own
    // (a Ctrl+C meant for us does not close it), once per object. A name
    // without a slash is looked up as resolveProgram does; a path must be an
    // executable file. kFileNotFound when there is nothing to start or it
    // cannot be started.
    std::int32_t start(const std::vector<std::string>& argv);
    // Waits without a time limit for the child's end: true once it ended,
    // false when `stop` was requested first (or there is no child).
    bool wait(std::stop_token stop);

private:
    int pid_ = -1;
    int pidFd_ = -1;
    bool ended_ = false;
};

}  // namespace platform
