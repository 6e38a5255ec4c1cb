#pragma once
// CModemPanelLauncher: opens the system's modem control panel (command
// 32837, and the install command after it asked for a refresh) and watches
// it. While any panel it opened is open, the monitor is told to ignore
// device changes: installing a modem makes the system announce devices that
// are no new adapters. After the last panel closed, the folder refreshes
// once when asked to, so an adapter installed there shows as installed.
//
// One waiting thread per panel. A panel that is still open when the folder
// closes stays open (it is the user's window); its thread stops waiting and
// the monitor hears device changes again.
#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "platform/event.h"

class QWidget;

namespace folder {

// The panel's command line: the ".cpl" file type's "shell\cplopen\command"
// of the classes root, else its "shell\open\command", split into arguments
// with "%1" replaced by "modem.cpl" (appended when the command has no "%1").
// kFileNotFound when the file type names no command.
std::int32_t ModemPanelCommand(std::vector<std::string>& argv);

class CModemPanelLauncher {
public:
    // `postRefresh` runs on a waiting thread: it may only queue the refresh
    // for the view. Messages are shown over `owner`.
    CModemPanelLauncher(QWidget* owner, std::function<void()> postRefresh);
    // Stops the waiting threads without waiting for the panels.
    ~CModemPanelLauncher();
    CModemPanelLauncher(const CModemPanelLauncher&) = delete;
    CModemPanelLauncher& operator=(const CModemPanelLauncher&) = delete;

    // The install command asks for a refresh after the panel it opens.
    void RequestRefresh();
    // Command 32837: a refresh request that no open panel carries is dropped,
    // then the panel opens.
    std::int32_t OnModemPanel();
    // Starts the panel and its waiting thread; on failure the user is told
    // why and the status is returned.
    std::int32_t Open();
    // Panels still counted in.
    int Running() const;

private:
    // Waits until the panel ended (true) or `stop` was requested (false).
    using PanelWait = std::function<bool(std::stop_token stop)>;
    // Counts a panel in and waits for it on a thread of its own.
    void Watch(PanelWait wait);
    struct Waiter {
        std::atomic<bool> done{false};
        std::jthread thread;
    };
    void WaitForPanel(std::stop_token stop, const PanelWait& wait);
    void SetIgnore(bool ignore);
    // Sleeps; true when the launcher is closing instead.
    bool Closing(std::uint32_t ms) const;

    QWidget* owner_;
    std::function<void()> postRefresh_;
    mutable std::mutex mutex_;
    int running_ = 0;
    bool refresh_ = false;
    bool ignoring_ = false;
    platform::Event closing_;
    std::list<Waiter> waiters_;  // UI thread only
};

}  // namespace folder
