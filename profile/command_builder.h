#pragma once
// The profile command writer's lines, kept apart from the port I/O: a
// profile in, the ordered pieces of its command lines out, and the rule by
// which a sender's failures change what is sent next.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile.h"

namespace profile {

// Lines of one chain are skipped together once one of them fails.
enum class Chain : std::uint8_t { None, Line, Bandwidth, Analogue };

struct CommandPiece {
    std::string text;  // appended to the current line ("AT..." before it)
    Chain chain = Chain::None;
    bool stopsProfile = false;  // a failure ends the profile write with its code
};

// The pieces of profile `index`, in order, for the region and kind given.
// Text fields lose carriage returns, line feeds and NULs so that no setting
// can end a command line early and smuggle a command of its own to the
// adapter; every other character is sent as it is.
std::vector<CommandPiece> BuildProfileCommands(const CProfile& profile, std::int32_t index,
                                               std::int32_t northAmerica, std::int32_t deviceKind);

// The text piece as it is sent: CR, LF and NUL removed.
std::string CommandText(std::string_view text);

// Sends one complete line (ending in "\r") and waits for its answer: 0 for a
// complete answer, otherwise the failure code.
using LineSender = std::function<std::int32_t(const std::string& line)>;

// Runs the pieces: a line starts as "AT", gets the piece and "\r" and is
// sent. After a successful answer the next line starts afresh; after a
// failure the sent text stays in front of the next piece (the adapter's
// line editor never saw it complete), the rest of the failed line's chain is
// skipped, and a failed line that stops the profile ends the run with its
// code. A line never grows past maxLineLength characters: stale text is
// dropped first, then the piece is cut.
std::int32_t RunProfileCommands(const std::vector<CommandPiece>& pieces, const LineSender& send,
                                std::size_t maxLineLength = 4095);

// true when the adapter's answer ends in "ERROR": it took the line whole
// and refused it (a bad value, a parameter it does not have).
bool AnswerIsError(std::string_view answer);

// "at@date=MM-DD-YY@time=hh:mm:ss\r" for the local time given.
std::string ClockLine(const std::tm& localTime);

}  // namespace profile
