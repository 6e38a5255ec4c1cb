#pragma once
// The help menu's product part: a user guide and a reference per product of
// the family, each offered only while its product key exists, opened from
// the Directory value "Help" at its contents.
#include <array>
#include <cstdint>
#include <functional>

#include "folder/modem_enumerator.h"

class QMenu;

struct ProductHelp {
    const char* product;           // the menu's text
    bool InstalledProducts::*key;  // the product key that must exist
    std::uint32_t userCommand;
    const char* userFile;
    std::uint32_t referenceCommand;
    const char* referenceFile;
};
const std::array<ProductHelp, 5>& ProductHelpTable();

// The help file a command opens; nullptr for any other command.
const char* ProductHelpFile(std::uint32_t command);

// Adds one sub-menu per installed product, then a separator; nothing at all
// when none is installed. Each entry hands its command to `run`.
void AddProductHelp(QMenu& menu, const InstalledProducts& products,
                    const std::function<void(std::uint32_t)>& run);

// Opens the command's file in the help folder at its contents; false when
// the command names no help file or the Directory value "Help" is missing.
bool OpenProductHelp(std::uint32_t command);
