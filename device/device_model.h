#pragma once
// The model name stored as "DeviceString" for a record of this kind; the
// folder recognises the kind again from it. Empty for the non-family values.
#include <cstdint>

const char* deviceModelName(std::int32_t type);
