#include "config/firmware/download_session.h"

#include <chrono>
#include <cstring>

#include "config/firmware/firmware_kind.h"
#include "config/firmware/firmware_status.h"
#include "platform/clock.h"
#include "serial/com_speed.h"

namespace firmware {

DownloadSession::DownloadSession(std::string portName, DownloadSetup setup,
                                 DownloadObserver& observer)
    : port_(std::move(portName)), protocol_(setup), kind_(setup.kind), observer_(observer) {}

DownloadSession::~DownloadSession() {
    // Normally closed by the protocol's end; this covers a run cut short.
    if (relay_.joinable() || linkOpen_) {
        link_.DisarmResponse();
        running_ = false;
        responseEvent_.set();
        if (relay_.joinable()) relay_.join();
        link_.Close();
    }
}

void DownloadSession::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelRequested_ = true;
    }
    wake_.notify_all();
}

std::int32_t DownloadSession::run(std::string& message) {
    execute(protocol_.begin());
    while (!protocol_.ended()) waitForWork();
    message = message_;
    return protocol_.result();
}

// Waits for the next piece, cancel or timer, whichever comes first, and
// gives it to the protocol.
void DownloadSession::waitForWork() {
    std::uint64_t due = 0;
    int timer = 0;
    for (int id = 1; id < 6; ++id) {
        if (timers_[id].due != 0 && (due == 0 || timers_[id].due < due)) {
            due = timers_[id].due;
            timer = id;
        }
    }
    std::unique_lock lock(mutex_);
    const auto ready = [&] { return cancelRequested_ || !pieces_.empty(); };
    if (due == 0) {
        wake_.wait(lock, ready);
    } else {
        const std::uint64_t now = platform::tickCountMs();
        if (due > now) wake_.wait_for(lock, std::chrono::milliseconds(due - now), ready);
    }
    if (cancelRequested_) {
        cancelRequested_ = false;
        lock.unlock();
        execute(protocol_.cancel());
    } else if (!pieces_.empty()) {
        const std::string piece = std::move(pieces_.front());
        pieces_.pop_front();
        lock.unlock();
        execute(protocol_.received(piece, platform::tickCountMs()));
    } else if (timer != 0) {
        lock.unlock();
        const std::uint64_t now = platform::tickCountMs();
        timers_[timer].due = now + timers_[timer].periodMs;
        execute(protocol_.timer(timer, now));
    }
}

void DownloadSession::execute(const Actions& actions) {
    for (const Action& a : actions) {
        switch (a.kind) {
            case Action::Kind::Send:
                link_.Write(a.text.data(), static_cast<std::uint32_t>(a.text.size()));
                break;
            case Action::Kind::Pause:
                platform::sleepMs(static_cast<std::uint32_t>(a.value));
                break;
            case Action::Kind::StartTimer: {
                const auto period = static_cast<std::uint64_t>(
                    platform::scaled(static_cast<std::uint32_t>(a.value)).count());
                timers_[a.timer] = {platform::tickCountMs() + period, period};
                break;
            }
            case Action::Kind::StopTimer:
                timers_[a.timer] = {};
                break;
            case Action::Kind::DetectSpeed:
                detectAndStoreSpeed();
                break;
            case Action::Kind::OpenPort:
                execute(protocol_.portOpened(openPort()));
                break;
            case Action::Kind::ActionLine:
                observer_.actionLine(a.text);
                break;
            case Action::Kind::ProgressLine:
                observer_.progressLine(a.text);
                break;
            case Action::Kind::Progress:
                observer_.progress(a.value, a.bytes);
                break;
            case Action::Kind::StartAnimation:
                observer_.animationStarted();
                break;
            case Action::Kind::TransferDone:
                observer_.transferDone();
                break;
            case Action::Kind::End:
                if (a.closeDownload) closeDownload();
                message_ = a.text;
                messageId_ = a.messageId;
                break;
        }
    }
}

// The speed is kept for the port and for the modem entries of the kind, so
// every later session starts at it. A port that cannot be opened shows at
// the open that follows.
void DownloadSession::detectAndStoreSpeed() {
    std::uint32_t speed = 0;
    serial::DetectAndStoreComSpeed(link_, port_, kind_, serial::kMissingMeansOn, speed);
}

std::int32_t DownloadSession::openPort() {
    linkOpen_ = true;
    if (link_.Open(port_.c_str(), kPortSpeed, 1, 1) != 0) {
        link_.Close();
        linkOpen_ = false;
        return kPortOpenFailed;
    }
    responseEvent_.reset();
    consumedEvent_.reset();
    link_.ArmResponse(response_, kResponseSize, &responseEvent_, &linkStatus_,
                      CComLink::kModeImmediate, &consumedEvent_);
    running_ = true;
    relay_ = std::jthread([this](std::stop_token stop) { relay(stop); });
    return kOk;
}

// Hands each piece the link delivered to the protocol's thread, then lets
// the link's reader go on: the response buffer is never refilled while the
// piece is copied out of it.
void DownloadSession::relay(std::stop_token stop) {
    while (running_ && !stop.stop_requested()) {
        if (responseEvent_.wait(platform::kInfinite) != platform::WaitResult::Signaled) break;
        if (!running_) break;
        // A failed read hands nothing over and holds no reader; the
        // response timer notices a device that stays silent after it.
        const bool delivered = linkStatus_ == 0;
        if (delivered) {
            std::string piece(response_, strnlen(response_, kResponseSize));
            std::lock_guard lock(mutex_);
            pieces_.push_back(std::move(piece));
        }
        wake_.notify_all();
        linkStatus_ = 0;
        responseEvent_.reset();
        if (delivered) consumedEvent_.set();
    }
}

void DownloadSession::closeDownload() {
    link_.DisarmResponse();
    for (Timer& t : timers_) t = {};
    running_ = false;
    responseEvent_.set();
    if (relay_.joinable()) relay_.join();
    {
        std::lock_guard lock(mutex_);
        pieces_.clear();
    }
    // The device restarts; the port stays open until it has.
    platform::sleepMs(kRestartPauseMs);
    link_.Close();
    linkOpen_ = false;
}

}  // namespace firmware
