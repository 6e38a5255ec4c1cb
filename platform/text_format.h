#pragma once
// Insert-style formatting of string-table texts ("%1!s!", "%2!u!", "%1!.1d!",
// plain "%1", "%%" for a percent sign, "%n" for a line break) and
// printf-style formatting into std::string.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

using FormatArg = std::variant<std::string, std::int64_t, std::uint64_t>;

// A missing insert number or a bad conversion leaves the text as written.
std::string formatInserts(std::string_view pattern, std::span<const FormatArg> args);
std::string formatInserts(std::string_view pattern, std::initializer_list<FormatArg> args);

std::string formatPrintf(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// Text from outside (an adapter's reply, a file) made safe for one output
// line: control characters become \r, \n, \t or \xNN, a backslash \\.
std::string escapeControl(std::string_view text);

}  // namespace platform
