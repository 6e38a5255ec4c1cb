// The download protocol on its own: the device's answers and the timers
// are played by the test, the bytes the protocol sends are compared.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/config_strings.h"
#include "config/firmware/download_protocol.h"
#include "config/firmware/firmware_status.h"
#include "config/firmware/xmodem_block.h"
#include "config/resource_ids.h"
#include "platform/device_type.h"
#include "tests/sim/xmodem_sender.h"

using firmware::Action;
using firmware::Actions;
using firmware::DownloadProtocol;
using State = firmware::DownloadProtocol::State;

namespace {

constexpr char kAck[] = "\x06";
constexpr char kNak[] = "\x15";
const std::string kEot(1, '\x04');

class Harness {
public:
    Harness(std::string image, std::int32_t kind = 1, bool loader = false)
        : p(firmware::DownloadSetup{std::move(image), "1.5.0", kind, loader}) {}

    void apply(const Actions& actions) {
        for (const Action& a : actions) {
            kinds.push_back(a.kind);
            if (a.kind == Action::Kind::Send) sent.push_back(a.text);
            if (a.kind == Action::Kind::StartTimer) timers[a.timer] = a.value;
            if (a.kind == Action::Kind::StopTimer) timers.erase(a.timer);
            if (a.kind == Action::Kind::End) {
                message = a.messageId;
                closed = a.closeDownload;
            }
        }
    }
    // Up to the port being open: speed walk (not in loader mode), start.
    void open() {
        apply(p.begin());
        if (timers.count(firmware::kTimerSpeed)) apply(p.timer(firmware::kTimerSpeed, 0));
        apply(p.timer(firmware::kTimerStart, 0));
        apply(p.portOpened(0));
    }
    void recv(std::string_view piece) { apply(p.received(piece, now += 100)); }
    void timeout() { apply(p.timer(firmware::kTimerResponse, now += 4000)); }
    // Through the dialogue to the receiver's start character.
    void startTransfer(const char* startChar) {
        open();
        recv("\r\nTamo T/A monitor\r\nuser\r\n");
        recv("\r\nLoad new firmware (y/n)?");
        recv("\r\nFlash erased, loader loaded\r\n");
        recv(startChar);
    }
    // ACKs every block and the EOT, then the device's final text.
    void ackAll(std::string_view finalText = "\r\nProgramming flash...\r\n") {
        while (p.state() == State::Sending || p.state() == State::EotSent) recv(kAck);
        recv(finalText);
    }
    std::vector<std::string> blocks() const {
        std::vector<std::string> out;
        for (const std::string& s : sent)
            if (s.size() > 1000) out.push_back(s);
        return out;
    }
    bool did(Action::Kind k) const {
        return std::find(kinds.begin(), kinds.end(), k) != kinds.end();
    }

    DownloadProtocol p;
    std::vector<std::string> sent;
    std::vector<Action::Kind> kinds;
    std::map<int, std::int32_t> timers;
    std::uint32_t message = 0;
    bool closed = false;
    std::uint64_t now = 1000;
};

std::string pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + 3);
    return s;
}

}  // namespace

TEST(DownloadProtocol, BlocksAreByteForByteWhatTheReceiverChecks) {
    struct Row {
        const char* start;
        std::size_t size;
        std::vector<std::size_t> blockData;  // data bytes of each block
    };
    const Row rows[] = {
        {"C", 2048, {1024, 1024}},
        {kNak, 2048, {1024, 1024}},
        {"C", 2049, {1024, 1024, 1}},
        {kNak, 2049, {1024, 1024, 1}},
        {"C", 10, {10}},
    };
    for (const Row& r : rows) {
        const bool crc = r.start[0] == 'C';
        const std::string img = pattern(r.size);
        Harness h(img);
        h.startTransfer(r.start);
        h.ackAll();
        EXPECT_EQ(h.p.result(), firmware::kLoaded);
        EXPECT_EQ(h.p.crcMode(), crc);
        const auto blocks = h.blocks();
        ASSERT_EQ(blocks.size(), r.blockData.size()) << r.size;
        std::size_t at = 0;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const std::string expected = simtest::xmodemBlock(static_cast<std::uint8_t>(i + 1),
                                                              img.substr(at, r.blockData[i]), crc);
            EXPECT_EQ(blocks[i].size(), crc ? 1029u : 1028u);
            EXPECT_EQ(blocks[i], expected) << "block " << i + 1 << " of " << r.size;
            at += r.blockData[i];
        }
        // The dialogue before, EOT after the last block.
        const std::vector<std::string> dialogue(h.sent.begin(), h.sent.begin() + 4);
        EXPECT_EQ(dialogue, (std::vector<std::string>{"at@quit\r", "AT$Z\r", "at@load\r", "y\r"}));
        EXPECT_EQ(h.sent.back(), kEot);
        EXPECT_TRUE(h.closed);
    }
}

TEST(DownloadProtocol, BlockNumbersWrapFrom255ToZero) {
    Harness h(pattern(257 * 1024));
    h.startTransfer("C");
    h.ackAll();
    const auto blocks = h.blocks();
    ASSERT_EQ(blocks.size(), 257u);
    EXPECT_EQ(static_cast<std::uint8_t>(blocks[254][1]), 255);
    EXPECT_EQ(static_cast<std::uint8_t>(blocks[255][1]), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(blocks[255][2]), 255);
    EXPECT_EQ(static_cast<std::uint8_t>(blocks[256][1]), 1);
}

TEST(DownloadProtocol, TimeOutsInARowEndTheDownload) {
    struct Row {
        const char* name;
        std::vector<std::string> events;  // "T" a time-out, else a delivery
        std::int32_t result;
        std::size_t blocksSent;
    };
    const Row rows[] = {
        {"three silent time-outs", {"T", "T", "T"}, firmware::kNoAnswer, 3},
        {"a NAK in between starts the count over", {"T", "T", kNak, "T", "T"}, 0, 6},
        {"an ACK in between too", {"T", "T", kAck, "T", "T"}, 0, 6},
    };
    for (const Row& r : rows) {
        Harness h(pattern(4000));
        h.startTransfer("C");
        for (const std::string& e : r.events) e == "T" ? h.timeout() : h.recv(e);
        EXPECT_EQ(h.p.ended(), r.result != 0) << r.name;
        if (h.p.ended()) {
            EXPECT_EQ(h.p.result(), r.result) << r.name;
            EXPECT_EQ(h.message, config::IDS_FW_TIMEOUT_BOX) << r.name;
        }
        EXPECT_EQ(h.blocks().size(), r.blocksSent) << r.name;
    }
    // Waiting for the receiver to start, one time-out is enough.
    Harness h(pattern(10), kDevicePci);
    h.open();
    h.recv("user\r");
    h.recv("(y/n)?");
    h.recv("loaded\r");
    h.timeout();
    EXPECT_EQ(h.p.result(), firmware::kNoAnswer);
    EXPECT_EQ(h.message, config::IDS_FW_TIMEOUT_PCI);
}

TEST(DownloadProtocol, CanAnywhereEndsWithTheDevicesError) {
    struct Row {
        const char* name;
        int answersBefore;  // dialogue steps and ACKs before the CAN
        std::int32_t kind;
        std::uint32_t message;
    };
    const Row rows[] = {
        {"before the monitor answers", 0, kDeviceExternal, config::IDS_FW_ERROR_BOX},
        {"while the loader starts", 3, kDevicePro, config::IDS_FW_ERROR_PRO},
        {"during the transfer", 6, kDevicePci, config::IDS_FW_ERROR_PCI},
        {"after the last block", 8, kDevicePcCard, config::IDS_FW_ERROR_PCCARD},
    };
    const std::vector<std::string> answers = {"user\r", "(y/n)?", "loaded\r", "C",
                                              kAck,     kAck,     kAck,       kAck};
    for (const Row& r : rows) {
        Harness h(pattern(3000), r.kind);
        h.open();
        for (int i = 0; i < r.answersBefore; ++i) h.recv(answers[i]);
        h.recv("xx\x18\x18\x18");
        EXPECT_EQ(h.p.result(), firmware::kDeviceCancelled) << r.name;
        EXPECT_EQ(h.message, r.message) << r.name;
        ASSERT_GE(h.sent.size(), 2u);
        EXPECT_EQ(h.sent[h.sent.size() - 2], kEot) << r.name;
        EXPECT_EQ(h.sent.back(), "at@quit\r") << r.name;
        EXPECT_TRUE(h.closed);
    }
}

TEST(DownloadProtocol, FinalTextMayComeInPieces) {
    struct Row {
        const char* name;
        std::int32_t kind;
        std::vector<std::string> pieces;
        bool done;
    };
    const Row rows[] = {
        {"box, split after the CR", kDeviceExternal, {"\r\nProgramming flash...\r", "\n"}, true},
        {"box, dots alone are not the end", kDeviceExternal, {"\r\nProgramming."}, false},
        {"PCI card, one dot", kDevicePci, {"\r\nFlash programmed."}, true},
        {"PC card, three dots", kDevicePcCard, {"...\r\n"}, true},
    };
    for (const Row& r : rows) {
        Harness h(pattern(100), r.kind);
        h.startTransfer("C");
        h.recv(kAck);  // the block
        h.recv(kAck);  // the EOT
        for (const std::string& piece : r.pieces) h.recv(piece);
        EXPECT_EQ(h.p.ended(), r.done) << r.name;
        if (r.done) {
            EXPECT_EQ(h.p.result(), firmware::kLoaded) << r.name;
        }
    }
}

TEST(DownloadProtocol, AnswersThatShareADeliveryAreAllSeen) {
    // A receiver that starts at once, and one that says its final words
    // together with the ACK of the EOT.
    Harness h(pattern(100));
    h.open();
    h.recv("user\r");
    h.recv("(y/n)?");
    h.recv("\r\nFlash erased, loader loaded\r\n\x15");
    ASSERT_EQ(h.blocks().size(), 1u);
    EXPECT_FALSE(h.p.crcMode());
    h.recv(kAck);
    h.recv("\x06\r\nProgramming flash...\r\n");
    EXPECT_EQ(h.p.result(), firmware::kLoaded);
}

TEST(DownloadProtocol, LoaderModeSkipsTheMonitorAndTheSpeedWalk) {
    Harness h(pattern(100), kDeviceExternal, true);
    h.open();
    EXPECT_FALSE(h.did(Action::Kind::DetectSpeed));
    EXPECT_EQ(h.sent, (std::vector<std::string>{"AT\r", "at@load\r"}));
    EXPECT_EQ(h.p.state(), State::WaitConfirm);
    h.recv("(y/n)?");
    h.recv("loaded\r\n");
    h.recv(kNak);
    h.ackAll();
    EXPECT_EQ(h.p.result(), firmware::kLoaded);

    Harness normal(pattern(100));
    normal.open();
    EXPECT_TRUE(normal.did(Action::Kind::DetectSpeed));
    // The answer to at@quit and the monitor's banner do not count.
    normal.recv("OK\r\nTamo T/A monitor\r\nus");
    EXPECT_EQ(normal.p.state(), State::WaitUser);
    normal.recv("er\r\n");
    EXPECT_EQ(normal.p.state(), State::WaitConfirm);
}

TEST(DownloadProtocol, CancelDependsOnHowFarTheDownloadIs) {
    // Before the loader runs, the download just ends.
    Harness early(pattern(3000));
    early.open();
    early.apply(early.p.cancel());
    EXPECT_EQ(early.p.result(), firmware::kUserCancelled);
    EXPECT_TRUE(early.closed);
    EXPECT_EQ(early.blocks().size(), 0u);

    // During the transfer the abort block takes the place of the next
    // block, then EOT; the device's final text ends the download as cancelled.
    Harness late(pattern(3000));
    late.startTransfer("C");
    late.recv(kAck);
    late.apply(late.p.cancel());
    EXPECT_EQ(late.blocks().size(), 2u);
    late.recv(kAck);
    EXPECT_EQ(late.p.state(), State::AbortSent);
    const std::string abort = late.blocks().back();
    EXPECT_EQ(abort, simtest::xmodemBlock(3, firmware::abortBlockData(), true));
    EXPECT_EQ(firmware::abortBlockData().find('\0'), 221u);
    late.recv(kNak);
    EXPECT_EQ(late.blocks().back(), abort);
    late.recv(kAck);
    EXPECT_EQ(late.sent.back(), kEot);
    late.recv("\r\nProgramming flash...\r\n");
    EXPECT_EQ(late.p.result(), firmware::kUserCancelled);
    EXPECT_EQ(firmware::upgradeResult(late.p.result()), firmware::kUpgradeCancelled);

    // Cancelled while the loader starts: the abort block follows its start character.
    Harness starting(pattern(3000));
    starting.open();
    starting.recv("user\r");
    starting.recv("(y/n)?");
    starting.apply(starting.p.cancel());
    starting.recv("loaded\r");
    starting.recv(kNak);
    ASSERT_EQ(starting.blocks().size(), 1u);
    EXPECT_EQ(starting.blocks()[0], simtest::xmodemBlock(1, firmware::abortBlockData(), false));
}

TEST(DownloadProtocol, EndlessRejectionsAndASilentEndDoNotHang) {
    Harness naks(pattern(3000));
    naks.startTransfer("C");
    for (int i = 0; i < firmware::kMaxNaks; ++i) naks.recv(kNak);
    EXPECT_FALSE(naks.p.ended());
    naks.recv(kNak);
    EXPECT_EQ(naks.p.result(), firmware::kDeviceCancelled);

    Harness silent(pattern(100));
    silent.startTransfer("C");
    silent.recv(kAck);
    silent.recv(kAck);
    EXPECT_EQ(silent.p.state(), State::WaitFinal);
    EXPECT_EQ(silent.timers[firmware::kTimerResponse], 30000);
    for (int i = 0; i < 3; ++i) silent.timeout();
    EXPECT_EQ(silent.p.result(), firmware::kNoAnswer);
    EXPECT_EQ(silent.blocks().size(), 1u);  // nothing resent after the EOT was taken
}

TEST(DownloadProtocol, StartFailureAndResultMapping) {
    Harness h(pattern(10));
    h.apply(h.p.begin());
    h.apply(h.p.timer(firmware::kTimerSpeed, 0));
    h.apply(h.p.timer(firmware::kTimerStart, 0));
    h.apply(h.p.portOpened(firmware::kPortOpenFailed));
    EXPECT_EQ(h.p.result(), firmware::kStartFailed);
    EXPECT_EQ(h.message, config::IDS_FW_START_FAILED);
    EXPECT_FALSE(h.closed);
    EXPECT_TRUE(h.sent.empty());

    const std::pair<std::int32_t, std::int32_t> map[] = {{0, 4100},    {-2, 4101}, {-3, 4101},
                                                         {4006, 4101}, {-7, 4102}, {4007, 4102}};
    for (const auto& [download, upgrade] : map)
        EXPECT_EQ(firmware::upgradeResult(download), upgrade) << download;
}

TEST(DownloadProtocol, EstimatesTheTimeLeftFromTheBlockRate) {
    Harness h(pattern(100 * 1029));
    h.startTransfer("C");
    h.recv(kAck);  // the first ACK starts the estimate: 99 blocks to go
    std::string line;
    for (int i = 0; i < 9; ++i) h.recv(kAck);  // 100 ms apart
    h.now += 1000;
    for (const Action& a : h.p.timer(firmware::kTimerProgress, h.now))
        if (a.kind == Action::Kind::ProgressLine) line = a.text;
    // Ten blocks in 1900 ms; 89 left at 190 ms each: 16 s plus 10.
    EXPECT_EQ(line, "Etwa noch 26 Sek (11.0 KB kopiert)");
}
