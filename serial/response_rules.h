#pragma once
// When is the text collected from an adapter a complete response? Pure
// functions over the collected text, apart from any I/O, so every rule is
// tested with tables of real-looking replies.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace serial {

// The result codes in the order they are tried.
inline constexpr std::string_view kResultCodes[] = {
    "OK", "ERROR", "NO CARRIER", "CONNECT", "NO RESPONSE", "BUSY",
};
inline constexpr std::size_t kResultCodeCount = std::size(kResultCodes);

// Index into kResultCodes of the code that completes `text`, or -1.
// A code completes the text when the text ends in CR LF code CR LF, in any
// case. CONNECT is the exception: the adapter appends the line speed and
// more after it, so CR LF CONNECT completes wherever it stands (exact case),
// or at the very end in any case.
int completingResultCode(std::string_view text);

// Mode 3: the text contains "cause" (exact case).
bool containsCause(std::string_view text);

// Mode 4: index of the first match string (in list order) the text
// contains, exact case, or -1.
int firstMatchString(std::string_view text, std::span<const std::string> matches);

// Whether `text` is a complete response for the delivery mode. Modes the
// link does not know are never complete.
bool isCompleteResponse(std::int32_t mode, std::string_view text,
                        std::span<const std::string> matches);

// Modes 3 and 4 take a second look after a match: how many more bytes the
// reader may fetch for a text of `length` characters. Below 80 it tops the
// text up to 80; beyond, it takes what is waiting as far as the collecting
// limit allows.
std::uint32_t followUpReadLimit(std::uint32_t length, std::uint32_t collectLimit);

// The trace setting: on when the stored Enable text contains a "1" anywhere
// ("1", "yes1", "on 1"), off otherwise.
bool traceEnabled(std::string_view enableValue);

}  // namespace serial
