#pragma once
// The state behind CComLink: the port, the reader thread and the armed
// response target it shares with the calling thread.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/event.h"
#include "platform/serial_port.h"
#include "serial/com_link.h"
#include "serial/response_assembler.h"
#include "serial/trace_log.h"

namespace serial {

inline constexpr std::uint32_t kCollectLimit = 4095;  // characters the reader keeps
inline constexpr std::uint32_t kReadChunk = 80;       // bytes per read
inline constexpr std::size_t kMaxMatchStrings = 10;
inline constexpr std::size_t kMaxMatchLength = 99;
inline constexpr std::size_t kPortNameSize = 50;  // 49 characters kept
inline constexpr std::uint32_t kWriteTimeoutMs = 1000;
inline constexpr std::uint32_t kHandOffPauseMs = 50;
inline constexpr std::uint32_t kSecondLookPauseMs = 500;

// Where a complete response goes. Only ever touched under the target mutex.
struct ResponseTarget {
    char* buffer = nullptr;
    std::int32_t size = 0;
    platform::Event* event = nullptr;
    std::int32_t* status = nullptr;
    std::int32_t mode = 0;
    platform::Event* ack = nullptr;
    std::uint32_t* length = nullptr;
    bool armed() const { return event != nullptr; }
};

}  // namespace serial

class CComLinkPrivate {
public:
    // ---- caller side (com_link.cpp) ----
    std::int32_t openPort(std::uint32_t baud);
    std::int32_t readTraceSetting();
    std::int32_t initialExchange(CComLink& link);
    void writeHeaderIfTracing();
    void setTarget(const serial::ResponseTarget& target);
    std::int32_t startReader();
    void stopReader();

    // ---- reader side (com_link_reader.cpp) ----
    void readerMain();
    // Reads at most `max` queued bytes; never waits.
    std::int32_t readQueued(char* out, std::uint32_t max, std::uint32_t& got);
    void traceRead(const char* chunk, std::uint32_t length);
    // The armed target as the assembler sees it; caller holds targetMutex.
    serial::TargetView targetView() const;
    // Feed the assembler and carry out its step.
    void takePiece(std::string_view bytes);
    void takeFailure(std::int32_t status);
    // Stores a failure the assembler answered in the target and wakes its
    // caller; caller holds targetMutex.
    void failTargetIf(const serial::AssemblyStep& step);
    void offerCollected();
    // Hands a complete response to the armed target; `lock` holds targetMutex.
    void handOff(std::unique_lock<std::mutex>& lock, std::string text);
    void secondLook(std::string& text);
    // Releases a reader held in an acknowledge wait; caller holds `lock`.
    void releaseAckWait(std::unique_lock<std::mutex>& lock);

    platform::SerialPort port;
    std::thread reader;
    std::atomic<int> running{0};
    std::atomic<int> delivering{0};
    std::atomic<int> writeSeen{0};
    int tracing = 0;
    int quickProbe = 0;
    std::uint8_t dataBits = 8;
    platform::Parity parity = platform::Parity::None;
    platform::StopBits stopBits = platform::StopBits::One;
    bool ctsHandshake = true;
    std::uint32_t baudRate = 57600;
    std::array<char, serial::kPortNameSize> portName{};

    // Shared with the reader; the caller's buffer, event and status word are
    // used only while armed, so a caller that disarms may free them at once.
    std::mutex targetMutex;
    std::condition_variable targetChanged;
    serial::ResponseTarget target;
    std::uint64_t generation = 0;  // bumped on every arm and disarm
    bool inAckWait = false;
    std::vector<std::string> matchStrings;
    // The reader's own: what it has collected of the current response.
    serial::ResponseAssembler assembler{serial::kCollectLimit};

    // Set by Close: cuts the reader's pauses short so a close never waits
    // for them.
    platform::Event closing;
    serial::TraceLog trace;
};
