#include "wizard/region_data.h"

#include <climits>

#include "platform/ini_file.h"

namespace wizard {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == ';';
}

// atoi of one token: optional sign, leading digits, saturating at 32 bits.
std::int32_t tokenValue(std::string_view token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+')) negative = token[i++] == '-';
    long long value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<std::int32_t>(value);
}

// The value as a 100-byte buffer holds it; empty when the key is missing.
std::string listValue(const std::string& path, const char* section, const std::string& key) {
    char buffer[kListValueBuffer];
    const std::uint32_t length = platform::ini::getPrivateProfileString(
        section, key.c_str(), "", buffer, sizeof buffer, path);
    return std::string(buffer, length);
}

}  // namespace

std::vector<std::int32_t> ParseCodeList(std::string_view text, std::size_t limit) {
    std::vector<std::int32_t> codes;
    std::size_t i = 0;
    while (codes.size() < limit) {
        while (i < text.size() && isSeparator(text[i])) ++i;
        if (i == text.size()) break;
        const std::size_t start = i;
        while (i < text.size() && !isSeparator(text[i])) ++i;
        codes.push_back(tokenValue(text.substr(start, i - start)));
    }
    return codes;
}

std::vector<std::int32_t> SwitchTypesOfRegion(const std::string& path, std::int32_t region) {
    return ParseCodeList(listValue(path, "Switch Types", std::to_string(region)), kMaxSwitchTypes);
}

std::string LayoutKey(std::string_view layoutName) {
    return std::string(layoutName.size() > 4 ? layoutName.substr(layoutName.size() - 4)
                                             : layoutName);
}

std::optional<std::int32_t> RegionOfKeyboardLayout(const std::string& path,
                                                   std::string_view layout) {
    const std::vector<std::int32_t> codes =
        ParseCodeList(listValue(path, "Keyboard Regional Settings", LayoutKey(layout)), 1);
    if (codes.empty()) return std::nullopt;
    return codes.front();
}

}  // namespace wizard
