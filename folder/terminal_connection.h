#pragma once
// The terminal command on an adapter: the installed template "template.ht"
// (a desktop entry) gets the adapter's device path and the serial terminal
// installed here, is written into the data folder as
// "Verbindung mit <label>.desktop" and opened with the desktop's launcher.
#include <array>
#include <functional>
#include <string>
#include <string_view>

class QWidget;
struct CFolderItem;

// The serial terminals a template may name, in the order they are preferred.
inline constexpr std::array<const char*, 2> kTerminalPrograms{"picocom", "minicom"};
// A template names one command per terminal as "X-Velka-Exec-<program>=";
// the first whose program is installed becomes the entry's "Exec=" line,
// with kPortField replaced by the device path.
inline constexpr std::string_view kExecKeyPrefix = "X-Velka-Exec-";
inline constexpr std::string_view kPortField = "{PORT}";
// The longest device path the port field holds.
inline constexpr std::size_t kMaxPortField = 128;

// One of kTerminalPrograms, found on this machine.
bool TerminalInstalled(std::string_view program);
// Whether any of them is: the command is offered only then.
bool TerminalAvailable();

// Whether the port field holds this device path: an absolute path of at most
// kMaxPortField characters, each of them one the entry's command line takes
// without quoting (letters, digits and / . _ - + : , @).
bool PortFieldHolds(std::string_view devicePath);

enum class TemplateFill { Ok, NoTerminal, NoPortField, PortNotHeld };
// Pure. The desktop entry for `devicePath`: the template's lines, its
// X-Velka-Exec lines replaced by the one "Exec=" line of the first installed
// terminal. NoPortField when that command has no port field.
TemplateFill FillTemplate(std::string_view templ, std::string_view devicePath,
                          const std::function<bool(std::string_view program)>& installed,
                          std::string& entry);

// Pure. "Verbindung mit " and the label, each character of string 2903 and
// every control character replaced by "_", cut on a character boundary so
// that the name with ".desktop" fits in 255 bytes.
std::string ConnectionFileName(std::string_view label);

// Runs the command for the item; a failure is explained to the user.
// True once the launcher took the connection.
bool OpenTerminalConnection(QWidget* parent, const CFolderItem& item);
