#include "platform/string_table.h"

namespace platform {

StringTable::StringTable(std::span<const StringEntry> entries) : entries_(entries) {}

std::string_view StringTable::text(std::uint32_t id) const {
    for (const StringEntry& e : entries_)
        if (e.id == id && e.text) return e.text;
    return {};
}

bool StringTable::contains(std::uint32_t id) const {
    for (const StringEntry& e : entries_)
        if (e.id == id) return true;
    return false;
}

}  // namespace platform
