#pragma once
// CDeviceInfo: the record of one adapter on one serial port -- what it is,
// whether it answers and what it reported about itself -- with its own serial
// link and the status query that fills it.
//
// The record crosses library boundaries (folder, monitor, configurator), so
// its fields keep fixed widths: NUL-terminated 8-bit texts in char arrays and
// 32-bit integers. The serial link and the event make it non-copyable; use
// CopyRecordFrom to copy what the adapter reported.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "device/device_status.h"
#include "platform/device_type.h"
#include "platform/event.h"
#include "serial/com_link.h"

class CDeviceInfo {
public:
    static constexpr std::size_t kTextSize = 200;
    static constexpr std::size_t kExchangeSize = 5000;
    static constexpr std::size_t kResultCodeSize = 100;
    static constexpr int kProbeCount = 5;

    CDeviceInfo();
    ~CDeviceInfo();
    CDeviceInfo(const CDeviceInfo&) = delete;
    CDeviceInfo& operator=(const CDeviceInfo&) = delete;

    // Back to "nothing known": texts emptied (port and extraText kept),
    // openState 3, type 0, region 255, firmwareState 2, v110Capable 0, and a
    // fresh non-signalled reply event.
    void ResetRecord();
    // Opens the port with a quick probe and closes it again: 0 when an adapter
    // answered, else 7003 with openState 1 (busy) or 2 (anything else).
    std::int32_t CheckPort();
    // The full status query: kind, firmware state, version, line and extra
    // texts, region and V.110. 0 on success, else a device:: status code.
    std::int32_t QueryStatus();
    // One command exchange on the open link: the reply line goes to
    // replyBuffer, the final result code to resultCode.
    std::int32_t SendCommand(const char* text);

    // Sets `port` (cut to fit).
    void SetPort(const char* name);
    // Copies the descriptive fields (port, texts, states, type, region) of
    // another record; the link, the event and the exchange buffers stay.
    void CopyRecordFrom(const CDeviceInfo& other);

    char port[kTextSize];            // "COM3"
    char identification[kTextSize];  // reply line to "atI8"
    char versionText[kTextSize];     // reply line to "atI3"
    char lineText[kTextSize];        // reply line to "atI4"
    char extraText[kTextSize];       // reply line to "atI20"
    CComLink serial;
    std::int32_t openState;      // device::kOpen...
    std::int32_t type;           // _DeviceType value, 0 = nothing found
    std::int32_t region;         // device::kRegion...
    std::int32_t firmwareState;  // device::kFirmware...
    std::int32_t v110Capable;    // 1 when lineText names "V110"
    std::unique_ptr<platform::Event> replyEvent;
    char echoBuffer[kExchangeSize];
    char replyBuffer[kExchangeSize];
    char resultCode[kResultCodeSize];
    std::int32_t probeOrder[kProbeCount];

private:
    std::int32_t ClassifyAnswer();
    std::int32_t ReadDetails();
    bool ProbeModels();
    bool LeaveMessageMode();
    bool ExchangeRaw(const char* text, std::int32_t mode);
    bool armAndWrite(char* buffer, std::size_t size, std::string_view command, std::int32_t mode);
    void WriteBlind(const char* text);

    std::int32_t exchangeStatus_ = 0;  // status word of the armed response
};
