#pragma once
// The receiving end of an XMODEM transfer as the adapter's loader runs it:
// 1024-byte blocks (STX) and classic 128-byte blocks (SOH), started with NAK
// for the 8-bit sum or 'C' for CRC-16. Pure: bytes and the time go in,
// the bytes to answer come out.
//
// Every block is checked (block number and its complement, sum or CRC); a
// good block with the expected number is kept and ACK-ed, a repeat of the
// previous block is ACK-ed and dropped, anything else is NAK-ed. A block
// that stops arriving half-way is NAK-ed after the block time-out. EOT ends
// the transfer (ACK). A block whose data begin with "ABORTED" is the
// sender's abort: it is ACK-ed and the image is thrown away.
#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

class XmodemReceiver {
public:
    enum class Mode { Checksum, Crc };
    enum class State { Starting, Receiving, Done, Aborted, Cancelled, GaveUp };

    struct Config {
        Mode mode = Mode::Crc;
        std::uint32_t startIntervalMs = 3000;  // start character repeated this often
        std::uint32_t startTries = 10;         // then the loader gives up
        std::uint32_t blockTimeoutMs = 1000;   // a block that stalls this long is NAK-ed
        std::int32_t nakStorm = 0;             // NAK this many good blocks first
        std::int32_t canAfterBlocks = -1;      // cancel (CAN CAN CAN) after this many blocks
    };

    XmodemReceiver(Config config, std::uint64_t nowMs);

    // The start character, sent at once and then repeated by poll().
    std::string start(std::uint64_t nowMs);
    std::string feed(std::string_view bytes, std::uint64_t nowMs);
    std::string poll(std::uint64_t nowMs);
    std::uint64_t nextDeadline() const;

    State state() const { return state_; }
    bool finished() const { return state_ != State::Starting && state_ != State::Receiving; }
    // The data received, without the 0x1A filler at the end of the last block.
    std::string image() const;
    std::uint32_t blocksAccepted() const { return accepted_; }
    std::uint32_t naks() const { return naks_; }

private:
    std::string onBlockComplete();
    std::size_t blockSize() const;

    Config cfg_;
    State state_ = State::Starting;
    std::string pending_;  // a block being collected
    std::string data_;
    std::uint8_t expected_ = 1;
    std::uint32_t accepted_ = 0;
    std::uint32_t naks_ = 0;
    std::uint32_t startsSent_ = 0;
    std::int32_t stormLeft_ = 0;
    bool sawData_ = false;
    bool aborted_ = false;
    std::uint64_t deadline_;
};

// CRC-16/XMODEM: polynomial 0x1021, start 0, no final XOR.
std::uint16_t crc16Xmodem(std::string_view data);

}  // namespace sim
