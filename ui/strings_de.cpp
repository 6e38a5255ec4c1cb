// German texts of the framework pieces, one entry per line, sorted by id.
#include <array>
#include <string>

#include "ui/ui_strings.h"

namespace ui {

namespace {
// One entry per line, whatever its length: the texts are quoted exactly.
// clang-format off
constexpr std::array<platform::StringEntry, 16> kStrings{{
    {IDS_PARSE_INT, "Bitte geben Sie eine ganze Zahl ein."},
    {IDS_PARSE_INT_RANGE, "Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein."},
    {IDS_PARSE_STRING_SIZE, "Bitte geben Sie höchstens %1 Zeichen ein."},
    {IDS_PARSE_UINT, "Bitte geben Sie eine positive ganze Zahl ein."},
    {IDS_BUTTON_OK, "OK"},
    {IDS_BUTTON_CANCEL, "Abbrechen"},
    {IDS_BUTTON_APPLY, "Ü&bernehmen"},
    {IDS_BUTTON_HELP, "Hilfe"},
    {IDS_BUTTON_BACK, "< &Zurück"},
    {IDS_BUTTON_NEXT, "&Weiter >"},
    {IDS_BUTTON_FINISH, "Fertig stellen"},
    {IDS_BUTTON_YES, "&Ja"},
    {IDS_BUTTON_NO, "&Nein"},
    {IDS_BUTTON_RETRY, "&Wiederholen"},
    {IDS_FILE_OPEN, "Öffnen"},
    {IDS_FILE_SAVE, "Speichern unter"},
}};
// clang-format on
}  // namespace

const platform::StringTable& uiStrings() {
    static const platform::StringTable table{kStrings};
    return table;
}

std::string uiText(std::uint32_t id) {
    return std::string(uiStrings().text(id));
}

}  // namespace ui
