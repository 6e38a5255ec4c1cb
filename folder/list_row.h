#pragma once
// What one row of the folder's list shows for an item: icon, status text and
// the texts of the five columns.
#include <cstdint>
#include <string>

#include "folder/folder_item.h"
#include "folder/modem_enumerator.h"

enum class RowState { Available, New, NotResponding, Damaged };

RowState StateOfItem(const CFolderItem& item);
// The icon of a kind in a state; 0 for a kind outside the family.
std::uint32_t IconOfRow(std::int32_t type, RowState state);
std::uint32_t StatusTextOfRow(RowState state);
// The product key of a kind exists (the folder then remembers an absent item).
bool ProductInstalledForType(const InstalledProducts& products, std::int32_t type);

struct RowTexts {
    std::uint32_t icon = 0;
    std::string columns[5];
};
// Fills the item's status text too.
RowTexts FillRow(CFolderItem& item);
