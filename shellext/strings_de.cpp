// German texts of the profile-file extension, exact as the users know them.
#include "shellext/quillet_strings.h"

namespace quillet {

namespace {
// clang-format off
constexpr platform::StringEntry kStrings[] = {
    {1, "Nordamerika"},
    {2, "International (exkl. Nordamerika)"},
    {4, "Tamo T/A ISDN Modem"},
    {6, "Unbekannt"},
    {7, "Profil 0 ( %s )"},
    {8, "Profil 1 ( %s )"},
    {9, "Profil 2 ( %s )"},
    {11, "Tamo T/A Pro ISDN Modem"},
    {12, "Tamo T/A PCI Card"},
    {13, "Tamo T/A PC Card"},
};
// clang-format on
}  // namespace

std::string Text(int id) {
    static const platform::StringTable table(kStrings);
    return std::string(table.text(static_cast<std::uint32_t>(id)));
}

}  // namespace quillet
