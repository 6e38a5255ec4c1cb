#include "sim/xmodem_receiver.h"

#include "platform/clock.h"

namespace sim {
namespace {

constexpr char kSoh = 0x01;
constexpr char kStx = 0x02;
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kCan = 0x18;
constexpr char kSub = 0x1A;
constexpr std::string_view kAbortWord = "ABORTED";

std::uint64_t later(std::uint64_t now, std::uint32_t ms) {
    return now + static_cast<std::uint64_t>(platform::scaled(ms).count());
}

}  // namespace

std::uint16_t crc16Xmodem(std::string_view data) {
    std::uint16_t crc = 0;
    for (unsigned char c : data) {
        crc = static_cast<std::uint16_t>(crc ^ (c << 8));
        for (int i = 0; i < 8; ++i) {
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
        }
    }
    return crc;
}

XmodemReceiver::XmodemReceiver(Config config, std::uint64_t nowMs)
    : cfg_(config), stormLeft_(config.nakStorm), deadline_(later(nowMs, config.startIntervalMs)) {}

std::string XmodemReceiver::start(std::uint64_t nowMs) {
    ++startsSent_;
    deadline_ = later(nowMs, cfg_.startIntervalMs);
    return std::string(1, cfg_.mode == Mode::Crc ? 'C' : kNak);
}

std::size_t XmodemReceiver::blockSize() const {
    const std::size_t data = pending_.empty() || pending_[0] == kStx ? 1024 : 128;
    return 3 + data + (cfg_.mode == Mode::Crc ? 2 : 1);
}

std::string XmodemReceiver::feed(std::string_view bytes, std::uint64_t nowMs) {
    std::string reply;
    for (char c : bytes) {
        if (finished()) break;
        if (pending_.empty()) {
            if (c == kStx || c == kSoh) {
                pending_.push_back(c);
                state_ = State::Receiving;
                deadline_ = later(nowMs, cfg_.blockTimeoutMs);
            } else if (c == kEot && state_ == State::Receiving) {
                reply.push_back(kAck);
                state_ = aborted_ ? State::Aborted : State::Done;
                deadline_ = 0;
            } else if (c == kCan && state_ == State::Receiving) {
                state_ = State::Cancelled;
            }
            // Anything else between blocks is line noise.
            continue;
        }
        pending_.push_back(c);
        if (pending_.size() == blockSize()) {
            reply += onBlockComplete();
            pending_.clear();
            deadline_ = later(nowMs, cfg_.blockTimeoutMs * 10);
        }
    }
    return reply;
}

std::string XmodemReceiver::onBlockComplete() {
    const auto number = static_cast<std::uint8_t>(pending_[1]);
    const auto complement = static_cast<std::uint8_t>(pending_[2]);
    const std::size_t dataLen = pending_[0] == kStx ? 1024 : 128;
    const std::string_view data = std::string_view(pending_).substr(3, dataLen);
    bool sumOk;
    if (cfg_.mode == Mode::Crc) {
        const auto hi = static_cast<std::uint8_t>(pending_[3 + dataLen]);
        const auto lo = static_cast<std::uint8_t>(pending_[4 + dataLen]);
        sumOk = crc16Xmodem(data) == ((hi << 8) | lo);
    } else {
        std::uint8_t sum = 0;
        for (unsigned char c : data) sum = static_cast<std::uint8_t>(sum + c);
        sumOk = sum == static_cast<std::uint8_t>(pending_[3 + dataLen]);
    }
    if (!sumOk || static_cast<std::uint8_t>(number + complement) != 0xFF) {
        ++naks_;
        return std::string(1, kNak);
    }
    if (number == static_cast<std::uint8_t>(expected_ - 1) && sawData_) {
        return std::string(1, kAck);  // our ACK was lost; the sender repeats
    }
    if (number != expected_) {
        ++naks_;
        return std::string(1, kNak);
    }
    if (stormLeft_ > 0) {
        --stormLeft_;
        ++naks_;
        return std::string(1, kNak);
    }
    if (cfg_.canAfterBlocks >= 0 && accepted_ >= static_cast<std::uint32_t>(cfg_.canAfterBlocks)) {
        state_ = State::Cancelled;
        return std::string(3, kCan);
    }
    if (data.substr(0, kAbortWord.size()) == kAbortWord) aborted_ = true;
    data_.append(data);
    sawData_ = true;
    ++accepted_;
    ++expected_;  // wraps from 255 to 0 as the sender's does
    return std::string(1, kAck);
}

std::string XmodemReceiver::poll(std::uint64_t nowMs) {
    if (finished() || nowMs < deadline_) return {};
    if (state_ == State::Starting) {
        if (startsSent_ >= cfg_.startTries) {
            state_ = State::GaveUp;
            return {};
        }
        return start(nowMs);
    }
    // A stalled block, or a sender that went quiet between blocks.
    pending_.clear();
    deadline_ = later(nowMs, cfg_.blockTimeoutMs * 10);
    ++naks_;
    return std::string(1, kNak);
}

std::uint64_t XmodemReceiver::nextDeadline() const {
    return finished() ? ~0ull : deadline_;
}

std::string XmodemReceiver::image() const {
    if (aborted_) return {};
    std::string out = data_;
    while (!out.empty() && out.back() == kSub) out.pop_back();
    return out;
}

}  // namespace sim
