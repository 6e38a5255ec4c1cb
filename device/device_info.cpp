#include "device/device_info.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "device/device_reply.h"
#include "platform/clock.h"
#include "platform/status_codes.h"

using namespace device;

namespace {

constexpr std::uint32_t kQuerySpeed = 57600;
constexpr std::uint32_t kReplyWaitMs = 1000;
constexpr std::int32_t kDefaultProbeOrder[CDeviceInfo::kProbeCount] = {2, 1, 0, 3, 4};

// Commands of the status query. The classification command ends in CR LF,
// the others in CR only, as the adapter's tools have always sent them.
constexpr const char* kCmdIdentify = "atI8\r";
constexpr const char* kCmdModel = "ati9\r\n";
constexpr const char* kCmdVersion = "atI3\r";
constexpr const char* kCmdExtra = "atI20\r";
constexpr const char* kCmdLine = "atI4\r";

std::int32_t openStateFor(std::int32_t openError) {
    return openError == serial::kLinkPortInUse ? kOpenBusy : kOpenFailed;
}

}  // namespace

CDeviceInfo::CDeviceInfo() {
    port[0] = '\0';
    extraText[0] = '\0';
    echoBuffer[0] = '\0';
    replyBuffer[0] = '\0';
    resultCode[0] = '\0';
    ResetRecord();
}

CDeviceInfo::~CDeviceInfo() {
    // The link must not keep pointers into a record that is going away.
    serial.Close();
    serial.DisarmResponse();
}

void CDeviceInfo::ResetRecord() {
    identification[0] = '\0';
    versionText[0] = '\0';
    lineText[0] = '\0';
    openState = kOpenNotTried;
    type = kDeviceNone;
    region = kRegionUnknown;
    firmwareState = kFirmwareUnknown;
    v110Capable = 0;
    std::copy(std::begin(kDefaultProbeOrder), std::end(kDefaultProbeOrder), probeOrder);
    // Forget any armed target first: it points at the event being replaced.
    serial.DisarmResponse();
    replyEvent = std::make_unique<platform::Event>(false);
}

void CDeviceInfo::SetPort(const char* name) {
    copyText(port, sizeof port, name ? name : "");
}

void CDeviceInfo::CopyRecordFrom(const CDeviceInfo& other) {
    if (&other == this) return;
    copyText(port, sizeof port, fieldText(other.port, sizeof other.port));
    copyText(identification, sizeof identification,
             fieldText(other.identification, sizeof other.identification));
    copyText(versionText, sizeof versionText,
             fieldText(other.versionText, sizeof other.versionText));
    copyText(lineText, sizeof lineText, fieldText(other.lineText, sizeof other.lineText));
    copyText(extraText, sizeof extraText, fieldText(other.extraText, sizeof other.extraText));
    openState = other.openState;
    type = other.type;
    region = other.region;
    firmwareState = other.firmwareState;
    v110Capable = other.v110Capable;
    std::copy(std::begin(other.probeOrder), std::end(other.probeOrder), probeOrder);
}

std::int32_t CDeviceInfo::CheckPort() {
    ResetRecord();
    serial.SetQuickProbe(1);
    const std::int32_t status = serial.Open(port, kQuerySpeed, 1, 1);
    // Quick probe is cleared on both paths: left on, it would make the next
    // QueryStatus of this record give up on an adapter that answers slowly.
    serial.SetQuickProbe(0);
    serial.Close();
    if (status != serial::kLinkOk) {
        openState = openStateFor(status);
        return kDeviceOpenFailed;
    }
    openState = kOpenOk;
    return kDeviceOk;
}

std::int32_t CDeviceInfo::SendCommand(const char* text) {
    echoBuffer[0] = '\0';
    replyBuffer[0] = '\0';
    resultCode[0] = '\0';
    const std::string_view command = text ? text : "";
    if (!armAndWrite(echoBuffer, sizeof echoBuffer, command, CComLink::kModeResultCode))
        return kDeviceWriteFailed;

    const platform::WaitResult waited = replyEvent->wait(kReplyWaitMs);
    // The exchange is over: text the adapter sends later (a late answer, a
    // line of its own) must not be copied into the buffers read below.
    serial.DisarmResponse();
    replyEvent->reset();
    if (waited == platform::WaitResult::Timeout) return kDeviceNoReply;
    if (waited != platform::WaitResult::Signaled) return kDeviceWaitTimeout;

    // A link error (overflow, line errors) leaves the buffer without the
    // response; reading it then finds no echo.
    const std::string_view response =
        exchangeStatus_ == 0 ? fieldText(echoBuffer, sizeof echoBuffer) : std::string_view{};
    CommandReply reply;
    const std::int32_t status = parseCommandReply(response, command, reply);
    copyText(replyBuffer, sizeof replyBuffer, reply.replyLine);
    if (status == kDeviceOk) copyText(resultCode, sizeof resultCode, reply.resultCode);
    return status;
}

// Arms replyBuffer in `mode`, writes `text` and waits for the response. The
// buffer is emptied first, so a reply that never comes cannot be mistaken
// for an earlier one.
bool CDeviceInfo::ExchangeRaw(const char* text, std::int32_t mode) {
    replyBuffer[0] = '\0';
    if (!armAndWrite(replyBuffer, sizeof replyBuffer, text, mode)) return false;
    const bool answered = replyEvent->wait(kReplyWaitMs) == platform::WaitResult::Signaled;
    // Callers read replyBuffer next, also after a time-out.
    serial.DisarmResponse();
    return answered && exchangeStatus_ == 0;
}

// Arms `buffer` for the response in `mode`, then writes `command`; false
// when the write failed.
bool CDeviceInfo::armAndWrite(char* buffer, std::size_t size, std::string_view command,
                              std::int32_t mode) {
    replyEvent->reset();
    exchangeStatus_ = 0;
    serial.ArmResponse(buffer, static_cast<std::int32_t>(size), replyEvent.get(), &exchangeStatus_,
                       mode);
    if (serial.Write(command.data(), static_cast<std::uint32_t>(command.size())) == serial::kLinkOk)
        return true;
    serial.DisarmResponse();
    return false;
}

void CDeviceInfo::WriteBlind(const char* text) {
    const std::string_view command = text;
    serial.Write(command.data(), static_cast<std::uint32_t>(command.size()));
}

// The device answered "atI8": find out what it is and, for one of ours with
// running firmware, read its version, extra and line texts.
std::int32_t CDeviceInfo::ClassifyAnswer() {
    copyText(identification, sizeof identification, fieldText(replyBuffer, sizeof replyBuffer));
    const std::string_view ident = fieldText(identification, sizeof identification);
    if (!isMakerIdentification(ident)) {
        type = kDeviceOtherMaker;
        return kDeviceOk;
    }

    type = kDeviceUnknownModel;
    if (SendCommand(kCmdModel) == kDeviceOk) {
        type = classifyModel(fieldText(replyBuffer, sizeof replyBuffer), probeOrder);
        // A device whose firmware is damaged refuses the model query; the
        // identification may still name the model.
        if (type == kDeviceUnknownModel && fieldText(resultCode, sizeof resultCode) == "ERROR")
            type = classifyModel(ident, probeOrder);
    } else {
        type = classifyModel(ident, probeOrder);
    }
    if (!isFamilyDevice(type)) return kDeviceOk;

    const std::string_view lastCode = fieldText(resultCode, sizeof resultCode);
    if (lastCode == "ERROR") {
        firmwareState = kFirmwareBootOnly;
        return kDeviceOk;
    }
    if (lastCode == "OK") firmwareState = kFirmwareRunning;
    return ReadDetails();
}

std::int32_t CDeviceInfo::ReadDetails() {
    struct Detail {
        const char* command;
        char* field;
    };
    const Detail details[] = {
        {kCmdVersion, versionText},
        {kCmdExtra, extraText},
        {kCmdLine, lineText},
    };
    for (const Detail& d : details) {
        const std::int32_t status = SendCommand(d.command);
        if (status != kDeviceOk) return status;
        copyText(d.field, kTextSize, fieldText(replyBuffer, sizeof replyBuffer));
    }
    const LineFacts facts = parseLineText(fieldText(lineText, sizeof lineText));
    region = facts.region;
    v110Capable = facts.v110;
    return kDeviceOk;
}

// The device did not answer "atI8" in time. A device in its boot state or in
// the message mode still reacts to "at" and "ati9" in its own way; try each
// model's name as a completion string.
bool CDeviceInfo::ProbeModels() {
    bool found = false;
    for (const std::int32_t index : probeOrder) {
        const std::string_view probe = probeString(index);
        if (probe.empty()) continue;
        const std::string probeText(probe);
        serial.ClearMatchStrings();
        serial.AddMatchString(".\r\n");
        serial.AddMatchString(probeText.c_str());
        serial.AddMatchString("ERROR");
        serial.AddMatchString("OK");

        platform::sleepMs(50);
        ExchangeRaw("at\r", CComLink::kModeMatch);
        if (containsOk(fieldText(replyBuffer, sizeof replyBuffer))) continue;
        platform::sleepMs(50);
        ExchangeRaw(kCmdModel, CComLink::kModeMatch);
        if (fieldText(replyBuffer, sizeof replyBuffer).find(probe) != std::string_view::npos) {
            firmwareState = kFirmwareBootOnly;
            type = probeType(index);
            found = true;
            break;
        }
    }
    return found;
}

// Leaves the message mode; true when the device answers normally again.
bool CDeviceInfo::LeaveMessageMode() {
    platform::sleepMs(50);
    WriteBlind("at\r");
    platform::sleepMs(500);
    ExchangeRaw("at@msg\r\n", CComLink::kModeCause);
    if (!isMessageModeBanner(fieldText(replyBuffer, sizeof replyBuffer))) return false;

    platform::sleepMs(50);
    WriteBlind("at\r");
    platform::sleepMs(500);
    replyEvent->reset();
    WriteBlind("at@quit\r\n");
    // The adapter restarts its firmware here; nothing it says is of use.
    platform::sleepMs(6000);
    ExchangeRaw("AT\r", CComLink::kModeResultCode);
    return containsOk(fieldText(replyBuffer, sizeof replyBuffer));
}

std::int32_t CDeviceInfo::QueryStatus() {
    ResetRecord();
    const std::int32_t opened = serial.Open(port, kQuerySpeed, 1, 1);
    if (opened != serial::kLinkOk) {
        openState = openStateFor(opened);
        serial.Close();
        return kDeviceOpenFailed;
    }
    openState = kOpenOk;

    std::int32_t result = kDeviceOk;
    // Two passes at most: the second follows only a successful exit from the
    // message mode, so a device that falls back into it cannot loop us.
    for (int pass = 0; pass < 2; ++pass) {
        const std::int32_t status = SendCommand(kCmdIdentify);
        if (status == kDeviceOk) {
            result = ClassifyAnswer();
            break;
        }
        if (status != kDeviceNoReply) {
            result = status;
            break;
        }
        if (!ProbeModels()) {
            result = kDeviceNoReply;
            break;
        }
        if (!LeaveMessageMode() || pass == 1) break;
    }
    serial.DisarmResponse();
    serial.ClearMatchStrings();
    serial.Close();
    return result;
}
