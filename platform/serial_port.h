#pragma once
// The serial-port service: exclusive open of a COM port by name, line
// settings, modem-control lines, queue counts, purge, a blocking wait for
// input that another thread can wake, and the per-port default
// communication settings kept in the registry store.
//
// Port names: "COMn" resolves through the store key
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM (value name = device path, data = the
// COM name), falling back to /dev/ttyS<n-1>; a name that starts with '/' is
// a device path.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/status_codes.h"

namespace platform {

inline constexpr const char* kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
// Who holds a mapping (value name = device path, data = "<pid> <start>"):
// a mapping with an owner lives only as long as that process.
inline constexpr const char* kSerialCommOwnerKey = "HARDWARE\\DEVICEMAP\\SERIALCOMMOWNERS";
inline constexpr const char* kCommConfigKey = "HARDWARE\\DEVICEMAP\\COMMCONFIG";

// "COM7" / "com7" -> 7. Pure; false for anything else (also COM0 and numbers
// beyond 255, which no system hands out).
bool parseComNumber(std::string_view name, std::uint32_t& number);

// Resolves a port name to its device path. kFileNotFound when the name is
// neither a path, nor mapped in the store, nor of the COMn form.
std::int32_t resolvePortName(std::string_view name, std::string& devicePath);

// Records `comName` for `devicePath` in the store; any other device that
// carried the same COM name loses it, so one name means one device. With an
// owner process the mapping counts only while that process runs: lookups
// and listings ignore and remove it once it has died. kAccessDenied when a
// running process other than this one holds the name.
std::int32_t mapPortName(std::string_view comName, std::string_view devicePath,
                         std::int64_t ownerPid = 0);
// Removes the mapping of `devicePath` while it still carries `comName`.
std::int32_t unmapPortName(std::string_view comName, std::string_view devicePath);
// Every live mapping in the store as (COM name, device path), in store order.
std::int32_t listPortNames(std::vector<std::pair<std::string, std::string>>& ports);

// Comm-event bits.
inline constexpr std::uint32_t kCommEventRxChar = 0x0001;

// Line-error bits, the classic values; kLineErrGone is ours: the device
// vanished (hang-up, unplugged), which callers treat like any line error.
inline constexpr std::uint32_t kLineErrRxOver = 0x0001;
inline constexpr std::uint32_t kLineErrOverrun = 0x0002;
inline constexpr std::uint32_t kLineErrParity = 0x0004;
inline constexpr std::uint32_t kLineErrFrame = 0x0008;
inline constexpr std::uint32_t kLineErrBreak = 0x0010;
inline constexpr std::uint32_t kLineErrGone = 0x8000;

struct LineErrors {
    std::uint32_t errors = 0;
    std::uint32_t inQueue = 0;   // bytes received and not yet read
    std::uint32_t outQueue = 0;  // bytes written and not yet sent
};

enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2 };
enum class StopBits : std::uint8_t { One = 0, Two = 2 };

struct LineSettings {
    std::uint32_t baudRate = 57600;
    std::uint8_t dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool parityCheck = false;
    bool ctsFlow = true;   // output held while CTS is low
    bool xonXoff = false;  // software flow control, both directions
};

// true for the speeds the line supports (4800 to 230400 bit/s, the standard steps).
bool isSupportedBaud(std::uint32_t baud);

// One open serial device. Closed on destruction; not copyable.
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the device for reading and writing, exclusively: kFileNotFound
    // when it does not exist, kAccessDenied when another program holds it.
    std::int32_t open(std::string_view portName);
    // Discards output still queued instead of waiting for it, so a port held
    // back by flow control (or a dead cable) cannot hang the close.
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& devicePath() const { return path_; }

    std::int32_t setLine(const LineSettings& line);  // kInvalidParameter: refused
    std::int32_t getLine(LineSettings& line) const;
    std::int32_t setDtr(bool on);
    std::int32_t setRts(bool on);
    std::int32_t purge(bool input, bool output);
    // Reports and clears line errors since the last call, and the queue counts.
    std::int32_t clearErrors(LineErrors& out);

    // Reads at most `max` bytes that are already queued; never waits.
    std::int32_t read(void* buffer, std::uint32_t max, std::uint32_t& got);
    // Writes, waiting at most `timeoutMs` (scaled) while the output is held
    // back. A time-out is not an error: `written` says how far it got.
    // `wentPending` tells whether the write had to wait before it ended, so a
    // caller can tell a failure at once from one while waiting.
    std::int32_t write(const void* bytes, std::uint32_t length, std::uint32_t& written,
                       std::uint32_t timeoutMs, bool* wentPending = nullptr);

    // The events a waiter waits for. Every change wakes a waiter, which then
    // returns with no event; this is how another thread ends a wait.
    std::int32_t setEventMask(std::uint32_t mask);
    // Blocks until input arrives (events gets kCommEventRxChar) or the mask
    // changes (events 0). kIoError once the device has vanished.
    std::int32_t waitEvent(std::uint32_t& events);
    // Blocks until the next mask change only; for a waiter whose device has
    // vanished and that must stay quiet until it is told to end.
    std::int32_t waitMaskChange();

private:
    bool pendingWake();
    std::int32_t lineErrorsSinceLast(std::uint32_t& errors);

    int fd_ = -1;
    int wakeFd_ = -1;
    std::string path_;
    std::atomic<std::uint32_t> mask_{0};
    std::atomic<bool> gone_{false};
    mutable std::mutex countMutex_;
    bool haveCounts_ = false;
    std::uint32_t frame_ = 0, overrun_ = 0, parity_ = 0, brk_ = 0, bufOverrun_ = 0;
};

// The default communication settings of a port or modem device, kept in the
// store (key kCommConfigKey\<name>). A name is known when it has stored
// settings or resolves to a port; a known port without stored settings reads
// the defaults of LineSettings. An unknown name gives kFileNotFound.
std::int32_t getDefaultCommConfig(std::string_view name, LineSettings& line);
std::int32_t setDefaultCommConfig(std::string_view name, const LineSettings& line);
// Reads the settings, replaces only the speed and stores them back.
std::int32_t setDefaultCommSpeed(std::string_view name, std::uint32_t baudRate);

}  // namespace platform
