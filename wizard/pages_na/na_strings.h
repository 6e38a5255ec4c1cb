#pragma once
// The texts of the North-American pages, in German, by id.
#include <QString>
#include <cstdint>
#include <string>

#include "platform/string_table.h"

namespace wizard::na {

const platform::StringTable& Strings();
std::string Text(std::uint32_t id);
QString QText(std::uint32_t id);

}  // namespace wizard::na
