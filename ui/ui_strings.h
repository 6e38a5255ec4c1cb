#pragma once
// The framework's own texts (button labels, data-exchange prompts) in German.
#include <cstdint>
#include <string>

#include "platform/string_table.h"

#include "ui/ui_export.h"

namespace ui {

// Data-exchange prompts keep the framework's classic numbers.
inline constexpr std::uint32_t IDS_PARSE_INT = 0xF110;
inline constexpr std::uint32_t IDS_PARSE_INT_RANGE = 0xF112;
inline constexpr std::uint32_t IDS_PARSE_STRING_SIZE = 0xF114;
inline constexpr std::uint32_t IDS_PARSE_UINT = 0xF117;

// Labels of the standard buttons and file dialogs.
inline constexpr std::uint32_t IDS_BUTTON_OK = 0xF200;
inline constexpr std::uint32_t IDS_BUTTON_CANCEL = 0xF201;
inline constexpr std::uint32_t IDS_BUTTON_APPLY = 0xF202;
inline constexpr std::uint32_t IDS_BUTTON_HELP = 0xF203;
inline constexpr std::uint32_t IDS_BUTTON_BACK = 0xF204;
inline constexpr std::uint32_t IDS_BUTTON_NEXT = 0xF205;
inline constexpr std::uint32_t IDS_BUTTON_FINISH = 0xF206;
inline constexpr std::uint32_t IDS_BUTTON_YES = 0xF207;
inline constexpr std::uint32_t IDS_BUTTON_NO = 0xF208;
inline constexpr std::uint32_t IDS_BUTTON_RETRY = 0xF209;
inline constexpr std::uint32_t IDS_FILE_OPEN = 0xF20A;
inline constexpr std::uint32_t IDS_FILE_SAVE = 0xF20B;

VELKA_UI_EXPORT const platform::StringTable& uiStrings();
// The text of one of the ids above as a QString-ready UTF-8 string.
VELKA_UI_EXPORT std::string uiText(std::uint32_t id);

}  // namespace ui
