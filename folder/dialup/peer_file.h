#pragma once
// The text of a dial-up entry: a pppd peer file and the chat script its
// connect line names. Pure functions, no file access: the phone book reads
// and writes the files, these read and make their text.
//
// A peer file is read line by line. The lines this suite edits are the
// device, the speed, the connect line and the user; every other line (the
// user's own options, comments, blank lines) is kept as written.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialup {

// The menu has room for 100 entries (ids 2700 to 2799).
inline constexpr std::size_t kMaxEntries = 100;
// The longest file name the system keeps (the menu would allow 260).
inline constexpr std::size_t kMaxNameLength = 255;
inline constexpr std::size_t kMaxFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxNumberLength = 40;
inline constexpr std::size_t kMaxUserLength = 128;
inline constexpr std::size_t kMaxPathLength = 1024;
// The line speeds the serial ports take.
inline constexpr std::uint32_t kSpeeds[] = {9600, 19200, 38400, 57600, 115200, 230400};
inline constexpr std::uint32_t kDefaultSpeed = 115200;

// What the dialogs edit.
struct PeerSettings {
    std::string device;       // "/dev/ttyUSB0"
    std::uint32_t speed = 0;  // 0: no speed line
    std::string chatScript;   // the file the connect line's "-f" names; empty: none
    std::string user;         // empty: no user line
};

// An entry's name becomes a file name and an argument of pon, which hands it
// to the shell unquoted, and it ends up inside the connect command that pppd
// runs through the shell. So it is 1 to 255 bytes of letters, digits,
// "_-.+@,:=" and non-ASCII (UTF-8) letters, and starts with neither "." nor
// "-": no "/" or ".." can leave the folder, no blank splits it, no quote or
// "$" reaches a shell.
bool IsSafeName(std::string_view name);
// 1 to 40 digits and dial characters "*#+," and "W" (wait for the dial tone).
bool IsDialNumber(std::string_view number);
// At most 128 bytes without control characters, quotes or backslashes: it is
// written between double quotes.
bool IsSafeUser(std::string_view user);
// An absolute path of the same characters as a name, "/" included.
bool IsSafePath(std::string_view path);
bool IsKnownSpeed(std::uint32_t speed);

class PeerFile {
public:
    // kOk, or kInvalidData for text over 64 KiB or with a NUL byte; `file`
    // is left as it was then.
    static std::int32_t Parse(std::string_view text, PeerFile& file);
    // A new entry's file: the options a dial-up connection over an adapter
    // needs, with the fields still empty.
    static PeerFile New();

    const PeerSettings& Settings() const { return settings_; }
    // kOk, or kInvalidParameter when a field fails its check above (an empty
    // user or chat script and a speed of 0 are allowed: they drop the line).
    std::int32_t SetSettings(const PeerSettings& settings);
    std::string Render() const;

private:
    enum class Kind { Other, Device, Speed, Connect, User };
    struct Line {
        Kind kind;
        std::string text;
    };
    bool IsSet(Kind kind) const;
    bool Changed(Kind kind) const;
    std::string RenderLine(Kind kind) const;

    std::vector<Line> lines_;
    PeerSettings settings_;
    PeerSettings read_;  // as the file had them
    bool endsWithNewline_ = false;
};

// The chat script that dials `number` with the adapter's ATD command.
std::string MakeChatScript(std::string_view number);
// The number of the script's ATD command; empty when it has none.
std::string ChatScriptNumber(std::string_view script);

}  // namespace dialup
