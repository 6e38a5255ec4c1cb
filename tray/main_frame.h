#pragma once
// CMainFrame: the status monitor's hidden frame. It owns the icon, the ten
// adapter records and the mutexes, answers the suite's message on its
// endpoint and follows device changes.
//
// The monitor has one thread that the user's desktop relies on, so nothing
// here blocks it: the query (wait for the device-access mutex, the records'
// status queries, the pause after them) runs on a worker, and the wait
// after an arrival is a timer. A query asked for while one runs is not
// dropped: one more query follows the running one, and whatever was to
// happen after the asked-for query (posting the folder) waits for it.
#include <QMenu>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "device/device_info.h"
#include "info/info.h"
#include "platform/device_change_notifier.h"
#include "platform/message_window.h"
#include "platform/named_mutex.h"
#include "tray/tray_icon.h"

class CMainFrame : public QWidget {
public:
    // One monitor per session holds this mutex.
    static constexpr const char* kInstanceMutex = "Velka38F41340-619B-11d1-BC30-00C04FC976B6";

    CMainFrame();
    ~CMainFrame() override;

    // The creation steps: false when another monitor runs already (the
    // process then ends) or the endpoint cannot be made.
    bool OnCreate();

    // Starts a query of the devices; `then` runs on this thread after it.
    // 0 when it started, 10000 when it joined a running one.
    std::int32_t QueryDevices(std::function<void()> then = {});
    // The suite's message: wParam 32 queries again; the rest is ignored.
    void OnSuiteMessage(std::uint64_t wParam);
    // The system's device-change notification; always answered with true.
    bool OnDeviceChange(std::uint32_t event, std::uint32_t deviceType, std::uint32_t devNode);
    void OnCommand(std::uint32_t id);
    // The icon's mouse events: a double click opens the folder.
    void OnIconNotify(QSystemTrayIcon::ActivationReason reason);

    std::uint32_t IconState() const { return icon_.State(); }
    const CTrayIcon& TrayIcon() const { return icon_; }
    QMenu* PopupMenu() { return menu_.get(); }

private:
    void OnOpenFolder();
    void OnDeactivate();
    void OnAbout();
    void OnDestroy();
    bool IsMakersDevice(std::uint32_t devNode) const;
    void PostFolder(std::uint64_t wParam);
    void StartQuery();
    void QueryDone(std::int32_t result);
    void ShowQueryResult();
    void Trace(const std::string& line) const;

    CTrayIcon icon_;
    CInfo info_;
    std::unique_ptr<QMenu> menu_;
    std::array<std::unique_ptr<CDeviceInfo>, CInfo::kMaxSlots> devices_;
    platform::NamedMutex deviceAccess_;
    platform::NamedMutex instance_;
    std::uint32_t suiteMessage_ = 0;
    std::unique_ptr<platform::MessageWindow> window_;
    std::unique_ptr<platform::DeviceChangeNotifier> deviceChanges_;

    // Query state, this thread only; the worker touches the records and the
    // device-access mutex alone while `queryRunning_` is set.
    bool queryRunning_ = false;
    std::vector<std::function<void()>> afterThisQuery_;
    std::vector<std::function<void()>> afterNextQuery_;
    bool queryPending_ = false;
    std::jthread worker_;
};
