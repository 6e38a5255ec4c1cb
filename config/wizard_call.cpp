#include "config/wizard_call.h"

#include <algorithm>
#include <cstring>

#include "device/device_info.h"
#include "platform/keyboard_layout.h"
#include "profile/profile.h"
#include "registry/registry.h"
#include "wizard/data_files.h"
#include "wizard/region_data.h"
#include "wizard/wizard_na.h"
#include "wizard/wizard_rw.h"

namespace config {

namespace {

constexpr const char* kRegionKeyName = "Region";

CRegistry RegionKey() {
    return CRegistry(std::string(kSuiteKey) + "\\" + kRegionKeyName);
}

// The settings the record and the profile share, field by field.
struct TextField {
    char (_WizLocation::*record)[kWizTextSize];
    std::string CProfile::*profile;
};
constexpr TextField kTextFields[] = {
    {&_WizLocation::number1, &CProfile::number1},
    {&_WizLocation::number2, &CProfile::number2},
    {&_WizLocation::spid1, &CProfile::spid1},
    {&_WizLocation::spid2, &CProfile::spid2},
    {&_WizLocation::x25DteAddress, &CProfile::x25DteAddress},
    {&_WizLocation::callConferenceKey, &CProfile::callConferenceKey},
    {&_WizLocation::callDropKey, &CProfile::callDropKey},
    {&_WizLocation::vmwiKey, &CProfile::vmwiKey},
};
struct NumberField {
    std::int32_t _WizLocation::*record;
    std::int32_t CProfile::*profile;
};
constexpr NumberField kNumberFields[] = {
    {&_WizLocation::switchType, &CProfile::switchType},
    {&_WizLocation::noSpid1, &CProfile::terminalMode1},
    {&_WizLocation::noSpid2, &CProfile::terminalMode2},
    {&_WizLocation::aodi, &CProfile::aodi},
    {&_WizLocation::hasPhonePorts, &CProfile::potsAvailable},
    {&_WizLocation::port1Mode, &CProfile::modePots1},
    {&_WizLocation::port2Mode, &CProfile::modePots2},
    {&_WizLocation::vmwiRefreshTime, &CProfile::vmwiRefreshTime},
};

}  // namespace

std::int32_t WizardRegionCode(const CProfile& profile) {
    if (profile.region != 1) return profile.region;
    std::uint32_t stored = 0;
    if (RegionKey().ReadDword(kRegionKeyName, stored) == registry::kRegOk)
        return static_cast<std::int32_t>(stored);
    const std::string layout = platform::keyboardLayoutKey();
    if (layout.empty()) return profile.region;
    return wizard::RegionOfKeyboardLayout(wizard::DataFilePath(wizard::kRegionFile), layout)
        .value_or(profile.region);
}

_WizLocation WizLocationFrom(const CProfile& profile, std::int32_t v110Available,
                             std::int32_t regionCode, const std::string& regionList) {
    _WizLocation loc{};
    for (const TextField& f : kTextFields) {
        // Cut to fit, with its NUL.
        const std::string& text = profile.*f.profile;
        const std::size_t n = std::min(text.size(), kWizTextSize - 1);
        std::memcpy(loc.*f.record, text.data(), n);
        (loc.*f.record)[n] = '\0';
    }
    for (const NumberField& f : kNumberFields) loc.*f.record = profile.*f.profile;
    loc.v110Available = v110Available;
    loc.portSettings = profile.portSettings;
    loc.modemInUse = 1;
    loc.regionCode = regionCode;
    loc.regionList = regionList.c_str();
    return loc;
}

void CopyWizLocation(const _WizLocation& loc, CProfile& profile) {
    // Never beyond a field's array, even when the wizard left it without a NUL.
    for (const TextField& f : kTextFields)
        profile.*f.profile = std::string(loc.*f.record, strnlen(loc.*f.record, kWizTextSize));
    for (const NumberField& f : kNumberFields) profile.*f.profile = loc.*f.record;
    profile.portSettings = loc.portSettings;
    profile.EnableModemForPro = loc.modemInUse;
    profile.region = loc.regionCode;
}

WizardRun RunWizard(QWidget* parent, const CDeviceInfo& device, CProfile& profile,
                    std::int32_t index, _WizardCalled called, const char* profileName) {
    WizardRun run;
    run.regionCode = WizardRegionCode(profile);
    // The wizard reads the list while it runs and never keeps it.
    const std::string regionList = profile.i100Reply;
    _WizLocation loc = WizLocationFrom(profile, device.v110Capable, run.regionCode, regionList);
    auto connection = static_cast<_ConnectionType>(profile.connectType);
    const auto kind = static_cast<_DeviceType>(device.type);
    if (device.region == 1)
        run.result = CWizardNA().Start(parent, kind, device.port, called, connection, &loc, index,
                                       profileName);
    else
        run.result =
            CWizardRW().Start(parent, kind, device.port, called, connection, &loc, profileName);
    // A wizard that did not finish leaves the profile as it was, its
    // connection type included: the page may still write the profiles.
    if (run.result != kWizFinished) return run;
    profile.connectType = connection;
    CopyWizLocation(loc, profile);
    if (device.region != 1) {
        const CRegistry key = RegionKey();
        key.Create();
        key.WriteDword(kRegionKeyName, static_cast<std::uint32_t>(loc.regionCode));
    }
    return run;
}

}  // namespace config
