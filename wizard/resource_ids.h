#pragma once
// Resource numbers of the wizard: page templates, pictures, help contexts and
// controls. Template and string numbers are the ones the help files refer
// to. Control ids: 2000-2099 the page frame and shared controls, 2100-2199
// the rest-of-world pages, 2200-2399 the North-American pages.
#include <cstdint>

namespace wizard {

// Help: F1 on a page opens the general topic; a control's pop-up is its id
// plus the base.
inline constexpr std::uint32_t kWizardHelpTopic = 0x403E8;
inline constexpr std::uint32_t kWizardContextHelpBase = 0x40000;
inline constexpr const char* kWizardHelpFile = "cfgTA.hlp";

// Templates of the rest-of-world pages.
inline constexpr int IDD_WIZ_WELCOME_ROW = 169;
inline constexpr int IDD_WIZ_PROTOCOL_ROW = 170;
inline constexpr int IDD_WIZ_FINISH_ROW = 172;
inline constexpr int IDD_WIZ_REGION_ROW = 173;
inline constexpr int IDD_WIZ_FINISH_ROW_REGION = 187;
inline constexpr int IDD_PORT_NUMBERS_RW = 188;
inline constexpr int IDD_WIZ_FEATURES_PRO = 198;
inline constexpr int IDD_WIZ_PORT_PRO = 200;
inline constexpr int IDD_WIZ_FINISH_ROW_PRO = 202;
inline constexpr int IDD_WIZ_FIN_RW_PRO_NOPOTS = 203;
inline constexpr int IDD_WIZ_FIN_RW_REG_PRO = 204;
inline constexpr int IDD_WIZ_FIN_RW_REG_PRO_NOPOTS = 205;
inline constexpr int IDD_WIZ_SWITCH_ROW = 1354;
inline constexpr int IDD_WIZ_CONFIGURED_ROW = 1355;
inline constexpr int IDD_WIZ_FEATURES = 1356;

// Templates of the North-American pages that the driver starts with.
inline constexpr int IDD_WIZ_WELCOME = 1000;
inline constexpr int IDD_WIZ_CONFIGURED = 1353;

// The page frame -------------------------------------------------------
inline constexpr int IDC_WIZ_PICTURE = 2000;
inline constexpr int IDC_WIZ_HEADER = 2001;
inline constexpr int IDC_WIZ_TEXT = 2002;  // a page's main text
// The manual-configuration group of the welcome pages.
inline constexpr int IDC_WIZ_MANUAL_TEXT = 2003;
inline constexpr int IDC_WIZ_MANUAL = 2004;  // "&Konfigurieren..."
// The two choices of the existing-configuration pages.
inline constexpr int IDC_WIZ_USE_CURRENT = 2005;
inline constexpr int IDC_WIZ_RECONFIGURE = 2006;
// Region and protocol choices shared by both families.
inline constexpr int IDC_WIZ_REGION = 2007;
inline constexpr int IDC_WIZ_V110 = 2008;
inline constexpr int IDC_WIZ_V110_TEXT = 2009;
inline constexpr int IDC_WIZ_V120 = 2010;
inline constexpr int IDC_WIZ_PPP = 2011;
inline constexpr int IDC_WIZ_MLPPP = 2012;

// Rest-of-world pages --------------------------------------------------
inline constexpr int IDC_RW_SWITCH_TYPE = 2100;
inline constexpr int IDC_RW_PORT1_YES = 2101;
inline constexpr int IDC_RW_PORT1_NO = 2102;
inline constexpr int IDC_RW_PORT2_YES = 2103;
inline constexpr int IDC_RW_PORT2_NO = 2104;
inline constexpr int IDC_RW_NUMBER1 = 2105;
inline constexpr int IDC_RW_NUMBER2 = 2106;
inline constexpr int IDC_RW_PORTS_PICTURE = 2107;
// Finish summary.
inline constexpr int IDC_RW_FIN_REGION = 2110;
inline constexpr int IDC_RW_FIN_SWITCH = 2111;
inline constexpr int IDC_RW_FIN_PORT1 = 2112;
inline constexpr int IDC_RW_FIN_PORT2 = 2113;
inline constexpr int IDC_RW_FIN_PROTOCOL = 2114;

}  // namespace wizard
