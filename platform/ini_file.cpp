// The classic private-profile entry points over the document model. Reads
// take the file as it is on disk; every write is read-modify-replace through
// a temporary file and rename, so readers never see a half-written file.
#include <climits>

#include "platform/file_io.h"
#include "platform/ini_detail.h"
#include "platform/ini_file.h"
#include "platform/status_codes.h"

namespace platform::ini {

namespace {

// The largest file taken as a profile file; anything bigger is not one of
// ours and is refused rather than read into memory.
constexpr std::uint64_t kMaxFileBytes = 16 * 1024 * 1024;

ReadResult readFile(const std::string& path, std::string& text) {
    return readRegularFile(path, text, kMaxFileBytes);
}

Document load(const std::string& path) {
    std::string text;
    return readFile(path, text) == ReadResult::Ok ? Document::parse(text) : Document();
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Leading decimal number with an optional sign; text after it is ignored and
// a value beyond 32 bits saturates.
std::int32_t parseInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::uint32_t getPrivateProfileString(const char* section, const char* key, const char* defaultText,
                                      char* buffer, std::uint32_t size, const std::string& path) {
    if (buffer == nullptr || size == 0) return 0;
    const Document doc = load(path);
    if (section == nullptr) return detail::copyList(doc.sectionNames(), buffer, size);
    if (key == nullptr) return detail::copyList(doc.keyNames(section), buffer, size);
    if (const std::string* value = doc.find(section, key))
        return detail::copyText(unquote(*value), buffer, size);
    return detail::copyText(trimRight(defaultText ? defaultText : ""), buffer, size);
}

std::int32_t getPrivateProfileInt(const char* section, const char* key, std::int32_t defaultValue,
                                  const std::string& path) {
    if (section == nullptr || key == nullptr) return defaultValue;
    const Document doc = load(path);
    const std::string* value = doc.find(section, key);
    if (value == nullptr || value->empty()) return defaultValue;
    return parseInt(unquote(*value));
}

std::uint32_t getPrivateProfileSection(const char* section, char* buffer, std::uint32_t size,
                                       const std::string& path) {
    if (buffer == nullptr || size == 0) return 0;
    const std::vector<std::string> lines =
        section != nullptr ? load(path).sectionLines(section) : std::vector<std::string>();
    return detail::copyList(lines, buffer, size);
}

bool writePrivateProfileString(const char* section, const char* key, const char* value,
                               const std::string& path) {
    if (section == nullptr) return key == nullptr && value == nullptr;  // a flush: nothing cached
    std::string text;
    const ReadResult read = readFile(path, text);
    // A file that exists but cannot be read must not be replaced by one
    // holding only the new entry.
    if (read == ReadResult::Failed) return false;
    Document doc = Document::parse(text);
    if (key == nullptr) {
        doc.removeSection(section);
    } else if (value == nullptr) {
        doc.removeKey(section, key);
    } else if (!doc.set(section, key, value)) {
        return false;
    }
    const std::string updated = doc.serialize();
    if (read == ReadResult::Ok && updated == text) return true;
    if (read == ReadResult::Missing && (key == nullptr || value == nullptr)) return true;
    return replaceFile(path, updated) == kOk;
}

std::string fileText(const std::string& path) {
    std::string text;
    if (readFile(path, text) != ReadResult::Ok) text.clear();
    return text;
}

std::string readString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view defaultText) {
    const Document doc = load(path);
    const std::string* value = doc.find(section, key);
    return std::string(value ? unquote(*value) : trimRight(defaultText));
}

}  // namespace platform::ini
