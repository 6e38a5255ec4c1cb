#include "ui/file_filter.h"

namespace ui {

namespace {
std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::vector<std::string> splitPatterns(std::string_view text) {
    std::vector<std::string> patterns;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view one = trim(text.substr(0, end));
        if (!one.empty()) patterns.emplace_back(one);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return patterns;
}

std::string joined(const std::vector<std::string>& patterns) {
    std::string out;
    for (const auto& p : patterns) {
        if (!out.empty()) out += ' ';
        out += p;
    }
    return out;
}
}  // namespace

std::vector<FileFilter> parseClassicFilter(std::string_view text) {
    std::vector<FileFilter> filters;
    while (!text.empty()) {
        const std::size_t bar = text.find('|');
        const std::string_view description = text.substr(0, bar);
        if (description.empty()) break;  // "||" ends the list
        if (bar == std::string_view::npos) break;
        text.remove_prefix(bar + 1);
        const std::size_t next = text.find('|');
        if (next == 0) break;  // "||" after a description ends the list too
        FileFilter filter{std::string(trim(description)), splitPatterns(text.substr(0, next))};
        if (!filter.patterns.empty()) filters.push_back(std::move(filter));
        if (next == std::string_view::npos) break;
        text.remove_prefix(next + 1);
    }
    return filters;
}

std::string qtNameFilter(const FileFilter& filter) {
    const std::string patterns = joined(filter.patterns);
    const std::string tail = "(" + patterns + ")";
    const std::string& d = filter.description;
    if (d.size() >= tail.size() && d.compare(d.size() - tail.size(), tail.size(), tail) == 0)
        return d;
    // A description of its own in parentheses would otherwise be read as the
    // patterns; ours come last, and the last group is the one that counts.
    return d.empty() ? tail : d + " " + tail;
}

std::vector<std::string> qtNameFilters(std::string_view classicText) {
    std::vector<std::string> out;
    for (const auto& f : parseClassicFilter(classicText)) out.push_back(qtNameFilter(f));
    return out;
}

}  // namespace ui
