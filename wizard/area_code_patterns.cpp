#include "wizard/area_code_patterns.h"

#include <cstring>
#include <vector>

#include "platform/ini_file.h"
#include "wizard/wizard_status.h"

namespace wizard {

namespace {

constexpr const char* kSection = "Area Code Formats";
constexpr const char* kDefault = "Default";

// A returned length of size - 1 or size - 2 means the text was cut.
bool wasCut(std::uint32_t length, std::size_t size) {
    return length + 1 == size || length + 2 == size;
}

std::vector<std::string> splitNames(const char* buffer, std::uint32_t length) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        if (i == length || buffer[i] == '\0') {
            if (i > start) names.emplace_back(buffer + start, i - start);
            start = i + 1;
        }
    }
    return names;
}

}  // namespace

std::string_view AreaCodeTable::entry(std::size_t index) const {
    if (index >= count) return {};
    const auto& e = entries[index];
    return std::string_view(e.data(), strnlen(e.data(), e.size()));
}

std::int32_t LoadAreaCodePatterns(const std::string& path, AreaCodeTable& table) {
    table.count = 0;
    char keys[kPatternKeyBuffer];
    const std::uint32_t length = platform::ini::getPrivateProfileString(kSection, nullptr, kDefault,
                                                                        keys, sizeof keys, path);
    if (wasCut(length, sizeof keys)) return kAreaCodeListTooLong;
    const std::vector<std::string> names = splitNames(keys, length);
    // Short key names fit the buffer in numbers the table cannot hold.
    if (names.size() > kMaxPatterns) return kAreaCodeListTooLong;
    for (const std::string& name : names) {
        auto& entry = table.entries[table.count];
        entry.fill('\0');
        const std::uint32_t valueLength = platform::ini::getPrivateProfileString(
            kSection, name.c_str(), kDefault, entry.data(), kPatternEntrySize, path);
        if (wasCut(valueLength, kPatternEntrySize)) return kAreaCodeListTooLong;
        ++table.count;
    }
    return kWizOk;
}

std::int32_t ParsePattern(std::string_view text, SpidPattern& pattern) {
    enum class State { Area, Prefix, Mode, Suffix, Done } state = State::Area;
    SpidPattern parsed;
    const std::size_t end = std::min(text.size(), kPatternEntrySize);
    for (std::size_t i = 0; i < end && state != State::Done; ++i) {
        const char c = text[i];
        if (c == '\0') break;
        switch (state) {
            case State::Area:
                if (c == ':')
                    state = State::Prefix;
                else
                    parsed.area += c;
                break;
            case State::Prefix:
                if (c == ',')
                    state = State::Mode;
                else
                    parsed.prefix += c;
                break;
            case State::Mode:
                if (c == 'E' || c == 'e')
                    parsed.includeArea = false;
                else if (c == 'I' || c == 'i')
                    parsed.includeArea = true;
                else
                    return kPatternBadMode;
                ++i;  // the separator after the letter
                state = State::Suffix;
                break;
            case State::Suffix:
                if (c == ';')
                    state = State::Done;
                else
                    parsed.suffix += c;
                break;
            case State::Done:
                break;
        }
    }
    // A pattern that ends before its mode letter has no mode at all.
    if (state == State::Area || state == State::Prefix || state == State::Mode)
        return kPatternBadMode;
    pattern = std::move(parsed);
    return kWizOk;
}

std::int32_t BuildSpidCandidates(const SpidPattern& pattern, std::string_view areaCode,
                                 std::string_view number1, std::string_view number2,
                                 std::string& candidate1, std::string& candidate2) {
    if (pattern.area != "A" && pattern.area != areaCode) return kPatternNotApplicable;
    std::string head = pattern.prefix;
    if (pattern.includeArea) head += areaCode;
    candidate1 = head + std::string(number1) + pattern.suffix;
    candidate2 = head + std::string(number2) + pattern.suffix;
    return kWizOk;
}

}  // namespace wizard
