#include "platform/program_start.h"

#include <array>
#include <cctype>
#include <utility>

namespace platform {

std::string programName(std::string_view documentedName) {
    const auto slash = documentedName.find_last_of("/\\");
    if (slash != std::string_view::npos) documentedName.remove_prefix(slash + 1);
    std::string lower(documentedName);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kSuite{{
        {"tray.exe", "ta-tray"},
        {"folder.exe", "ta-folder"},
    }};
    for (const auto& [documented, installed] : kSuite)
        if (lower == documented) return std::string(installed);
    return std::string(documentedName);
}

}  // namespace platform
