#pragma once
// CConfig: the configurator's exported class, whose operations the device
// folder calls for an adapter. Each operation is modal and synchronous and
// runs on the caller's user-interface thread.
#include <cstdint>

#include "config/config_export.h"

class CDeviceInfo;
class CProfileSettings;
class QWidget;

class VELKA_CONFIG_EXPORT CConfig {
public:
    CConfig();
    ~CConfig();
    CConfig(const CConfig& other);
    CConfig& operator=(const CConfig& other);

    // Loads a firmware image into an external box (kinds 1, 2, 4) or a card
    // (every other kind): the image chosen in the selection dialog when
    // `fileName` is empty, checked against the device, confirmed when
    // `confirm` is not 0. 4100 done, 4101 failed, 4102 cancelled or refused.
    // Either way the caller's profile settings are reset in memory (the
    // device's profiles may be gone); they are not saved.
    std::int32_t UpgradeFirmwareBox(QWidget* parent, CDeviceInfo& device, const char* title,
                                    CProfileSettings& settings, const char* fileName, int confirm);
    std::int32_t UpgradeFirmwarePCI(QWidget* parent, CDeviceInfo& device, const char* title,
                                    CProfileSettings& settings, const char* fileName, int confirm);

protected:
    // Chooses the help file of the device (its kind and region and the
    // phone-ports flag: the active profile's "POTS Available", or 1) and
    // makes it the library's help path.
    static void UpdateHelpPath(const CDeviceInfo& device, int phonePorts);
};
