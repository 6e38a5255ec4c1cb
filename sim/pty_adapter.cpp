#include "sim/pty_adapter.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/device_change.h"
#include "platform/file_io.h"
#include "platform/status_codes.h"
#include "sim/transcript.h"

namespace sim {
namespace {

struct SpeedEntry {
    speed_t code;
    std::uint32_t bps;
};
constexpr SpeedEntry kSpeeds[] = {
    {B300, 300},       {B1200, 1200},     {B2400, 2400},     {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
    {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

std::uint32_t toBps(speed_t code) {
    for (const auto& e : kSpeeds) {
        if (e.code == code) return e.bps;
    }
    return 0;
}

void makeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

PtyAdapter::PtyAdapter(const Scenario& scenario, const Options& options)
    : options_(options), engine_(scenario) {}

std::int32_t PtyAdapter::start(const Scenario& scenario, const Options& options,
                               std::unique_ptr<PtyAdapter>& out) {
    std::unique_ptr<PtyAdapter> dev(new PtyAdapter(scenario, options));
    std::int32_t rc = dev->open();
    if (rc != 0) return rc;
    if (!options.statePath.empty()) {
        std::string text = readTextFile(options.statePath);
        if (!text.empty()) dev->engine_.loadState(text);
    }
    if (!options.transcriptPath.empty()) {
        PtyAdapter* self = dev.get();
        dev->engine_.setTranscript(
            [self](char direction, std::string_view text) { self->log(direction, text); });
    }
    if (!options.comName.empty()) {
        dev->mapping_ = std::make_unique<ComMapping>(dev->devicePath_, options.comName);
        // A name that another running simulator holds is not taken over.
        const std::int32_t mapped = dev->mapping_->status();
        if (mapped == platform::kAccessDenied) return EADDRINUSE;
        if (mapped != 0) return mapped;
        dev->announce(platform::kDeviceArrival);
    }
    dev->thread_ = std::jthread([self = dev.get()](std::stop_token st) { self->run(st); });
    out = std::move(dev);
    return 0;
}

std::int32_t PtyAdapter::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return errno;
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return errno;
    char name[128] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) return errno;
    devicePath_ = name;
    // Our own descriptor of the slave keeps the line alive while the host
    // closes and reopens it, and gives us the termios the host sets.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return errno;
    struct stat st;
    if (::fstat(slave_, &st) == 0)
        devNode_ = platform::devNodeNumber(major(st.st_rdev), minor(st.st_rdev));
    // Until the host sets its own line up, the slave must not echo or
    // translate: the adapter's answers would come straight back to it.
    makeRaw(slave_);
    makeRaw(master_);
    int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) return errno;
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0) return errno;
    return 0;
}

PtyAdapter::~PtyAdapter() {
    if (thread_.joinable()) {
        thread_.request_stop();
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
        thread_.join();
    }
    closeLine();
    closeFd(wake_);
}

void PtyAdapter::vanish() {
    vanishRequested_ = true;
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
}

void PtyAdapter::withEngine(const std::function<void(Adapter&)>& fn) {
    std::lock_guard<std::mutex> lock(engineMutex_);
    fn(engine_);
}

std::uint32_t PtyAdapter::lineSpeed() const {
    termios t{};
    if (slave_ < 0 || tcgetattr(slave_, &t) != 0) return 0;
    return toBps(cfgetospeed(&t));
}

void PtyAdapter::closeLine() {
    // The mapping goes first: once the host sees the hang-up, the COM name
    // must already be gone, as with a device that was pulled.
    if (mapping_ && !gone_) {
        mapping_->remove();
        announce(platform::kDeviceRemoveComplete);
    }
    gone_ = true;
    closeFd(master_);
    closeFd(slave_);
}

// Listeners such as the status monitor learn of the port like of a device
// plugged in or pulled, with the maker's name in its hardware key.
void PtyAdapter::announce(std::uint32_t event) {
    platform::DeviceChange change;
    change.event = event;
    change.devNode = devNode_;
    change.devicePath = devicePath_;
    change.hardwareKey = platform::simulatorHardwareKey(options_.comName);
    platform::announceDeviceChange(change);
}

void PtyAdapter::run(std::stop_token stop) {
    char buf[4096];
    while (!stop.stop_requested()) {
        if (vanishRequested_.exchange(false) && !gone_) {
            closeLine();
        }
        std::uint64_t deadline;
        {
            std::lock_guard<std::mutex> lock(engineMutex_);
            deadline = engine_.nextDeadline();
        }
        int timeout = -1;
        if (deadline != kNoDeadline && !gone_) {
            std::uint64_t now = platform::tickCountMs();
            timeout = deadline <= now
                          ? 0
                          : static_cast<int>(std::min<std::uint64_t>(deadline - now, 60000));
        }
        pollfd fds[2] = {{wake_, POLLIN, 0}, {gone_ ? -1 : master_, POLLIN, 0}};
        int n = ::poll(fds, 2, timeout);
        if (n < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) {
            std::uint64_t v;
            [[maybe_unused]] ssize_t r = ::read(wake_, &v, sizeof v);
            continue;
        }
        Outputs outs;
        std::uint32_t speed = lineSpeed();
        if (!gone_ && (fds[1].revents & POLLIN)) {
            ssize_t got = ::read(master_, buf, sizeof buf);
            if (got > 0 && !paceInbound(static_cast<std::size_t>(got), speed)) continue;
            if (got > 0) {
                std::lock_guard<std::mutex> lock(engineMutex_);
                outs = engine_.receive(std::string_view(buf, static_cast<std::size_t>(got)), speed,
                                       platform::tickCountMs());
            }
        } else if (!gone_ && (fds[1].revents & (POLLHUP | POLLERR))) {
            // Nobody holds the slave (cannot happen while we keep ours
            // open); avoid spinning on a dead line.
            platform::sleepMs(10);
        }
        {
            std::lock_guard<std::mutex> lock(engineMutex_);
            Outputs due = engine_.poll(platform::tickCountMs());
            for (auto& o : due) outs.push_back(std::move(o));
        }
        // An interrupted output is dropped; the loop then sees the stop or
        // the vanish request that interrupted it.
        perform(outs, speed);
        saveState();
    }
}

// A pty delivers the host's bytes at once; on a paced line they arrive one
// character time after another, so the adapter takes them in only when the
// last of them would have come over the wire. false when a stop or vanish
// request cut the wait short.
bool PtyAdapter::paceInbound(std::size_t bytes, std::uint32_t speed) {
    if (!engine_.scenario().pace || speed == 0) return true;
    const auto now = std::chrono::steady_clock::now();
    const auto perByte = std::chrono::duration<double>(10.0 / speed * platform::timeScale());
    inboundFreeAt_ = std::max(inboundFreeAt_, now) +
                     std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         perByte * static_cast<double>(bytes));
    const auto wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(inboundFreeAt_ - now).count();
    if (wait <= 0) return true;
    pollfd w{wake_, POLLIN, 0};
    return ::poll(&w, 1, static_cast<int>(wait)) == 0;
}

bool PtyAdapter::perform(const Outputs& outs, std::uint32_t speed) {
    for (const Output& o : outs) {
        if (gone_) return true;
        if (o.kind == Output::Kind::Vanish) {
            closeLine();
            return true;
        }
        if (!engine_.scenario().pace || speed == 0) {
            if (!writeAll(o.bytes)) return false;
            continue;
        }
        // Ten bits per character on an 8N1 line; pieces of about 10 ms.
        const double secondsPerByte = 10.0 / speed * platform::timeScale();
        const std::size_t piece = std::max<std::size_t>(1, speed / 1000);
        auto begin = std::chrono::steady_clock::now();
        for (std::size_t pos = 0; pos < o.bytes.size(); pos += piece) {
            if (!writeAll(std::string_view(o.bytes).substr(pos, piece))) return false;
            std::size_t sent = std::min(o.bytes.size(), pos + piece);
            auto due = begin + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                   std::chrono::duration<double>(secondsPerByte * sent));
            auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
                due - std::chrono::steady_clock::now());
            if (wait.count() > 0) {
                pollfd w{wake_, POLLIN, 0};  // sleeps, but wakes for a stop or vanish
                if (::poll(&w, 1, static_cast<int>(wait.count())) > 0) return false;
            }
        }
    }
    return true;
}

bool PtyAdapter::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return true;  // line gone: drop
        // The host is not reading; wait for room or for the end.
        pollfd fds[2] = {{wake_, POLLIN, 0}, {master_, POLLOUT, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return false;
        if (fds[0].revents & POLLIN) return false;
    }
    return true;
}

void PtyAdapter::log(char direction, std::string_view text) {
    std::lock_guard<std::mutex> lock(logMutex_);
    appendTranscript(options_.transcriptPath,
                     options_.comName.empty() ? devicePath_ : options_.comName, direction, text);
}

void PtyAdapter::saveState() {
    if (options_.statePath.empty()) return;
    std::string text;
    {
        std::lock_guard<std::mutex> lock(engineMutex_);
        if (!engine_.takeStateChanged()) return;
        text = engine_.saveState();
    }
    // A crash or a full disk leaves the previous state, never half of one.
    platform::replaceFile(options_.statePath, text);
}

}  // namespace sim
