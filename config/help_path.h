#pragma once
// The configurator's help file: one library-wide path (the help directory
// followed by the file chosen for the device), replaced whenever an entry
// point chooses it and read by the context help of every sheet and page.
#include <cstdint>
#include <string>

namespace config {

// The file for a device kind and region and the phone-ports flag (the
// active profile's "POTS Available", or 1 when no profile is at hand).
const char* HelpFileName(std::int32_t deviceKind, std::int32_t region, std::int32_t phonePorts);

// The help directory: value "Help" of the suite's Directory key, with a
// separator at its end. When the value cannot be read, the installed help
// folder stands in, so that help still opens.
std::string HelpDirectory();

std::string HelpPath();
void SetHelpPath(const std::string& path);

// Set when a sheet opened context help; the folder looks at it to avoid
// opening its own topic as well.
bool HelpShown();
void SetHelpShown(bool shown);

}  // namespace config
