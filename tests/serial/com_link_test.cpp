// CComLink over real pseudo-terminals: the simulator where its dialect has
// the answer, a raw pty end where a test needs reply shapes no adapter
// produces on request (lower-case codes, cut-off lines, endless text).
#include <gtest/gtest.h>

#include <time.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/local_time.h"
#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "serial/com_link.h"
#include "serial/com_speed.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"

namespace {

using testsupport::RawPeer;
using testsupport::readFile;

// One caller's side of an exchange: event, buffer and status word.
struct Exchange {
    explicit Exchange(std::size_t size = 4096) : buffer(size, '\0') {}
    std::int32_t arm(CComLink& link, std::int32_t mode = CComLink::kModeResultCode,
                     platform::Event* ack = nullptr) {
        event.reset();
        status = -1;
        return link.ArmResponse(buffer.data(), static_cast<std::int32_t>(buffer.size()), &event,
                                &status, mode, ack);
    }
    bool wait(std::uint32_t ms = 5000) { return event.wait(ms) == platform::WaitResult::Signaled; }
    std::string text() const { return {buffer.data(), strnlen(buffer.data(), buffer.size())}; }

    platform::Event event;
    std::vector<char> buffer;
    std::int32_t status = -1;
};

// Arms, writes "AT\r", lets the peer answer (raw peers get `reply`), waits.
bool exchange(CComLink& link, Exchange& ex, RawPeer* peer = nullptr, const char* reply = "") {
    if (ex.arm(link) != 0 || link.Write("AT\r", 3) != 0) return false;
    if (peer && (peer->readUntil("\r") != "AT\r" || !peer->send(reply))) return false;
    const bool answered = ex.wait();
    link.DisarmResponse();
    return answered;
}

double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::setTimeScale(0.2); }

    void setValue(const char* key, const char* name, const char* text) {
        platform::RegKey k;
        ASSERT_EQ(0, platform::RegKey::create(platform::RegRoot::LocalMachine, key, k));
        if (text) {
            k.setString(name, text);
        } else {
            k.deleteValue(name);
        }
    }
    void setTrace(const char* enable, bool withPath = true) {
        setValue(serial::kTraceKey, "Enable", enable);
        setValue(serial::kTraceKey, "Path", withPath ? trace().c_str() : nullptr);
    }
    void setOptimalSpeed(std::uint32_t value) {
        platform::RegKey k;
        ASSERT_EQ(0,
                  platform::RegKey::create(platform::RegRoot::LocalMachine, serial::kViewKey, k));
        k.setDword("DetectOptimalCOMSpeed", value);
    }
    std::string trace() const { return home.file("trace.log"); }

    testsupport::TempHome home;
};

// ---- completion and hand-off over the line -------------------------------------

TEST_F(LinkTest, CompletionRulesHoldOverThePty) {
    RawPeer peer("COM5");
    ASSERT_TRUE(peer.ok());
    CComLink link;
    ASSERT_EQ(0, link.Open("COM5", 57600, 0, 0));
    struct Row {
        const char* reply;
        const char* rest;  // sent once the first part proved incomplete
    } rows[] = {
        {"AT\r\r\nok\r\n", nullptr},
        {"AT\r\r\nOK\r\nX", "\r\nOK\r\n"},  // a character after the code keeps it open
        {"ATD5\r\r\nCONNECT", nullptr},     // CONNECT completes at once
        {"ATH\r\r\nNO CARRIER", "\r\n"},    // NO CARRIER needs its final line end
    };
    for (const Row& r : rows) {
        Exchange ex;
        ASSERT_EQ(0, ex.arm(link));
        ASSERT_EQ(0, link.Write("AT\r", 3));
        ASSERT_EQ("AT\r", peer.readUntil("\r"));
        ASSERT_TRUE(peer.send(r.reply));
        std::string expected = r.reply;
        if (r.rest) {
            EXPECT_FALSE(ex.wait(1000)) << r.reply;
            ASSERT_TRUE(peer.send(r.rest));
            expected += r.rest;
        }
        ASSERT_TRUE(ex.wait()) << r.reply;
        link.DisarmResponse();
        EXPECT_EQ(0, ex.status) << r.reply;
        EXPECT_EQ(expected, ex.text());
    }
    EXPECT_EQ(0, link.Close());
}

TEST_F(LinkTest, ResponseTooLongForTheBufferLeavesItUntouched) {
    auto dev = testsupport::startSim(sim::Scenario{}, "COM6");
    ASSERT_TRUE(dev);
    CComLink link;
    ASSERT_EQ(0, link.Open("COM6", 57600, 0, 0));
    Exchange small(9);  // "AT\r\r\nOK\r\n" needs 10 with its terminator
    std::fill(small.buffer.begin(), small.buffer.end(), 'Z');
    ASSERT_TRUE(exchange(link, small));
    EXPECT_EQ(1009, small.status);
    EXPECT_EQ(std::vector<char>(9, 'Z'), small.buffer);
    Exchange fits(10);
    ASSERT_TRUE(exchange(link, fits));
    EXPECT_EQ(0, fits.status);
    EXPECT_EQ("AT\r\r\nOK\r\n", fits.text());
    link.Close();
}

TEST_F(LinkTest, TextWithNoTargetArmedNeverReachesALaterCaller) {
    setTrace("1");
    RawPeer peer("COM5");
    CComLink link;
    ASSERT_EQ(0, link.Open("COM5", 57600, 0, 0));
    ASSERT_TRUE(peer.send("\r\nSTALE\r\n\r\nOK\r\n"));
    ASSERT_TRUE(testsupport::waitForText(trace(), "STALE", 5000));
    // A later chunk proves the reader has moved past the stale one.
    ASSERT_TRUE(peer.send("#"));
    ASSERT_TRUE(testsupport::waitForText(trace(), "#", 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Exchange ex;
    ASSERT_TRUE(exchange(link, ex, &peer, "AT\r\r\nOK\r\n"));
    EXPECT_EQ(std::string::npos, ex.text().find("STALE")) << ex.text();
    EXPECT_TRUE(ex.text().ends_with("AT\r\r\nOK\r\n")) << ex.text();
    link.Close();
}

TEST_F(LinkTest, MoreThan4095UnansweredCharactersFailWith1005) {
    RawPeer peer("COM5");
    CComLink link;
    ASSERT_EQ(0, link.Open("COM5", 57600, 0, 0));
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link));
    ASSERT_TRUE(peer.send(std::string(4095, 'x')));  // exactly the limit: still collecting
    EXPECT_FALSE(ex.wait(1000));
    ASSERT_TRUE(peer.send("y"));
    ASSERT_TRUE(ex.wait());
    // The rest of the failed response must not turn the failure into an
    // answer, result code or not.
    ASSERT_TRUE(peer.send("\r\nOK\r\n"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    link.DisarmResponse();
    EXPECT_EQ(1005, ex.status);
    EXPECT_EQ("", ex.text());
    Exchange next;
    ASSERT_TRUE(exchange(link, next, &peer, "AT\r\r\nOK\r\n"));
    EXPECT_EQ(0, next.status);
    EXPECT_EQ("AT\r\r\nOK\r\n", next.text());
    link.Close();
}

TEST_F(LinkTest, OverLongReplyFromTheAdapterFailsAndTheLinkRecovers) {
    sim::Scenario sc;
    sc.faults.longReply.push_back({"I99"});
    auto dev = testsupport::startSim(sc, "COM6");
    ASSERT_TRUE(dev);
    CComLink link;
    ASSERT_EQ(0, link.Open("COM6", 57600, 0, 0));
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link));
    ASSERT_EQ(0, link.Write("ATI99\r", 6));
    ASSERT_TRUE(ex.wait());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the rest arrives
    link.DisarmResponse();
    EXPECT_EQ(1005, ex.status);
    Exchange next;
    ASSERT_TRUE(exchange(link, next));
    EXPECT_EQ("AT\r\r\nOK\r\n", next.text());
    link.Close();
}

TEST_F(LinkTest, PiecesWaitForTheirAcknowledgementAndCloseEndsTheWait) {
    RawPeer peer("COM5");
    CComLink link;
    ASSERT_EQ(0, link.Open("COM5", 57600, 0, 0));
    platform::Event ack;
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link, CComLink::kModeImmediate, &ack));
    ASSERT_TRUE(peer.send("first"));
    ASSERT_TRUE(ex.wait());
    EXPECT_EQ("first", ex.text());
    ex.event.reset();
    ASSERT_TRUE(peer.send("second"));
    EXPECT_FALSE(ex.wait(500));  // held back until the first is taken
    EXPECT_EQ("first", ex.text());
    ack.set();
    ASSERT_TRUE(ex.wait());
    EXPECT_EQ("second", ex.text());
    EXPECT_FALSE(ack.isSet());
    // Never acknowledged: Close must still end the reader.
    EXPECT_EQ(0, link.Close());
}

TEST_F(LinkTest, MatchAndCauseModesTakeTheRestOfTheLineAlong) {
    RawPeer peer("COM5");
    CComLink link;
    ASSERT_EQ(0, link.Open("COM5", 57600, 0, 0));
    ASSERT_EQ(0, link.AddMatchString("B1 up"));
    struct Row {
        std::int32_t mode;
        const char* first;
        const char* rest;
    } rows[] = {{CComLink::kModeMatch, "line: B1 up", ", B2 down\r\n"},
                {CComLink::kModeCause, "Cause 1; cause", " 16\r\n"}};
    for (const auto& r : rows) {
        Exchange ex;
        ASSERT_EQ(0, ex.arm(link, r.mode));
        ASSERT_TRUE(peer.send(r.first));
        ASSERT_TRUE(peer.send(r.rest));  // within the half second after the match
        ASSERT_TRUE(ex.wait());
        link.DisarmResponse();
        EXPECT_EQ(std::string(r.first) + r.rest, ex.text());
    }
    link.Close();
}

TEST_F(LinkTest, TargetsAndMatchStringsAreChecked) {
    CComLink link;
    char buf[8];
    platform::Event ev;
    std::int32_t status = 0;
    EXPECT_EQ(1008, link.ArmResponse(nullptr, 8, &ev, &status, 0));
    EXPECT_EQ(1008, link.ArmResponse(buf, 0, &ev, &status, 0));
    EXPECT_EQ(1008, link.ArmResponse(buf, 8, nullptr, &status, 0));
    EXPECT_EQ(1008, link.ArmResponse(buf, 8, &ev, nullptr, 0));
    EXPECT_EQ(1017, link.AddMatchString(std::string(100, 'm').c_str()));
    EXPECT_EQ(0, link.AddMatchString(std::string(99, 'm').c_str()));
    for (int i = 1; i < 10; ++i) EXPECT_EQ(0, link.AddMatchString("x"));
    EXPECT_EQ(1018, link.AddMatchString("eleventh"));
    EXPECT_EQ(0, link.ClearMatchStrings());
    EXPECT_EQ(0, link.AddMatchString("again"));
}

// ---- opening and closing ----------------------------------------------------------

TEST_F(LinkTest, BusyAndMissingPortsFailAndCloseAfterwardsReturns0) {
    auto dev = testsupport::startSim(sim::Scenario{}, "COM6");
    ASSERT_TRUE(dev);
    {
        testsupport::PortHolder holder("COM6");
        ASSERT_EQ(0, holder.openStatus());
        CComLink link;
        EXPECT_EQ(1014, link.Open("COM6", 57600, 1, 1));
        EXPECT_EQ(0, link.Close());
    }
    CComLink missing;
    EXPECT_EQ(1002, missing.Open("/dev/velka-no-such-port", 57600, 1, 1));
    EXPECT_EQ(0, missing.Close());
    EXPECT_EQ(0, missing.Close());
    // Free again, the port opens; a second Open on the open link is refused
    // and leaves the session working.
    CComLink link;
    ASSERT_EQ(0, link.Open("COM6", 57600, 0, 0));
    EXPECT_EQ(1014, link.Open("COM6", 57600, 0, 0));
    Exchange ex;
    ASSERT_TRUE(exchange(link, ex));
    EXPECT_EQ(0, ex.status);
    EXPECT_EQ(0, link.Close());
}

TEST_F(LinkTest, StoredSpeedReplacesTheRequestedOneOnlyWhenAskedAndPositive) {
    auto dev = testsupport::startSim(sim::Scenario{}, "COM6");
    ASSERT_TRUE(dev);
    struct Row {
        std::int64_t stored;  // -1: none
        int useStored;
        std::uint32_t expected;
    } rows[] = {{-1, 1, 57600}, {0, 1, 57600}, {115200, 1, 115200}, {115200, 0, 57600}};
    for (const auto& r : rows) {
        if (r.stored >= 0) {
            ASSERT_EQ(0, serial::StoreComSpeed("COM6", static_cast<std::uint32_t>(r.stored)));
        }
        CComLink link;
        ASSERT_EQ(0, link.Open("COM6", 57600, 0, r.useStored));
        EXPECT_EQ(r.expected, link.BaudRate()) << r.stored << "/" << r.useStored;
        link.Close();
    }
}

TEST_F(LinkTest, QuickProbeFailsOnASilentAdapterOnly) {
    sim::Scenario silent;
    silent.faults.silentAfter = 0;
    auto quiet = testsupport::startSim(silent, "COM7");
    auto talking = testsupport::startSim(sim::Scenario{}, "COM8");
    ASSERT_TRUE(quiet && talking);
    struct Row {
        const char* port;
        int quick;
        std::int32_t expected;
    } rows[] = {{"COM8", 1, 0}, {"COM7", 1, 1006}, {"COM7", 0, 0}};
    for (const auto& r : rows) {
        CComLink link;
        link.SetQuickProbe(r.quick);
        EXPECT_EQ(r.expected, link.Open(r.port, 57600, 1, 1)) << r.port << " " << r.quick;
        EXPECT_EQ(0, link.Close());
    }
}

TEST_F(LinkTest, DeviceVanishingDuringACommandEndsTheWaitAndLeavesTheReaderQuiet) {
    sim::Scenario sc;
    sc.faults.vanish.push_back({"GONE"});
    auto dev = testsupport::startSim(sc, "COM6");
    ASSERT_TRUE(dev);
    CComLink link;
    ASSERT_EQ(0, link.Open("COM6", 57600, 0, 0));
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link));
    ASSERT_EQ(0, link.Write("ATGONE\r", 7));
    ASSERT_TRUE(ex.wait());
    link.DisarmResponse();
    EXPECT_EQ(1005, ex.status);
    // A reader that kept polling the dead device would burn a core here.
    const double before = processCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_LT(processCpuMs() - before, 300.0);
    // Later commands fail at once or time out; Close does not hang.
    Exchange after;
    ASSERT_EQ(0, after.arm(link));
    EXPECT_EQ(1006, link.Write("AT\r", 3));
    EXPECT_FALSE(after.wait(500));
    link.DisarmResponse();
    EXPECT_EQ(0, link.Close());
}

// ---- trace log ---------------------------------------------------------------------

TEST_F(LinkTest, TraceFileHoldsEveryRecordByteForByte) {
    setTrace("on 1");
    auto dev = testsupport::startSim(sim::Scenario{}, "COM6");
    ASSERT_TRUE(dev);
    const std::time_t before = std::time(nullptr);
    CComLink link;
    ASSERT_EQ(0, link.Open("COM6", 57600, 1, 0));
    const std::time_t after = std::time(nullptr);
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link));
    const std::string longCommand = "AT" + std::string(73, 'S') + "\r";  // 76: two pieces
    ASSERT_EQ(0, link.Write(longCommand.data(), static_cast<std::uint32_t>(longCommand.size())));
    ASSERT_TRUE(ex.wait());
    // The initial command's answer went to nobody.
    EXPECT_EQ(longCommand + "\r\nERROR\r\n", ex.text());
    ex.event.reset();
    ASSERT_EQ(0, link.Write("AT\r", 3));
    ASSERT_TRUE(ex.wait());
    link.DisarmResponse();
    link.Close();

    const std::string file = readFile(trace());
    // The header's time is the one part that varies: the system's format of
    // a moment during Open.
    const std::string lead = "Report Created at Time ";
    const auto at = file.find(lead);
    const auto end = file.find(" on Connection ", at);
    ASSERT_TRUE(at != std::string::npos && end != std::string::npos);
    const std::string time = file.substr(at + lead.size(), end - at - lead.size());
    bool matched = false;
    for (std::time_t t = before; t <= after && !matched; ++t) {
        std::string text;
        platform::formatSystemTime(t, text);
        matched = text == time;
    }
    EXPECT_TRUE(matched) << time;

    const std::string s73(73, 'S');
    const std::string expected =
        // Open: the initial command and its answer, then the header.
        "\r\n[Write   to  : COM6]\r\nATV1E1&K3\r\r\n\r\n"
        "\r\n[Read    from: COM6]\r\nATV1E1&K3\r\r\n\r\r\nOK\r\r\n"
        "\r\n-----------------------------------------------------\r\r\n"
        "Report Created at Time " +
        time +
        " on Connection COM6\r\n\r\n"
        "\r\n[Write   to  : COM6]\r\nAT" +
        s73 +
        "\r\n\r\r\n"
        "\r\n[Read    from: COM6]\r\nAT" +
        s73 +
        "\r\r\r\nERROR\r\r\n"
        "\r\n[Write   to  : COM6]\r\nAT\r\r\n"
        "\r\n[Read    from: COM6]\r\nAT\r\r\r\nOK\r\r\n";
    EXPECT_EQ(expected, file);
}

TEST_F(LinkTest, TraceSettingIsDecidedByEachOpen) {
    auto dev = testsupport::startSim(sim::Scenario{}, "COM6");
    ASSERT_TRUE(dev);
    struct Row {
        const char* enable;
        bool withPath;
        std::int32_t open;
        bool traced;
    } rows[] = {{"yes", true, 0, false},
                {nullptr, true, 0, false},
                {"yes1", true, 0, true},
                {"1", false, 1013, false}};
    for (const auto& r : rows) {
        std::remove(trace().c_str());
        setTrace(r.enable, r.withPath);
        CComLink link;
        EXPECT_EQ(r.open, link.Open("COM6", 57600, 0, 0)) << (r.enable ? r.enable : "-");
        platform::SerialPort other;  // 1013 comes before the port is touched
        EXPECT_EQ(r.open == 0 ? platform::kAccessDenied : platform::kOk, other.open("COM6"));
        link.Close();
        EXPECT_EQ(r.traced, !readFile(trace()).empty()) << (r.enable ? r.enable : "-");
    }
}

TEST_F(LinkTest, CloseRestartsATraceFileOnlyBeyond153600Bytes) {
    setTrace("1");
    for (std::size_t size : {153600u, 153601u}) {
        testsupport::writeFile(trace(), std::string(size, 'x'));
        // Open fails on the device, so no header grows the file before
        // Close applies the limit.
        CComLink link;
        EXPECT_EQ(1002, link.Open("/dev/velka-no-such-port", 57600, 0, 0));
        EXPECT_EQ(0, link.Close());
        const std::string file = readFile(trace());
        if (size == 153600) {
            EXPECT_EQ(size, file.size());
        } else {
            EXPECT_TRUE(file.starts_with("This trace file was restarted at "))
                << file.substr(0, 80);
            EXPECT_TRUE(file.ends_with(" \r\n(Maximum trace file size is 150 KB)\r\n" +
                                       std::string(40, '=') + "\r\n\r\n"));
            EXPECT_LT(file.size(), 200u);
        }
    }
}

// ---- speed detection and tactl ----------------------------------------------------------

TEST_F(LinkTest, DetectSpeedFindsTheFastestAnsweredSpeed) {
    testsupport::setTimeScale(0.5);  // a missed answer would cost a speed step
    struct Row {
        std::uint32_t maxSpeed;
        std::int64_t optimal;  // -1: not stored
        int silentAfter;
        std::uint32_t expected;
    } rows[] = {
        {230400, -1, -1, 230400},
        {230400, 0, -1, 57600},
        {38400, 1, -1, 38400},
        {230400, 1, 0, 1234},  // never answers: the caller's speed stays
    };
    for (const auto& r : rows) {
        testsupport::TempHome fresh;
        if (r.optimal >= 0) setOptimalSpeed(static_cast<std::uint32_t>(r.optimal));
        sim::Scenario sc;
        sc.maxSpeed = r.maxSpeed;
        sc.faults.silentAfter = r.silentAfter;
        auto dev = testsupport::startSim(sc, "COM9");
        ASSERT_TRUE(dev);
        CComLink link;
        std::uint32_t speed = 1234;
        EXPECT_EQ(0, link.DetectSpeed("COM9", speed));
        EXPECT_EQ(r.expected, speed) << r.maxSpeed << "/" << r.optimal;
        EXPECT_FALSE(link.IsOpen());
        EXPECT_EQ(0u, serial::StoredComSpeed("COM9"));  // storing is the caller's
    }
}

TEST_F(LinkTest, TactlSpeedPrintsAndStoresAsTheFolderDoes) {
    testsupport::setTimeScale(0.5);
    auto dev = testsupport::startSim(sim::Scenario{}, "COM9");
    ASSERT_TRUE(dev);
    using testsupport::tactl;
    auto r = tactl({"speed", "COM9"});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ("speed=230400\n", r.out);
    EXPECT_EQ(0u, serial::StoredComSpeed("COM9"));  // setting missing: not stored

    setOptimalSpeed(1);
    r = tactl({"speed", "COM9"});
    EXPECT_EQ(0, r.code);
    EXPECT_EQ("speed=230400\n", r.out);
    EXPECT_EQ(230400u, serial::StoredComSpeed("COM9"));
    platform::LineSettings line;
    ASSERT_EQ(0, platform::getDefaultCommConfig("COM9", line));
    EXPECT_EQ(230400u, line.baudRate);
    {
        testsupport::PortHolder holder("COM9");
        r = tactl({"speed", "COM9"});
        EXPECT_EQ(1, r.code);
        EXPECT_EQ("error=1014\n", r.out);
    }
    r = tactl({"speed", "/dev/velka-no-such-port"});
    EXPECT_EQ(1, r.code);
    EXPECT_EQ("error=1002\n", r.out);
}

TEST_F(LinkTest, TactlMapAndPortsShowTheStoredNames) {
    using testsupport::tactl;
    EXPECT_EQ(0, tactl({"map", "COM3", "/dev/ttyUSB0"}).code);
    EXPECT_EQ(0, tactl({"map", "COM4", "/dev/ttyUSB1"}).code);
    EXPECT_EQ(0, tactl({"map", "COM3", "/dev/ttyACM0"}).code);
    EXPECT_EQ("COM4 /dev/ttyUSB1\nCOM3 /dev/ttyACM0\n", tactl({"ports"}).out);
    EXPECT_EQ(2, tactl({"map", "/dev/x", "COM3"}).code);
}

}  // namespace
