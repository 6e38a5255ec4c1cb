#include "folder/modem_panel_launcher.h"

#include <memory>
#include <string_view>
#include <utility>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "info/info.h"
#include "platform/waitable_process.h"
#include "registry/registry.h"
#include "ui/dialog_facility.h"

namespace folder {

namespace {

constexpr std::string_view kPanelArgument = "modem.cpl";
// The system settles its device list after the panel closed.
constexpr std::uint32_t kSettleMs = 3800;
constexpr std::uint32_t kBeforeRefreshMs = 200;
// The refresh opens every port; the monitor must not take that for arrivals.
constexpr std::uint32_t kRefreshQuietMs = 12000;

std::string fileTypeCommand(const std::string& fileType, const char* verb) {
    std::string command;
    const CRegistry key(platform::RegRoot::ClassesRoot,
                        fileType + "\\shell\\" + verb + "\\command");
    if (key.ReadString("", command) != 0) return {};
    return command;
}

}  // namespace

std::int32_t ModemPanelCommand(std::vector<std::string>& argv) {
    std::string fileType;
    if (CRegistry(platform::RegRoot::ClassesRoot, ".cpl").ReadString("", fileType) != 0 ||
        fileType.empty())
        return platform::kFileNotFound;
    std::vector<std::string> args =
        platform::splitCommandLine(fileTypeCommand(fileType, "cplopen"));
    if (args.empty()) args = platform::splitCommandLine(fileTypeCommand(fileType, "open"));
    if (args.empty()) return platform::kFileNotFound;

    bool replaced = false;
    for (std::size_t i = 1; i < args.size(); ++i)
        for (std::size_t at = args[i].find("%1"); at != std::string::npos;
             at = args[i].find("%1", at + kPanelArgument.size())) {
            args[i].replace(at, 2, kPanelArgument);
            replaced = true;
        }
    if (!replaced) args.emplace_back(kPanelArgument);
    argv = std::move(args);
    return platform::kOk;
}

CModemPanelLauncher::CModemPanelLauncher(QWidget* owner, std::function<void()> postRefresh)
    : owner_(owner), postRefresh_(std::move(postRefresh)) {}

CModemPanelLauncher::~CModemPanelLauncher() {
    closing_.set();
    waiters_.clear();  // each jthread is asked to stop and joined
    // No thread is left to clear the flag for panels that are still open.
    std::lock_guard lock(mutex_);
    if (ignoring_) SetIgnore(false);
}

void CModemPanelLauncher::RequestRefresh() {
    std::lock_guard lock(mutex_);
    refresh_ = true;
}

std::int32_t CModemPanelLauncher::OnModemPanel() {
    {
        // A request made for a panel that is still open stays: dropping it
        // would leave an adapter installed there shown as not installed.
        std::lock_guard lock(mutex_);
        if (running_ == 0) refresh_ = false;
    }
    return Open();
}

std::int32_t CModemPanelLauncher::Open() {
    std::vector<std::string> argv;
    if (ModemPanelCommand(argv) != platform::kOk) {
        ui::messageBox(owner_, Strings(), IDS_MODEM_PANEL_NO_COMMAND, ui::Icon::Error,
                       ui::Buttons::Ok, Utf8(IDS_MODEM_PANEL_CAPTION));
        return platform::kFileNotFound;
    }
    auto panel = std::make_shared<platform::WaitableProcess>();
    if (const std::int32_t rc = panel->start(argv); rc != platform::kOk) {
        ui::messageBox(owner_, Strings(), IDS_MODEM_PANEL_NOT_STARTED, ui::Icon::Error,
                       ui::Buttons::Ok, Utf8(IDS_MODEM_PANEL_CAPTION), {argv.front()});
        return rc;
    }
    Watch([panel](std::stop_token stop) { return panel->wait(stop); });
    return platform::kOk;
}

void CModemPanelLauncher::Watch(PanelWait wait) {
    // Counted in here rather than on the new thread, so a second panel opened
    // at once already finds the first one counted.
    {
        std::lock_guard lock(mutex_);
        ++running_;
        SetIgnore(true);
    }
    waiters_.remove_if([](const Waiter& w) { return w.done.load(); });
    Waiter& waiter = waiters_.emplace_back();
    waiter.thread = std::jthread([this, &waiter, wait = std::move(wait)](std::stop_token stop) {
        WaitForPanel(stop, wait);
        waiter.done = true;
    });
}

int CModemPanelLauncher::Running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void CModemPanelLauncher::WaitForPanel(std::stop_token stop, const PanelWait& wait) {
    if (!wait(stop) || Closing(kSettleMs)) return;
    bool refresh = false;
    {
        std::lock_guard lock(mutex_);
        if (--running_ > 0) return;
        refresh = std::exchange(refresh_, false);
    }
    if (refresh) {
        if (Closing(kBeforeRefreshMs)) return;
        postRefresh_();
        if (Closing(kRefreshQuietMs)) return;
    }
    // A panel opened meanwhile keeps the flag; its own last thread clears it.
    std::lock_guard lock(mutex_);
    if (running_ == 0 && ignoring_) SetIgnore(false);
}

void CModemPanelLauncher::SetIgnore(bool ignore) {
    CInfo().SetIgnoreDeviceChange(ignore ? 1 : 0);
    ignoring_ = ignore;
}

bool CModemPanelLauncher::Closing(std::uint32_t ms) const {
    return closing_.wait(ms) == platform::WaitResult::Signaled;
}

}  // namespace folder
