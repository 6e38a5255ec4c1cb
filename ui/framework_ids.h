#pragma once
// Numbers that the window framework itself defines and that the suite's
// dialogs compare with: dialog results, the ids of the standard buttons, the
// wizard button flags and the bases of the help context numbers. They keep
// the classic values because callers pass them across libraries.
#include <cstdint>

namespace ui {

// Results of message boxes and modal dialogs.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDHELP = 9;

// Control ids of a property sheet's own controls.
inline constexpr int ID_TAB_CONTROL = 0x3020;
inline constexpr int ID_APPLY_NOW = 0x3021;
inline constexpr int ID_WIZBACK = 0x3023;
inline constexpr int ID_WIZNEXT = 0x3024;
// Also the modal result of a wizard that ended with Finish.
inline constexpr int ID_WIZFINISH = 0x3025;

// Buttons a wizard page enables when it becomes active (combinable).
inline constexpr unsigned WIZB_BACK = 0x1;
inline constexpr unsigned WIZB_NEXT = 0x2;
inline constexpr unsigned WIZB_FINISH = 0x4;
inline constexpr unsigned WIZB_DISABLEDFINISH = 0x8;

// Help context bases: a prompt's help is its string id + 0x30000 when the
// caller gives none, a dialog's topic is its template id + 0x20000.
inline constexpr std::uint32_t HID_BASE_RESOURCE = 0x20000;
inline constexpr std::uint32_t HID_BASE_PROMPT = 0x30000;

}  // namespace ui
