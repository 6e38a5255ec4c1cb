#include "folder/folder_settings.h"

#include <string>

#include "registry/registry.h"

namespace {

CRegistry viewSubKey(const char* name) {
    return CRegistry(std::string(kSuiteKey) + "\\View\\" + name);
}

std::string sectionName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "Section%02d", i);
    return name;
}

}  // namespace

void ToolbarSettings::Load() {
    const CRegistry key = viewSubKey("ToolbarsVisible");
    if (key.Exists() != 0) {
        *this = ToolbarSettings();
        Save();
        return;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < kSections; ++i)
        if (key.ReadDword(sectionName(i).c_str(), v) == 0) sections[i] = v != 0;
    if (key.ReadDword("Enable", v) == 0) enable = v != 0;
    if (key.ReadDword("FlatButtons", v) == 0) flatButtons = v == 1;
}

void ToolbarSettings::Save() const {
    const CRegistry key = viewSubKey("ToolbarsVisible");
    key.Create();
    for (int i = 0; i < kSections; ++i)
        key.WriteDword(sectionName(i).c_str(), static_cast<std::uint32_t>(sections[i]));
    key.WriteDword("Enable", static_cast<std::uint32_t>(enable));
    key.WriteDword("FlatButtons", static_cast<std::uint32_t>(flatButtons));
}

bool FlatButtonsSupported(int major, int minor) {
    return major > 4 || (major == 4 && minor >= 70);
}

void TipSettings::Load() {
    const CRegistry key = viewSubKey("TipOfDay");
    std::uint32_t enableValue = 1, tipValue = 0;
    key.ReadDword("Enable", enableValue);
    key.ReadDword("CurrentTip", tipValue);
    if (enableValue > 1 || tipValue >= static_cast<std::uint32_t>(kTipCount)) {
        *this = TipSettings();
        return;
    }
    enable = static_cast<std::int32_t>(enableValue);
    currentTip = static_cast<std::int32_t>(tipValue);
}

void TipSettings::Save() const {
    const CRegistry key = viewSubKey("TipOfDay");
    key.Create();
    key.WriteDword("Enable", static_cast<std::uint32_t>(enable));
    key.WriteDword("CurrentTip", static_cast<std::uint32_t>(currentTip));
}

const std::array<TipEntry, kTipCount>& TipTable() {
    static constexpr std::array<TipEntry, kTipCount> table{{
        {103, kTipAll},
        {104, kTipAll},
        {106, kTipAll},
        {102, kTipAll},
        {107, kTipAll},
        {108, kTipIsdnModem | kTipPro | kTipPci},
        {109, kTipAll},
        {105, kTipAll},
        {110, kTipIsdnModem},
        {111, kTipAll},
        {115, kTipAll},
        {114, kTipPcCard},
        {1003, kTipAll},
        {1004, kTipAll},
        {61207, kTipAll},
    }};
    return table;
}

bool NextTip(std::int32_t current, const InstalledProducts& products, std::uint32_t& stringId,
             std::int32_t& next) {
    const unsigned installed = (products.isdnModem ? kTipIsdnModem : 0u) |
                               (products.pcCard ? kTipPcCard : 0u) | (products.pro ? kTipPro : 0u) |
                               (products.pci ? kTipPci : 0u);
    for (int step = 0; step < kTipCount; ++step) {
        const int index = (current + step) % kTipCount;
        const TipEntry& tip = TipTable()[index];
        if (tip.products != kTipAll && (tip.products & installed) == 0) continue;
        stringId = tip.stringId;
        next = (index + 1) % kTipCount;
        return true;
    }
    return false;
}
