// The simulator behind a real pseudo-terminal: what a host sees on the line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/clock.h"
#include "platform/registry_store.h"
#include "sim/pty_adapter.h"
#include "tests/sim/sim_test_util.h"
#include "tests/support/temp_home.h"

namespace {

using simtest::HostPort;

class PtyAdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("VELKA_TA_TIME_SCALE", "0.1", 1);
        platform::reloadTimeScale();
    }

    void start(const sim::Scenario& sc, const std::string& com = "") {
        sim::PtyAdapter::Options opt;
        opt.comName = com;
        ASSERT_EQ(0, sim::PtyAdapter::start(sc, opt, dev));
        ASSERT_TRUE(host.open(dev->devicePath()));
    }

    testsupport::TempHome home;
    std::unique_ptr<sim::PtyAdapter> dev;
    HostPort host;
};

std::string mappedCom(const std::string& devicePath) {
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, sim::kSerialCommKey, key) != 0)
        return {};
    std::string data;
    key.readString(devicePath, data);
    return data;
}

TEST_F(PtyAdapterTest, EchoesCommandsAndAnswersWithWordCodes) {
    start(sim::Scenario{});
    struct Row {
        const char* sent;
        const char* expected;
    };
    const Row rows[] = {
        {"AT\r", "AT\r\r\nOK\r\n"},
        {"at\r", "at\r\r\nOK\r\n"},
        // The initial command's line feed is echoed before the answer.
        {"ATV1E1&K3\r\n", "ATV1E1&K3\r\n\r\nOK\r\n"},
        {"ATJ\r", "ATJ\r\r\nERROR\r\n"},
        {"AT#\r", "AT#\r\r\nERROR\r\n"},
        {"ATE0\r", "ATE0\r\r\nOK\r\n"},
        {"AT\r", "\r\nOK\r\n"},  // no echo any more
        {"ATE1V0\r", "0\r"},
        {"ATFOO\r", "ATFOO\r4\r"},
        {"ATV1\r", "ATV1\r\r\nOK\r\n"},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(host.write(r.sent));
        std::string got = host.readUntil(r.expected, 3000);
        EXPECT_EQ(r.expected, got) << "sent " << r.sent;
    }
}

TEST_F(PtyAdapterTest, IgnoresEmptyLinesAndTextWithoutAt) {
    start(sim::Scenario{});
    // "\r\r": the second carriage return is an empty line and gets no answer,
    // so the host's result-code check still sees the OK at the very end.
    EXPECT_TRUE(host.write("AT\r\r"));
    EXPECT_EQ("AT\r\r\r\nOK\r\n", host.readUntil("OK\r\n", 3000));
    EXPECT_TRUE(host.write("hello\r"));
    EXPECT_EQ("hello\r", host.readFor(300));
}

TEST_F(PtyAdapterTest, StaysSilentAboveItsHighestSpeed) {
    sim::Scenario sc;
    sc.maxSpeed = 38400;
    start(sc);
    struct Row {
        std::uint32_t speed;
        bool answers;
    };
    for (Row r : {Row{4800, true}, Row{38400, true}, Row{57600, false}, Row{230400, false},
                  Row{9600, true}}) {
        ASSERT_TRUE(host.setSpeed(r.speed));
        std::string got = host.command("AT\r", r.answers ? 3000 : 400);
        EXPECT_EQ(r.answers, got == "AT\r\r\nOK\r\n") << r.speed << ": " << got;
    }
}

TEST_F(PtyAdapterTest, InjectedFaults) {
    sim::Scenario sc;
    sc.faults.silent = {{"I3"}};
    sc.faults.error = {{"&V"}};
    sc.faults.longReply = {{"I4"}};
    start(sc);
    // A silenced command is echoed but never answered.
    EXPECT_EQ("ATI3\r", host.command("ATI3\r", 400));
    EXPECT_EQ("AT&V\r\r\nERROR\r\n", host.command("AT&V\r"));
    std::string longReply = host.command("ati4\r");
    EXPECT_GT(longReply.size(), 4095u);
    EXPECT_TRUE(simtest::endsInResultCode(longReply));
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
}

TEST_F(PtyAdapterTest, FallsSilentAfterConfiguredCommandCount) {
    sim::Scenario sc;
    sc.faults.silentAfter = 2;
    start(sc);
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    // The third command is still echoed (the echo comes before the adapter
    // looks at it), then the adapter hangs and says nothing at all.
    EXPECT_EQ("AT\r", host.command("AT\r", 400));
    EXPECT_EQ("", host.command("AT\r", 400));
}

TEST_F(PtyAdapterTest, PortVanishesMidCommand) {
    sim::Scenario sc;
    sc.faults.vanish = {{"&V"}};
    start(sc, "COM5");
    EXPECT_EQ("COM5", mappedCom(dev->devicePath()));
    EXPECT_TRUE(host.write("AT&V\r"));
    EXPECT_TRUE(host.hungUp());
    EXPECT_TRUE(dev->vanished());
    EXPECT_EQ("", mappedCom(dev->devicePath()));
}

TEST_F(PtyAdapterTest, VanishOnRequestHangsUpTheHost) {
    start(sim::Scenario{});
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    dev->vanish();
    EXPECT_TRUE(host.hungUp());
}

TEST_F(PtyAdapterTest, ComNameMappingLivesWithTheAdapter) {
    // A mapping left behind by a killed simulator must not shadow the new one.
    {
        platform::RegKey key;
        ASSERT_EQ(
            0, platform::RegKey::create(platform::RegRoot::LocalMachine, sim::kSerialCommKey, key));
        ASSERT_EQ(0, key.setString("/dev/pts/stale", "COM9"));
    }
    start(sim::Scenario{}, "COM9");
    std::string path = dev->devicePath();
    EXPECT_EQ("COM9", mappedCom(path));
    EXPECT_EQ("", mappedCom("/dev/pts/stale"));
    host.close();
    dev.reset();
    EXPECT_EQ("", mappedCom(path));
}

TEST_F(PtyAdapterTest, HostMayCloseAndReopenTheLine) {
    start(sim::Scenario{});
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    host.close();
    ASSERT_TRUE(host.open(dev->devicePath(), 115200));
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
}

TEST_F(PtyAdapterTest, PacedOutputTakesItsLineTime) {
    // At 4800 bit/s the 5000-character reply needs about ten seconds on the
    // wire; a quarter of a second later only a small part can have arrived.
    // (Only an upper bound is checked, which a slow machine cannot break.)
    setenv("VELKA_TA_TIME_SCALE", "1", 1);
    platform::reloadTimeScale();
    sim::Scenario sc;
    sc.pace = true;
    sc.faults.longReply = {{"I4"}};
    start(sc);
    ASSERT_TRUE(host.setSpeed(4800));
    ASSERT_TRUE(host.write("ATI4\r"));
    std::string early = host.readFor(250);
    EXPECT_LT(early.size(), 1000u);
    dev.reset();  // ends the paced write at once
}

}  // namespace
