#pragma once
// CLineDetector: what a North-American ISDN line offers, asked of the adapter
// over its COM port -- the line status, the SPID activation, the SPID list the
// network hands out, SPID tests -- and the clearing of a profile's numbers and
// SPIDs before a detection.
//
// The reply parsers are pure functions over the text of one response, so the
// pages, tactl and the tests share one reading of the adapter's listings.
// A parser that fails leaves its output as it was.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/wizard_export.h"
#include "wizard/wizard_status.h"
#include "wizard/wizard_types.h"

class CComLink;

namespace wizard {

inline constexpr std::uint32_t kLineBaudRate = 57600;
inline constexpr std::size_t kLineBufferSize = 5000;  // each of the three text buffers
inline constexpr std::uint32_t kCommandWaitMs = 60000;
inline constexpr std::uint32_t kBusyRepeatMs = 20000;  // a busy SPID test is sent again after this

// The SPID list: at most this many lines, numbers per line and SPID records
// per number are taken; a list line naming more numbers is refused.
inline constexpr std::size_t kMaxListLines = 10;
inline constexpr std::size_t kMaxNumbersPerLine = 9;
inline constexpr std::size_t kMaxNumbers = 10;
inline constexpr std::size_t kMaxSpidsPerNumber = 10;
inline constexpr std::size_t kMinSpidListLength = 26;

// Services of a SPID, or-ed.
inline constexpr std::int32_t kServiceData = 1;
inline constexpr std::int32_t kServiceVoice = 16;
inline constexpr std::int32_t kServicePacket = 256;

// Switch types the status listing reports.
inline constexpr std::int32_t kSwitchNationalIsdn = 0;
inline constexpr std::int32_t kSwitchAtt5ess = 1;
inline constexpr std::int32_t kSwitchUnknown = 9;

inline constexpr std::int32_t kConnectionMultilinkPpp = ConnectionMLPPP;

// What "AT>VDD" tells about the line.
struct LineStatus {
    bool initialised = false;  // "Successful"
    std::int32_t switchType = kSwitchUnknown;
    bool publicNetwork = true;
    bool areaCodeSpids = false;      // National ISDN: the number pages ask for an area code
    bool spidListAvailable = false;  // the line hands out SPIDs ("Auto")
    bool noSpid1 = false;
    bool noSpid2 = false;
};

struct SpidRecord {
    std::string spid;
    std::int32_t services = 0;
    bool available = false;  // "avail"; false for "inuse"
};

// One directory number of the SPID list with the SPIDs offered for it.
struct VELKA_WIZARD_EXPORT NumberEntry {
    std::string number;  // "Undetermined" when the list line names none
    std::vector<SpidRecord> spids;
    bool usable = false;  // some SPID is available with the services the device needs

    // The first usable SPID, else empty.
    std::string firstUsableSpid(std::int32_t deviceKind) const;
};

// What "AT$I" tells, regrouped by directory number.
struct SpidList {
    bool available = false;
    bool noSpid1 = false;  // the line needs no SPIDs (empty list)
    bool noSpid2 = false;
    bool twoNumbers = false;
    std::vector<NumberEntry> numbers;
};

// The services a SPID must carry for a number to be usable on this kind:
// data and voice where the device has analogue ports, else data.
VELKA_WIZARD_EXPORT std::int32_t NeededServices(std::int32_t deviceKind);

// Cuts what was received for `command` into the response body (every line but
// the last, ending in "\r\n" when not empty) and the result line: the echo and
// anything before it are dropped.
VELKA_WIZARD_EXPORT void SplitResponse(std::string_view received, std::string_view command,
                                       std::string& body, std::string& resultLine);

// "AT>VDD": 0, kLineInitInProgress, or 13004 (a label, a value or its line end
// missing, or a switch type or SPID answer the suite does not know).
VELKA_WIZARD_EXPORT std::int32_t ParseStatusListing(std::string_view body, LineStatus& status);

// "AT>VDL": 0 with `inUse` (a channel is "activated and operational"), or
// 13022 when no channel is activated (`inUse` is then false).
VELKA_WIZARD_EXPORT std::int32_t ParseActivationListing(std::string_view body, bool& inUse);

// The body of an "OK" answer to "AT$I": 0, 13006, 13007 or 13013.
VELKA_WIZARD_EXPORT std::int32_t ParseSpidList(std::string_view body, std::int32_t deviceKind,
                                               std::int32_t connectionType, SpidList& list);

// The clearing command for a kind: numbers and SPIDs of both channels, and of
// the second pair on devices that have one.
VELKA_WIZARD_EXPORT std::string ClearLineCommand(std::int32_t deviceKind);

// Asked between steps and during long pauses; true ends the work.
using StopRequested = std::function<bool()>;

// Pauses `ms` (scaled like every wait of the suite), looking at `stop` every
// 100 ms. False when a stop ended the pause.
VELKA_WIZARD_EXPORT bool PauseUnlessStopped(std::uint32_t ms, const StopRequested& stop);

class VELKA_WIZARD_EXPORT CLineDetector {
public:
    explicit CLineDetector(std::string portName);
    ~CLineDetector();  // closes the port
    CLineDetector(const CLineDetector&) = delete;
    CLineDetector& operator=(const CLineDetector&) = delete;

    // 0 or 13001.
    std::int32_t Open();
    void Close();
    bool IsOpen() const;

    // Sends `command` and waits up to 60 s for its answer: 0 when a complete
    // answer came (its result line tells how it went), 13008 when the command
    // could not be sent or nothing complete came.
    std::int32_t Exchange(const std::string& command);
    const std::string& Received() const { return received_; }
    const std::string& Body() const { return body_; }
    const std::string& ResultLine() const { return resultLine_; }

    // 0, kLineInitInProgress, 13003, 13004.
    std::int32_t ReadStatus(LineStatus& status);
    // 0 or 13022 with `inUse`, or 13020.
    std::int32_t ReadSpidActivation(bool& inUse);
    // 0 (the list, or `available` false when the line gave none), 13005,
    // 13006, 13007, 13013.
    std::int32_t ReadSpidList(std::int32_t deviceKind, std::int32_t connectionType, SpidList& list);
    // 0 with `found` ("OK" found, "ERROR" not), 200 ("NO CARRIER": the
    // switch is out of reach), 13009 (no answer or another one), or 13100
    // when `stop` ended the repeats of a busy line.
    std::int32_t TestSpid(const std::string& spid, bool& found, const StopRequested& stop = {});
    // Empties the numbers and SPIDs of stored profile `profileIndex` and
    // reloads it: 0, 13018 or 13019.
    std::int32_t ClearLineSettings(std::int32_t deviceKind, std::int32_t profileIndex);

private:
    std::string portName_;
    std::unique_ptr<CComLink> link_;
    std::string received_, body_, resultLine_;
};

}  // namespace wizard
