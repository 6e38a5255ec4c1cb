#include "config/firmware/download_protocol.h"

#include "config/config_strings.h"
#include "config/firmware/firmware_kind.h"
#include "config/firmware/firmware_status.h"
#include "config/firmware/xmodem_block.h"
#include "config/resource_ids.h"
#include "platform/text_format.h"

namespace firmware {
namespace {

// The estimate counts blocks as they go over the line, with their frame.
constexpr std::size_t kEstimateBlockBytes = 1029;

Action send(std::string bytes) {
    return {Action::Kind::Send, std::move(bytes)};
}
Action pause(std::uint32_t ms) {
    return {Action::Kind::Pause, {}, static_cast<std::int32_t>(ms)};
}
Action startTimer(int id, std::uint32_t ms) {
    return {Action::Kind::StartTimer, {}, static_cast<std::int32_t>(ms), id};
}
Action stopTimer(int id) {
    return {Action::Kind::StopTimer, {}, 0, id};
}
Action line(Action::Kind kind, std::string text) {
    return {kind, std::move(text)};
}

}  // namespace

DownloadProtocol::DownloadProtocol(DownloadSetup setup) : setup_(std::move(setup)) {}

Actions DownloadProtocol::begin() {
    // In the boot state only the loader answers: no speed walk.
    return {startTimer(setup_.loaderMode ? kTimerStart : kTimerSpeed, kStartDelayMs)};
}

Actions DownloadProtocol::timer(int id, std::uint64_t nowMs) {
    Actions out;
    if (ended_) return out;
    switch (id) {
        case kTimerSpeed:
            out = {stopTimer(kTimerSpeed),
                   {Action::Kind::DetectSpeed},
                   startTimer(kTimerStart, kStartDelayMs)};
            break;
        case kTimerStart: {
            const std::string sending = platform::formatPrintf(
                config::Text(kindTexts(setup_.kind).actionLine).c_str(), setup_.version.c_str());
            out = {stopTimer(kTimerStart),
                   line(Action::Kind::ActionLine, config::Text(config::IDS_BUSY_CONNECTING)),
                   line(Action::Kind::ActionLine, sending),
                   {Action::Kind::OpenPort}};
            break;
        }
        case kTimerProgress:
            estimate(out, nowMs);
            break;
        case kTimerResponse:
            if (!running_) break;
            if (++retries_ >= kMaxTimeouts || state_ == State::WaitStart) {
                end(out, kNoAnswer, kindTexts(setup_.kind).timeout);
                break;
            }
            // The dialogue and the final wait have nothing to repeat; the
            // count alone decides. A repeat does not restart the count.
            if (state_ == State::Sending) sendBlock(out, lastBlock_, false);
            if (state_ == State::EotSent) sendEot(out, false);
            if (state_ == State::AbortSent) sendAbort(out, false);
            break;
        default:
            break;
    }
    return out;
}

Actions DownloadProtocol::portOpened(std::int32_t status) {
    Actions out;
    if (ended_) return out;
    if (status != kOk) {
        end(out, kStartFailed, config::IDS_FW_START_FAILED);
        return out;
    }
    portOpen_ = running_ = true;
    out.push_back(startTimer(kTimerResponse, kDialogueTimeoutMs));
    out.push_back(startTimer(kTimerProgress, kProgressMs));
    if (setup_.loaderMode) {
        out.push_back(send("AT\r"));
        out.push_back(pause(kLoaderPauseMs));
        out.push_back(send("at@load\r"));
        state_ = State::WaitConfirm;
    } else {
        out.push_back(send("at@quit\r"));
        out.push_back(pause(kQuitPauseMs));
        out.push_back(send("AT$Z\r"));
        state_ = State::WaitUser;
    }
    collector_.clear();
    return out;
}

std::optional<std::string> DownloadProtocol::collect(std::string_view piece,
                                                     std::string_view word) {
    collector_.append(piece);
    const std::size_t at = collector_.find(word);
    if (at == std::string::npos) return std::nullopt;
    std::string rest = collector_.substr(at + word.size());
    collector_.clear();
    return rest;
}

void DownloadProtocol::finalText(Actions& out, std::string_view piece) {
    collector_.append(piece);
    const bool done =
        collector_.find("...\r\n") != std::string::npos ||
        (kindTexts(setup_.kind).finalDot && collector_.find('.') != std::string::npos);
    if (done) end(out, userCancelled_ ? kUserCancelled : kLoaded, 0);
}

Actions DownloadProtocol::received(std::string_view piece, std::uint64_t nowMs) {
    Actions out;
    if (!running_ || ended_ || piece.empty()) return out;
    if (piece.find(kCan) != std::string_view::npos) {
        deviceCancelled(out);
        return out;
    }
    switch (state_) {
        case State::WaitUser:
            if (collect(piece, "user\r")) {
                out.push_back(send("at@load\r"));
                state_ = State::WaitConfirm;
            }
            break;
        case State::WaitConfirm:
            if (collect(piece, "(y/n)?")) {
                out.push_back(send("y\r"));
                state_ = State::WaitLoaded;
            }
            break;
        case State::WaitLoaded:
            if (const auto rest = collect(piece, "loaded\r")) {
                state_ = State::WaitStart;
                // A receiver that starts at once may send its start
                // character right behind the line end.
                const std::size_t start = rest->find_first_not_of("\r\n");
                if (start != std::string::npos) onTransferChar(out, (*rest)[start], nowMs);
            }
            break;
        case State::WaitFinal:
            finalText(out, piece);
            break;
        default: {
            // While blocks go out, only the first character of a delivery
            // counts; the device's final text may follow the ACK of the EOT
            // in the same delivery.
            const State before = state_;
            onTransferChar(out, piece.front(), nowMs);
            if (before == State::EotSent && state_ == State::WaitFinal)
                finalText(out, piece.substr(1));
            break;
        }
    }
    return out;
}

void DownloadProtocol::onTransferChar(Actions& out, char c, std::uint64_t nowMs) {
    switch (state_) {
        case State::WaitStart:
            if (c != kNak && c != kCrcStart) return;
            crc_ = c == kCrcStart;
            if (abortPending_) {
                sendAbort(out, true);
            } else {
                state_ = State::Sending;
                sendNext(out);
            }
            return;
        case State::Sending:
            if (c == kAck) {
                if (!acknowledged_) {
                    acknowledged_ = true;
                    out.push_back({Action::Kind::StartAnimation});
                    estimateTime_ = nowMs;
                    estimateBlocks_ = (setup_.image.size() - bytesSent_) / kEstimateBlockBytes;
                }
                naks_ = 0;
                ++blockNumber_;  // 255 is followed by 0
                abortPending_ ? sendAbort(out, true) : sendNext(out);
            } else if (c == kNak) {
                abortPending_ ? sendAbort(out, true) : onNak(out);
            }
            return;
        case State::EotSent:
            if (!transferDoneShown_) {
                transferDoneShown_ = true;
                out.push_back({Action::Kind::TransferDone});
                out.push_back(line(Action::Kind::ProgressLine, {}));
                out.push_back(
                    line(Action::Kind::ActionLine, config::Text(config::IDS_FW_TRANSFER_DONE)));
            }
            if (c == kAck) {
                state_ = State::WaitFinal;
                collector_.clear();
                // The device programs its flash now; it still has to say
                // when it is done, or the download would wait for ever.
                restartResponseTimer(out, kDialogueTimeoutMs, true);
            } else if (c == kNak) {
                onNak(out);
            }
            return;
        case State::AbortSent:
            if (c == kAck) {
                sendEot(out, true);
                state_ = State::WaitFinal;
                collector_.clear();
            } else if (c == kNak) {
                onNak(out);
            }
            return;
        default:
            return;
    }
}

void DownloadProtocol::onNak(Actions& out) {
    // A receiver that rejects the same thing over and over has failed; it
    // would otherwise keep the download going for ever.
    if (++naks_ > kMaxNaks) {
        deviceCancelled(out);
        return;
    }
    if (state_ == State::Sending) sendBlock(out, lastBlock_, true);
    if (state_ == State::EotSent) sendEot(out, true);
    if (state_ == State::AbortSent) sendAbort(out, true);
}

void DownloadProtocol::sendNext(Actions& out) {
    const std::string_view rest = std::string_view(setup_.image).substr(bytesSent_);
    if (rest.empty()) {
        state_ = State::EotSent;
        out.push_back(stopTimer(kTimerProgress));
        sendEot(out, true);
        return;
    }
    const std::string_view data = rest.substr(0, kBlockData);
    sendBlock(out, buildBlock(blockNumber_, data, crc_), true);
    bytesSent_ += data.size();
    ++blocksSent_;
    const auto percent = static_cast<std::int32_t>(static_cast<std::uint64_t>(bytesSent_) * 100 /
                                                   setup_.image.size());
    Action progress{Action::Kind::Progress, {}, percent};
    progress.bytes = bytesSent_;
    out.push_back(std::move(progress));
}

void DownloadProtocol::sendBlock(Actions& out, std::string block, bool fresh) {
    out.push_back(send(block));
    lastBlock_ = std::move(block);
    restartResponseTimer(out, kBlockTimeoutMs, fresh);
}

void DownloadProtocol::sendEot(Actions& out, bool fresh) {
    out.push_back(send(std::string(1, kEot)));
    restartResponseTimer(out, kBlockTimeoutMs, fresh);
}

void DownloadProtocol::sendAbort(Actions& out, bool fresh) {
    state_ = State::AbortSent;
    sendBlock(out, buildBlock(blockNumber_, abortBlockData(), crc_), fresh);
}

// A sending after an answer starts the count of time-outs over; a repeat
// after a time-out keeps it, so a silent receiver ends the download.
void DownloadProtocol::restartResponseTimer(Actions& out, std::uint32_t ms, bool fresh) {
    out.push_back(stopTimer(kTimerResponse));
    if (fresh) retries_ = 0;
    out.push_back(startTimer(kTimerResponse, ms));
}

void DownloadProtocol::estimate(Actions& out, std::uint64_t nowMs) {
    if (!acknowledged_ || bytesSent_ == 0 || nowMs <= estimateTime_) return;
    const std::size_t remaining = (setup_.image.size() - bytesSent_) / kEstimateBlockBytes;
    const double elapsed = static_cast<double>(nowMs - estimateTime_);
    if (remaining < estimateBlocks_)
        msPerBlock_ = elapsed / static_cast<double>(estimateBlocks_ - remaining);
    const auto seconds =
        static_cast<int>(msPerBlock_ * static_cast<double>(remaining) / 1000.0) + 10;
    const double kb = static_cast<double>(bytesSent_) / 1024.0;
    std::string text =
        seconds < 61 ? platform::formatPrintf(config::Text(config::IDS_FW_TIME_LEFT_SEC).c_str(),
                                              seconds, kb)
                     : platform::formatPrintf(config::Text(config::IDS_FW_TIME_LEFT_MIN).c_str(),
                                              seconds / 60, seconds % 60, kb);
    out.push_back(line(Action::Kind::ProgressLine, std::move(text)));
    estimateTime_ = nowMs;
    estimateBlocks_ = remaining;
}

Actions DownloadProtocol::cancel() {
    Actions out;
    if (ended_) return out;
    if (!running_) {  // the port is not open yet
        end(out, kUserCancelled, 0);
        return out;
    }
    switch (state_) {
        case State::WaitUser:
            end(out, kUserCancelled, 0);
            break;
        case State::WaitConfirm:
            // The device has not erased anything yet: decline its question.
            out.push_back(send("n\r"));
            end(out, kUserCancelled, 0);
            break;
        case State::WaitLoaded:
        case State::WaitStart:
            // The loader runs; it takes nothing but a transfer, so the abort
            // block follows its start character.
            userCancelled_ = abortPending_ = true;
            break;
        case State::Sending:
            // The abort block takes the place of the next block, numbered
            // as the receiver expects it: sent at once with the number of
            // a block the receiver may have taken already, it would pass as
            // a repeat, and the receiver would keep the image cut short.
            userCancelled_ = abortPending_ = true;
            break;
        default:
            // Every byte is out already, or the abort is under way.
            break;
    }
    return out;
}

void DownloadProtocol::deviceCancelled(Actions& out) {
    out.push_back(send(std::string(1, kEot)));
    out.push_back(send("at@quit\r"));
    out.push_back(pause(kQuitPauseMs));
    end(out, kDeviceCancelled, kindTexts(setup_.kind).deviceError);
}

void DownloadProtocol::end(Actions& out, std::int32_t result, std::uint32_t messageId) {
    for (int id : {kTimerResponse, kTimerProgress, kTimerStart, kTimerSpeed})
        out.push_back(stopTimer(id));
    Action a{Action::Kind::End, messageId ? config::Text(messageId) : std::string(), result};
    a.messageId = messageId;
    a.closeDownload = portOpen_;
    out.push_back(std::move(a));
    ended_ = true;
    running_ = false;
    result_ = result;
}

}  // namespace firmware
