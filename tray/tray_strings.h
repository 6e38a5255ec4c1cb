#pragma once
// The status monitor's string table.
#include <QString>
#include <cstdint>

#include "platform/string_table.h"

namespace tray {

const platform::StringTable& Strings();
QString Text(std::uint32_t id);

}  // namespace tray
