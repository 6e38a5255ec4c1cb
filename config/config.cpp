// CConfig: construction, the read-only properties, the factory reset, the
// firmware dispatch and the help path. The configuring entry points are in
// config_configure.cpp, import and export in config_transfer.cpp.
#include "config/config.h"

#include <QString>
#include <array>
#include <string>
#include <string_view>

#include "config/config_strings.h"
#include "config/context_help_property_sheet.h"
#include "config/help_path.h"
#include "config/pages/page_properties.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "device/device_status.h"
#include "platform/device_type.h"
#include "platform/event.h"
#include "platform/status_codes.h"
#include "registry/registry.h"
#include "serial/com_link.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/wait_cursor.h"

namespace {

constexpr std::uint32_t kResponseWaitMs = 5000;
constexpr std::uint32_t kResetSpeed = 57600;
constexpr std::size_t kResetBufferSize = 4096;

QString Utf8(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

// The speed the properties show: the one the speed detection stored for
// the port, or "Nicht erkannt".
QString StoredSpeedText(const char* port) {
    const CRegistry key(std::string(kSuiteKey) + "\\COMSpeeds\\" + port);
    std::uint32_t speed = 0;
    if (key.ReadDword(port, speed) != registry::kRegOk)
        return QString::fromStdString(config::Text(config::IDS_SPEED_NOT_DETECTED));
    return QString::number(speed);
}

QString RegionText(std::int32_t region) {
    const std::uint32_t id = region == 0   ? config::IDS_REGION_INTERNATIONAL
                             : region == 1 ? config::IDS_REGION_NORTH_AMERICA
                                           : config::IDS_REGION_UNKNOWN;
    return QString::fromStdString(config::Text(id));
}

// Whether an answer ends in the result code "OK" (after any echo).
bool AnsweredOk(std::string_view answer) {
    while (!answer.empty() && (answer.back() == '\r' || answer.back() == '\n' ||
                               answer.back() == ' ' || answer.back() == '\0'))
        answer.remove_suffix(1);
    return answer.ends_with("OK");
}

}  // namespace

CConfig::CConfig() = default;
CConfig::~CConfig() = default;

// The event belongs to the Reset that runs on an object; a copy gets none.
CConfig::CConfig(const CConfig& other)
    : changesApplied_(other.changesApplied_), response_(other.response_) {}

CConfig& CConfig::operator=(const CConfig& other) {
    changesApplied_ = other.changesApplied_;
    response_ = other.response_;
    return *this;
}

void CConfig::UpdateHelpPath(const CDeviceInfo& device, int phonePorts) {
    config::SetHelpPath(config::HelpDirectory() +
                        config::HelpFileName(device.type, device.region, phonePorts));
}

std::int32_t CConfig::WaitResponse() {
    if (!responseEvent_) return platform::kInvalidHandle;
    const platform::WaitResult waited = responseEvent_->wait(kResponseWaitMs);
    responseEvent_->reset();
    return waited == platform::WaitResult::Signaled ? 0 : platform::kWaitTimeout;
}

std::int32_t CConfig::Properties(QWidget* parent, CDeviceInfo& device, const char* title) {
    UpdateHelpPath(device, 1);
    CContextHelpPropertySheet sheet(Utf8(title), parent);
    sheet.setApplyButton(false);
    sheet.setHelpButton(false);
    config::pages::CPageProperties page;
    page.SetFacts({Utf8(title), Utf8(device.port), Utf8(device.versionText),
                   RegionText(device.region), StoredSpeedText(device.port),
                   Utf8(device.extraText)});
    sheet.addPage(&page);
    sheet.doModal();
    sheet.removePage(&page);
    return 0;
}

std::int32_t CConfig::UpgradeFirmware(QWidget* parent, CDeviceInfo& device, const char* title,
                                      CProfileSettings& settings, const char* fileName,
                                      int confirm) {
    UpdateHelpPath(device, 1);
    // A device that runs only its boot loader cannot say which version it
    // has, so there is nothing to confirm against.
    if (device.firmwareState == device::kFirmwareBootOnly) confirm = 0;
    if (IsBox(device.type) || device.type == kDevicePro)
        return UpgradeFirmwareBox(parent, device, title, settings, fileName, confirm);
    return UpgradeFirmwarePCI(parent, device, title, settings, fileName, confirm);
}

std::int32_t CConfig::Reset(QWidget* parent, CDeviceInfo& device, const char* title,
                            CProfileSettings&) {
    ui::MessageRequest ask;
    ask.stringId = config::IDS_RESET_QUESTION;
    ask.text = config::Text(config::IDS_RESET_QUESTION);
    ask.caption = config::Text(config::IDS_RESET_CAPTION);
    ask.icon = ui::Icon::Error;
    ask.buttons = ui::Buttons::YesNo;
    ask.helpContext = ui::HID_BASE_PROMPT + config::IDS_RESET_QUESTION;
    ask.owner = parent ? parent->window() : nullptr;
    if (ui::dialogs().messageBox(ask) != ui::IDYES) return platform::kUserCancelled;

    ui::WaitCursor wait;
    CComLink link;
    if (const std::int32_t opened = link.Open(device.port, kResetSpeed, 1, 1); opened != 0) {
        link.Close();
        return opened;
    }
    responseEvent_ = std::make_unique<platform::Event>();
    std::array<char, kResetBufferSize> answer{};
    link.ArmResponse(answer.data(), static_cast<std::int32_t>(answer.size()), responseEvent_.get(),
                     &response_, CComLink::kModeResultCode);
    // The slot and the event are cleared before the line goes out, so an
    // answer that comes at once is not wiped out before it is waited for.
    const auto exchange = [&](const char* line) {
        responseEvent_->reset();
        response_ = 0;
        answer.fill('\0');
        link.Write(line, static_cast<std::uint32_t>(std::char_traits<char>::length(line)));
        const std::int32_t waited = WaitResponse();
        return waited != 0 ? waited : response_;
    };
    std::int32_t result = exchange("at>f\r");
    if (result == 0 && !AnsweredOk(std::string_view(answer.data()))) result = config::kResetRefused;
    // Only a confirmed reset is followed by the restart that takes it in.
    if (result == 0) exchange("atz\r");
    link.DisarmResponse();
    link.Close();
    responseEvent_.reset();

    const std::string caption = title ? title : "";
    if (result != 0) {
        ui::messageBox(nullptr, config::Strings(), config::IDS_RESET_NOT_CONFIRMED,
                       ui::Icon::Warning, ui::Buttons::Ok, caption);
        return result;
    }
    const int shown = ui::messageBox(nullptr, config::Strings(), config::IDS_RESET_DONE,
                                     ui::Icon::Information, ui::Buttons::Ok, caption);
    return shown == ui::IDOK ? 0 : platform::kUserCancelled;
}
