// CComLink over real pseudo-terminals: the simulator where its dialect has
// the answer, a raw pty end where a test needs reply shapes no adapter
// produces on request (lower-case codes, cut-off lines, endless text).
#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/local_time.h"
#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "serial/com_link.h"
#include "serial/com_speed.h"
#include "serial/trace_log.h"
#include "tests/support/sim_port.h"

namespace {

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

double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::setTimeScale(0.2); }

    // `link` open on a raw pty end the test plays (COM5) or on the simulator (COM6).
    void openRaw() {
        peer = std::make_unique<testsupport::RawPeer>("COM5");
        ASSERT_TRUE(peer->ok());
        ASSERT_EQ(0, link.Open("COM5", 57600, 0, 0));
    }
    void openSim(const sim::Scenario& scenario = {}) {
        dev = testsupport::startSim(scenario, "COM6");
        ASSERT_TRUE(dev);
        ASSERT_EQ(0, link.Open("COM6", 57600, 0, 0));
    }
    // Arms, writes `command`, lets a raw peer answer `rawReply`, waits, disarms.
    bool exchange(Exchange& ex, const std::string& command = "AT\r",
                  const char* rawReply = "AT\r\r\nOK\r\n") {
        if (ex.arm(link) != 0 ||
            link.Write(command.data(), static_cast<std::uint32_t>(command.size())) != 0)
            return false;
        if (peer && (peer->readUntil("\r") != command || !peer->send(rawReply))) return false;
        const bool answered = ex.wait();
        link.DisarmResponse();
        return answered;
    }

    // A null text removes the value.
    void setValue(const char* key, const char* name, const char* text) {
        platform::RegKey k;
        ASSERT_EQ(0, platform::RegKey::create(platform::RegRoot::LocalMachine, key, k));
        text ? k.setString(name, text) : k.deleteValue(name);
    }
    void setTrace(const char* enable, bool withPath = true) {
        setValue(serial::kTraceKey, "Enable", enable);
        setValue(serial::kTraceKey, "Path", withPath ? trace().c_str() : nullptr);
    }
    // nullopt removes the setting.
    void setOptimalSpeed(std::optional<std::uint32_t> value) {
        platform::RegKey k;
        ASSERT_EQ(0,
                  platform::RegKey::create(platform::RegRoot::LocalMachine, serial::kViewKey, k));
        value ? k.setDword("DetectOptimalCOMSpeed", *value)
              : k.deleteValue("DetectOptimalCOMSpeed");
    }
    std::string trace() const { return home.file("trace.log"); }

    testsupport::TempHome home;
    std::unique_ptr<testsupport::RawPeer> peer;
    std::unique_ptr<sim::PtyAdapter> dev;
    CComLink link;  // closed before its peer goes
};

// ---- completion and hand-off over the line -------------------------------------

TEST_F(LinkTest, CompletionRulesHoldOverThePty) {
    openRaw();
    ASSERT_EQ(0, link.AddMatchString("B1 up"));
    constexpr std::int32_t kCode = CComLink::kModeResultCode;
    struct Row {
        std::int32_t mode;
        const char* first;
        const char* rest;
        bool firstIncomplete;
    } rows[] = {
        {kCode, "AT\r\r\nok\r\n", "", false},
        {kCode, "AT\r\r\nOK\r\nX", "\r\nOK\r\n", true},  // a character after the code
        {kCode, "ATD5\r\r\nCONNECT", "", false},         // CONNECT completes at once
        {kCode, "ATH\r\r\nNO CARRIER", "\r\n", true},    // NO CARRIER needs its line end
        // A match takes the rest of the line along that comes within half a second.
        {CComLink::kModeMatch, "line: B1 up", ", B2 down\r\n", false},
        {CComLink::kModeCause, "Cause 1; cause", " 16\r\n", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.first);
        Exchange ex;
        ASSERT_EQ(0, ex.arm(link, r.mode));
        ASSERT_EQ(0, link.Write("AT\r", 3));
        ASSERT_EQ("AT\r", peer->readUntil("\r"));
        ASSERT_TRUE(peer->send(r.first));
        EXPECT_FALSE(r.firstIncomplete && ex.wait(1000));
        ASSERT_TRUE(peer->send(r.rest));
        ASSERT_TRUE(ex.wait());
        link.DisarmResponse();
        EXPECT_EQ(0, ex.status);
        EXPECT_EQ(std::string(r.first) + r.rest, ex.text());
    }
    EXPECT_EQ(0, link.Close());
}

TEST_F(LinkTest, ResponseTooLongForTheBufferLeavesItUntouched) {
    openSim();
    Exchange small(9);  // "AT\r\r\nOK\r\n" needs 10 with its terminator
    std::fill(small.buffer.begin(), small.buffer.end(), 'Z');
    ASSERT_TRUE(exchange(small));
    EXPECT_EQ(1009, small.status);
    EXPECT_EQ(std::vector<char>(9, 'Z'), small.buffer);
    Exchange fits(10);
    ASSERT_TRUE(exchange(fits));
    EXPECT_EQ(0, fits.status);
    EXPECT_EQ("AT\r\r\nOK\r\n", fits.text());
}

TEST_F(LinkTest, TextWithNoTargetArmedNeverReachesALaterCaller) {
    setTrace("1");
    openRaw();
    ASSERT_TRUE(peer->send("\r\nSTALE\r\n\r\nOK\r\n"));
    ASSERT_TRUE(testsupport::waitForText(trace(), "STALE"));
    // A later chunk proves the reader has moved past the stale one.
    ASSERT_TRUE(peer->send("#"));
    ASSERT_TRUE(testsupport::waitForText(trace(), "#"));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Exchange ex;
    ASSERT_TRUE(exchange(ex));
    EXPECT_EQ(std::string::npos, ex.text().find("STALE")) << ex.text();
    EXPECT_TRUE(ex.text().ends_with("AT\r\r\nOK\r\n")) << ex.text();
}

// A NUL byte on the line ends neither the response nor its trace.
TEST_F(LinkTest, NulBytesReachTheCallerAndTheTraceWhole) {
    using namespace std::string_literals;
    setTrace("1");
    openRaw();
    Exchange ex;
    std::uint32_t length = 0;
    ASSERT_EQ(0, link.ArmResponse(ex.buffer.data(), 4096, &ex.event, &ex.status,
                                  CComLink::kModeResultCode, nullptr, &length));
    const std::string command = "AT\0Z\r"s;
    ASSERT_EQ(0, link.Write(command.data(), static_cast<std::uint32_t>(command.size())));
    ASSERT_EQ(command, peer->readUntil("\r"));
    const std::string answer = "AT\0Z\r\r\nA\0B\r\nOK\r\n"s;
    ASSERT_TRUE(peer->send(answer));
    ASSERT_TRUE(ex.wait());
    link.DisarmResponse();
    EXPECT_EQ(0, ex.status);
    EXPECT_EQ(answer, std::string(ex.buffer.data(), length));
    link.Close();
    const std::string records =
        "\r\n[Write   to  : COM5]\r\nAT\0Z\r\r\n\r\n[Read    from: COM5]\r\n"s +
        serial::traceFileText(answer);
    EXPECT_TRUE(readFile(trace()).ends_with(records)) << readFile(trace());
}

// The wiring of the assembler's failure and skip (its rules are table-tested
// on their own): the byte that overflows is the last one sent, so once the
// caller is woken nothing of the failed response is left on the line.
TEST_F(LinkTest, MoreThan4095UnansweredCharactersFailWith1005) {
    openRaw();
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link));
    ASSERT_TRUE(peer->send(std::string(4096, 'x')));
    ASSERT_TRUE(ex.wait());
    EXPECT_EQ(1005, ex.status);
    EXPECT_EQ("", ex.text());
    link.DisarmResponse();
    Exchange after;
    ASSERT_TRUE(exchange(after));
    EXPECT_EQ(0, after.status);
    EXPECT_EQ("AT\r\r\nOK\r\n", after.text());
}

TEST_F(LinkTest, PiecesWaitForTheirAcknowledgementAndCloseEndsTheWait) {
    openRaw();
    platform::Event ack;
    Exchange ex;
    ASSERT_EQ(0, ex.arm(link, CComLink::kModeImmediate, &ack));
    ASSERT_TRUE(peer->send("first"));
    ASSERT_TRUE(ex.wait());
    EXPECT_EQ("first", ex.text());
    ex.event.reset();
    ASSERT_TRUE(peer->send("second"));
    EXPECT_FALSE(ex.wait(500));  // held back until the first is taken
    EXPECT_EQ("first", ex.text());
    ack.set();
    ASSERT_TRUE(ex.wait());
    EXPECT_EQ("second", ex.text());
    EXPECT_FALSE(ack.isSet());
    // Never acknowledged: Close must still end the reader.
    EXPECT_EQ(0, link.Close());
}

TEST_F(LinkTest, TargetsAndMatchStringsAreChecked) {
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
    dev = testsupport::startSim({}, "COM6");
    ASSERT_TRUE(dev);
    {
        testsupport::PortHolder holder("COM6");
        ASSERT_EQ(0, holder.openStatus());
        EXPECT_EQ(1014, link.Open("COM6", 57600, 1, 1));
        EXPECT_EQ(0, link.Close());
    }
    EXPECT_EQ(1002, link.Open("/dev/velka-no-such-port", 57600, 1, 1));
    EXPECT_EQ(0, link.Close());
    EXPECT_EQ(0, link.Close());
    // Free again, the port opens; a second Open on the open link is refused
    // and leaves the session working.
    ASSERT_EQ(0, link.Open("COM6", 57600, 0, 0));
    EXPECT_EQ(1014, link.Open("COM6", 57600, 0, 0));
    Exchange ex;
    ASSERT_TRUE(exchange(ex));
    EXPECT_EQ(0, ex.status);
    EXPECT_EQ(0, link.Close());
}

TEST_F(LinkTest, OpenTakesAStoredSpeedOnlyWhenAskedAndProbesQuicklyWhenTold) {
    sim::Scenario silent;
    silent.faults.silentAfter = 0;
    auto quiet = testsupport::startSim(silent, "COM7");
    dev = testsupport::startSim({}, "COM6");
    ASSERT_TRUE(quiet && dev);
    struct Row {
        const char* port;
        std::int64_t stored;  // -1: none
        int useStored, quick;
        std::int32_t open;
        std::uint32_t speed;
    } rows[] = {{"COM6", -1, 1, 0, 0, 57600},      {"COM6", 0, 1, 0, 0, 57600},
                {"COM6", 115200, 1, 1, 0, 115200}, {"COM6", 115200, 0, 0, 0, 57600},
                {"COM7", -1, 1, 1, 1006, 0},       {"COM7", -1, 1, 0, 0, 57600}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.port) + " " + std::to_string(r.stored));
        const auto stored = static_cast<std::uint32_t>(r.stored);
        EXPECT_EQ(0, r.stored < 0 ? 0 : serial::StoreComSpeed(r.port, stored));
        link.SetQuickProbe(r.quick);
        EXPECT_EQ(r.open, link.Open(r.port, 57600, 1, r.useStored));
        EXPECT_EQ(r.speed, r.open == 0 ? link.BaudRate() : 0u);
        EXPECT_EQ(0, link.Close());
    }
}

TEST_F(LinkTest, DeviceVanishingDuringACommandEndsTheWaitAndLeavesTheReaderQuiet) {
    sim::Scenario sc;
    sc.faults.vanish.push_back({"GONE"});
    openSim(sc);
    Exchange ex;
    ASSERT_TRUE(exchange(ex, "ATGONE\r"));
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
    dev = testsupport::startSim({}, "COM6");
    ASSERT_TRUE(dev);
    const std::time_t before = std::time(nullptr);
    ASSERT_EQ(0, link.Open("COM6", 57600, 1, 0));
    const std::time_t after = std::time(nullptr);
    const std::string s73(73, 'S');
    Exchange ex;
    ASSERT_TRUE(exchange(ex, "AT" + s73 + "\r"));  // 76 characters: traced in two pieces
    // The initial command's answer went to nobody.
    EXPECT_EQ("AT" + s73 + "\r\r\nERROR\r\n", ex.text());
    ASSERT_TRUE(exchange(ex));
    link.Close();

    // The header holds the system's format of a moment during Open.
    const auto expectedAt = [&](std::time_t t) {
        std::string time;
        platform::formatSystemTime(t, time);
        // clang-format off
        return "\r\n[Write   to  : COM6]\r\nATV1E1&K3\r\r\n\r\n"
               "\r\n[Read    from: COM6]\r\nATV1E1&K3\r\r\n\r\r\nOK\r\r\n"
               "\r\n-----------------------------------------------------\r\r\n"
               "Report Created at Time " + time + " on Connection COM6\r\n\r\n"
               "\r\n[Write   to  : COM6]\r\nAT" + s73 + "\r\n\r\r\n"
               "\r\n[Read    from: COM6]\r\nAT" + s73 + "\r\r\r\nERROR\r\r\n"
               "\r\n[Write   to  : COM6]\r\nAT\r\r\n"
               "\r\n[Read    from: COM6]\r\nAT\r\r\r\nOK\r\r\n";
        // clang-format on
    };
    const std::string file = readFile(trace());
    bool matched = false;
    for (std::time_t t = before; t <= after; ++t) matched = matched || file == expectedAt(t);
    EXPECT_TRUE(matched) << file;
}

TEST_F(LinkTest, TraceSettingIsDecidedByEachOpen) {
    dev = testsupport::startSim({}, "COM6");
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
        EXPECT_EQ(r.open, link.Open("COM6", 57600, 0, 0)) << (r.enable ? r.enable : "-");
        platform::SerialPort other;  // 1013 comes before the port is touched
        EXPECT_EQ(r.open == 0 ? platform::kAccessDenied : platform::kOk, other.open("COM6"));
        link.Close();
        EXPECT_EQ(r.traced, !readFile(trace()).empty()) << (r.enable ? r.enable : "-");
    }
    // Close applies the size limit even after a failed Open (which writes no
    // header that would grow the file first).
    setTrace("1");
    testsupport::writeFile(trace(), std::string(153601, 'x'));
    EXPECT_EQ(1002, link.Open("/dev/velka-no-such-port", 57600, 0, 0));
    EXPECT_EQ(0, link.Close());
    EXPECT_TRUE(readFile(trace()).starts_with("This trace file was restarted at "));
    EXPECT_LT(readFile(trace()).size(), 200u);
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
        setOptimalSpeed(r.optimal >= 0 ? std::optional(static_cast<std::uint32_t>(r.optimal))
                                       : std::nullopt);
        sim::Scenario sc;
        sc.maxSpeed = r.maxSpeed;
        sc.faults.silentAfter = r.silentAfter;
        auto sim = testsupport::startSim(sc, "COM9");
        ASSERT_TRUE(sim);
        std::uint32_t speed = 1234;
        EXPECT_EQ(0, link.DetectSpeed("COM9", speed));
        EXPECT_EQ(r.expected, speed) << r.maxSpeed << "/" << r.optimal;
        EXPECT_FALSE(link.IsOpen());
        EXPECT_EQ(0u, serial::StoredComSpeed("COM9"));  // storing is the caller's
    }
    // A port that cannot be opened is no adapter that never answered.
    std::uint32_t speed = 1234;
    EXPECT_EQ(1002, link.DetectSpeed("/dev/velka-no-such-port", speed));
    EXPECT_EQ(1234u, speed);
}

TEST_F(LinkTest, TactlSpeedStoresAsTheFolderDoesAndMapNamesPorts) {
    testsupport::setTimeScale(0.5);
    dev = testsupport::startSim({}, "COM9");
    ASSERT_TRUE(dev);
    const auto speed = [](const char* port) {
        const auto r = testsupport::tactl({"speed", port});
        return std::to_string(r.code) + " " + r.out;
    };
    setOptimalSpeed(std::nullopt);
    EXPECT_EQ("0 speed=230400\n", speed("COM9"));
    EXPECT_EQ(0u, serial::StoredComSpeed("COM9"));  // setting missing: not stored
    setOptimalSpeed(1);
    EXPECT_EQ("0 speed=230400\n", speed("COM9"));
    EXPECT_EQ(230400u, serial::StoredComSpeed("COM9"));
    platform::LineSettings line;
    ASSERT_EQ(0, platform::getDefaultCommConfig("COM9", line));
    EXPECT_EQ(230400u, line.baudRate);
    {
        testsupport::PortHolder holder("COM9");
        EXPECT_EQ("1 error=1014\n", speed("COM9"));
    }
    EXPECT_EQ("1 error=1002\n", speed("/dev/velka-no-such-port"));

    for (const auto& [com, path] :
         {std::pair{"COM3", "/dev/ttyUSB0"}, std::pair{"COM4", "/dev/ttyUSB1"},
          std::pair{"COM3", "/dev/ttyACM0"}})
        EXPECT_EQ(0, testsupport::tactl({"map", com, path}).code);
    EXPECT_EQ("COM9 " + dev->devicePath() + "\nCOM4 /dev/ttyUSB1\nCOM3 /dev/ttyACM0\n",
              testsupport::tactl({"ports"}).out);
    EXPECT_EQ(2, testsupport::tactl({"map", "/dev/x", "COM3"}).code);
}

}  // namespace
