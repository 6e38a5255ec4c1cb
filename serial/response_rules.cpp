#include "serial/response_rules.h"

#include <algorithm>

#include "serial/com_link.h"

namespace serial {

namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    if (tail.size() > text.size()) return false;
    return std::equal(tail.begin(), tail.end(),
                      text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char a, char b) { return lower(a) == lower(b); });
}

}  // namespace

int completingResultCode(std::string_view text) {
    for (std::size_t i = 0; i < kResultCodeCount; ++i) {
        std::string pattern = "\r\n";
        pattern += kResultCodes[i];
        if (kResultCodes[i] == "CONNECT") {
            if (text.find(pattern) != std::string_view::npos || endsWithNoCase(text, pattern))
                return static_cast<int>(i);
            continue;
        }
        pattern += "\r\n";
        if (endsWithNoCase(text, pattern)) return static_cast<int>(i);
    }
    return -1;
}

bool containsCause(std::string_view text) {
    return text.find("cause") != std::string_view::npos;
}

int firstMatchString(std::string_view text, std::span<const std::string> matches) {
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (text.find(matches[i]) != std::string_view::npos) return static_cast<int>(i);
    }
    return -1;
}

bool isCompleteResponse(std::int32_t mode, std::string_view text,
                        std::span<const std::string> matches) {
    switch (mode) {
        case CComLink::kModeResultCode:
            return completingResultCode(text) >= 0;
        case CComLink::kModeImmediate:
            return true;
        case CComLink::kModeCause:
            return containsCause(text);
        case CComLink::kModeMatch:
            return firstMatchString(text, matches) >= 0;
        default:
            return false;
    }
}

std::uint32_t followUpReadLimit(std::uint32_t length, std::uint32_t collectLimit) {
    if (length >= collectLimit) return 0;
    const std::uint32_t room = collectLimit - length;
    if (length < 80) return std::min(80 - length, room);
    return room;
}

bool traceEnabled(std::string_view enableValue) {
    return enableValue.find('1') != std::string_view::npos;
}

}  // namespace serial
