#pragma once
// Programs started at log-on: the Run key's values in the registry store,
// each mirrored as a desktop autostart entry so the desktop really starts
// the program ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart).
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Below the local-machine root.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\run";
// The status monitor's value; its data is the installation folder followed
// by "tray.exe".
inline constexpr const char* kTrayRunValue = "VELKATA_Tray";

// "VELKATA_Tray" -> "velka-ta-tray.desktop": the suite's prefix becomes
// "velka-ta-", the rest is lower-cased; characters outside [a-z0-9-_] become
// '-'.
std::string autostartFileName(std::string_view valueName);
std::string autostartEntryPath(std::string_view valueName);
// The entry's text: runs `program` (an absolute path; quoted as the desktop
// entry format wants), shown under `title`.
std::string autostartEntryText(std::string_view title, std::string_view program);

// Writes the value (data = `command`) and its entry, which runs the program
// that the command names (resolved like a program start). 0, or the code of
// the step that failed; a failed entry leaves no value behind.
std::int32_t setRunValue(std::string_view valueName, std::string_view command);
// Deletes the value and its entry; 0 also when neither existed.
std::int32_t deleteRunValue(std::string_view valueName);

}  // namespace platform
