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
    std::string text;
    text.reserve(kCollectLimit + 1);
    char chunk[kReadChunk];

    while (running) {
        std::uint32_t events = 0;
        if (port.waitEvent(events) != platform::kOk) {
            reportReadStatus(kLinkReadFailed);
            text.clear();
            // The device is gone: every further wait would fail at once.
            // Stay quiet until Close tells the reader to end.
            if (running) port.waitMaskChange();
            continue;
        }
        if (events & platform::kCommEventRxChar) {
            for (;;) {
                std::uint32_t got = 0;
                std::int32_t status = readQueued(chunk, kReadChunk, got);
                if (got > 0) {
                    // A response that outgrows the collecting buffer can never
                    // complete; the waiting caller learns so now instead of
                    // waiting for a result code that will be dropped.
                    if (text.size() + got <= kCollectLimit)
                        text.append(chunk, got);
                    else
                        status = kLinkReadFailed;
                    traceRead(chunk, got);
                }
                if (reportReadStatus(status)) text.clear();
                if (got == 0) break;
            }
        }
        if (!text.empty() && handOff(text)) text.clear();
    }
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

bool CComLinkPrivate::reportReadStatus(std::int32_t status) {
    std::lock_guard lock(targetMutex);
    if (!target.armed() || delivering != 1) return false;
    *target.status = status;
    if (status == kLinkOk) return false;
    target.event->set();
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
