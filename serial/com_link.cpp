// CComLink, caller side: opening and closing the session, writing, arming
// the response target, the initial command and speed detection.
#include "serial/com_link.h"

#include <cstring>
#include <ctime>
#include <system_error>

#include "platform/clock.h"
#include "platform/registry_store.h"
#include "serial/com_link_private.h"
#include "serial/com_speed.h"
#include "serial/response_rules.h"

using namespace serial;

namespace {

constexpr char kInitCommand[] = "ATV1E1&K3\r\n";
constexpr char kProbeCommand[] = "AT\r";
constexpr std::uint32_t kInitWaitMs = 5000;
constexpr std::uint32_t kQuickProbeWaitMs = 500;
constexpr std::uint32_t kAfterInitPauseMs = 500;
constexpr std::uint32_t kDetectWaitMs = 2000;
constexpr std::uint32_t kTraceValueMax = 200;  // bytes, terminator included

// A string value of at most kTraceValueMax bytes; longer ones count as
// missing, as they would not fit the buffer they are read into.
bool readShortString(const platform::RegKey& key, const char* name, std::string& out) {
    char buf[kTraceValueMax];
    std::uint32_t size = sizeof buf;
    platform::RegType type = platform::RegType::None;
    if (key.queryValue(name, type, buf, size) != platform::kOk || type != platform::RegType::String)
        return false;
    out.assign(buf, strnlen(buf, size));
    return true;
}

}  // namespace

// ---- CComLinkPrivate, caller side ---------------------------------------------

std::int32_t CComLinkPrivate::readTraceSetting() {
    tracing = 0;
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, kTraceKey, key) != platform::kOk)
        return kLinkOk;  // no key: tracing off
    std::string enable;
    if (!readShortString(key, "Enable", enable) || !traceEnabled(enable)) return kLinkOk;
    tracing = 1;
    std::string path;
    if (!readShortString(key, "Path", path)) return kLinkTraceNoPath;
    if (!path.empty()) trace.setPath(path);
    return kLinkOk;
}

std::int32_t CComLinkPrivate::openPort(std::uint32_t baud) {
    switch (port.open(portName.data())) {
        case platform::kOk:
            break;
        case platform::kAccessDenied:
            return kLinkPortInUse;
        default:
            return kLinkOpenFailed;
    }
    port.setEventMask(platform::kCommEventRxChar);
    port.purge(true, true);

    platform::LineSettings line;
    line.baudRate = baud;
    line.dataBits = dataBits;
    line.parity = parity;
    line.stopBits = stopBits;
    line.parityCheck = true;
    line.ctsFlow = ctsHandshake;
    line.xonXoff = false;
    if (port.setLine(line) != platform::kOk) return kLinkSettingsRefused;
    // DTR stays low until the reader runs; RTS is ours to hold high.
    // Pseudo-terminals have neither line, so failures do not count.
    port.setDtr(false);
    port.setRts(true);
    return kLinkOk;
}

std::int32_t CComLinkPrivate::startReader() {
    closing.reset();
    running = 1;
    try {
        reader = std::thread([this] { readerMain(); });
    } catch (const std::system_error&) {
        running = 0;
        port.close();
        return kLinkThreadFailed;
    }
    port.setDtr(true);
    return kLinkOk;
}

void CComLinkPrivate::stopReader() {
    running = 0;
    delivering = 0;
    if (port.isOpen()) port.setEventMask(0);  // wakes the reader from its wait
    closing.set();
    {
        std::unique_lock lock(targetMutex);
        releaseAckWait(lock);
    }
    if (reader.joinable()) reader.join();
}

void CComLinkPrivate::writeHeaderIfTracing() {
    if (tracing) trace.appendHeader(portName.data(), std::time(nullptr));
}

void CComLinkPrivate::setTarget(const ResponseTarget& t) {
    std::unique_lock lock(targetMutex);
    releaseAckWait(lock);
    target = t;
    ++generation;
}

void CComLinkPrivate::releaseAckWait(std::unique_lock<std::mutex>& lock) {
    if (!inAckWait) return;
    // The reader waits on the caller's own event; setting it is the only way
    // to let it go before the caller's objects disappear.
    if (target.ack) target.ack->set();
    targetChanged.wait(lock, [this] { return !inAckWait; });
}

// The adapter is told to answer in words, echo commands and use hardware
// flow control. In the normal case nobody is delivered the answer: the
// pause only gives the adapter time to settle. With the quick probe the
// answer proves an adapter is there; it never fits the 4-character scratch
// buffer, so it sets the event without being kept. A command that could not
// be armed for or written is the exchange's result either way: the adapter
// was never asked.
std::int32_t CComLinkPrivate::initialExchange(CComLink& link) {
    platform::Event answered;
    char scratch[4] = {};
    std::int32_t scratchStatus = 0;
    // Armed before the write: a fast adapter's answer must find its target.
    std::int32_t result = link.ArmResponse(scratch, sizeof scratch, &answered, &scratchStatus,
                                           CComLink::kModeResultCode);
    if (result == kLinkOk) {
        if (quickProbe) delivering = 1;
        result = link.Write(kInitCommand, sizeof kInitCommand - 1);
    }
    if (result == kLinkOk) {
        const bool gotAnswer = answered.wait(quickProbe ? kQuickProbeWaitMs : kInitWaitMs) ==
                               platform::WaitResult::Signaled;
        if (quickProbe && !gotAnswer) result = kLinkWriteFailed;
    }
    link.DisarmResponse();
    platform::sleepMs(kAfterInitPauseMs);
    return result;
}

// ---- CComLink ----------------------------------------------------------------

CComLink::CComLink() : d(std::make_unique<CComLinkPrivate>()) {}

CComLink::~CComLink() {
    // Owners close first; a reader still running here would outlive its
    // link, so end it rather than leave a thread behind.
    if (d->reader.joinable() || d->port.isOpen()) Close();
}

std::int32_t CComLink::Open(const char* portName, std::uint32_t baudRate, int sendInit,
                            int useStoredSpeed) {
    // A second Open on an open link would lose the running reader.
    if (d->reader.joinable() || d->port.isOpen()) return kLinkPortInUse;
    const std::string_view name = portName ? portName : "";

    if (useStoredSpeed == 1) {
        if (std::uint32_t stored = StoredComSpeed(name); stored > 0) baudRate = stored;
    }
    d->baudRate = baudRate;
    d->portName.fill('\0');
    std::memcpy(d->portName.data(), name.data(), std::min(name.size(), kPortNameSize - 1));

    if (std::int32_t rc = d->readTraceSetting(); rc != kLinkOk) return rc;

    std::int32_t status = d->openPort(baudRate);
    if (status == kLinkPortInUse || status == kLinkOpenFailed) return status;
    if (status == kLinkOk) status = d->startReader();
    if (status == kLinkOk && sendInit == 1) status = d->initialExchange(*this);
    if (d->reader.joinable()) d->delivering = 1;
    d->writeHeaderIfTracing();
    return status;
}

std::int32_t CComLink::Close() {
    d->stopReader();
    if (d->port.isOpen()) {
        d->port.setDtr(false);
        d->port.purge(true, true);
        d->port.close();
    }
    d->closing.reset();
    if (d->tracing) d->trace.applySizeLimit(std::time(nullptr));
    return kLinkOk;
}

std::int32_t CComLink::Write(const void* bytes, std::uint32_t length) {
    if (d->tracing) {
        d->trace.appendWrite(d->portName.data(), bytes, length);
        d->writeSeen = 1;
    }
    if (!bytes && length > 0) return kLinkWriteFailed;
    std::uint32_t written = 0;
    bool pended = false;
    if (d->port.write(bytes, length, written, kWriteTimeoutMs, &pended) == platform::kOk)
        return kLinkOk;
    // A closed or vanished port cannot report its error state; that counts
    // as a line error, so a dead port never looks like a good write.
    platform::LineErrors errors;
    if (d->port.clearErrors(errors) != platform::kOk || errors.errors != 0)
        return pended ? kLinkCompletionFailed : kLinkWriteFailed;
    return kLinkOk;
}

std::int32_t CComLink::ArmResponse(char* buffer, std::int32_t bufferSize,
                                   platform::Event* responseEvent, std::int32_t* status,
                                   std::int32_t mode, platform::Event* ackEvent,
                                   std::uint32_t* length) {
    if (!buffer || bufferSize <= 0 || !responseEvent || !status) return kLinkBadTarget;
    d->setTarget({buffer, bufferSize, responseEvent, status, mode, ackEvent, length});
    return kLinkOk;
}

std::int32_t CComLink::DisarmResponse() {
    d->setTarget({});
    return kLinkOk;
}

std::int32_t CComLink::AddMatchString(const char* text) {
    if (!text) return kLinkBadTarget;
    std::lock_guard lock(d->targetMutex);
    if (d->matchStrings.size() >= kMaxMatchStrings) return kLinkMatchListFull;
    if (std::strlen(text) > kMaxMatchLength) return kLinkMatchTooLong;
    d->matchStrings.emplace_back(text);
    return kLinkOk;
}

std::int32_t CComLink::ClearMatchStrings() {
    std::lock_guard lock(d->targetMutex);
    d->matchStrings.clear();
    return kLinkOk;
}

void CComLink::SetQuickProbe(int flag) {
    d->quickProbe = flag;
}

// Walks up the speeds with "AT\r" and keeps the last one the adapter
// answered at. Any complete answer counts, not only OK: the question is
// whether the line works, not whether the adapter likes the command.
// A port that refuses a speed ends the walk there; one that cannot be
// opened at all (missing, held by another program) gives its open code, so
// the caller never takes a walk cut short for the port's best speed.
std::int32_t CComLink::DetectSpeed(const char* portName, std::uint32_t& speed) {
    const std::uint32_t optimal = DetectOptimalComSpeedSetting(kMissingMeansOn);
    platform::Event answered;
    std::vector<char> buffer(4096, '\0');
    std::uint32_t trial = 0;
    for (;;) {
        answered.reset();
        trial = NextTrialSpeed(trial, optimal);
        if (trial == 0) break;
        if (const std::int32_t opened = Open(portName, trial, 0, 0); opened != kLinkOk) {
            Close();
            if (opened == kLinkSettingsRefused) break;
            return opened;
        }
        buffer[0] = '\0';
        std::int32_t status = kLinkOk;
        ArmResponse(buffer.data(), static_cast<std::int32_t>(buffer.size()), &answered, &status,
                    kModeResultCode);
        Write(kProbeCommand, sizeof kProbeCommand - 1);
        const bool gotAnswer = answered.wait(kDetectWaitMs) == platform::WaitResult::Signaled;
        // The buffer and status word live in this call only.
        DisarmResponse();
        Close();
        if (!gotAnswer || status != kLinkOk) break;
        speed = trial;
        if (trial == 230400) break;
    }
    return kLinkOk;
}

std::uint32_t CComLink::BaudRate() const {
    return d->baudRate;
}

const char* CComLink::PortName() const {
    return d->portName.data();
}

bool CComLink::IsOpen() const {
    return d->port.isOpen();
}
