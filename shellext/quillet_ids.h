#pragma once
// Resource ids of the profile-file extension: its string table and the
// controls of the "Details" page, which tests and help find by these numbers.
#include <array>

namespace quillet {

// String table.
inline constexpr int IDS_NORTH_AMERICA = 1;
inline constexpr int IDS_INTERNATIONAL = 2;
inline constexpr int IDS_BOX = 4;
inline constexpr int IDS_UNKNOWN = 6;
inline constexpr int IDS_PROFILE0_NAMED = 7;  // "Profil 0 ( %s )", 8 and 9 follow
inline constexpr int IDS_PRO_BOX = 11;
inline constexpr int IDS_PCI_CARD = 12;
inline constexpr int IDS_PC_CARD = 13;

// The "Details" page.
inline constexpr int IDD_DETAILS = 129;
inline constexpr int IDC_ISDN_TYPE = 1029;
inline constexpr int IDC_DEVICE_TYPE = 1032;

struct ProfileControls {
    int group;
    int number1;
    int number2;
};
inline constexpr std::array<ProfileControls, 3> kProfileControls{{
    {1039, 1020, 1025},
    {1040, 1031, 1035},
    {1041, 1033, 1037},
}};

}  // namespace quillet
