#pragma once
// Pure readers of the adapter's replies to the status query. The text comes
// from a device we do not control, so every function takes any byte string --
// truncated, over-long, without line ends -- and answers with a code or a
// plain value, never a crash.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace device {

// The maker's name in the reply to "atI8": without it the device is another
// maker's modem.
inline constexpr std::string_view kMakerName = "Velka Technology Corporation";

inline constexpr int kProbeStringCount = 5;

// Probe string by index: 0 external box, 1 Pro box, 2 external box "6F",
// 3 PCI card, 4 PC card. Empty for any other index.
std::string_view probeString(std::int32_t index);
// The _DeviceType bit of a probe index (1, 2, 4, 8, 16), 0 for any other.
std::int32_t probeType(std::int32_t index);

struct CommandReply {
    std::string replyLine;   // the first line after the echo
    std::string resultCode;  // "OK" or "ERROR", whatever case the adapter used
};

// Reads a complete response to `command`: the echo of the command, the reply
// line after the first line end, and the final result code on the last line.
// 0 on success; 8000 when the echo or the result-code line is missing, 8001
// when the reply line has no line end, 8004 when the code is neither "OK" nor
// "ERROR" (compared without regard to case).
std::int32_t parseCommandReply(std::string_view response, std::string_view command,
                               CommandReply& out);

bool isMakerIdentification(std::string_view text);

// The kind named by the first probe string found in `text`, tried in `order`
// (indexes into the probe strings; out-of-range entries are skipped). The
// plain external-box name counts only when the text carries no "6F", since
// the second variant's name contains the first. 32 when nothing is found.
std::int32_t classifyModel(std::string_view text, std::span<const std::int32_t> order);

struct LineFacts {
    std::int32_t region;  // 255 none, 0 "EURO", 1 "NI-1" (wins over EURO)
    std::int32_t v110;    // 1 when "V110" is named
};
LineFacts parseLineText(std::string_view line);

// The message mode greets "at@msg" with a banner naming its user.
bool isMessageModeBanner(std::string_view reply);
bool containsOk(std::string_view reply);

// Copies at most size - 1 bytes of `text` into `dest` and terminates it.
void copyText(char* dest, std::size_t size, std::string_view text);
// The text of a NUL-terminated field that may lack its terminator.
std::string_view fieldText(const char* field, std::size_t size);

}  // namespace device
