#pragma once
// The configurator's side of a wizard run on one profile: the record filled
// from the profile, the wizard for the device's region started, and, when it
// finished, the record copied back into the profile.
#include <cstdint>
#include <string>

#include "wizard/wizard_types.h"

class CDeviceInfo;
class CProfileSettings;
class QWidget;
struct CProfile;

namespace config {

// The region code the wizard starts with. A profile whose "Region" is 1
// takes the value "Region" of the suite's Region key, else the region of
// the keyboard layout in REGION.INI; when neither names one it stays 1.
std::int32_t WizardRegionCode(const CProfile& profile);

// The record for the profile; `regionList` must outlive the record.
_WizLocation WizLocationFrom(const CProfile& profile, std::int32_t v110Available,
                             std::int32_t regionCode, const std::string& regionList);
// Every setting the record carries back into the profile; the modem flag
// becomes EnableModemForPro and the region code "Region". The region list
// is the caller's.
void CopyWizLocation(const _WizLocation& location, CProfile& profile);

struct WizardRun {
    std::int32_t result = 0;      // the wizard's result
    std::int32_t regionCode = 0;  // the region it started with
};

// Runs the wizard of the device's region on profile `index` (its name
// `profileName`). A finished run (0) is copied into the profile, and an
// international adapter's region is stored as the suite's Region value.
WizardRun RunWizard(QWidget* parent, const CDeviceInfo& device, CProfile& profile,
                    std::int32_t index, _WizardCalled called, const char* profileName);

}  // namespace config
