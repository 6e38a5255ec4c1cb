// The loader's XMODEM receiver, driven byte for byte.
#include <gtest/gtest.h>

#include "sim/xmodem_receiver.h"
#include "tests/sim/xmodem_sender.h"

namespace {

using sim::XmodemReceiver;
using simtest::xmodemBlock;

constexpr char kAck = 0x06, kNak = 0x15, kEot = 0x04;

XmodemReceiver::Config config(bool crc) {
    XmodemReceiver::Config c;
    c.mode = crc ? XmodemReceiver::Mode::Crc : XmodemReceiver::Mode::Checksum;
    return c;
}

TEST(XmodemReceiver, Crc16MatchesTheStandardCheckValue) {
    EXPECT_EQ(0x31C3, sim::crc16Xmodem("123456789"));
    EXPECT_EQ(0x0000, sim::crc16Xmodem(""));
}

TEST(XmodemReceiver, ReceivesAnImageInBothModes) {
    for (bool crc : {true, false}) {
        SCOPED_TRACE(crc ? "CRC" : "checksum");
        XmodemReceiver rx(config(crc), 0);
        EXPECT_EQ(std::string(1, crc ? 'C' : kNak), rx.start(0));
        const std::string image = simtest::testImage(2049);
        // 2049 bytes: two full blocks and one that carries a single byte.
        for (int n = 0; n < 3; ++n) {
            const std::string block =
                xmodemBlock(static_cast<std::uint8_t>(n + 1), image.substr(n * 1024, 1024), crc);
            EXPECT_EQ(crc ? 1029u : 1028u, block.size());
            EXPECT_EQ(std::string(1, kAck), rx.feed(block, 10));
        }
        EXPECT_EQ(std::string(1, kAck), rx.feed(std::string(1, kEot), 20));
        EXPECT_EQ(XmodemReceiver::State::Done, rx.state());
        EXPECT_EQ(image, rx.image());
        EXPECT_EQ(3u, rx.blocksAccepted());
    }
}

TEST(XmodemReceiver, ChecksEveryBlockAndAsksForABadOneAgain) {
    const std::string good = xmodemBlock(1, "first", true);
    const auto spoiled = [&](std::size_t at, char flip) {
        std::string b = good;
        b[at] ^= flip;
        return b;
    };
    const std::pair<const char*, std::string> rows[] = {
        {"data byte", spoiled(500, 1)},
        {"sum", spoiled(good.size() - 1, 0x40)},
        {"complement", spoiled(2, 0x10)},
        {"block 2 before block 1", xmodemBlock(2, "x", true)}};
    for (const auto& [what, bad] : rows) {
        XmodemReceiver rx(config(true), 0);
        rx.start(0);
        EXPECT_EQ(std::string(1, kNak), rx.feed(bad, 1)) << what;
        EXPECT_EQ(std::string(1, kAck), rx.feed(good, 2)) << what;
        EXPECT_EQ(1u, rx.blocksAccepted()) << what;
    }
}

TEST(XmodemReceiver, RepeatedBlockIsAcknowledgedOnce) {
    XmodemReceiver rx(config(false), 0);
    rx.start(0);
    rx.feed(xmodemBlock(1, "AAAA", false), 1);
    EXPECT_EQ(std::string(1, kAck), rx.feed(xmodemBlock(1, "AAAA", false), 2));  // our ACK was lost
    rx.feed(xmodemBlock(2, "BBBB", false), 3);
    rx.feed(std::string(1, kEot), 4);
    std::string expected = std::string("AAAA") + std::string(1020, '\x1A') + "BBBB";
    EXPECT_EQ(expected, rx.image());
}

TEST(XmodemReceiver, BlockNumbersWrapFrom255To0) {
    XmodemReceiver rx(config(true), 0);
    rx.start(0);
    for (int n = 1; n <= 257; ++n) {
        ASSERT_EQ(std::string(1, kAck), rx.feed(xmodemBlock(static_cast<std::uint8_t>(n & 0xFF),
                                                            std::string(1024, 'a' + n % 26), true),
                                                1))
            << "block " << n;
    }
    rx.feed(std::string(1, kEot), 2);
    EXPECT_EQ(257u * 1024u, rx.image().size());
}

TEST(XmodemReceiver, BlocksMayArriveInPiecesAndClassicBlocksCount) {
    XmodemReceiver rx(config(true), 0);
    rx.start(0);
    const std::string block = xmodemBlock(1, "piecewise", true);
    std::string replies;
    for (char c : block) replies += rx.feed(std::string(1, c), 1);
    EXPECT_EQ(std::string(1, kAck), replies);
    EXPECT_EQ(std::string(1, kAck), rx.feed(xmodemBlock(2, "short", true, 128), 2));
    // Noise between blocks is ignored.
    EXPECT_EQ("", rx.feed("\r\n+", 3));
    rx.feed(std::string(1, kEot), 4);
    EXPECT_EQ(1024u + 5u, rx.image().size());
}

TEST(XmodemReceiver, RepeatsStartCharacterThenGivesUp) {
    auto cfg = config(true);
    cfg.startIntervalMs = 100;
    cfg.startTries = 3;
    XmodemReceiver rx(cfg, 0);
    EXPECT_EQ("C", rx.start(0));
    std::uint64_t now = 0;
    std::string sent;
    for (int i = 0; i < 10 && !rx.finished(); ++i) {
        now = rx.nextDeadline();
        sent += rx.poll(now);
    }
    EXPECT_EQ("CC", sent);
    EXPECT_EQ(XmodemReceiver::State::GaveUp, rx.state());
}

TEST(XmodemReceiver, StalledBlockIsNakedAndTakenAgain) {
    auto cfg = config(true);
    cfg.blockTimeoutMs = 50;
    XmodemReceiver rx(cfg, 0);
    rx.start(0);
    const std::string block = xmodemBlock(1, "stall", true);
    EXPECT_EQ("", rx.feed(block.substr(0, 300), 10));
    EXPECT_EQ("", rx.poll(10));
    EXPECT_EQ(std::string(1, kNak), rx.poll(rx.nextDeadline()));
    EXPECT_EQ(std::string(1, kAck), rx.feed(block, 200));
}

TEST(XmodemReceiver, AbortBlockDiscardsTheImage) {
    XmodemReceiver rx(config(true), 0);
    rx.start(0);
    rx.feed(xmodemBlock(1, "real data", true), 1);
    std::string abort;
    for (int g = 0; g < 3; ++g) {
        for (int i = 0; i < 7; ++i) abort += "ABORTED";
        if (g < 2) abort += std::string(37, ' ');
    }
    abort.resize(1024, '\0');
    EXPECT_EQ(std::string(1, kAck), rx.feed(xmodemBlock(2, abort, true), 2));
    EXPECT_EQ(std::string(1, kAck), rx.feed(std::string(1, kEot), 3));
    EXPECT_EQ(XmodemReceiver::State::Aborted, rx.state());
    EXPECT_EQ("", rx.image());
}

}  // namespace
