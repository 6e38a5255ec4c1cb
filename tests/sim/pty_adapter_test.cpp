// The simulator behind a real pseudo-terminal: what a host sees on the line.
#include <gtest/gtest.h>

#include <memory>

#include "platform/registry_store.h"
#include "tests/sim/sim_test_util.h"
#include "tests/support/sim_port.h"

namespace {

using simtest::HostPort;
using testsupport::mappedCom;

class PtyAdapterTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::setTimeScale(0.1); }

    void start(const sim::Scenario& sc, const std::string& com = "") {
        dev = testsupport::startSim(sc, com);
        ASSERT_TRUE(dev && host.open(dev->devicePath()));
    }

    testsupport::TempHome home;
    std::unique_ptr<sim::PtyAdapter> dev;
    HostPort host;
};

TEST_F(PtyAdapterTest, EchoesCommandsAndAnswersWithWordCodes) {
    start(sim::Scenario{});
    struct Row {
        const char *sent, *expected;
    };
    const Row rows[] = {
        {"at\r", "at\r\r\nOK\r\n"},
        // "\r\r": the second carriage return is an empty line and gets no
        // answer, so the host's result-code check still sees OK at the end.
        {"AT\r\r", "AT\r\r\r\nOK\r\n"},
        {"hello\r", "hello\r"},  // not for the adapter: echoed only
        // The initial command's line feed is echoed before the answer.
        {"ATV1E1&K3\r\n", "ATV1E1&K3\r\n\r\nOK\r\n"},
        {"ATJ\r", "ATJ\r\r\nERROR\r\n"},
        {"ATE0\r", "ATE0\r\r\nOK\r\n"},
        {"AT\r", "\r\nOK\r\n"},  // no echo any more
        {"ATE1V0\r", "0\r"},
        {"ATFOO\r", "ATFOO\r4\r"},
        {"ATV1\r", "ATV1\r\r\nOK\r\n"},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(host.write(r.sent));
        EXPECT_EQ(r.expected, host.readUntil(r.expected, 3000)) << "sent " << r.sent;
    }
}

TEST_F(PtyAdapterTest, StaysSilentAboveItsHighestSpeed) {
    sim::Scenario sc;
    sc.maxSpeed = 38400;
    start(sc);
    for (const auto& [speed, answers] : {std::pair{4800u, true},
                                         {38400u, true},
                                         {57600u, false},
                                         {230400u, false},
                                         {9600u, true}}) {
        ASSERT_TRUE(host.setSpeed(speed));
        const std::string got = host.command("AT\r", answers ? 3000 : 400);
        EXPECT_EQ(answers, got == "AT\r\r\nOK\r\n") << speed << ": " << got;
    }
}

TEST_F(PtyAdapterTest, InjectedFaults) {
    sim::Scenario sc;
    sc.faults.silent = {{"I3"}};
    sc.faults.error = {{"&V"}};
    sc.faults.longReply = {{"I4"}};
    sc.faults.silentAfter = 4;
    start(sc);
    EXPECT_EQ("ATI3\r", host.command("ATI3\r", 400));  // echoed, never answered
    EXPECT_EQ("AT&V\r\r\nERROR\r\n", host.command("AT&V\r"));
    const std::string longReply = host.command("ati4\r");
    EXPECT_GT(longReply.size(), 4095u);
    EXPECT_TRUE(simtest::endsInResultCode(longReply));
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    // The fifth command is still echoed (the echo comes before the adapter
    // looks at it), then the adapter hangs and says nothing at all.
    EXPECT_EQ("AT\r", host.command("AT\r", 400));
    EXPECT_EQ("", host.command("AT\r", 400));
}

TEST_F(PtyAdapterTest, PortVanishesMidCommandOrOnRequest) {
    sim::Scenario sc;
    sc.faults.vanish = {{"&V"}};
    start(sc, "COM5");
    EXPECT_EQ("COM5", mappedCom(dev->devicePath()));
    EXPECT_TRUE(host.write("AT&V\r"));
    EXPECT_TRUE(host.hungUp());
    EXPECT_TRUE(dev->vanished());
    EXPECT_EQ("", mappedCom(dev->devicePath()));

    start(sim::Scenario{});
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    dev->vanish();
    EXPECT_TRUE(host.hungUp());
}

TEST_F(PtyAdapterTest, ComNameMappingLivesWithTheAdapter) {
    // A mapping left behind by a killed simulator must not shadow the new one.
    platform::RegKey key;
    ASSERT_EQ(0,
              platform::RegKey::create(platform::RegRoot::LocalMachine, sim::kSerialCommKey, key));
    ASSERT_EQ(0, key.setString("/dev/pts/stale", "COM9"));
    start(sim::Scenario{}, "COM9");
    const std::string path = dev->devicePath();
    EXPECT_EQ("COM9", mappedCom(path));
    EXPECT_EQ("", mappedCom("/dev/pts/stale"));
    // The host may close the line and open it again at another speed.
    host.close();
    ASSERT_TRUE(host.open(path, 115200));
    EXPECT_EQ("AT\r\r\nOK\r\n", host.command("AT\r"));
    host.close();
    dev.reset();
    EXPECT_EQ("", mappedCom(path));
}

TEST_F(PtyAdapterTest, PacedOutputTakesItsLineTime) {
    // At 4800 bit/s the 5000-character reply needs about ten seconds on the
    // wire; a quarter of a second later only a small part can have arrived.
    // (Only an upper bound is checked, which a slow machine cannot break.)
    testsupport::setTimeScale(1);
    sim::Scenario sc;
    sc.pace = true;
    sc.faults.longReply = {{"I4"}};
    start(sc);
    ASSERT_TRUE(host.setSpeed(4800));
    ASSERT_TRUE(host.write("ATI4\r"));
    EXPECT_LT(host.readFor(250).size(), 1000u);
    dev.reset();  // ends the paced write at once
}

}  // namespace
