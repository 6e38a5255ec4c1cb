#pragma once
// CConfig: the configurator's exported class, whose operations the device
// folder calls for an adapter. Each operation is modal and synchronous and
// runs on the caller's user-interface thread; it creates what it needs on
// entry and destroys it before it returns.
#include <cstdint>
#include <memory>

#include "config/config_export.h"

class CDeviceInfo;
class CProfileSettings;
class QWidget;

namespace platform {
class Event;
}

class VELKA_CONFIG_EXPORT CConfig {
public:
    CConfig();
    ~CConfig();
    CConfig(const CConfig& other);
    CConfig& operator=(const CConfig& other);

    // Full configuration: the profiles read, optionally the wizard on the
    // active profile, then the profile selection sheet. 0; 2 cancelled; 6100
    // nothing configured; a reader, writer or wizard code.
    std::int32_t Configure(QWidget* parent, CDeviceInfo& device, const char* title,
                           int startWithWizard, CProfileSettings& settings);
    // The sheet of the active profile. 0; 6100 nothing configured; a reader
    // code; a sheet result other than 0, 1, 2, 9.
    std::int32_t QuickConfig(QWidget* parent, CDeviceInfo& device, const char* title,
                             CProfileSettings& settings);
    // What the folder knows of the adapter, read only. Always 0.
    std::int32_t Properties(QWidget* parent, CDeviceInfo& device, const char* title);
    // Factory settings, after the user agreed. 0 done; 2 declined; the port's
    // open code; 258 when the adapter did not answer the reset, 20600 when it
    // refused it.
    std::int32_t Reset(QWidget* parent, CDeviceInfo& device, const char* title,
                       CProfileSettings& settings);
    // A profile file (chosen when `fileName` is empty) laid over the
    // adapter's profiles and written. 0; 2 cancelled; 5003 device kinds
    // differ; a file-reader or writer code.
    std::int32_t ImportConfig(QWidget* parent, CDeviceInfo& device, const char* title,
                              CProfileSettings& settings, const char* fileName);
    // All profiles into a profile file the user names. 0 done or cancelled; a
    // reader or file-writer code.
    std::int32_t ExportConfig(QWidget* parent, CDeviceInfo& device, const char* title,
                              CProfileSettings& settings);
    // The box download for kinds 1, 2 and 4, the card download for the
    // others; the result unchanged. A device that runs only its boot loader is
    // never asked to confirm.
    std::int32_t UpgradeFirmware(QWidget* parent, CDeviceInfo& device, const char* title,
                                 CProfileSettings& settings, const char* fileName, int confirm);

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
    // Waits at most 5000 ms for the response event and resets it: 0 when the
    // adapter answered, else the wait's code (258).
    std::int32_t WaitResponse();
    // Chooses the help file of the device (its kind and region and the
    // phone-ports flag: the active profile's "POTS Available", or 1) and
    // makes it the library's help path.
    static void UpdateHelpPath(const CDeviceInfo& device, int phonePorts);

private:
    // Set when a profile sheet ended with changes that must be written.
    std::int32_t changesApplied_ = 0;
    // The response slot and event of Reset's own link; the event exists
    // only while Reset talks to the adapter.
    std::int32_t response_ = 0;
    std::unique_ptr<platform::Event> responseEvent_;
};
