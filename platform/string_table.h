#pragma once
// A deliverable's string table: resource id to exact German text (UTF-8).
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// Texts may be written as plain or as u8"..." literals (which are char8_t in
// C++20); both end up as UTF-8 bytes.
struct StringEntry {
    std::uint32_t id;
    const char* text;

    constexpr StringEntry(std::uint32_t i, const char* t) : id(i), text(t) {}
    StringEntry(std::uint32_t i, const char8_t* t)
        : id(i), text(reinterpret_cast<const char*>(t)) {}
};

class StringTable {
public:
    // The entries must outlive the table (they are static arrays).
    explicit StringTable(std::span<const StringEntry> entries);
    // The text of an id; empty when the table has no such id.
    std::string_view text(std::uint32_t id) const;
    bool contains(std::uint32_t id) const;

private:
    // Looked up by a plain scan: tables hold a few hundred texts at most, and
    // a table that is a static array of another file may not be initialised
    // yet when this object is built, so nothing is precomputed here.
    std::span<const StringEntry> entries_;
};

}  // namespace platform
