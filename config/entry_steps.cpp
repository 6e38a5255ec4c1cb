#include "config/entry_steps.h"

#include "config/busy_animation.h"
#include "config/config_strings.h"
#include "config/delay_dlg.h"
#include "config/help_path.h"
#include "config/resource_ids.h"
#include "config/suite_message.h"
#include "device/device_info.h"
#include "platform/text_format.h"
#include "profile/device_profiles.h"
#include "registry/registry.h"
#include "ui/dialog_facility.h"
#include "ui/help.h"
#include "ui/wait_cursor.h"

namespace config {

namespace {
// The help context the folder is told while the read-failure box shows.
constexpr std::uint32_t kReadFailureHelp = 1402;
// A refused line is shown whole up to this length: a box is no place for a
// 4000-character command.
constexpr std::size_t kShownLineLength = 120;
}  // namespace

void PrepareProfiles(CDeviceProfiles& profiles, const CDeviceInfo& device) {
    profiles.northAmerica = device.region == 1 ? 1 : 0;
    profiles.deviceKind = device.type;
}

std::int32_t ReadAllProfiles(QWidget* parent, CDeviceProfiles& profiles, const CDeviceInfo& device,
                             const CProfileSettings& settings, bool withHelp) {
    std::int32_t result = 0;
    {
        ui::WaitCursor wait;
        result =
            MakeReadDelayDlg(profiles, device, settings, ReadAnimation(device.type))->DoModal();
    }
    if (result != 0) ShowReadFailure(parent, withHelp);
    return result;
}

void ShowReadFailure(QWidget* parent, bool withHelp) {
    NotifyMainWindow(kNoticeBoxShown, kReadFailureHelp);
    ui::MessageRequest box;
    box.stringId = IDS_READ_FAILED;
    box.text = Text(IDS_READ_FAILED);
    box.owner = parent;
    box.helpContext = kReadFailureHelp;
    if (withHelp) {
        box.icon = ui::Icon::Information;
        box.buttons = ui::Buttons::OkHelp;
        box.onHelp = [](std::uint32_t context) {
            ui::openHelp(HelpPath(), ui::HelpCommand::Topic, context);
        };
    }
    ui::dialogs().messageBox(box);
    NotifyMainWindow(kNoticeBoxGone, 0);
}

std::int32_t WriteAllProfiles(QWidget* parent, CDeviceProfiles& profiles, const CDeviceInfo& device,
                              int animation, bool reportFailure) {
    std::int32_t result = 0;
    {
        ui::WaitCursor wait;
        result = MakeWriteDelayDlg(profiles, device, animation)->DoModal();
    }
    if (result != 0 && reportFailure)
        ui::messageBox(parent, Strings(), IDS_WRITE_FAILED, ui::Icon::Warning);
    WarnRefusedLines(parent, profiles);
    return result;
}

bool WarnRefusedLines(QWidget* parent, const CDeviceProfiles& profiles) {
    const auto& refused = profiles.RefusedLines();
    if (refused.empty()) return false;
    std::string lines;
    for (const std::string& line : refused) {
        std::string shown = platform::escapeControl(line);
        if (shown.size() > kShownLineLength) {
            std::size_t cut = kShownLineLength;
            while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
            shown = shown.substr(0, cut) + "...";
        }
        lines += "\n" + shown;
    }
    ui::messageBox(parent, Strings(), IDS_LINES_REFUSED, ui::Icon::Warning, ui::Buttons::Ok, {},
                   {lines});
    return true;
}

std::string DirectoryValue(const char* name) {
    std::string value;
    if (CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString(name, value) !=
        registry::kRegOk)
        value.clear();
    return value;
}

}  // namespace config
