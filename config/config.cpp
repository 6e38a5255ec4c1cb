#include "config/config.h"

#include "config/help_path.h"
#include "device/device_info.h"

CConfig::CConfig() = default;
CConfig::~CConfig() = default;
CConfig::CConfig(const CConfig&) = default;
CConfig& CConfig::operator=(const CConfig&) = default;

void CConfig::UpdateHelpPath(const CDeviceInfo& device, int phonePorts) {
    config::SetHelpPath(config::HelpDirectory() +
                        config::HelpFileName(device.type, device.region, phonePorts));
}
