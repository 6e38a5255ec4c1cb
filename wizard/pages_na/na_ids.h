#pragma once
// Resource numbers of the North-American pages: templates (the numbers the
// help files use) and controls (2200-2399, the block kept for these pages).
namespace wizard::na {

inline constexpr int IDD_WIZ_REGION_NA = 185;
inline constexpr int IDD_WIZ_PROTOCOL = 1007;
inline constexpr int IDD_WIZ_ON_OFF_LINE = 1014;
inline constexpr int IDD_WIZ_OFF_SWITCH_TYPE = 1024;
inline constexpr int IDD_WIZ_CONNECT = 1034;
inline constexpr int IDD_WIZ_NATIONAL_ISDN = 1040;
inline constexpr int IDD_WIZ_ONLY_NUMBERS = 1049;
inline constexpr int IDD_WIZ_NUMBERS_AND_NPA = 1061;
inline constexpr int IDD_WIZ_SPID_MODE = 1074;
inline constexpr int IDD_WIZ_KNOW_SPIDS = 1081;
inline constexpr int IDD_WIZ_AUTO_SPID = 1091;
inline constexpr int IDD_SPID_DETAILS = 1102;
inline constexpr int IDD_WIZ_TEST_SPID = 1118;
inline constexpr int IDD_WIZ_FINISH = 1132;
inline constexpr int IDD_WIZ_FINISH_NO_SPIDS = 1133;
inline constexpr int IDD_WIZ_ATT_SWITCH = 1134;

inline constexpr int IDR_CONNECT_ANIMATION = 182;

// Online / offline.
inline constexpr int IDC_NA_ONLINE = 2200;
inline constexpr int IDC_NA_OFFLINE = 2201;
// Detection pages.
inline constexpr int IDC_NA_STATUS = 2210;
inline constexpr int IDC_NA_ANIMATION = 2211;
inline constexpr int IDC_NA_SEARCH_BUTTON = 2212;
inline constexpr int IDC_NA_SPID_TRIED = 2213;
inline constexpr int IDC_NA_SPID_RESULT = 2214;
inline constexpr int IDC_NA_SPID_EXAMPLE = 2215;
// Network and number count.
inline constexpr int IDC_NA_PUBLIC = 2220;
inline constexpr int IDC_NA_PRIVATE = 2221;
inline constexpr int IDC_NA_NUMBER_COUNT = 2222;
// Numbers and SPIDs.
inline constexpr int IDC_NA_AREA_CODE = 2230;
inline constexpr int IDC_NA_NUMBER1 = 2231;
inline constexpr int IDC_NA_NUMBER2 = 2232;
inline constexpr int IDC_NA_SPID1 = 2233;
inline constexpr int IDC_NA_SPID2 = 2234;
inline constexpr int IDC_NA_PROMPT = 2235;
// SPID mode.
inline constexpr int IDC_NA_SPID_AT_HAND = 2240;
inline constexpr int IDC_NA_SPID_UNKNOWN = 2241;
inline constexpr int IDC_NA_SPID_NONE = 2242;
// Automatic numbers and the SPID details box.
inline constexpr int IDC_NA_NUMBER_LIST = 2250;
inline constexpr int IDC_NA_DETAILS = 2251;
inline constexpr int IDC_NA_DETAILS_SPID = 2252;
inline constexpr int IDC_NA_DETAILS_AVAILABLE = 2253;
inline constexpr int IDC_NA_DETAILS_SERVICES = 2254;
inline constexpr int IDC_NA_DETAILS_NEEDED = 2255;
inline constexpr int IDC_NA_DETAILS_VERDICT = 2256;
// Finish summary.
inline constexpr int IDC_NA_FIN_REGION = 2260;
inline constexpr int IDC_NA_FIN_PROTOCOL = 2261;
inline constexpr int IDC_NA_FIN_NUMBER1 = 2262;
inline constexpr int IDC_NA_FIN_NUMBER2 = 2263;
inline constexpr int IDC_NA_FIN_SPID1 = 2264;
inline constexpr int IDC_NA_FIN_SPID2 = 2265;
inline constexpr int IDC_NA_FIN_CLOSING = 2266;

}  // namespace wizard::na
