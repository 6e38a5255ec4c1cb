// The INI document model: parsing, lookups and edits as pure functions over
// text. Lines that are neither section headers nor entries (comments, blank
// lines, stray text) are kept verbatim, so an edit changes nothing else.
#include <algorithm>

#include "platform/ini_detail.h"
#include "platform/ini_file.h"

namespace platform::ini {

namespace detail {

namespace {
char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view firstLine(std::string_view text) {
    return text.substr(0, std::min(text.find('\r'), text.find('\n')));
}

std::uint32_t copyText(std::string_view text, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

std::uint32_t copyList(const std::vector<std::string>& items, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::string joined;
    for (const std::string& item : items) {
        joined += item;
        joined += '\0';
    }
    if (joined.size() + 1 <= size) {
        std::copy(joined.begin(), joined.end(), buffer);
        buffer[joined.size()] = '\0';
        if (joined.empty()) buffer[1] = '\0';  // an empty list is still double-NUL terminated
        return static_cast<std::uint32_t>(joined.size());
    }
    // Cut: as much as fits before the two closing NULs.
    const std::size_t n = size - 2;
    std::copy_n(joined.begin(), n, buffer);
    buffer[n] = '\0';
    buffer[n + 1] = '\0';
    return static_cast<std::uint32_t>(n);
}

}  // namespace detail

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

using detail::sameName;
using detail::trim;

namespace {

Line parseLine(std::string_view raw) {
    Line line;
    line.raw.assign(raw);
    const std::string_view text = trim(raw);
    if (text.empty() || text.front() == ';' || text.front() == '#') return line;
    if (text.front() == '[') {
        // "[name]" -- a missing ']' takes the rest of the line, as the
        // classic reader does.
        std::string_view name = text.substr(1);
        name = name.substr(0, name.find(']'));
        line.kind = Line::Kind::Section;
        line.name.assign(trim(name));
        return line;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) {
        line.kind = Line::Kind::Bare;
        line.name.assign(text);
        return line;
    }
    line.kind = Line::Kind::Entry;
    line.name.assign(trim(text.substr(0, eq)));
    line.value.assign(trim(text.substr(eq + 1)));
    return line;
}

}  // namespace

Document Document::parse(std::string_view text) {
    Document doc;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        doc.lines_.push_back(parseLine(text.substr(pos, end - pos)));
        pos = end;
        // CR LF is one line end; a bare CR or LF is one too.
        if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return doc;
}

std::string Document::serialize() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += "\r\n";
    }
    return out;
}

std::size_t Document::sectionIndex(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Kind::Section && sameName(lines_[i].name, section)) return i;
    return kNone;
}

std::size_t Document::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Line::Kind::Section) ++i;
    return i;
}

std::size_t Document::entryIndex(std::string_view section, std::string_view key) const {
    const std::size_t header = sectionIndex(section);
    if (header == kNone) return kNone;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Kind::Entry && sameName(lines_[i].name, key)) return i;
    return kNone;
}

bool Document::hasSection(std::string_view section) const {
    return sectionIndex(trim(section)) != kNone;
}

const std::string* Document::find(std::string_view section, std::string_view key) const {
    const std::size_t i = entryIndex(trim(section), trim(key));
    return i == kNone ? nullptr : &lines_[i].value;
}

std::vector<std::string> Document::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind != Line::Kind::Section) continue;
        const bool seen = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return sameName(n, line.name); });
        if (!seen) names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> Document::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    for (const auto& entry : entries(section)) {
        const std::string& key = entry.first;
        const bool seen = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return sameName(n, key); });
        if (!seen) names.push_back(key);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> Document::entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    const std::size_t header = sectionIndex(trim(section));
    if (header == kNone) return out;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Kind::Entry) out.emplace_back(lines_[i].name, lines_[i].value);
    return out;
}

std::vector<std::string> Document::sectionLines(std::string_view section) const {
    std::vector<std::string> out;
    const std::size_t header = sectionIndex(trim(section));
    if (header == kNone) return out;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Line::Kind::Entry)
            out.push_back(line.name + "=" + line.value);
        else if (line.kind == Line::Kind::Bare)
            out.push_back(line.name);
    }
    return out;
}

namespace {

// Names that would read back as something else (another section, a
// comment, a different key) are refused rather than written.
bool validSectionName(std::string_view name) {
    return !name.empty() && name.find_first_of("]\r\n") == std::string_view::npos;
}

bool validKeyName(std::string_view name) {
    return !name.empty() && name.find_first_of("=\r\n") == std::string_view::npos &&
           name.front() != '[' && name.front() != ';' && name.front() != '#';
}

Line entryLine(std::string_view key, std::string_view value) {
    Line line;
    line.kind = Line::Kind::Entry;
    line.name.assign(key);
    line.value.assign(trim(value));
    line.raw = line.name + "=" + std::string(value);
    return line;
}

}  // namespace

bool Document::set(std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (!validSectionName(section) || !validKeyName(key)) return false;
    // A value with a line break would start a new line in the file and so
    // could plant keys or sections; only its first line is written.
    value = detail::firstLine(value);

    if (const std::size_t i = entryIndex(section, key); i != kNone) {
        lines_[i] = entryLine(lines_[i].name, value);
        return true;
    }
    std::size_t header = sectionIndex(section);
    if (header == kNone) {
        Line head;
        head.kind = Line::Kind::Section;
        head.name.assign(section);
        head.raw = "[" + head.name + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(entryLine(key, value));
        return true;
    }
    // After the section's last entry, so blank lines and comments that
    // separate it from the next section stay where they are.
    std::size_t insertAt = header + 1;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Kind::Entry) insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entryLine(key, value));
    return true;
}

void Document::removeKey(std::string_view section, std::string_view key) {
    const std::size_t i = entryIndex(trim(section), trim(key));
    if (i != kNone) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
}

void Document::removeSection(std::string_view section) {
    const std::size_t header = sectionIndex(trim(section));
    if (header == kNone) return;
    const std::size_t end = sectionEnd(header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace platform::ini
