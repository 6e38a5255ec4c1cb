#pragma once
// The firmware files on disk that the newer-firmware check offers: every
// "*.elm" of the Directory value "ELM", with the version record read from it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CatalogueEntry {
    std::string file;
    std::string version;
    std::int32_t type = 0;
    std::int32_t region = 0;
};

// "TBX" 1, "TBL" 4, "T2B" 2, "T71" 8, "T3M" 16, anything else 32.
std::int32_t TypeOfProductCode(std::string_view code);
// Pure: whether `candidate` is a newer version than `current` -- (major,
// minor, build) split at ".", a missing or non-numeric part counting 0. An
// empty candidate is never newer; an empty current is always older.
bool VersionNewer(std::string_view candidate, std::string_view current);

// 0, or 16001 when the Directory value "ELM" is missing (the list stays
// empty). Files without a readable version record are skipped.
std::int32_t BuildCatalogue(std::vector<CatalogueEntry>& out);
// The newest entry of that type and region; 16000 when there is none.
std::int32_t NewestFile(const std::vector<CatalogueEntry>& catalogue, std::int32_t type,
                        std::int32_t region, CatalogueEntry& out);
