#pragma once
// Where the installed data files live: the installation directory (value
// "Install" of the suite's Directory key), then the data folder, then the
// file name.
#include <string>

#include "wizard/wizard_export.h"

namespace wizard {

inline constexpr const char* kRegionFile = "REGION.INI";
inline constexpr const char* kAreaCodeFile = "AREACODE.INI";
inline constexpr const char* kRoutingFile = "VROUTE.INI";

// The full path of a data file. Without a stored "Install" value the
// installed tree of this build stands in.
VELKA_WIZARD_EXPORT std::string DataFilePath(const char* fileName);

}  // namespace wizard
