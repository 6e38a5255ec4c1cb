#include "tray/main_frame.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/device_change.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/program_start.h"
#include "platform/status_codes.h"
#include "registry/registry.h"
#include "tray/about_dlg.h"
#include "tray/resource_ids.h"
#include "tray/tray_menu.h"
#include "tray/tray_strings.h"
#include "ui/resource_id.h"
#include "ui/wait_cursor.h"

namespace {

// The classic buffer of the hardware-key read, terminating zero included.
constexpr std::size_t kHardwareKeyBuffer = 260;

// Sleeps `duration`, but returns false at once when the frame goes.
bool pauseUnlessStopped(std::chrono::milliseconds duration, std::stop_token stop) {
    std::mutex m;
    std::condition_variable_any cv;
    std::unique_lock lock(m);
    cv.wait_for(lock, stop, duration, [] { return false; });
    return !stop.stop_requested();
}

// The device-access mutex, waited for as long as the suite allows, in
// small steps so that a closing monitor need not sit out the wait.
bool lockUnlessStopped(platform::NamedMutex& mutex, std::stop_token stop) {
    const auto deadline =
        std::chrono::steady_clock::now() + platform::scaled(platform::kDeviceAccessWaitMs);
    for (;;) {
        if (mutex.tryLock()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (!pauseUnlessStopped(std::chrono::milliseconds(20), stop)) return false;
    }
}

}  // namespace

CMainFrame::CMainFrame() : deviceAccess_(platform::kDeviceAccessMutex), instance_(kInstanceMutex) {
    ui::setResourceId(this, static_cast<int>(tray::IDR_MAINFRAME));
    for (auto& record : devices_) record = std::make_unique<CDeviceInfo>();

    menu_ = CreateTrayMenu([this](std::uint32_t id) { OnCommand(id); });
}

CMainFrame::~CMainFrame() {
    worker_.request_stop();
    if (worker_.joinable()) worker_.join();
    OnDestroy();
}

bool CMainFrame::OnCreate() {
    if (!instance_.tryLock()) return false;
    suiteMessage_ = platform::registerMessage(platform::kSuiteMessageName);
    window_ = platform::MessageWindow::create("tray", [this](const platform::Message& m) {
        if (m.message == suiteMessage_) OnSuiteMessage(m.wParam);
        // The folder's settings close the monitor when it is no longer wanted.
        if (m.message == platform::kCloseMessage) {
            Trace("closed");
            OnDestroy();
            QCoreApplication::quit();
        }
        return std::int64_t{0};
    });
    if (!window_) return false;
    icon_.SetNotificationWnd([this](QSystemTrayIcon::ActivationReason r) { OnIconNotify(r); },
                             menu_.get());
    info_.SetTrayWnd(window_->name());
    setWindowTitle(tray::Text(tray::IDS_MAINFRAME_TITLE));

    std::string note;
    deviceChanges_ = platform::DeviceChangeNotifier::create(
        [this](const platform::DeviceChange& c) {
            OnDeviceChange(c.event, c.deviceType, c.devNode);
        },
        note);
    if (!note.empty()) std::fprintf(stderr, "ta-tray: %s\n", note.c_str());
    QueryDevices();
    return true;
}

void CMainFrame::OnDestroy() {
    if (!instance_.held()) return;
    icon_.ShowState(tray::kStateNone);
    Trace("state 0");
    deviceChanges_.reset();
    window_.reset();
    info_.SetTrayWnd("");
    instance_.unlock();
}

std::int32_t CMainFrame::QueryDevices(std::function<void()> then) {
    if (then) afterNextQuery_.push_back(std::move(then));
    if (queryRunning_) {
        queryPending_ = true;
        return tray::kMonitorDevicesBusy;
    }
    StartQuery();
    return 0;
}

void CMainFrame::StartQuery() {
    queryRunning_ = true;
    queryPending_ = false;
    afterThisQuery_ = std::move(afterNextQuery_);
    afterNextQuery_.clear();
    ui::beginWaitCursor();
    Trace("query started");
    // The previous worker has posted its result and is ending.
    if (worker_.joinable()) worker_.join();
    worker_ = std::jthread([this](std::stop_token stop) {
        std::int32_t result = tray::kMonitorDevicesBusy;
        if (lockUnlessStopped(deviceAccess_, stop)) {
            CDeviceInfo* records[CInfo::kMaxSlots];
            for (int i = 0; i < CInfo::kMaxSlots; ++i) records[i] = devices_[i].get();
            info_.GetDeviceInfo(records, CInfo::kMaxSlots);
            // The adapters settle before the folder may take them again.
            pauseUnlessStopped(platform::scaled(1000), stop);
            deviceAccess_.unlock();
            result = 0;
        }
        if (stop.stop_requested()) return;
        QMetaObject::invokeMethod(
            this, [this, result] { QueryDone(result); }, Qt::QueuedConnection);
    });
}

void CMainFrame::QueryDone(std::int32_t result) {
    ui::endWaitCursor();
    Trace("query " + std::to_string(result));
    // Without the mutex the records are not current: the icon keeps its state.
    if (result == 0) ShowQueryResult();
    queryRunning_ = false;
    const auto then = std::move(afterThisQuery_);
    afterThisQuery_.clear();
    for (const auto& step : then) step();
    if (queryPending_ && !queryRunning_) StartQuery();
}

void CMainFrame::ShowQueryResult() {
    int ready = 0, damaged = 0;
    for (const auto& record : devices_) {
        if ((record->type & 0x1F) == 0) continue;
        if (record->firmwareState == device::kFirmwareRunning) ++ready;
        if (record->firmwareState == device::kFirmwareBootOnly) ++damaged;
    }
    const std::uint32_t state = ready     ? tray::IDI_READY
                                : damaged ? tray::IDI_FIRMWARE_DAMAGED
                                          : tray::IDI_NO_ADAPTER;
    icon_.ShowState(state);
    Trace("state " + std::to_string(state));
}

void CMainFrame::OnSuiteMessage(std::uint64_t wParam) {
    if (wParam == tray::kSuiteDetectionDone) QueryDevices();
}

bool CMainFrame::OnDeviceChange(std::uint32_t event, std::uint32_t deviceType,
                                std::uint32_t devNode) {
    if (info_.GetIgnoreDeviceChange() != 0) return true;
    if (event != platform::kDeviceArrival && event != platform::kDeviceRemoveComplete) return true;
    if (deviceType != platform::kDeviceTypeDevNode) return true;
    if (!IsMakersDevice(devNode)) return true;
    if (event == platform::kDeviceArrival) {
        Trace("arrival");
        // The adapter needs a moment after it appears before it answers.
        QTimer::singleShot(platform::scaled(5000), this, [this] {
            QueryDevices([this] { PostFolder(tray::kSuiteAdapterArrived); });
        });
    } else {
        Trace("removal");
        QueryDevices([this] { PostFolder(tray::kSuiteAdapterRemoved); });
    }
    return true;
}

// A key that cannot be read counts as another maker's device.
bool CMainFrame::IsMakersDevice(std::uint32_t devNode) const {
    std::string hardwareKey;
    const CRegistry key(platform::RegRoot::DynData, platform::devNodeKeyPath(devNode));
    if (key.ReadString(platform::kHardwareKeyValue, hardwareKey) != 0) return false;
    if (hardwareKey.size() >= kHardwareKeyBuffer) hardwareKey.resize(kHardwareKeyBuffer - 1);
    const auto maker = tray::Strings().text(tray::IDS_MAKER_WORD);
    return hardwareKey.find(maker) != std::string::npos;
}

void CMainFrame::PostFolder(std::uint64_t wParam) {
    const std::string folder = info_.GetFolderWnd();
    if (folder.empty() || !platform::isWindow(folder)) return;
    if (platform::postMessage(folder, {suiteMessage_, wParam, 0}) == platform::kOk)
        Trace("posted " + std::to_string(wParam));
}

void CMainFrame::OnIconNotify(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) OnCommand(tray::ID_OPEN_FOLDER);
}

void CMainFrame::OnCommand(std::uint32_t id) {
    switch (id) {
        case tray::ID_OPEN_FOLDER:
            OnOpenFolder();
            break;
        case tray::ID_APP_ABOUT:
            OnAbout();
            break;
        case tray::ID_DEACTIVATE:
            OnDeactivate();
            break;
        default:
            break;
    }
}

void CMainFrame::OnOpenFolder() {
    const std::string folder = info_.GetFolderWnd();
    if (!folder.empty() && platform::isWindow(folder)) {
        PostFolder(tray::kSuiteShowFolder);
        return;
    }
    const auto program = tray::Strings().text(tray::IDS_FOLDER_EXE);
    if (platform::startProgram(program) != platform::kOk) {
        std::fprintf(stderr, "%s\n", tray::Text(tray::IDS_FOLDER_NOT_STARTED).toUtf8().constData());
        return;
    }
    Trace("started folder");
}

void CMainFrame::OnAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

void CMainFrame::OnDeactivate() {
    platform::deleteRunValue(platform::kTrayRunValue);
    Trace("deactivated");
    OnDestroy();
    QCoreApplication::quit();
}

// Tests follow the monitor through this trace (VELKA_TA_TRAY_TRACE names
// the file): the icon state is not something they can look at.
void CMainFrame::Trace(const std::string& line) const {
    const char* path = std::getenv("VELKA_TA_TRAY_TRACE");
    if (!path || !*path) return;
    platform::appendToFile(path, line + "\n");
}
