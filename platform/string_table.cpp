#include "platform/string_table.h"

#include <algorithm>

namespace platform {

StringTable::StringTable(std::span<const StringEntry> entries) : entries_(entries) {
    // Tables are written by hand; an unsorted one still works, only slower.
    sorted_ =
        std::is_sorted(entries_.begin(), entries_.end(),
                       [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
}

std::string_view StringTable::text(std::uint32_t id) const {
    if (sorted_) {
        auto it =
            std::lower_bound(entries_.begin(), entries_.end(), id,
                             [](const StringEntry& e, std::uint32_t key) { return e.id < key; });
        if (it != entries_.end() && it->id == id && it->text) return it->text;
        return {};
    }
    for (const StringEntry& e : entries_)
        if (e.id == id && e.text) return e.text;
    return {};
}

bool StringTable::contains(std::uint32_t id) const {
    if (sorted_)
        return std::binary_search(
            entries_.begin(), entries_.end(), StringEntry{id, nullptr},
            [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
    return std::any_of(entries_.begin(), entries_.end(),
                       [id](const StringEntry& e) { return e.id == id; });
}

}  // namespace platform
