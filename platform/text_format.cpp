#include "platform/text_format.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A printf conversion taken from between the two '!' of an insert: flags,
// width, precision, length and one conversion letter. Anything else (a '*'
// width, a '%n', several conversions) is refused so the insert stays as
// written instead of reaching snprintf.
struct Conversion {
    std::string flags;  // flags, width and precision, ready for snprintf
    char letter = 's';
};

// Moves past a width or precision; more than three digits are refused, so no
// insert can ask for a field wider than any string-table text needs.
bool skipWidth(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i - start <= 3;
}

bool parseConversion(std::string_view text, Conversion& out) {
    std::size_t i = 0;
    while (i < text.size() && std::string_view("-+ #0").find(text[i]) != std::string_view::npos)
        ++i;
    if (!skipWidth(text, i)) return false;
    if (i < text.size() && text[i] == '.' && !skipWidth(text, ++i)) return false;
    const std::size_t flagsEnd = i;
    // Length modifiers only say how wide the caller's number was; our
    // arguments are always 64 bits, so they are read and dropped.
    while (i < text.size() && (text[i] == 'h' || text[i] == 'l' || text[i] == 'L' ||
                               text[i] == 'z' || text[i] == 'j' || text[i] == 't'))
        ++i;
    if (text.substr(i, 3) == "I64") i += 3;
    if (i + 1 != text.size()) return false;
    const char letter = text[i];
    if (std::string_view("sdiuxXoc").find(letter) == std::string_view::npos) return false;
    out.flags.assign(text.substr(0, flagsEnd));
    out.letter = letter;
    return true;
}

std::string numberText(const FormatArg& arg) {
    if (const auto* s = std::get_if<std::int64_t>(&arg)) return std::to_string(*s);
    if (const auto* u = std::get_if<std::uint64_t>(&arg)) return std::to_string(*u);
    return std::get<std::string>(arg);
}

template <typename T>
bool appendFormatted(std::string& out, const std::string& fmt, T value) {
    const int n = std::snprintf(nullptr, 0, fmt.c_str(), value);
    if (n < 0) return false;
    std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
    std::snprintf(buffer.data(), buffer.size(), fmt.c_str(), value);
    out.append(buffer.data(), static_cast<std::size_t>(n));
    return true;
}

// Formats one argument; false when the argument cannot take the conversion.
bool formatArg(const FormatArg& arg, const Conversion& conv, std::string& out) {
    std::string fmt = "%" + conv.flags;
    if (conv.letter == 's') {
        const std::string text = numberText(arg);
        return appendFormatted(out, fmt + 's', text.c_str());
    }
    if (std::holds_alternative<std::string>(arg)) return false;
    const bool isSigned = std::holds_alternative<std::int64_t>(arg);
    const long long sv = isSigned ? std::get<std::int64_t>(arg)
                                  : static_cast<long long>(std::get<std::uint64_t>(arg));
    const unsigned long long uv =
        isSigned ? static_cast<unsigned long long>(sv) : std::get<std::uint64_t>(arg);
    switch (conv.letter) {
        case 'c':
            return appendFormatted(out, fmt + 'c', static_cast<int>(uv & 0xFF));
        case 'd':
        case 'i':
            return appendFormatted(out, fmt + "lld", sv);
        default:
            return appendFormatted(out, fmt + "ll" + conv.letter, uv);
    }
}

}  // namespace

std::string formatInserts(std::string_view pattern, std::span<const FormatArg> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            ++i;
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '%') {
            out += '%';
            i += 2;
            continue;
        }
        if (next == 'n') {
            out += '\n';
            i += 2;
            continue;
        }
        if (!isDigit(next) || next == '0') {
            out += c;
            ++i;
            continue;
        }
        // %1 .. %99, optionally followed by !conversion!
        std::size_t j = i + 1;
        unsigned number = 0;
        while (j < pattern.size() && isDigit(pattern[j]) && j < i + 3)
            number = number * 10 + static_cast<unsigned>(pattern[j++] - '0');
        Conversion conv;
        std::size_t end = j;
        bool conversionOk = true;
        if (j < pattern.size() && pattern[j] == '!') {
            // Without a closing '!' the text after the number is plain text.
            const std::size_t close = pattern.find('!', j + 1);
            if (close != std::string_view::npos) {
                conversionOk = parseConversion(pattern.substr(j + 1, close - j - 1), conv);
                if (conversionOk) end = close + 1;
            }
        }
        std::string piece;
        if (conversionOk && number >= 1 && number <= args.size() &&
            formatArg(args[number - 1], conv, piece)) {
            out += piece;
            i = end;
        } else {
            // Unknown insert or unusable conversion: keep the text as written.
            const std::size_t keep = conversionOk ? end : j;
            out.append(pattern.substr(i, keep - i));
            i = keep;
        }
    }
    return out;
}

std::string formatInserts(std::string_view pattern, std::initializer_list<FormatArg> args) {
    return formatInserts(pattern, std::span<const FormatArg>(args.begin(), args.size()));
}

std::string formatPrintf(const char* pattern, ...) {
    if (pattern == nullptr) return {};
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), pattern, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

std::string escapeControl(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\x";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += ch;
                }
        }
    }
    return out;
}

}  // namespace platform
