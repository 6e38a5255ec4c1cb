#pragma once
// Running a system tool to its end: started from an argument list (no
// shell), its input empty, its output kept for the caller's messages. Unlike
// startProgram, the caller learns how the tool ended.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProcessResult {
    int exitCode = -1;   // -1 when a signal ended it
    std::string output;  // standard output and error, at most the first 4 KiB
};

// Looks for `program` on PATH, runs it with `args` and waits up to `waitMs`
// (scaled like every pause of the suite). kOk once it ended, with its exit
// code; kFileNotFound when it is nowhere; kAccessDenied or kIoError when it
// could not be started; kWaitTimeout when it still runs -- it is then left to
// run on its own and is nobody's child, so it never lingers as a zombie.
std::int32_t runProcess(std::string_view program, const std::vector<std::string>& args,
                        std::uint32_t waitMs, ProcessResult& result);

}  // namespace platform
