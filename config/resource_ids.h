#pragma once
// Resource numbers of the configurator: strings, dialogs, controls,
// animations and timers. The numbers are the ones the help files and the
// adapter's documentation refer to, so they never change.
#include <cstdint>

namespace config {

// Busy dialog ----------------------------------------------------------
inline constexpr int IDT_DELAY_START = 300;  // first tick starts the work
inline constexpr std::uint32_t kDelayStartMs = 100;
inline constexpr int IDC_DELAY_ANIMATION = 1000;  // the dialog's animation control

// Animations played while all profiles are read or written, by kind.
inline constexpr int IDR_AVI_READ_BOX = 1381;
inline constexpr int IDR_AVI_READ_PCI = 1382;
inline constexpr int IDR_AVI_READ_PRO = 1383;
inline constexpr int IDR_AVI_READ_PCCARD = 1389;
inline constexpr int IDR_AVI_READ_OTHER = 1192;
inline constexpr int IDR_AVI_WRITE_BOX = 1384;
inline constexpr int IDR_AVI_WRITE_PCI = 1385;
inline constexpr int IDR_AVI_WRITE_PRO = 1386;
inline constexpr int IDR_AVI_WRITE_PCCARD = 1388;
inline constexpr int IDR_AVI_WRITE_OTHER = 1189;
// ... and while firmware is loaded.
inline constexpr int IDR_AVI_FIRMWARE_BOX = 1196;
inline constexpr int IDR_AVI_FIRMWARE_PRO = 1322;
inline constexpr int IDR_AVI_FIRMWARE_PCI = 1375;
inline constexpr int IDR_AVI_FIRMWARE_PCCARD = 1194;

// Help -----------------------------------------------------------------
// A control's context pop-up is its id plus this.
inline constexpr std::uint32_t kContextHelpBase = 0x30000;

// Dialogs and pages ----------------------------------------------------
inline constexpr int IDD_PAGE_PROFILE_SELECT = 1055;
inline constexpr int IDD_PAGE_PROPERTIES = 1059;
inline constexpr int IDD_PAGE_GENERAL_NA = 1331;
inline constexpr int IDD_PAGE_GENERAL_RW = 1324;
inline constexpr int IDD_PAGE_GENERAL_NOPOTS_RW = 1342;
inline constexpr int IDD_PAGE_PHONE_LINE_NA = 1115;
inline constexpr int IDD_PAGE_PHONE_LINE_RW = 1117;
inline constexpr int IDD_PAGE_MLPPP_NA = 1329;
inline constexpr int IDD_PAGE_MLPPP_RW = 1337;
inline constexpr int IDD_PAGE_PPP_NA = 1332;
inline constexpr int IDD_PAGE_PPP_RW = 1338;
inline constexpr int IDD_PAGE_V110_NA = 1333;
inline constexpr int IDD_PAGE_V110_RW = 1339;
inline constexpr int IDD_PAGE_V120_NA = 1334;
inline constexpr int IDD_PAGE_V120_RW = 1340;
inline constexpr int IDD_PAGE_BACP = 1223;
inline constexpr int IDD_PAGE_X25 = 1222;
inline constexpr int IDD_PAGE_VOICE_MODEM_NA = 1328;
inline constexpr int IDD_PAGE_VOICE_MODEM_RW = 1341;
inline constexpr int IDD_PAGE_VOICE_MODEM_PRO_RW = 1343;
inline constexpr int IDD_PAGE_ADVANCED_BOX_NA = 1069;
inline constexpr int IDD_PAGE_ADVANCED_BOX_RW = 1154;
inline constexpr int IDD_PAGE_ADVANCED_PRO = 1336;
inline constexpr int IDD_RENAME = 1145;
inline constexpr int IDD_COMMON_FEATURES = 1330;

// Controls named by the pages' rules -----------------------------------
inline constexpr int IDC_PROFILE_LIST = 1083;
inline constexpr int IDC_ACTIVE_PROFILE = 1136;
// The profile selection page's commands and the rename dialog's field have
// no number of their own in the adapter's documentation.
inline constexpr int IDC_CONFIGURE_PROFILE = 1500;
inline constexpr int IDC_RENAME_PROFILE = 1501;
inline constexpr int IDC_PROFILE_WIZARD = 1502;
inline constexpr int IDC_PROFILE_NAME = 1503;
inline constexpr int IDC_DATA_OVER_VOICE = 1110;
inline constexpr int IDC_DYNAMIC_BANDWIDTH = 1122;
inline constexpr int IDC_CALL_TYPE = 1552;
inline constexpr int IDC_DISTINCT_RING = 1553;
inline constexpr int IDC_VOICE_MAIL = 1561;
inline constexpr int IDC_ABBREVIATED_RING = 1606;
inline constexpr int IDC_NUMBER_ASSIGNMENT = 1692;
inline constexpr int IDC_VOICE_TO_PC = 1721;

// Strings ----------------------------------------------------------------
inline constexpr std::uint32_t IDS_IMPORT_DONE_TEXT = 1014;
inline constexpr std::uint32_t IDS_WRITE_FAILED = 1017;
inline constexpr std::uint32_t IDS_IMPORT_FAILED_TEXT = 1018;
inline constexpr std::uint32_t IDS_READ_FAILED = 1019;
inline constexpr std::uint32_t IDS_NOT_CONFIGURED = 1020;
inline constexpr std::uint32_t IDS_RESET_QUESTION = 1021;
inline constexpr std::uint32_t IDS_SELECT_PROFILE = 1022;
inline constexpr std::uint32_t IDS_REGION_NORTH_AMERICA = 1036;
inline constexpr std::uint32_t IDS_REGION_INTERNATIONAL = 1037;
inline constexpr std::uint32_t IDS_IMPORT_DONE_CAPTION = 1047;
inline constexpr std::uint32_t IDS_PROFILE_FILE_PATTERN = 1049;
inline constexpr std::uint32_t IDS_IMPORT_FAILED_CAPTION = 1051;
inline constexpr std::uint32_t IDS_PROFILE_FILE_EXT = 1052;
inline constexpr std::uint32_t IDS_PROFILE_FILE_FILTER = 1054;
inline constexpr std::uint32_t IDS_REGION_UNKNOWN = 1056;
inline constexpr std::uint32_t IDS_RESET_CAPTION = 1165;
inline constexpr std::uint32_t IDS_CONFIGURED_CAPTION = 1166;
inline constexpr std::uint32_t IDS_CONFIGURED_ACTIVE_CAPTION = 1168;
inline constexpr std::uint32_t IDS_RESET_DONE = 1177;
inline constexpr std::uint32_t IDS_RESET_NOT_CONFIRMED = 1178;
inline constexpr std::uint32_t IDS_LINES_REFUSED = 1179;
inline constexpr std::uint32_t IDS_IMPORT_BAD_VALUE = 1180;
inline constexpr std::uint32_t IDS_EMPTY_PROFILE_NAME = 1187;
inline constexpr std::uint32_t IDS_BUSY_READING = 1294;
inline constexpr std::uint32_t IDS_BUSY_WRITING = 1295;
inline constexpr std::uint32_t IDS_KIND_MISMATCH = 1298;
inline constexpr std::uint32_t IDS_SPEED_NOT_DETECTED = 57347;
inline constexpr std::uint32_t IDS_BUSY_RESTARTING = 57398;
inline constexpr std::uint32_t IDS_BUSY_CONNECTING = 57399;
inline constexpr std::uint32_t IDS_EXPORT_FILE_NAME = 57416;

// Firmware upgrade ------------------------------------------------------
inline constexpr int IDD_FIRMWARE_LOAD = 1009;
inline constexpr int IDD_FIRMWARE_SELECT = 1190;
inline constexpr int IDD_FIRMWARE_DETAILS = 1193;
inline constexpr std::uint32_t IDS_FW_COLUMN_DEVICE = 1000;
inline constexpr std::uint32_t IDS_FW_COLUMN_REGION = 1001;
inline constexpr std::uint32_t IDS_FW_COLUMN_VERSION = 1002;
inline constexpr std::uint32_t IDS_FW_ERROR_BOX = 1003;
inline constexpr std::uint32_t IDS_FW_ERROR_PRO = 1004;
inline constexpr std::uint32_t IDS_FW_SENDING_BOX = 1005;
inline constexpr std::uint32_t IDS_FW_TIME_LEFT_MIN = 1006;
inline constexpr std::uint32_t IDS_FW_TIME_LEFT_SEC = 1007;
inline constexpr std::uint32_t IDS_FW_ERROR_PCI = 1008;
inline constexpr std::uint32_t IDS_FW_SENDING_PCI = 1009;
inline constexpr std::uint32_t IDS_FW_START_FAILED = 1025;
inline constexpr std::uint32_t IDS_FW_SAME_VERSION = 1038;
inline constexpr std::uint32_t IDS_FW_OTHER_VERSION = 1039;
inline constexpr std::uint32_t IDS_FW_TIMEOUT_BOX = 1043;
inline constexpr std::uint32_t IDS_FW_TIMEOUT_PCI = 1046;
inline constexpr std::uint32_t IDS_FW_TRANSFER_DONE = 1081;
inline constexpr std::uint32_t IDS_FW_LOADED = 1169;
inline constexpr std::uint32_t IDS_FW_NONE_SELECTED = 1300;
inline constexpr std::uint32_t IDS_FW_NAME_PCCARD = 1301;
inline constexpr std::uint32_t IDS_FW_NAME_BOX = 1302;
inline constexpr std::uint32_t IDS_FW_CURRENT = 1303;
inline constexpr std::uint32_t IDS_FW_NOT_FOR_PCCARD = 1304;
inline constexpr std::uint32_t IDS_FW_CAPTION = 1305;
inline constexpr std::uint32_t IDS_FW_NOT_FOR_BOX = 1306;
inline constexpr std::uint32_t IDS_FW_NOT_APPLICABLE = 1308;
inline constexpr std::uint32_t IDS_FW_SHARING_VIOLATION = 1309;
inline constexpr std::uint32_t IDS_FW_SHARING_CAPTION = 1310;
inline constexpr std::uint32_t IDS_FW_NAME_PCI = 1317;
inline constexpr std::uint32_t IDS_FW_NOT_FOR_PCI = 1318;
inline constexpr std::uint32_t IDS_FW_NAME_PRO = 1323;
inline constexpr std::uint32_t IDS_FW_NOT_FOR_PRO = 1325;
inline constexpr std::uint32_t IDS_FW_SENDING_PRO = 1327;
inline constexpr std::uint32_t IDS_FW_TIMEOUT_PRO = 1328;
inline constexpr std::uint32_t IDS_FW_ERROR_PCCARD = 57408;
inline constexpr std::uint32_t IDS_FW_SENDING_PCCARD = 57409;
inline constexpr std::uint32_t IDS_FW_TIMEOUT_PCCARD = 57410;
inline constexpr std::uint32_t IDS_FW_FILE_FILTER = 57417;
inline constexpr std::uint32_t IDS_FW_FILE_TITLE = 57418;

}  // namespace config

// Profile sheet pages: dialogs and controls ------------------------------
namespace config {
inline constexpr int IDD_PAGE_ROUTING = 1335;
inline constexpr int IDD_FEATURE_KEYS = 1344;
inline constexpr int IDC_COUNTRY = 1450;
inline constexpr int IDC_DATA_PROTOCOL = 1451;
inline constexpr int IDC_PORT1_ON = 1452;
inline constexpr int IDC_PORT2_ON = 1453;
inline constexpr int IDC_USE_TWO_NUMBERS = 1454;
inline constexpr int IDC_NUMBER_TABS = 1455;
inline constexpr int IDC_NUMBER1 = 1456;
inline constexpr int IDC_SPID1 = 1457;
inline constexpr int IDC_NUMBER2 = 1458;
inline constexpr int IDC_SPID2 = 1459;
inline constexpr int IDC_SWITCH_TYPE = 1460;
inline constexpr int IDC_CALL_WAITING = 1461;
inline constexpr int IDC_COMMON_FEATURES = 1462;
inline constexpr int IDC_DATA_NUMBER = 1463;
inline constexpr int IDC_BACP_START = 1464;
inline constexpr int IDC_BACP_REPEAT = 1465;
inline constexpr int IDC_BACP_CHANNEL = 1466;
inline constexpr int IDC_BACP_DELAY = 1467;
inline constexpr int IDC_BACP_OPEN = 1468;
inline constexpr int IDC_BACP_CLOSE = 1469;
inline constexpr int IDC_X25_DTE = 1472;
inline constexpr int IDC_X25_VERSION = 1473;
inline constexpr int IDC_X25_REVERSE = 1474;
inline constexpr int IDC_X25_THROUGHPUT = 1475;
inline constexpr int IDC_X25_GROUP_MODE = 1476;
inline constexpr int IDC_X25_GROUP_NUMBER = 1477;
inline constexpr int IDC_X25_OTHER = 1478;
inline constexpr int IDC_VOICE_NUMBER = 1479;
inline constexpr int IDC_ROUTE_VOICE1 = 1480;
inline constexpr int IDC_ROUTE_VOICE2 = 1481;
inline constexpr int IDC_ROUTE_DATA1 = 1482;
inline constexpr int IDC_ROUTE_DATA2 = 1483;
inline constexpr int IDC_ROUTE_LABEL1 = 1484;
inline constexpr int IDC_ROUTE_LABEL2 = 1485;
inline constexpr int IDC_VMWI_REFRESH = 1486;
inline constexpr int IDC_CONFERENCE_KEY = 1487;
inline constexpr int IDC_DROP_KEY = 1488;
inline constexpr int IDC_VMWI_KEY = 1489;
inline constexpr int IDC_FEATURE_KEYS = 1490;
inline constexpr int IDC_PROPERTIES_TITLE = 1491;
inline constexpr int IDC_OUTGOING_LINE = 1492;
inline constexpr int IDC_DIAL_TONE_WORKAROUND = 1493;
inline constexpr int IDC_OWN_NUMBER = 1494;
inline constexpr int IDC_OWN_NUMBER_TEXT = 1495;
inline constexpr int IDC_SECOND_NUMBER = 1496;
}  // namespace config
