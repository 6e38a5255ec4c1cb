#pragma once
// The host's side of a simulated line in tests: opens the pty slave like a
// serial port (raw, chosen speed) and talks to it with plain writes and reads.
#include <cstdint>
#include <string>
#include <string_view>

namespace simtest {

class HostPort {
public:
    HostPort() = default;
    ~HostPort();
    HostPort(const HostPort&) = delete;
    HostPort& operator=(const HostPort&) = delete;

    bool open(const std::string& path, std::uint32_t speed = 57600);
    void close();
    bool setSpeed(std::uint32_t speed);
    bool write(std::string_view bytes);
    // Reads until the collected text ends with `suffix` (or contains it when
    // `anywhere`), or `timeoutMs` passed; returns what was collected.
    std::string readUntil(std::string_view suffix, int timeoutMs = 5000, bool anywhere = false);
    // Reads whatever arrives within `ms`.
    std::string readFor(int ms);
    // Reads exactly n bytes or until the time-out.
    std::string readBytes(std::size_t n, int timeoutMs = 5000);
    // Writes `cmd` and reads its whole answer up to the final result code.
    std::string command(std::string_view cmd, int timeoutMs = 5000);
    // True when the line reports hang-up or an error (the device vanished).
    bool hungUp(int timeoutMs = 5000);
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

// True when `text` ends in a final result code line.
bool endsInResultCode(std::string_view text);

// The reply line of a complete answer to `command`, read as the suite's
// status query reads it; empty when the answer does not parse.
std::string replyLine(std::string_view answer, std::string_view command);

// The value the suite's profile reader finds for `param` in `text`.
bool listedValue(std::string_view text, std::string_view param, std::string& value);

}  // namespace simtest
