#pragma once
// tactl's command groups: `tactl <group> <arguments...>`. Each group lives
// in its own cli/cmd_<group>.cpp and is listed once in commands.cpp.
//
// Exit codes of every group: 0 success, 1 the operation failed, 2 the
// command line was wrong (usage printed on stderr).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {
class NamedMutex;
}

namespace cli {

using Args = std::vector<std::string>;  // the arguments after the group name

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CommandGroup {
    const char* name;
    const char* help;  // one line for `tactl help`
    int (*run)(const Args& args);
};

std::span<const CommandGroup> commandGroups();
const CommandGroup* findGroup(const std::string& name);

// The command line waits longer for the device access than the desktop
// programs do: a profile write alone holds it for about 22 s.
inline constexpr std::uint32_t kCliDeviceWaitMs = 60000;

// Takes the device-access mutex: folder and monitor query the adapters too,
// and two programs must never talk to one adapter at the same time. Says so
// on stderr when it stays taken past its wait.
bool lockDevices(platform::NamedMutex& mutex, std::uint32_t waitMs = kCliDeviceWaitMs);

// Case-insensitive match of a switch such as "/v" (also accepts "-v").
bool isSwitch(const std::string& arg, const char* name);

}  // namespace cli
