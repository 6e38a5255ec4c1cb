#pragma once
// Where the rest-of-world pages lead once region, protocol and switch type
// are known: by the device's telephone ports and kind to a port page or
// straight to the right summary.
#include <cstdint>
#include <string>
#include <string_view>

namespace wizard {

class CWizardPage;

// The finish pages of region 22 also name the connection type.
inline constexpr std::int32_t kRegionNamingSwitch = 22;

// The page after the protocol or switch page.
int GoToDeviceRoute(CWizardPage& from);
// The summary of a device with two telephone ports (or none).
int GoToFinish(CWizardPage& from);
// The summary of a Pro box with its telephone port and modem.
int GoToFinishPro(CWizardPage& from);

// The name of a region for the summary: "<Andere>" for region 1, else the
// list's name (from the line it stands on when no ";" precedes it).
std::string RegionNameRW(std::string_view list, std::int32_t code);

}  // namespace wizard
