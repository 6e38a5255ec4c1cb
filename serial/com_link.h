#pragma once
// CComLink: one COM-port session to an adapter, its reader thread, the AT
// response hand-off and the trace log.
//
// Calling order: Open, then exchanges (ArmResponse, Write, wait on the
// event), then Close -- also after a failed Open.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/event.h"
#include "platform/status_codes.h"

class CComLinkPrivate;

class CComLink {
public:
    // Delivery modes of an armed response target.
    static constexpr std::int32_t kModeResultCode = 0;  // ends in a result code
    static constexpr std::int32_t kModeImmediate = 1;   // every piece as it comes
    static constexpr std::int32_t kModeCause = 3;       // contains "cause"
    static constexpr std::int32_t kModeMatch = 4;       // contains a match string

    CComLink();
    ~CComLink();  // does not close: the owner calls Close first
    CComLink(const CComLink&) = delete;
    CComLink& operator=(const CComLink&) = delete;

    std::int32_t Open(const char* portName, std::uint32_t baudRate, int sendInit,
                      int useStoredSpeed);
    std::int32_t Close();
    std::int32_t Write(const void* bytes, std::uint32_t length);

    // `length`, when given, receives the number of bytes of each response
    // handed over: a response may hold NUL bytes, so its terminator alone
    // does not tell where it ends.
    std::int32_t ArmResponse(char* buffer, std::int32_t bufferSize, platform::Event* responseEvent,
                             std::int32_t* status, std::int32_t mode,
                             platform::Event* ackEvent = nullptr, std::uint32_t* length = nullptr);
    std::int32_t DisarmResponse();
    std::int32_t AddMatchString(const char* text);
    std::int32_t ClearMatchStrings();
    void SetQuickProbe(int flag);
    std::int32_t DetectSpeed(const char* portName, std::uint32_t& speed);

    std::uint32_t BaudRate() const;
    const char* PortName() const;
    bool IsOpen() const;

private:
    std::unique_ptr<CComLinkPrivate> d;
};
