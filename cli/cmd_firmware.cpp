// tactl elm / tactl firmware: the version record of a firmware image, and
// the download of an image into an adapter -- the configurator's download,
// with its checks and results, for scripts and machines without a display.
//   tactl elm DATEI
//   tactl firmware COMn DATEI [--no-confirm]
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "cli/commands.h"
#include "config/config_strings.h"
#include "config/firmware/download_session.h"
#include "config/firmware/elm_version.h"
#include "config/firmware/firmware_check.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "platform/named_mutex.h"
#include "platform/terminal.h"
#include "platform/text_format.h"

namespace cli {

namespace {

constexpr const char* kElmUsage = "Aufruf: tactl elm DATEI\n";
constexpr const char* kFirmwareUsage = "Aufruf: tactl firmware COMn DATEI [--no-confirm]\n";

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted = true;
}

// Progress as a bar on a terminal, as progress=<percent> lines otherwise;
// the texts of the download on standard error.
class ConsoleProgress : public firmware::DownloadObserver {
public:
    ConsoleProgress() : terminal_(platform::isTerminal(stdout)) {}
    ~ConsoleProgress() override { endBar(); }

    void actionLine(const std::string& text) override {
        endBar();
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void progressLine(const std::string& text) override {
        timeLeft_ = text;
        draw();
    }
    void progress(int percent, std::uint64_t bytesSent) override {
        const bool changed = percent != percent_;
        percent_ = percent;
        kb_ = static_cast<double>(bytesSent) / 1024.0;
        if (terminal_) {
            draw();
        } else if (changed) {
            std::printf("progress=%d\n", percent);
            std::fflush(stdout);
        }
    }

private:
    void draw() {
        if (!terminal_ || percent_ < 0) return;
        constexpr int kWidth = 30;
        const int filled = percent_ * kWidth / 100;
        std::printf("\r[%s%s] %3d %%  %.1f KB  %s\033[K", std::string(filled, '#').c_str(),
                    std::string(kWidth - filled, '.').c_str(), percent_, kb_, timeLeft_.c_str());
        std::fflush(stdout);
        barShown_ = true;
    }
    void endBar() {
        if (!barShown_) return;
        std::printf("\n");
        std::fflush(stdout);
        barShown_ = false;
    }

    bool terminal_;
    bool barShown_ = false;
    int percent_ = -1;
    double kb_ = 0;
    std::string timeLeft_;
};

int finish(std::int32_t result, const std::string& message) {
    if (!message.empty()) std::fprintf(stderr, "%s\n", message.c_str());
    std::printf("result=%d\n", static_cast<int>(result));
    return result == firmware::kUpgradeDone ? kExitOk : kExitFailed;
}

bool confirmed(const std::string& question) {
    std::fprintf(stderr, "%s\n\n%s (j/n)? ", config::Text(config::IDS_FW_CAPTION).c_str(),
                 question.c_str());
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "j" || answer == "J" || answer == "y" || answer == "Y";
}

// Runs the download; Ctrl-C cancels it the way the dialog's cancel does, so
// the device gets its abort block instead of a line that just stops.
std::int32_t download(const CDeviceInfo& device, firmware::DownloadSetup setup,
                      std::string& message) {
    ConsoleProgress progress;
    firmware::DownloadSession session(device.port, std::move(setup), progress);
    interrupted = false;
    const auto previous = std::signal(SIGINT, onInterrupt);
    std::jthread watcher([&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            if (interrupted.exchange(false)) session.cancel();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    const std::int32_t result = session.run(message);
    watcher.request_stop();
    watcher.join();
    std::signal(SIGINT, previous);
    return result;
}

}  // namespace

int runElm(const Args& args) {
    if (args.size() != 1 || args[0].empty()) {
        std::fputs(kElmUsage, stderr);
        return kExitUsage;
    }
    CElmVersion elm;
    const std::int32_t rc = elm.ReadFile(args[0]);
    std::printf("result=%d\n", static_cast<int>(rc));
    if (rc != firmware::kOk) return kExitFailed;
    std::printf("version=%s\n", platform::escapeControl(elm.Version()).c_str());
    std::printf("type=%s\n", platform::escapeControl(elm.Type()).c_str());
    std::printf("region=%s\n", platform::escapeControl(std::string(1, elm.Region())).c_str());
    return kExitOk;
}

int runFirmware(const Args& args) {
    bool confirm = true;
    Args rest;
    for (const std::string& a : args) {
        if (a == "--no-confirm")
            confirm = false;
        else
            rest.push_back(a);
    }
    if (rest.size() != 2 || rest[0].empty() || rest[0].size() >= CDeviceInfo::kTextSize ||
        rest[1].empty()) {
        std::fputs(kFirmwareUsage, stderr);
        return kExitUsage;
    }
    const std::string& path = rest[1];

    // Nobody else may talk to the adapter from the status query to the
    // device's restart after the download.
    platform::NamedMutex mutex(platform::kDeviceAccessMutex);
    if (!lockDevices(mutex)) return kExitFailed;
    auto device = std::make_unique<CDeviceInfo>();
    device->SetPort(rest[0].c_str());
    if (const std::int32_t rc = device->QueryStatus(); rc != 0) {
        return finish(firmware::kUpgradeFailed,
                      platform::formatPrintf("FEHLER: Der Adapter an %s antwortet nicht (Code %d).",
                                             device->port, static_cast<int>(rc)));
    }

    CElmVersion image;
    const std::int32_t elmStatus = image.ReadFile(path);
    if (const std::uint32_t refusal = firmware::refusalMessage(elmStatus, image, device->type))
        return finish(firmware::kUpgradeCancelled, config::Text(refusal));
    if (confirm && !confirmed(firmware::confirmationText(
                       image, device->region, firmware::deviceVersion(device->versionText))))
        return finish(firmware::kUpgradeCancelled, {});

    firmware::DownloadSetup setup;
    if (firmware::readImage(path, setup.image) != firmware::kOk)
        return finish(firmware::kUpgradeFailed,
                      platform::formatPrintf("FEHLER: Die Datei %s kann nicht gelesen werden.",
                                             path.c_str()));
    setup.version = image.Version();
    setup.kind = device->type;
    setup.loaderMode = device->firmwareState == device::kFirmwareBootOnly;

    std::string message;
    const std::int32_t result = download(*device, std::move(setup), message);
    if (result == firmware::kLoaded) message = config::Text(config::IDS_FW_LOADED);
    return finish(firmware::upgradeResult(result), message);
}

}  // namespace cli
