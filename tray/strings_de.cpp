// German texts of the status monitor, one entry per line, sorted by id.
#include "tray/tray_strings.h"

namespace tray {

namespace {
// clang-format off
constexpr platform::StringEntry kStrings[] = {
    {1006, "Status der Terminaladapter"},
    {1011, "Status der Terminaladapter"},
    {1012, "Status der Terminaladapter"},
    {1021, "&Info"},
    {1022, "&Deaktivieren"},
    {1025, "&Merkmale"},
    {1026, "folder.exe"},
    {1027, "VELKA_TECHNOLOGY_CORPORATION"},
    {2000, "&Task-Leiste"},
    {2001, "Info über Tamo Statusanzeige"},
    {2002, "Tamo Statusanzeige"},
    {2003, "Velka Technology Corporation"},
    {2004, "ta-tray: Die Arbeitsoberfläche hat keinen Infobereich. Das Symbol erscheint, sobald einer verfügbar ist."},
    {2005, "ta-tray: Der Geräteordner (ta-folder) konnte nicht gestartet werden."},
    {57344, "Velka Tamo Taskbar Indicator"},
    {57345, "Version 1.0\nZeigt in der Taskleiste, ob Ihre Tamo Terminaladapter bereit sind."},
};
// clang-format on
}  // namespace

const platform::StringTable& Strings() {
    static const platform::StringTable table(kStrings);
    return table;
}

QString Text(std::uint32_t id) {
    const auto text = Strings().text(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tray
