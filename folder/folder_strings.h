#pragma once
// The device folder's string table.
#include <QString>
#include <cstdint>

#include "platform/string_table.h"

namespace folder {

const platform::StringTable& Strings();
QString Text(std::uint32_t id);
std::string Utf8(std::uint32_t id);

}  // namespace folder
