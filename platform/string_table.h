#pragma once
// A deliverable's string table: resource id to exact German text (UTF-8).
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

struct StringEntry {
    std::uint32_t id;
    const char* text;
};

class StringTable {
public:
    // The entries must outlive the table (they are static arrays).
    explicit StringTable(std::span<const StringEntry> entries);
    // The text of an id; empty when the table has no such id.
    std::string_view text(std::uint32_t id) const;
    bool contains(std::uint32_t id) const;

private:
    std::span<const StringEntry> entries_;  // sorted by id at construction check
    bool sorted_ = true;
};

}  // namespace platform
