#include "folder/firmware_catalogue.h"

#include <array>
#include <charconv>
#include <filesystem>

#include "config/firmware/elm_version.h"
#include "platform/status_codes.h"
#include "registry/registry.h"

std::int32_t TypeOfProductCode(std::string_view code) {
    if (code == "TBX") return 1;
    if (code == "TBL") return 4;
    if (code == "T2B") return 2;
    if (code == "T71") return 8;
    if (code == "T3M") return 16;
    return 32;
}

namespace {

std::array<long, 3> versionParts(std::string_view text) {
    std::array<long, 3> parts{};
    for (auto& part : parts) {
        const auto dot = text.find('.');
        const std::string_view piece = text.substr(0, dot);
        long value = 0;
        std::from_chars(piece.data(), piece.data() + piece.size(), value);
        part = value;
        if (dot == std::string_view::npos) break;
        text.remove_prefix(dot + 1);
    }
    return parts;
}

}  // namespace

bool VersionNewer(std::string_view candidate, std::string_view current) {
    if (candidate.empty()) return false;
    if (current.empty()) return true;
    return versionParts(candidate) > versionParts(current);
}

std::int32_t BuildCatalogue(std::vector<CatalogueEntry>& out) {
    out.clear();
    std::string dir;
    if (CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString("ELM", dir) != 0)
        return folder::kFolderNoFirmwareStore;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const auto& path = entry.path();
        std::string ext = path.extension().string();
        for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext != ".elm" || !entry.is_regular_file(ec)) continue;
        CElmVersion record;
        if (record.ReadFile(path.string()) != 0) continue;
        out.push_back({path.string(), record.Version(), TypeOfProductCode(record.Type()),
                       record.Region() == 'R' ? 0 : 1});
    }
    return 0;
}

std::int32_t NewestFile(const std::vector<CatalogueEntry>& catalogue, std::int32_t type,
                        std::int32_t region, CatalogueEntry& out) {
    const CatalogueEntry* best = nullptr;
    for (const auto& entry : catalogue)
        if (entry.type == type && entry.region == region &&
            (!best || VersionNewer(entry.version, best->version)))
            best = &entry;
    if (!best) return folder::kFolderNoNewerFirmware;
    out = *best;
    return 0;
}
