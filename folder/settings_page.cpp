#include "folder/settings_page.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "info/info.h"
#include "platform/autostart.h"
#include "platform/messages.h"
#include "platform/os_version.h"
#include "platform/program_start.h"
#include "registry/registry.h"
#include "ui/dialog_facility.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"

using namespace folder;

namespace {

constexpr int kTracePathLimit = 200;

CRegistry traceKey() {
    return CRegistry(std::string(kSuiteKey) + "\\Trace");
}

std::string directoryValue(const char* name) {
    std::string text;
    CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString(name, text);
    return text;
}

// The stored directories end in a separator; the trace file follows one.
std::string withoutTrailingSeparator(std::string dir) {
    if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    return dir;
}

QCheckBox* checkBox(std::uint32_t id, std::uint32_t text, QWidget* parent) {
    auto* box = new QCheckBox(Text(text), parent);
    ui::setResourceId(box, static_cast<int>(id));
    return box;
}

}  // namespace

CSettingsPage::CSettingsPage(FolderSettings& settings, std::function<void()> changed)
    : PropertyPage(IDD_SETTINGS, Text(IDS_SETTINGS)),
      settings_(settings),
      changed_(std::move(changed)),
      checkDriver_(settings.checkDriver),
      checkNewDevices_(settings.checkNewDevices),
      checkFirmware_(settings.checkForNewerFirmware),
      detectSpeed_(settings.detectOptimalCOMSpeed) {
    setHasHelp(true);
}

std::string CSettingsPage::DefaultTracePath() {
    // The path keeps the suite's separator, as every stored folder does.
    const std::string data = withoutTrailingSeparator(directoryValue("Data"));
    const char separator = data.find('\\') != std::string::npos ? '\\' : '/';
    return data + separator + Utf8(IDS_TRACE_FILE);
}

void CSettingsPage::createControls() {
    auto* checks = new QGroupBox(Text(IDS_SETTINGS_CHECKS), this);
    auto* checksLayout = new QVBoxLayout(checks);
    checksLayout->addWidget(checkBox(IDC_CHECK_DRIVER, IDS_CHECK_DRIVER, checks));
    checksLayout->addWidget(checkBox(IDC_CHECK_NEW_DEVICES, IDS_CHECK_NEW_DEVICES, checks));
    checksLayout->addWidget(checkBox(IDC_CHECK_FIRMWARE, IDS_CHECK_FIRMWARE, checks));
    checksLayout->addWidget(checkBox(IDC_DETECT_SPEED, IDS_DETECT_SPEED, checks));

    auto* trace = new QGroupBox(Text(IDS_SETTINGS_TRACE), this);
    auto* traceLayout = new QVBoxLayout(trace);
    traceLayout->addWidget(checkBox(IDC_TRACE_ENABLE, IDS_TRACE_ENABLE, trace));
    auto* pathLabel = new QLabel(Text(IDS_TRACE_PATH), trace);
    auto* path = new QLineEdit(trace);
    ui::setResourceId(path, static_cast<int>(IDC_TRACE_PATH));
    path->setMinimumWidth(260);
    pathLabel->setBuddy(path);
    auto* browse = new QPushButton(Text(IDS_BROWSE), trace);
    ui::setResourceId(browse, static_cast<int>(IDC_TRACE_BROWSE));
    QObject::connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(path, 1);
    pathRow->addWidget(browse);
    traceLayout->addLayout(pathRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(checks);
    layout->addWidget(checkBox(IDC_TRAY_AUTOSTART, IDS_TRAY_AUTOSTART, this));
    layout->addWidget(trace);
    layout->addStretch();
}

bool CSettingsPage::onInitDialog() {
    std::string run;
    trayAvailable_ = platform::osVersion().platformId == platform::kPlatformConsumer;
    trayAutostart_ = trayAvailable_ &&
                     CRegistry(platform::kRunKey).ReadString(platform::kTrayRunValue, run) == 0;
    std::string enable;
    traceKey().ReadString("Enable", enable);
    traceEnable_ = enable == "1";
    tracePath_.clear();
    traceKey().ReadString("Path", tracePath_);
    if (tracePath_.empty()) tracePath_ = DefaultTracePath();
    const bool result = PropertyPage::onInitDialog();
    if (auto* tray = ui::findControl<QCheckBox>(this, IDC_TRAY_AUTOSTART))
        tray->setEnabled(trayAvailable_);
    EnableTraceControls();
    return result;
}

void CSettingsPage::doDataExchange(ui::DataExchange& dx) {
    dx.check(IDC_CHECK_DRIVER, checkDriver_);
    dx.check(IDC_CHECK_NEW_DEVICES, checkNewDevices_);
    dx.check(IDC_CHECK_FIRMWARE, checkFirmware_);
    dx.check(IDC_DETECT_SPEED, detectSpeed_);
    dx.check(IDC_TRAY_AUTOSTART, trayAutostart_);
    dx.check(IDC_TRACE_ENABLE, traceEnable_);
    dx.text(IDC_TRACE_PATH, tracePath_);
    dx.maxChars(IDC_TRACE_PATH, tracePath_, kTracePathLimit);
}

void CSettingsPage::onControlChanged(QWidget* control) {
    if (ui::resourceId(control) == IDC_TRACE_ENABLE) EnableTraceControls();
}

void CSettingsPage::EnableTraceControls() {
    const auto* enable = ui::findControl<QCheckBox>(this, IDC_TRACE_ENABLE);
    const bool on = enable && enable->isChecked();
    for (int id : {IDC_TRACE_PATH, IDC_TRACE_BROWSE})
        if (auto* control = ui::findControl(this, id)) control->setEnabled(on);
}

void CSettingsPage::OnBrowse() {
    auto* path = ui::findControl<QLineEdit>(this, IDC_TRACE_PATH);
    if (!path) return;
    const QFileInfo current(path->text());
    ui::FileRequest request;
    request.save = true;
    request.initialDir = current.path().toStdString();
    request.initialName = current.fileName().toStdString();
    request.filter = "Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*||";
    request.owner = this;
    const ui::FileAnswer answer = ui::fileDialog(request);
    if (answer.result == 1) path->setText(QString::fromStdString(answer.path));
}

bool CSettingsPage::onKillActive() {
    if (!PropertyPage::onKillActive()) return false;
    if (traceEnable_ && tracePath_.empty()) {
        ui::messageBox(this, Strings(), IDS_TRACE_PATH_EMPTY, ui::Icon::Warning, ui::Buttons::Ok,
                       Strings().text(IDS_SETTINGS_CAPTION));
        if (auto* enable = ui::findControl(this, IDC_TRACE_ENABLE)) enable->setFocus();
        return false;
    }
    return true;
}

bool CSettingsPage::onApply() {
    if (trayAvailable_) {
        if (trayAutostart_)
            platform::setRunValue(platform::kTrayRunValue,
                                  directoryValue("Install") + Utf8(IDS_TRAY_EXE));
        else
            platform::deleteRunValue(platform::kTrayRunValue);
    }
    traceKey().Create();
    traceKey().WriteString("Enable", traceEnable_ ? "1" : "0");
    traceKey().WriteString("Path", tracePath_.c_str());

    if (trayAvailable_) {
        const std::string tray = CInfo().GetTrayWnd();
        const bool running = !tray.empty() && platform::isWindow(tray);
        if (!trayAutostart_ && running)
            platform::postMessage(tray, {platform::kCloseMessage, 0, 0});
        else if (trayAutostart_ && !running)
            platform::startProgram(Utf8(IDS_TRAY_EXE));
    }

    const bool changed = settings_.checkDriver != checkDriver_ ||
                         settings_.checkNewDevices != checkNewDevices_ ||
                         settings_.checkForNewerFirmware != checkFirmware_ ||
                         settings_.detectOptimalCOMSpeed != detectSpeed_;
    settings_.checkDriver = checkDriver_;
    settings_.checkNewDevices = checkNewDevices_;
    settings_.checkForNewerFirmware = checkFirmware_;
    settings_.detectOptimalCOMSpeed = detectSpeed_;
    if (changed && changed_) changed_();
    return true;
}

bool RunSettingsSheet(QWidget* parent, FolderSettings& settings, std::function<void()> changed) {
    ui::PropertySheet sheet(Text(IDS_SETTINGS), parent);
    sheet.setApplyButton(false);
    std::string help;
    CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString("Help", help);
    sheet.setContextHelp(help + "folder.hlp", 0x10000);
    CSettingsPage page(settings, std::move(changed));
    sheet.addPage(&page);
    return sheet.doModal() == 1;
}
