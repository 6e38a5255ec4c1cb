#pragma once
// Programs of the build run from tests: to their end with their output
// collected, or beside the test with pipes on their standard input and output.
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
    int code = -1;  // exit code; -1 when it did not start or did not exit normally
    std::string out;
    std::string err;
};

// Runs binDir()/program (a system tool: its absolute path) with `args` in this process's environment (so in the
// current TempHome) and collects both output streams. Input is /dev/null.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args);
inline RunResult tactl(const std::vector<std::string>& args) {
    return runProgram("tactl", args);
}

// A program of the build running beside the test. Its standard error stays
// the test's own; a child still running when this ends is killed.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::string& program, const std::vector<std::string>& args);
    // Reads standard output until it holds `count` line ends in all, or
    // `timeoutMs` passed; returns everything read so far.
    const std::string& readLines(std::size_t count, int timeoutMs = 20000);
    // Sends `signal` and waits; the exit code, or -1 when it was killed.
    int stop(int signal);
    // Ends the child's input (a child reading it to its end stops) and waits.
    int wait();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string text_;
};

}  // namespace testsupport
