// CComLink, reader side: the thread that collects what the adapter sends
// and hands complete responses to the armed target.
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "serial/com_link_private.h"
#include "serial/response_rules.h"

using namespace serial;

namespace {

// Responses are collected while the user-interface thread waits for them,
// so the reader asks for a better priority. Unprivileged processes may not
// raise it; that only costs latency under load.
void raiseReaderPriority() {
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    int nice = ::getpriority(PRIO_PROCESS, tid);
    if (errno == 0) ::setpriority(PRIO_PROCESS, tid, nice - 1);
}

}  // namespace

void CComLinkPrivate::readerMain() {
    raiseReaderPriority();
    port.setEventMask(platform::kCommEventRxChar);
    Collector c;
    c.text.reserve(kCollectLimit + 1);
    char chunk[kReadChunk];

    while (running) {
        std::uint32_t events = 0;
        if (port.waitEvent(events) != platform::kOk) {
            reportReadStatus(kLinkReadFailed);
            c.reset();
            // The device is gone: every further wait would fail at once.
            // Stay quiet until Close tells the reader to end.
            if (running) port.waitMaskChange();
            continue;
        }
        if (events & platform::kCommEventRxChar) {
            for (;;) {
                std::uint32_t got = 0;
                const std::int32_t status = readQueued(chunk, kReadChunk, got);
                if (got > 0) traceRead(chunk, got);
                // Once a caller has armed again, what comes now may be the
                // answer to its next command.
                if (c.skipping && got > 0 && newTargetArmed(c)) {
                    c.skipping = false;
                    c.tail.clear();
                }
                if (c.skipping)
                    skip(c, chunk, got);
                else
                    collect(c, chunk, got, status);
                if (got == 0) break;
            }
        }
        if (!c.text.empty() && handOff(c.text)) c.text.clear();
    }
}

void CComLinkPrivate::collect(Collector& c, const char* chunk, std::uint32_t got,
                              std::int32_t status) {
    bool overflow = false;
    if (got > 0) {
        // A response that outgrows the collecting buffer can never complete;
        // the waiting caller learns so now instead of waiting for a result
        // code that would be dropped.
        if (c.text.size() + got <= kCollectLimit)
            c.text.append(chunk, got);
        else
            overflow = true;
    }
    if (overflow) status = kLinkReadFailed;
    std::uint64_t failed = 0;
    if (!reportReadStatus(status, &failed)) return;
    c.text.clear();
    c.skipping = true;
    c.failedTarget = failed;
    c.tail.clear();
    if (overflow) skip(c, chunk, got);  // the dropped chunk is part of the failed response
}

void CComLinkPrivate::skip(Collector& c, const char* chunk, std::uint32_t got) {
    constexpr std::size_t kTailKeep = 256;  // longer than any code or match string
    c.tail.append(chunk, got);
    if (c.tail.size() > kTailKeep) c.tail.erase(0, c.tail.size() - kTailKeep);
    if (failedResponseEnded(c)) {
        c.skipping = false;
        c.tail.clear();
    }
}

bool CComLinkPrivate::failedResponseEnded(const Collector& c) {
    std::lock_guard lock(targetMutex);
    // A new target (or none) means nobody is left to protect.
    if (generation != c.failedTarget || !target.armed()) return true;
    return isCompleteResponse(target.mode, c.tail, matchStrings);
}

bool CComLinkPrivate::newTargetArmed(const Collector& c) {
    std::lock_guard lock(targetMutex);
    return generation != c.failedTarget && target.armed();
}

std::int32_t CComLinkPrivate::readQueued(char* out, std::uint32_t max, std::uint32_t& got) {
    got = 0;
    platform::LineErrors errors;
    if (port.clearErrors(errors) != platform::kOk) return kLinkOk;
    const std::uint32_t n = std::min(max, errors.inQueue);
    if (n == 0) return kLinkOk;
    if (port.read(out, n, got) == platform::kOk) return kLinkOk;
    got = 0;
    if (port.clearErrors(errors) != platform::kOk || errors.errors != 0) return kLinkReadFailed;
    return kLinkOk;
}

void CComLinkPrivate::traceRead(const char* chunk, std::uint32_t length) {
    if (!tracing) return;
    const bool marker = writeSeen.exchange(0) != 0;
    trace.appendRead(portName.data(), chunk, length, marker);
}

// Only failures are stored: a good read after a failure (and there always
// is one, the empty read that ends a round) must not wipe the code out
// before the woken caller has looked at it. A good answer stores its 0 when
// it is handed over.
bool CComLinkPrivate::reportReadStatus(std::int32_t status, std::uint64_t* targetGeneration) {
    if (status == kLinkOk) return false;
    std::lock_guard lock(targetMutex);
    if (!target.armed() || delivering != 1) return false;
    *target.status = status;
    target.event->set();
    if (targetGeneration) *targetGeneration = generation;
    return true;
}

// After "cause" or a match string the adapter usually has a little more to
// say (the rest of the status line); give it half a second and take it along.
void CComLinkPrivate::secondLook(std::string& text) {
    closing.wait(kSecondLookPauseMs);
    const std::uint32_t limit =
        followUpReadLimit(static_cast<std::uint32_t>(text.size()), kCollectLimit);
    if (limit == 0) return;
    std::string more(limit, '\0');
    std::uint32_t got = 0;
    readQueued(more.data(), limit, got);
    if (got == 0) return;
    traceRead(more.data(), got);
    text.append(more.data(), got);
}

bool CComLinkPrivate::handOff(std::string& text) {
    std::unique_lock lock(targetMutex);
    if (!target.armed() || delivering != 1) return true;  // nobody waits: drop it
    if (!isCompleteResponse(target.mode, text, matchStrings)) return false;
    const std::uint64_t armedAs = generation;
    auto stillArmed = [&] { return generation == armedAs && target.armed() && delivering == 1; };

    if (target.mode == CComLink::kModeCause || target.mode == CComLink::kModeMatch) {
        lock.unlock();
        secondLook(text);
        lock.lock();
        if (!stillArmed()) return true;
    }

    if (text.size() + 1 <= static_cast<std::size_t>(target.size)) {
        std::memcpy(target.buffer, text.data(), text.size());
        target.buffer[text.size()] = '\0';
        *target.status = kLinkOk;
        // The pause belongs to the hand-over; the target may go meanwhile
        // (the caller timed out), and then nobody is woken.
        lock.unlock();
        closing.wait(kHandOffPauseMs);
        lock.lock();
        if (!stillArmed()) return true;
    } else {
        *target.status = kLinkResponseTooLong;
    }
    target.event->set();

    // A closing link takes no more acknowledgements: Close has already
    // looked for a reader to release and would wait for this one for ever.
    if (platform::Event* ack = target.ack; ack && running) {
        // Mode 1: hold until the caller has taken this piece, so the next one
        // cannot overwrite it. Disarm, re-arm and Close release the wait.
        inAckWait = true;
        lock.unlock();
        ack->wait(platform::kInfinite);
        lock.lock();
        ack->reset();
        inAckWait = false;
        targetChanged.notify_all();
    }
    return true;
}
