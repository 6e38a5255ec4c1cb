#include "wizard/line_detector.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/clock.h"
#include "platform/event.h"
#include "serial/com_link.h"
#include "wizard/wizard_state.h"

namespace wizard {

namespace {

constexpr std::string_view kWhitespace = " \t\r\n";
constexpr std::string_view kUndeterminedNumber = "Undetermined";

std::string_view trimLeft(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kWhitespace);
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string_view trimRight(std::string_view text) {
    const std::size_t end = text.find_last_not_of(kWhitespace);
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view trim(std::string_view text) {
    return trimRight(trimLeft(text));
}

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

// The value of "label: value\r": after the first ':' behind the label,
// trimmed on the left, up to the line end. False when the label, the colon or
// the line end is missing.
bool fieldValue(std::string_view body, std::string_view label, std::string_view& value) {
    const std::size_t at = body.find(label);
    if (at == std::string_view::npos) return false;
    const std::size_t colon = body.find(':', at + label.size());
    if (colon == std::string_view::npos) return false;
    const std::string_view rest = trimLeft(body.substr(colon + 1));
    std::size_t end = rest.find('\r');
    if (end == std::string_view::npos) end = rest.find('\n');
    if (end == std::string_view::npos) return false;
    value = rest.substr(0, end);
    return true;
}

std::size_t countOf(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size()))
        ++n;
    return n;
}

// One line of the SPID list as its four fields.
struct ListLine {
    std::string spid;
    std::vector<std::string> numbers;
    std::int32_t services = 0;
    bool available = false;
};

std::int32_t parseListLine(std::string_view line, ListLine& out) {
    std::array<std::string_view, 3> fields;
    for (std::string_view& field : fields) {
        const std::size_t semi = line.find(';');
        if (semi == std::string_view::npos) return kWizSpidLineShort;
        field = line.substr(0, semi);
        line.remove_prefix(semi + 1);
    }
    if (line.empty()) return kWizSpidLineShort;

    out.spid = std::string(trim(fields[0]));
    const std::string_view numbers = trim(fields[1]);
    if (numbers.empty()) out.numbers.emplace_back(kUndeterminedNumber);
    for (std::string_view rest = numbers; !rest.empty();) {
        const std::size_t comma = rest.find(',');
        out.numbers.emplace_back(trim(rest.substr(0, comma)));
        if (out.numbers.size() > kMaxNumbersPerLine) return kWizSpidTooManyNumbers;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    for (const char c : fields[2]) {
        if (c == 'd') out.services |= kServiceData;
        if (c == 'v') out.services |= kServiceVoice;
        if (c == 'p') out.services |= kServicePacket;
    }
    out.available = trim(line.substr(0, line.find(';'))) == "avail";
    return kWizOk;
}

bool usableRecord(const SpidRecord& record, std::int32_t deviceKind) {
    const std::int32_t needed = NeededServices(deviceKind);
    return record.available && (record.services & needed) == needed;
}

// Regroups the list lines by directory number, in the order the numbers
// first appear.
void regroup(const std::vector<ListLine>& lines, std::int32_t deviceKind,
             std::vector<NumberEntry>& numbers) {
    for (const ListLine& line : lines) {
        const SpidRecord record{line.spid, line.services, line.available};
        for (const std::string& number : line.numbers) {
            auto it = std::find_if(numbers.begin(), numbers.end(),
                                   [&](const NumberEntry& e) { return e.number == number; });
            if (it == numbers.end()) {
                if (numbers.size() == kMaxNumbers) continue;
                numbers.push_back(NumberEntry{number, {}, false});
                it = numbers.end() - 1;
            }
            if (it->spids.size() == kMaxSpidsPerNumber) continue;
            it->spids.push_back(record);
            it->usable = it->usable || usableRecord(record, deviceKind);
        }
    }
}

// Commands of the dialect.
constexpr const char* kCmdStatus = "AT>VDD\r";
constexpr const char* kCmdActivation = "AT>VDL\r";
constexpr const char* kCmdSpidList = "AT$I\r";

}  // namespace

std::string NumberEntry::firstUsableSpid(std::int32_t deviceKind) const {
    for (const SpidRecord& record : spids)
        if (usableRecord(record, deviceKind)) return record.spid;
    return {};
}

bool PauseUnlessStopped(std::uint32_t ms, const StopRequested& stop) {
    constexpr std::uint32_t kSlice = 100;
    for (std::uint32_t done = 0; done < ms; done += kSlice) {
        if (stop && stop()) return false;
        platform::sleepMs(std::min(kSlice, ms - done));
    }
    return !(stop && stop());
}

std::int32_t NeededServices(std::int32_t deviceKind) {
    const bool analoguePorts = deviceKind == 1 || deviceKind == 2 || deviceKind == 4;
    return analoguePorts ? kServiceData | kServiceVoice : kServiceData;
}

void SplitResponse(std::string_view received, std::string_view command, std::string& body,
                   std::string& resultLine) {
    std::size_t echo = received.find(command);
    std::string_view text = received;
    if (echo == std::string_view::npos && !command.empty() && command.back() == '\r') {
        command.remove_suffix(1);
        echo = received.find(command);
    }
    if (echo != std::string_view::npos) text.remove_prefix(echo + command.size());
    text = trim(text);

    const std::size_t lf = text.rfind('\n');
    if (lf == std::string_view::npos) {
        body.clear();
        resultLine = std::string(text);
        return;
    }
    resultLine = std::string(trim(text.substr(lf + 1)));
    body = std::string(trimRight(text.substr(0, lf)));
    if (!body.empty()) body += "\r\n";
}

std::int32_t ParseStatusListing(std::string_view body, LineStatus& status) {
    LineStatus parsed = status;
    std::string_view value;
    if (!fieldValue(body, "Initialisation status", value)) return kWizStatusIncomplete;
    if (contains(value, "In-Progress")) return kLineInitInProgress;
    parsed.initialised = contains(value, "Successful");

    if (!fieldValue(body, "Current location", value)) return kWizStatusIncomplete;

    if (!fieldValue(body, "Detected switch type", value)) return kWizStatusIncomplete;
    if (contains(value, "National ISDN")) {
        parsed.switchType = kSwitchNationalIsdn;
        parsed.publicNetwork = true;
        parsed.areaCodeSpids = true;
    } else if (contains(value, "AT&T 5ESS Custom")) {
        parsed.switchType = kSwitchAtt5ess;
        parsed.publicNetwork = false;
        parsed.areaCodeSpids = false;
    } else if (contains(value, "Unknown")) {
        parsed.switchType = kSwitchUnknown;
        parsed.publicNetwork = true;
        parsed.areaCodeSpids = false;
    } else {
        return kWizStatusIncomplete;
    }

    if (!fieldValue(body, "SPIDs supported", value)) return kWizStatusIncomplete;
    // "Yes" before "No": an answer such as "Yes (Not auto)" means typed SPIDs.
    if (contains(value, "Yes") || contains(value, "Unknown")) {
        parsed.noSpid1 = parsed.noSpid2 = false;
        parsed.spidListAvailable = false;
    } else if (contains(value, "Auto")) {
        parsed.noSpid1 = parsed.noSpid2 = false;
        parsed.spidListAvailable = true;
    } else if (contains(value, "No")) {
        parsed.noSpid1 = parsed.noSpid2 = true;
        parsed.spidListAvailable = false;
    } else {
        return kWizStatusIncomplete;
    }
    status = parsed;
    return kWizOk;
}

std::int32_t ParseActivationListing(std::string_view body, bool& inUse) {
    inUse = false;
    if (countOf(body, "- not activated") >= 2) return kWizNoChannel;
    if (contains(body, "- activated and operational")) {
        inUse = true;
        return kWizOk;
    }
    return contains(body, "- activated") ? kWizOk : kWizNoChannel;
}

std::int32_t ParseSpidList(std::string_view body, std::int32_t deviceKind,
                           std::int32_t connectionType, SpidList& list) {
    SpidList parsed;
    parsed.available = true;
    if (body.empty()) {
        // The line works without SPIDs.
        parsed.noSpid1 = parsed.noSpid2 = true;
        list = parsed;
        return kWizOk;
    }
    if (body.size() < kMinSpidListLength) return kWizSpidListShort;

    std::vector<ListLine> lines;
    for (std::string_view rest = body; !rest.empty();) {
        const std::size_t end = rest.find("\r\n");
        const std::string_view text = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
        // The table holds ten lines; a longer list is read no further.
        if (lines.size() == kMaxListLines) break;
        ListLine line;
        if (const std::int32_t rc = parseListLine(text, line); rc != kWizOk) return rc;
        lines.push_back(std::move(line));
    }
    regroup(lines, deviceKind, parsed.numbers);
    parsed.twoNumbers = parsed.numbers.size() > 1 &&
                        (IsKnownKind(deviceKind) || connectionType == kConnectionMultilinkPpp);
    list = std::move(parsed);
    return kWizOk;
}

std::string ClearLineCommand(std::int32_t deviceKind) {
    if (IsKnownKind(deviceKind)) return "AT!N1=!N2=!C6=!C7=!C4=0!C5=0\r";
    return "AT!N1=!N2=!N11=!N21=!C6=!C7=!C61=!C71=!C4=0!C5=0!C41=0!C51=0\r";
}

// ---- CLineDetector ---------------------------------------------------------

CLineDetector::CLineDetector(std::string portName)
    : portName_(std::move(portName)), link_(std::make_unique<CComLink>()) {}

CLineDetector::~CLineDetector() {
    Close();
}

std::int32_t CLineDetector::Open() {
    Close();
    if (link_->Open(portName_.c_str(), kLineBaudRate, 1, 0) != serial::kLinkOk) {
        link_->Close();
        return kWizOpenFailed;
    }
    // The adapter's verdicts end in a result code or a line with a full
    // stop; "NO CARRIER" counts too, so a switch out of reach is told as
    // such at once instead of as a silent port after 60 s.
    link_->ClearMatchStrings();
    for (const char* end : {".\r\n", "ERROR", "OK", "BUSY", "NO CARRIER"})
        link_->AddMatchString(end);
    return kWizOk;
}

void CLineDetector::Close() {
    link_->DisarmResponse();
    link_->ClearMatchStrings();
    link_->Close();
}

bool CLineDetector::IsOpen() const {
    return link_->IsOpen();
}

std::int32_t CLineDetector::Exchange(const std::string& command) {
    received_.clear();
    body_.clear();
    resultLine_.clear();
    if (!link_->IsOpen()) return kWizCommandFailed;

    std::vector<char> buffer(kLineBufferSize, '\0');
    platform::Event event;
    std::int32_t status = 0;
    std::uint32_t length = 0;
    const bool answered =
        link_->ArmResponse(buffer.data(), static_cast<std::int32_t>(buffer.size()), &event, &status,
                           CComLink::kModeMatch, nullptr, &length) == serial::kLinkOk &&
        link_->Write(command.data(), static_cast<std::uint32_t>(command.size())) ==
            serial::kLinkOk &&
        event.wait(kCommandWaitMs) == platform::WaitResult::Signaled && status == serial::kLinkOk;
    // After disarming, the reader never touches the buffer again.
    link_->DisarmResponse();
    if (!answered) return kWizCommandFailed;

    received_.assign(buffer.data(), std::min<std::size_t>(length, buffer.size()));
    SplitResponse(received_, command, body_, resultLine_);
    return kWizOk;
}

std::int32_t CLineDetector::ReadStatus(LineStatus& status) {
    if (Exchange(kCmdStatus) != kWizOk || resultLine_ != "OK") return kWizStatusFailed;
    return ParseStatusListing(body_, status);
}

std::int32_t CLineDetector::ReadSpidActivation(bool& inUse) {
    if (Exchange(kCmdActivation) != kWizOk || resultLine_ != "OK") return kWizActivationFailed;
    return ParseActivationListing(body_, inUse);
}

std::int32_t CLineDetector::ReadSpidList(std::int32_t deviceKind, std::int32_t connectionType,
                                         SpidList& list) {
    if (Exchange(kCmdSpidList) != kWizOk) return kWizSpidListFailed;
    if (resultLine_ != "OK") {
        list.available = false;
        return kWizOk;
    }
    return ParseSpidList(body_, deviceKind, connectionType, list);
}

std::int32_t CLineDetector::TestSpid(const std::string& spid, bool& found,
                                     const StopRequested& stop) {
    // "AT$I" alone asks for the list, and a line end inside would start
    // another command.
    const bool sendable = !spid.empty() && std::none_of(spid.begin(), spid.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (!sendable) return kWizSpidTestFailed;
    const std::string command = "AT$I" + spid + "\r";
    for (;;) {
        if (Exchange(command) != kWizOk) return kWizSpidTestFailed;
        if (resultLine_ == "OK" || resultLine_ == "ERROR") {
            found = resultLine_ == "OK";
            return kWizOk;
        }
        if (resultLine_ == "NO CARRIER") return kPatternNotApplicable;
        if (resultLine_ != "BUSY") return kWizSpidTestFailed;
        // The switch is busy with another request: ask again later, for as
        // long as it takes, unless the user stops.
        if (!PauseUnlessStopped(kBusyRepeatMs, stop)) return kWizSearchStopped;
    }
}

std::int32_t CLineDetector::ClearLineSettings(std::int32_t deviceKind, std::int32_t profileIndex) {
    if (Exchange(ClearLineCommand(deviceKind)) != kWizOk || resultLine_ != "OK")
        return kWizClearFailed;
    char command[16];
    std::snprintf(command, sizeof command, "AT&W%d\r", static_cast<int>(profileIndex));
    if (Exchange(command) != kWizOk || resultLine_ != "OK") return kWizStoreFailed;
    std::snprintf(command, sizeof command, "ATZ%d\r", static_cast<int>(profileIndex));
    if (Exchange(command) != kWizOk || resultLine_ != "OK") return kWizClearFailed;
    return kWizOk;
}

}  // namespace wizard
