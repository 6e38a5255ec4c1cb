#pragma once
// The switch (connection) types outside North America and their names, as
// the wizard and the configurator's General page list them.
#include <cstdint>

#include "wizard/wizard_export.h"

namespace wizard {

inline constexpr std::int32_t kSwitchEuroIsdn = 2;
inline constexpr std::int32_t kSwitchBritishTelecom = 10;
inline constexpr std::int32_t kSwitchOnRamp = 11;

// "EuroISDN", "Microlink", "INS-Net64", "China", "Singapore", "British
// Telecom", "OnRamp"; empty for a code without a name.
VELKA_WIZARD_EXPORT const char* SwitchTypeNameRW(std::int32_t code);

}  // namespace wizard
