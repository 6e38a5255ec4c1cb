#pragma once
// Small file helpers of the simulator: the transcript log, reading a file.
#include <string>
#include <string_view>

namespace sim {

// One record per line: "<port> <direction> <text>", direction '<' for a
// command line received and '>' for a reply sent; control characters are
// written as \r, \n, \xNN so that every record stays on one line. The
// record is appended with a single write, so several ports may share a log.
std::string escapeForLog(std::string_view text);
bool appendTranscript(const std::string& path, std::string_view port, char direction,
                      std::string_view text);

// Empty when missing, not a regular file or beyond the INI service's limit.
std::string readTextFile(const std::string& path);

}  // namespace sim
