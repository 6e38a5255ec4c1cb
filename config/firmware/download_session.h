#pragma once
// One firmware download over a COM port, run by the download protocol: the
// session opens the port, hands every piece the device sends from the
// link's reader to the protocol through a relay thread (the reader waits
// until the piece is taken), keeps the protocol's timers and carries out its
// actions. The dialog and tactl both run it; they only show what it reports.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "config/firmware/download_protocol.h"
#include "platform/event.h"
#include "serial/com_link.h"

namespace firmware {

// What a download reports while it runs; called on the thread that runs it.
class DownloadObserver {
public:
    virtual ~DownloadObserver() = default;
    virtual void actionLine(const std::string& /*text*/) {}
    virtual void progressLine(const std::string& /*text*/) {}
    virtual void progress(int /*percent*/, std::uint64_t /*bytesSent*/) {}
    virtual void animationStarted() {}
    virtual void transferDone() {}
};

class DownloadSession {
public:
    static constexpr std::int32_t kResponseSize = 4096;
    static constexpr std::uint32_t kPortSpeed = 57600;

    DownloadSession(std::string portName, DownloadSetup setup, DownloadObserver& observer);
    ~DownloadSession();
    DownloadSession(const DownloadSession&) = delete;
    DownloadSession& operator=(const DownloadSession&) = delete;

    // Runs the download to its end on the calling thread: 0, -2, -3, -7 or
    // 4006 (firmware_status.h). `message` receives the text the user is to
    // be told, empty when there is none.
    std::int32_t run(std::string& message);
    // The string id of that text, 0 when there is none.
    std::uint32_t messageId() const { return messageId_; }
    // Asks the running download to cancel; safe from any thread.
    void cancel();

private:
    struct Timer {
        std::uint64_t due = 0;  // 0: stopped
        std::uint64_t periodMs = 0;
    };

    void execute(const Actions& actions);
    std::int32_t openPort();
    void detectAndStoreSpeed();
    void relay(std::stop_token stop);
    void closeDownload();
    void waitForWork();

    std::string port_;
    DownloadProtocol protocol_;
    std::int32_t kind_;
    DownloadObserver& observer_;
    CComLink link_;
    platform::Event responseEvent_;
    platform::Event consumedEvent_;
    std::int32_t linkStatus_ = 0;
    char response_[kResponseSize] = {};
    std::atomic<bool> running_{false};
    std::jthread relay_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> pieces_;
    bool cancelRequested_ = false;

    Timer timers_[6];
    std::string message_;
    std::uint32_t messageId_ = 0;
    bool linkOpen_ = false;
};

}  // namespace firmware
