#pragma once
// The stored settings of the frame: the toolbar's sections and style, and
// the tip of the day with its cycle.
#include <array>
#include <cstdint>

#include "folder/modem_enumerator.h"

// Key View\ToolbarsVisible.
struct ToolbarSettings {
    static constexpr int kSections = 6;
    std::array<std::int32_t, kSections> sections{0, 1, 0, 0, 1, 1};
    std::int32_t enable = 1;
    std::int32_t flatButtons = 0;

    // A missing key writes the defaults.
    void Load();
    void Save() const;
};

// Flat buttons need common controls 4.70; a library that does not tell its
// version counts as 4.0.
bool FlatButtonsSupported(int major, int minor);

// Key View\TipOfDay. Anything but Enable 0/1 and CurrentTip 0..14 makes both
// fall back to their defaults.
struct TipSettings {
    std::int32_t enable = 1;
    std::int32_t currentTip = 0;

    void Load();
    void Save() const;
};

// The tips in their fixed order, each shown only when it applies to an
// installed product.
inline constexpr int kTipCount = 15;
enum TipProduct : unsigned {
    kTipAll = 0,
    kTipIsdnModem = 1,
    kTipPcCard = 2,
    kTipPro = 4,
    kTipPci = 8
};
struct TipEntry {
    std::uint32_t stringId;
    unsigned products;  // kTipAll, or the products it applies to
};
const std::array<TipEntry, kTipCount>& TipTable();
// The tip to show from `current` on (skipping those that apply to no
// installed product) and the index after it; false when none applies.
bool NextTip(std::int32_t current, const InstalledProducts& products, std::uint32_t& stringId,
             std::int32_t& next);
