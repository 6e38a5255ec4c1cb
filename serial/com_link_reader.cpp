// CComLink, reader side: the thread that collects what the adapter sends
// and hands complete responses to the armed target.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/thread_priority.h"
#include "serial/com_link_private.h"
#include "serial/response_rules.h"

using namespace serial;

void CComLinkPrivate::readerMain() {
    // Responses are collected while the user-interface thread waits for them.
    platform::raiseThreadPriority();
    port.setEventMask(platform::kCommEventRxChar);
    assembler = ResponseAssembler(kCollectLimit);
    char chunk[kReadChunk];

    while (running) {
        std::uint32_t events = 0;
        if (port.waitEvent(events) != platform::kOk) {
            takeFailure(kLinkReadFailed);
            // The device is gone: every further wait would fail at once.
            // Stay quiet until Close tells the reader to end.
            if (running) port.waitMaskChange();
            continue;
        }
        if (events & platform::kCommEventRxChar) {
            for (;;) {
                std::uint32_t got = 0;
                const std::int32_t status = readQueued(chunk, kReadChunk, got);
                if (got == 0) {
                    if (status != kLinkOk) takeFailure(status);
                    break;
                }
                traceRead(chunk, got);
                takePiece(std::string_view(chunk, got));
            }
        }
        offerCollected();
    }
}

TargetView CComLinkPrivate::targetView() const {
    return {target.armed() && delivering == 1, generation, target.mode, matchStrings};
}

void CComLinkPrivate::takePiece(std::string_view bytes) {
    std::lock_guard lock(targetMutex);
    failTargetIf(assembler.piece(bytes, targetView()));
}

void CComLinkPrivate::takeFailure(std::int32_t status) {
    std::lock_guard lock(targetMutex);
    failTargetIf(assembler.failure(status, targetView()));
}

void CComLinkPrivate::failTargetIf(const AssemblyStep& step) {
    if (step.kind != AssemblyStep::Fail) return;
    *target.status = step.status;
    target.event->set();
}

void CComLinkPrivate::offerCollected() {
    std::unique_lock lock(targetMutex);
    if (assembler.offer(targetView()).kind == AssemblyStep::Deliver)
        handOff(lock, assembler.takeResponse());
}

// A port whose error state cannot be read, or that reports itself gone, has
// failed: that is never an empty, good read.
std::int32_t CComLinkPrivate::readQueued(char* out, std::uint32_t max, std::uint32_t& got) {
    got = 0;
    platform::LineErrors errors;
    if (port.clearErrors(errors) != platform::kOk || (errors.errors & platform::kLineErrGone))
        return kLinkReadFailed;
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

void CComLinkPrivate::handOff(std::unique_lock<std::mutex>& lock, std::string text) {
    const std::uint64_t armedAs = generation;
    auto stillArmed = [&] { return generation == armedAs && target.armed() && delivering == 1; };

    if (target.mode == CComLink::kModeCause || target.mode == CComLink::kModeMatch) {
        lock.unlock();
        secondLook(text);
        lock.lock();
        if (!stillArmed()) return;
    }

    if (text.size() + 1 <= static_cast<std::size_t>(target.size)) {
        std::memcpy(target.buffer, text.data(), text.size());
        target.buffer[text.size()] = '\0';
        if (target.length) *target.length = static_cast<std::uint32_t>(text.size());
        *target.status = kLinkOk;
        // The pause belongs to the hand-over; the target may go meanwhile
        // (the caller timed out), and then nobody is woken.
        lock.unlock();
        closing.wait(kHandOffPauseMs);
        lock.lock();
        if (!stillArmed()) return;
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
}
