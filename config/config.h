#pragma once
// CConfig: the configurator's exported class, whose operations the device
// folder calls for an adapter. Each operation is modal and synchronous and
// runs on the caller's user-interface thread.
#include <cstdint>

#include "config/config_export.h"

class CDeviceInfo;

class VELKA_CONFIG_EXPORT CConfig {
public:
    CConfig();
    ~CConfig();
    CConfig(const CConfig& other);
    CConfig& operator=(const CConfig& other);

protected:
    // Chooses the help file of the device (its kind and region and the
    // phone-ports flag: the active profile's "POTS Available", or 1) and
    // makes it the library's help path.
    static void UpdateHelpPath(const CDeviceInfo& device, int phonePorts);
};
