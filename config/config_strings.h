#pragma once
// The configurator's string table: every text it shows, in German, by id.
#include <cstdint>
#include <string>

#include "platform/string_table.h"

namespace config {

const platform::StringTable& Strings();
// The text of an id as a std::string; empty when the table has no such id.
std::string Text(std::uint32_t id);

}  // namespace config
