// Serial ports on Linux: termios, flock + TIOCEXCL for exclusive use, an
// eventfd beside the device in every wait so another thread can end it.
#include "platform/serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/registry_store.h"

namespace platform {

namespace {

struct BaudEntry {
    std::uint32_t bits;
    speed_t code;
};

// The steps the adapters know; anything in between is refused rather than
// silently rounded, so a caller never believes it runs at a speed it does not.
constexpr BaudEntry kBauds[] = {
    {4800, B4800},   {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400},
};

bool baudCode(std::uint32_t bits, speed_t& code) {
    for (const auto& e : kBauds) {
        if (e.bits == bits) {
            code = e.code;
            return true;
        }
    }
    return false;
}

std::uint32_t baudBits(speed_t code) {
    for (const auto& e : kBauds) {
        if (e.code == code) return e.bits;
    }
    return 0;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto la = static_cast<unsigned char>(a[i]);
        auto lb = static_cast<unsigned char>(b[i]);
        if (la >= 'A' && la <= 'Z') la = static_cast<unsigned char>(la - 'A' + 'a');
        if (lb >= 'A' && lb <= 'Z') lb = static_cast<unsigned char>(lb - 'A' + 'a');
        if (la != lb) return false;
    }
    return true;
}

// Programs written for the other platform sometimes pass "\\.\COM10".
std::string_view stripDevicePrefix(std::string_view name) {
    constexpr std::string_view prefix = "\\\\.\\";
    if (name.substr(0, prefix.size()) == prefix) name.remove_prefix(prefix.size());
    return name;
}

// The start time of a process (clock ticks since boot), so that a process
// id the system has handed out again is not taken for the one recorded.
std::string processStart(std::int64_t pid) {
    std::string text;
    const int fd = ::open(("/proc/" + std::to_string(pid) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    char chunk[1024];
    ssize_t n;
    while ((n = ::read(fd, chunk, sizeof chunk)) > 0 && text.size() < 8192)
        text.append(chunk, static_cast<std::size_t>(n));
    ::close(fd);
    // The name in parentheses may hold spaces; field 22 counts from after it.
    std::size_t at = text.rfind(')');
    for (int field = 2; at != std::string::npos && field < 22; ++field) at = text.find(' ', at + 1);
    if (at == std::string::npos) return {};
    return text.substr(at + 1, text.find(' ', at + 1) - at - 1);
}

std::string ownerRecord(std::int64_t pid) {
    return std::to_string(pid) + " " + processStart(pid);
}

// A mapping without an owner stays until it is removed; one with an owner
// lives as long as that process does.
bool ownerAlive(const RegKey& owners, const std::string& devicePath, std::int64_t* pid = nullptr) {
    std::string record;
    if (owners.readString(devicePath, record) != kOk) return true;
    const std::size_t space = record.find(' ');
    const std::int64_t owner = std::atoll(record.substr(0, space).c_str());
    if (pid) *pid = owner;
    return owner > 0 && space != std::string::npos && ownerRecord(owner) == record;
}

void dropMapping(RegKey& key, RegKey& owners, const std::string& devicePath) {
    key.deleteValue(devicePath);
    owners.deleteValue(devicePath);
}

// The device mapped to `comName`; mappings whose owner has died are removed
// on the way (a pty the system has since given to another program must not
// receive AT commands meant for the simulator that held it).
std::int32_t lookupMapped(std::string_view comName, std::string& devicePath) {
    RegKey key, owners;
    if (RegKey::open(RegRoot::LocalMachine, kSerialCommKey, key) != kOk) return kFileNotFound;
    RegKey::open(RegRoot::LocalMachine, kSerialCommOwnerKey, owners);  // none: no owners
    std::vector<std::string> names;
    if (key.valueNames(names) != kOk) return kFileNotFound;
    for (const auto& name : names) {
        std::string data;
        if (key.readString(name, data) != kOk || !equalsNoCase(data, comName)) continue;
        if (!ownerAlive(owners, name)) {
            dropMapping(key, owners, name);
            continue;
        }
        devicePath = name;
        return kOk;
    }
    return kFileNotFound;
}

std::int32_t openErrno(int err) {
    switch (err) {
        case EBUSY:
        case EACCES:
        case EPERM:
        case EWOULDBLOCK:
            return kAccessDenied;
        default:
            return kFileNotFound;
    }
}

void drainEventFd(int fd) {
    std::uint64_t v = 0;
    while (::read(fd, &v, sizeof v) == static_cast<ssize_t>(sizeof v)) {
    }
}

int pollMs(std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return 0;
    return static_cast<int>(std::min<long long>(left.count(), 1 << 30));
}

}  // namespace

bool parseComNumber(std::string_view name, std::uint32_t& number) {
    if (name.size() < 4 || name.size() > 6) return false;
    if (!equalsNoCase(name.substr(0, 3), "COM")) return false;
    std::uint32_t n = 0;
    for (char c : name.substr(3)) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (name[3] == '0' || n == 0 || n > 255) return false;
    number = n;
    return true;
}

std::int32_t resolvePortName(std::string_view name, std::string& devicePath) {
    name = stripDevicePrefix(name);
    if (name.empty()) return kFileNotFound;
    if (name.front() == '/') {
        devicePath.assign(name);
        return kOk;
    }
    if (lookupMapped(name, devicePath) == kOk) return kOk;
    std::uint32_t n = 0;
    if (!parseComNumber(name, n)) return kFileNotFound;
    devicePath = "/dev/ttyS" + std::to_string(n - 1);
    return kOk;
}

std::int32_t mapPortName(std::string_view comName, std::string_view devicePath,
                         std::int64_t ownerPid) {
    if (comName.empty() || comName.front() == '/' || devicePath.empty() ||
        devicePath.find('\\') != std::string_view::npos)
        return kInvalidParameter;
    RegKey key, owners;
    if (std::int32_t rc = RegKey::create(RegRoot::LocalMachine, kSerialCommKey, key); rc != kOk)
        return rc;
    if (std::int32_t rc = RegKey::create(RegRoot::LocalMachine, kSerialCommOwnerKey, owners);
        rc != kOk)
        return rc;
    std::vector<std::string> names;
    if (std::int32_t rc = key.valueNames(names); rc != kOk) return rc;
    for (const auto& name : names) {
        std::string data;
        if (equalsNoCase(name, devicePath) || key.readString(name, data) != kOk ||
            !equalsNoCase(data, comName))
            continue;
        // A running program other than this one holds the name.
        std::int64_t owner = 0;
        if (ownerAlive(owners, name, &owner) && owner > 0 && owner != ::getpid())
            return kAccessDenied;
        dropMapping(key, owners, name);
    }
    if (std::int32_t rc = key.setString(devicePath, comName); rc != kOk) return rc;
    if (ownerPid <= 0) {
        owners.deleteValue(devicePath);
        return kOk;
    }
    return owners.setString(devicePath, ownerRecord(ownerPid));
}

std::int32_t unmapPortName(std::string_view comName, std::string_view devicePath) {
    RegKey key, owners;
    if (RegKey::open(RegRoot::LocalMachine, kSerialCommKey, key) != kOk) return kOk;
    std::string data;
    if (key.readString(devicePath, data) != kOk || !equalsNoCase(data, comName)) return kOk;
    key.deleteValue(devicePath);
    if (RegKey::open(RegRoot::LocalMachine, kSerialCommOwnerKey, owners) == kOk)
        owners.deleteValue(devicePath);
    return kOk;
}

std::int32_t listPortNames(std::vector<std::pair<std::string, std::string>>& ports) {
    ports.clear();
    RegKey key, owners;
    std::int32_t rc = RegKey::open(RegRoot::LocalMachine, kSerialCommKey, key);
    if (rc == kFileNotFound) return kOk;
    if (rc != kOk) return rc;
    RegKey::open(RegRoot::LocalMachine, kSerialCommOwnerKey, owners);  // none: no owners
    std::vector<std::string> names;
    if ((rc = key.valueNames(names)) != kOk) return rc;
    for (const auto& name : names) {
        std::string data;
        if (key.readString(name, data) != kOk) continue;
        if (ownerAlive(owners, name))
            ports.emplace_back(data, name);
        else
            dropMapping(key, owners, name);
    }
    return kOk;
}

bool isSupportedBaud(std::uint32_t baud) {
    speed_t code;
    return baudCode(baud, code);
}

// ---- SerialPort -------------------------------------------------------------

SerialPort::~SerialPort() {
    close();
}

std::int32_t SerialPort::open(std::string_view portName) {
    if (isOpen()) return kAccessDenied;
    std::string path;
    if (std::int32_t rc = resolvePortName(portName, path); rc != kOk) return rc;

    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return openErrno(errno);
    if (!::isatty(fd)) {  // a plain file is no port
        ::close(fd);
        return kFileNotFound;
    }
    // flock sees every other opener, also one running with privileges that
    // TIOCEXCL does not stop; TIOCEXCL also keeps out openers that never lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? kAccessDenied : openErrno(err);
    }
    ::ioctl(fd, TIOCEXCL);

    int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return kIoError;
    }
    fd_ = fd;
    wakeFd_ = wake;
    path_ = std::move(path);
    mask_ = 0;
    gone_ = false;
    std::lock_guard lock(countMutex_);
    haveCounts_ = false;
    return kOk;
}

void SerialPort::close() {
    if (fd_ >= 0) {
        ::tcflush(fd_, TCOFLUSH);
        // The exclusive flag lives on the terminal, not on our descriptor: a
        // peer that keeps the device open (a simulator, a getty) would
        // otherwise lock every later opener out.
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
        wakeFd_ = -1;
    }
    path_.clear();
}

std::int32_t SerialPort::setLine(const LineSettings& line) {
    if (fd_ < 0) return kInvalidHandle;
    speed_t code;
    if (!baudCode(line.baudRate, code) || line.dataBits < 5 || line.dataBits > 8)
        return kInvalidParameter;
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return kInvalidParameter;

    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL;
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= kSizes[line.dataBits - 5];
    if (line.parity != Parity::None) t.c_cflag |= PARENB;
    if (line.parity == Parity::Odd) t.c_cflag |= PARODD;
    if (line.stopBits == StopBits::Two) t.c_cflag |= CSTOPB;
    if (line.parityCheck) t.c_iflag |= INPCK;
    if (line.ctsFlow) t.c_cflag |= CRTSCTS;
    if (line.xonXoff) t.c_iflag |= IXON | IXOFF;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, code) != 0 || ::cfsetospeed(&t, code) != 0) return kInvalidParameter;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return kInvalidParameter;

    // tcsetattr succeeds when any part was taken; make sure the frame was.
    // (Pseudo-terminals, for one, insist on eight bits without parity.)
    termios check{};
    constexpr tcflag_t kFrame = CSIZE | PARENB | PARODD | CSTOPB;
    if (::tcgetattr(fd_, &check) != 0 || ::cfgetospeed(&check) != code ||
        (check.c_cflag & kFrame) != (t.c_cflag & kFrame))
        return kInvalidParameter;
    return kOk;
}

std::int32_t SerialPort::getLine(LineSettings& line) const {
    if (fd_ < 0) return kInvalidHandle;
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return kIoError;
    LineSettings out;
    out.baudRate = baudBits(::cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
        case CS5:
            out.dataBits = 5;
            break;
        case CS6:
            out.dataBits = 6;
            break;
        case CS7:
            out.dataBits = 7;
            break;
        default:
            out.dataBits = 8;
            break;
    }
    out.parity =
        (t.c_cflag & PARENB) ? ((t.c_cflag & PARODD) ? Parity::Odd : Parity::Even) : Parity::None;
    out.stopBits = (t.c_cflag & CSTOPB) ? StopBits::Two : StopBits::One;
    out.parityCheck = (t.c_iflag & INPCK) != 0;
    out.ctsFlow = (t.c_cflag & CRTSCTS) != 0;
    out.xonXoff = (t.c_iflag & IXON) != 0;
    line = out;
    return kOk;
}

std::int32_t SerialPort::setDtr(bool on) {
    if (fd_ < 0) return kInvalidHandle;
    int bits = TIOCM_DTR;
    return ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0 ? kOk : kIoError;
}

std::int32_t SerialPort::setRts(bool on) {
    if (fd_ < 0) return kInvalidHandle;
    int bits = TIOCM_RTS;
    return ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0 ? kOk : kIoError;
}

std::int32_t SerialPort::purge(bool input, bool output) {
    if (fd_ < 0) return kInvalidHandle;
    if (!input && !output) return kOk;
    int which = input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH);
    return ::tcflush(fd_, which) == 0 ? kOk : kIoError;
}

// Real UARTs count framing, parity and overrun errors; the difference since
// the last call is what the line suffered meanwhile. Pseudo-terminals have
// no counters and simply never report such errors.
std::int32_t SerialPort::lineErrorsSinceLast(std::uint32_t& errors) {
    errors = 0;
    serial_icounter_struct c{};
    if (::ioctl(fd_, TIOCGICOUNT, &c) != 0) return kOk;
    std::lock_guard lock(countMutex_);
    auto now = [](int v) { return static_cast<std::uint32_t>(v); };
    if (haveCounts_) {
        if (now(c.frame) != frame_) errors |= kLineErrFrame;
        if (now(c.overrun) != overrun_) errors |= kLineErrOverrun;
        if (now(c.parity) != parity_) errors |= kLineErrParity;
        if (now(c.brk) != brk_) errors |= kLineErrBreak;
        if (now(c.buf_overrun) != bufOverrun_) errors |= kLineErrRxOver;
    }
    frame_ = now(c.frame);
    overrun_ = now(c.overrun);
    parity_ = now(c.parity);
    brk_ = now(c.brk);
    bufOverrun_ = now(c.buf_overrun);
    haveCounts_ = true;
    return kOk;
}

std::int32_t SerialPort::clearErrors(LineErrors& out) {
    out = LineErrors{};
    if (fd_ < 0) return kInvalidHandle;
    int in = 0;
    if (gone_ || ::ioctl(fd_, FIONREAD, &in) != 0) {
        // A hung-up terminal refuses every request with EIO.
        gone_ = true;
        out.errors = kLineErrGone;
        return kOk;
    }
    int outq = 0;
    if (::ioctl(fd_, TIOCOUTQ, &outq) != 0) outq = 0;
    out.inQueue = static_cast<std::uint32_t>(std::max(in, 0));
    out.outQueue = static_cast<std::uint32_t>(std::max(outq, 0));
    lineErrorsSinceLast(out.errors);
    return kOk;
}

std::int32_t SerialPort::read(void* buffer, std::uint32_t max, std::uint32_t& got) {
    got = 0;
    if (fd_ < 0) return kInvalidHandle;
    if (max == 0) return kOk;
    for (;;) {
        ssize_t n = ::read(fd_, buffer, max);
        if (n > 0) {
            got = static_cast<std::uint32_t>(n);
            return kOk;
        }
        if (n == 0) return kOk;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return kOk;
        if (errno == EIO) gone_ = true;
        return kIoError;
    }
}

std::int32_t SerialPort::write(const void* bytes, std::uint32_t length, std::uint32_t& written,
                               std::uint32_t timeoutMs, bool* wentPending) {
    written = 0;
    if (wentPending) *wentPending = false;
    if (fd_ < 0) return kInvalidHandle;
    const auto* p = static_cast<const unsigned char*>(bytes);
    const auto deadline = std::chrono::steady_clock::now() + scaled(timeoutMs);
    while (written < length) {
        ssize_t n = ::write(fd_, p + written, length - written);
        if (n > 0) {
            written += static_cast<std::uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            if (errno == EIO) gone_ = true;
            return kIoError;
        }
        // Output held back (flow control, full queue): wait for room.
        if (wentPending) *wentPending = true;
        pollfd pfd{fd_, POLLOUT, 0};
        int left = pollMs(deadline);
        if (left == 0) return kOk;
        int r = ::poll(&pfd, 1, left);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return kIoError;
        if (r == 0) return kOk;  // time-out: what went out went out
        if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            gone_ = true;
            return kIoError;
        }
    }
    return kOk;
}

std::int32_t SerialPort::setEventMask(std::uint32_t mask) {
    if (fd_ < 0) return kInvalidHandle;
    mask_ = mask;
    std::uint64_t one = 1;
    return ::write(wakeFd_, &one, sizeof one) == static_cast<ssize_t>(sizeof one) ? kOk : kIoError;
}

bool SerialPort::pendingWake() {
    pollfd pfd{wakeFd_, POLLIN, 0};
    return ::poll(&pfd, 1, 0) > 0 && (pfd.revents & POLLIN);
}

std::int32_t SerialPort::waitEvent(std::uint32_t& events) {
    events = 0;
    if (fd_ < 0) return kInvalidHandle;
    if (gone_) {
        // Report a wake first: the waiter may be told to end.
        if (pendingWake()) {
            drainEventFd(wakeFd_);
            return kOk;
        }
        return kIoError;
    }
    for (;;) {
        pollfd fds[2] = {
            {fd_, static_cast<short>((mask_ & kCommEventRxChar) ? POLLIN : 0), 0},
            {wakeFd_, POLLIN, 0},
        };
        int r = ::poll(fds, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return kIoError;
        if (fds[1].revents & POLLIN) {
            drainEventFd(wakeFd_);
            return kOk;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // A hang-up may leave bytes behind; hand those out first. After
            // that the device is gone and every wait says so at once.
            int in = 0;
            if ((mask_ & kCommEventRxChar) && ::ioctl(fd_, FIONREAD, &in) == 0 && in > 0) {
                events = kCommEventRxChar;
                return kOk;
            }
            gone_ = true;
            return kIoError;
        }
        if (fds[0].revents & POLLIN) {
            events = kCommEventRxChar;
            return kOk;
        }
    }
}

std::int32_t SerialPort::waitMaskChange() {
    if (wakeFd_ < 0) return kInvalidHandle;
    for (;;) {
        pollfd pfd{wakeFd_, POLLIN, 0};
        int r = ::poll(&pfd, 1, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return kIoError;
        drainEventFd(wakeFd_);
        return kOk;
    }
}

// ---- default communication settings -----------------------------------------

namespace {

constexpr std::uint32_t kFlagCts = 1;
constexpr std::uint32_t kFlagParityCheck = 2;
constexpr std::uint32_t kFlagXonXoff = 4;

std::string commConfigPath(std::string_view portName) {
    std::string path = kCommConfigKey;
    path += '\\';
    path.append(portName);
    return path;
}

}  // namespace

// A name may not be a key path of its own; for the rest, stored settings
// make a name known (modem entries), a resolvable port name does too.
static std::int32_t knownCommName(std::string_view name, bool& stored) {
    stored = false;
    if (name.empty() || name.find('\\') != std::string_view::npos) return kInvalidParameter;
    RegKey key;
    if (RegKey::open(RegRoot::LocalMachine, commConfigPath(name), key) == kOk) {
        stored = true;
        return kOk;
    }
    std::string device;
    return resolvePortName(name, device);
}

std::int32_t getDefaultCommConfig(std::string_view name, LineSettings& line) {
    bool stored = false;
    if (std::int32_t rc = knownCommName(name, stored); rc != kOk) return rc;
    LineSettings out;
    RegKey key;
    if (stored && RegKey::open(RegRoot::LocalMachine, commConfigPath(name), key) == kOk) {
        // Stored values are outside input: a value that makes no sense keeps
        // the default instead of reaching the line settings.
        std::uint32_t v = 0;
        if (key.readDword("BaudRate", v) == kOk && isSupportedBaud(v)) out.baudRate = v;
        if (key.readDword("ByteSize", v) == kOk && v >= 5 && v <= 8)
            out.dataBits = static_cast<std::uint8_t>(v);
        if (key.readDword("Parity", v) == kOk && v <= 2) out.parity = static_cast<Parity>(v);
        if (key.readDword("StopBits", v) == kOk && (v == 0 || v == 2))
            out.stopBits = static_cast<StopBits>(v);
        if (key.readDword("Flags", v) == kOk) {
            out.ctsFlow = (v & kFlagCts) != 0;
            out.parityCheck = (v & kFlagParityCheck) != 0;
            out.xonXoff = (v & kFlagXonXoff) != 0;
        }
    }
    line = out;
    return kOk;
}

std::int32_t setDefaultCommConfig(std::string_view name, const LineSettings& line) {
    bool stored = false;
    if (std::int32_t rc = knownCommName(name, stored); rc != kOk) return rc;
    if (!isSupportedBaud(line.baudRate) || line.dataBits < 5 || line.dataBits > 8)
        return kInvalidParameter;
    RegKey key;
    if (std::int32_t rc = RegKey::create(RegRoot::LocalMachine, commConfigPath(name), key);
        rc != kOk)
        return rc;
    std::uint32_t flags = (line.ctsFlow ? kFlagCts : 0) |
                          (line.parityCheck ? kFlagParityCheck : 0) |
                          (line.xonXoff ? kFlagXonXoff : 0);
    std::int32_t rc = key.setDword("BaudRate", line.baudRate);
    if (rc == kOk) rc = key.setDword("ByteSize", line.dataBits);
    if (rc == kOk) rc = key.setDword("Parity", static_cast<std::uint32_t>(line.parity));
    if (rc == kOk) rc = key.setDword("StopBits", static_cast<std::uint32_t>(line.stopBits));
    if (rc == kOk) rc = key.setDword("Flags", flags);
    return rc;
}

std::int32_t setDefaultCommSpeed(std::string_view name, std::uint32_t baudRate) {
    LineSettings line;
    if (std::int32_t rc = getDefaultCommConfig(name, line); rc != kOk) return rc;
    line.baudRate = baudRate;
    return setDefaultCommConfig(name, line);
}

}  // namespace platform
