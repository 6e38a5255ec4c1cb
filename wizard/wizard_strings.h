#pragma once
// The wizard's string table: the German texts of its titles and messages.
#include <QString>
#include <cstdint>

#include "platform/string_table.h"

#include "wizard/wizard_export.h"

namespace wizard {

VELKA_WIZARD_EXPORT const platform::StringTable& Strings();
// A text of the table as a QString.
VELKA_WIZARD_EXPORT QString Tr(std::uint32_t id);

// Numbers of the texts the page frame and the drivers use.
inline constexpr std::uint32_t IDS_TITLE_WIZARD = 1293;
inline constexpr std::uint32_t IDS_TITLE_ONLINE = 1148;
inline constexpr std::uint32_t IDS_TITLE_OFFLINE = 1149;
inline constexpr std::uint32_t IDS_MESSAGE_CAPTION = 1267;
inline constexpr std::uint32_t IDS_CONFIRM_MANUAL = 1266;
inline constexpr std::uint32_t IDS_CONFIRM_CANCEL = 1268;
inline constexpr std::uint32_t IDS_APPLICATION_ERROR = 1269;

}  // namespace wizard
