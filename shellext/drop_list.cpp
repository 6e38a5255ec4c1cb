#include "shellext/drop_list.h"

#include <cstdint>
#include <cstring>

#include "shellext/quillet.h"

namespace quillet {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// UTF-16 units to UTF-8; a surrogate without its partner is dropped.
std::string utf8FromUnits(std::u16string_view units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
                ++i;
            }
        } else if (u < 0xDC00 || u > 0xDFFF) {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::vector<std::string> wideNames(std::span<const std::byte> names) {
    std::vector<std::string> out;
    std::u16string units;
    for (std::size_t at = 0; at + sizeof(char16_t) <= names.size(); at += sizeof(char16_t)) {
        char16_t u;
        std::memcpy(&u, names.data() + at, sizeof u);
        if (u != 0) {
            units.push_back(u);
            continue;
        }
        if (units.empty()) return out;
        out.push_back(utf8FromUnits(units));
        units.clear();
    }
    return out;
}

std::vector<std::string> narrowNames(std::span<const std::byte> names) {
    std::vector<std::string> out;
    std::string name;
    for (std::byte b : names) {
        const auto c = static_cast<unsigned char>(b);
        if (c != 0) {
            appendUtf8(name, c);
            continue;
        }
        if (name.empty()) return out;
        out.push_back(name);
        name.clear();
    }
    return out;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
    return utf8FromUnits(text);
}

std::vector<std::string> DropFileNames(std::span<const std::byte> block) {
    DROPFILES head;
    if (block.size() < sizeof head) return {};
    std::memcpy(&head, block.data(), sizeof head);
    if (head.pFiles < sizeof head || head.pFiles > block.size()) return {};
    const auto names = block.subspan(head.pFiles);
    return head.fWide ? wideNames(names) : narrowNames(names);
}

}  // namespace quillet
