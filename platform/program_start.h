#pragma once
// Starting a program of the suite by the file name its documents use
// ("tray.exe" is the installed ta-tray, "folder.exe" is ta-folder). The
// program runs on its own: it is not a child this program must wait for,
// and it outlives this program.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The installed program name of a documented file name: the known suite
// names map to theirs ("tray.exe" -> "ta-tray", case-insensitive, any folder
// before the name dropped); any other name is kept as it is.
std::string programName(std::string_view documentedName);
// The program's file: beside the running program first, then on PATH;
// empty when it is nowhere.
std::string resolveProgram(std::string_view documentedName);
// 0 once the program runs; kFileNotFound when it cannot be found or started.
std::int32_t startProgram(std::string_view documentedName,
                          const std::vector<std::string>& args = {});

}  // namespace platform
