// CConfig::Configure and CConfig::QuickConfig: the profiles read from the
// adapter, edited in the wizard or on the sheets, and written back.
#include <QString>
#include <optional>

#include "config/busy_animation.h"
#include "config/config.h"
#include "config/config_strings.h"
#include "config/configure_profile.h"
#include "config/context_help_property_sheet.h"
#include "config/entry_steps.h"
#include "config/profile_select.h"
#include "config/resource_ids.h"
#include "config/wizard_call.h"
#include "device/device_info.h"
#include "platform/status_codes.h"
#include "profile/device_profiles.h"
#include "profile/profile_settings.h"
#include "ui/dialog_facility.h"

namespace {

// The sheet's results after which a change is written: OK, Cancel (after
// Apply) and the one a page may end the sheet with.
bool EndsSheet(std::int32_t result) {
    return result == 0 || result == 1 || result == 2 || result == 9;
}

// The names record's flags of profile n, as the sheet left the profile.
void TakeFlags(CProfileSettings& settings, std::size_t n, const CProfile& profile) {
    settings.EnableVoiceForBox[n] = profile.EnableVoiceForBox;
    settings.EnableModemForPro[n] = profile.EnableModemForPro;
}

// What a sheet on the active profile ended with, for the caller to finish.
struct SheetEnd {
    std::int32_t result = 0;
    bool changed = false;
};

SheetEnd RunActiveSheet(QWidget* parent, CDeviceProfiles& profiles, CDeviceInfo& device,
                        const CProfileSettings& settings, const char* captionTail) {
    const auto n = static_cast<std::size_t>(profiles.activeProfile);
    const QString caption = QString::fromStdString(
        config::Text(config::IDS_CONFIGURED_ACTIVE_CAPTION) + (captionTail ? captionTail : ""));
    CConfigureProfile configure;
    SheetEnd end;
    end.result = configure.ConfigureProfile(parent, profiles.profiles[n], profiles.activeProfile,
                                            device, caption, settings.names[n].c_str());
    end.changed = configure.changed != 0;
    return end;
}

// The common answer to a sheet's end: written, nothing configured, or its
// own result. Nothing when the sheet ended with 0 and a change, which each
// caller goes on with in its own way.
std::optional<std::int32_t> FinishSheet(QWidget* parent, const SheetEnd& end,
                                        CDeviceProfiles& profiles, const CDeviceInfo& device,
                                        CProfileSettings& settings) {
    if (!EndsSheet(end.result)) {
        ui::messageBox(parent, config::Strings(), config::IDS_NOT_CONFIGURED,
                       ui::Icon::Information);
        return end.result;
    }
    if (!end.changed) return config::kNothingConfigured;
    if (end.result == 0) return std::nullopt;
    const auto n = static_cast<std::size_t>(profiles.activeProfile);
    TakeFlags(settings, n, profiles.profiles[n]);
    return config::WriteAllProfiles(parent, profiles, device, config::WriteAnimation(device.type));
}

}  // namespace

std::int32_t CConfig::QuickConfig(QWidget* parent, CDeviceInfo& device, const char* title,
                                  CProfileSettings& settings) {
    CDeviceProfiles profiles;
    config::PrepareProfiles(profiles, device);
    if (const std::int32_t read =
            config::ReadAllProfiles(parent, profiles, device, settings, false);
        read != 0)
        return read;
    const auto n = static_cast<std::size_t>(profiles.activeProfile);
    UpdateHelpPath(device, profiles.profiles[n].potsAvailable);

    const SheetEnd end = RunActiveSheet(parent, profiles, device, settings, title);
    changesApplied_ = end.changed ? 1 : 0;
    return FinishSheet(parent, end, profiles, device, settings).value_or(0);
}

std::int32_t CConfig::Configure(QWidget* parent, CDeviceInfo& device, const char* title,
                                int startWithWizard, CProfileSettings& settings) {
    CPageProfileSelect page;
    CDeviceProfiles& profiles = page.Profiles();
    config::PrepareProfiles(profiles, device);
    if (const std::int32_t read = config::ReadAllProfiles(parent, profiles, device, settings, true);
        read != 0)
        return read;
    const std::int32_t n = profiles.activeProfile;
    CProfile& active = profiles.profiles[static_cast<std::size_t>(n)];
    UpdateHelpPath(device, active.potsAvailable);

    if (startWithWizard != 0) {
        const config::WizardRun run =
            config::RunWizard(parent, device, active, n, WizCalledConfigure,
                              settings.names[static_cast<std::size_t>(n)].c_str());
        switch (run.result) {
            case kWizCancelled:
                return platform::kUserCancelled;
            case kWizKeptConfig:
                return 0;
            case kWizFinished:
                for (std::size_t i = 0; i < settings.names.size(); ++i)
                    TakeFlags(settings, i, active);
                return config::WriteAllProfiles(parent, profiles, device,
                                                config::WriteAnimation(device.type));
            case kWizManualConfig: {
                active.region = run.regionCode;
                const SheetEnd end =
                    RunActiveSheet(parent, profiles, device, settings, device.identification);
                changesApplied_ = end.changed ? 1 : 0;
                if (const auto finished = FinishSheet(parent, end, profiles, device, settings))
                    return *finished;
                break;
            }
            default:
                break;
        }
    }

    CContextHelpPropertySheet sheet(QString::fromUtf8(title ? title : ""), parent);
    page.SetContext(settings, title, device);
    page.SetWizardRun([&](QWidget* owner, std::int32_t index) {
        const auto i = static_cast<std::size_t>(index);
        return config::RunWizard(owner, device, profiles.profiles[i], index, WizCalledProfilePage,
                                 settings.names[i].c_str())
            .result;
    });
    page.setHasHelp(true);
    sheet.addPage(&page);
    settings.Load();
    sheet.doModal();
    settings.Save();
    sheet.removePage(&page);
    return page.Configured() ? 0 : config::kNothingConfigured;
}
