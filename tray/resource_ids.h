#pragma once
// Resource numbers of the status monitor: strings, icons, menu, dialog and
// controls. An icon state's icon and tip share its number.
#include <cstdint>

namespace tray {

inline constexpr std::uint32_t IDR_MAINFRAME = 1000;
inline constexpr std::uint32_t IDR_TRAY_MENU = 1001;  // also the icon's id in the notification area
inline constexpr std::uint32_t IDD_ABOUTBOX = 1002;

// Icon states: no icon, adapters ready, firmware damaged, no adapter.
inline constexpr std::uint32_t kStateNone = 0;
inline constexpr std::uint32_t IDI_READY = 1006;
inline constexpr std::uint32_t IDI_FIRMWARE_DAMAGED = 1011;
inline constexpr std::uint32_t IDI_NO_ADAPTER = 1012;

// Menu commands.
inline constexpr std::uint32_t ID_APP_ABOUT = 1021;
inline constexpr std::uint32_t ID_DEACTIVATE = 1022;
inline constexpr std::uint32_t ID_OPEN_FOLDER = 1025;

// Strings.
inline constexpr std::uint32_t IDS_FOLDER_EXE = 1026;
inline constexpr std::uint32_t IDS_MAKER_WORD = 1027;
inline constexpr std::uint32_t IDS_MAINFRAME_TITLE = 57344;
inline constexpr std::uint32_t IDS_ABOUT_TEXT = 57345;
inline constexpr std::uint32_t IDS_MENU_POPUP = 2000;
inline constexpr std::uint32_t IDS_ABOUT_TITLE = 2001;
inline constexpr std::uint32_t IDS_ABOUT_PRODUCT = 2002;
inline constexpr std::uint32_t IDS_ABOUT_MAKER = 2003;
inline constexpr std::uint32_t IDS_NO_TRAY = 2004;
inline constexpr std::uint32_t IDS_FOLDER_NOT_STARTED = 2005;

// Controls of the about box.
inline constexpr std::uint32_t IDC_ABOUT_PRODUCT = 1022;  // the larger font
inline constexpr std::uint32_t IDC_ABOUT_TEXT = 1025;
inline constexpr std::uint32_t IDC_ABOUT_MAKER = 1026;  // bold

// wParam values of the suite's message.
inline constexpr std::uint64_t kSuiteAdapterRemoved = 4;
inline constexpr std::uint64_t kSuiteAdapterArrived = 8;
inline constexpr std::uint64_t kSuiteShowFolder = 16;
inline constexpr std::uint64_t kSuiteDetectionDone = 32;

}  // namespace tray
