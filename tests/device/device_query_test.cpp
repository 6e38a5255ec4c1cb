// The status query against simulated adapters behind real pseudo-terminals.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "device/device_info.h"
#include "platform/event.h"
#include "platform/serial_port.h"
#include "tests/support/sim_port.h"

using namespace device;

namespace {

class DeviceQueryTest : public testing::Test {
protected:
    // At a fifth of the real times a reply still arrives well inside its
    // 200 ms on a loaded machine.
    void SetUp() override { testsupport::setTimeScale(0.2); }

    // Starts a simulator on COM3 and runs one query there.
    std::unique_ptr<CDeviceInfo> queryScenario(const sim::Scenario& scenario,
                                               std::int32_t& result) {
        testsupport::writeFile(transcript(), "");
        auto adapter = testsupport::startSim(scenario, "COM3", transcript());
        EXPECT_TRUE(adapter);
        auto d = query("COM3", result);
        // Every path closes the port again.
        platform::SerialPort probe;
        EXPECT_EQ(probe.open("COM3"), platform::kOk);
        return d;
    }

    static std::unique_ptr<CDeviceInfo> query(const char* port, std::int32_t& result) {
        auto d = std::make_unique<CDeviceInfo>();
        d->SetPort(port);
        result = d->QueryStatus();
        return d;
    }

    // How often the adapter received a command line starting with `command`.
    std::size_t received(const std::string& command) const {
        const auto lines = testsupport::receivedLines(transcript(), "COM3");
        return static_cast<std::size_t>(std::count_if(
            lines.begin(), lines.end(), [&](const auto& l) { return l.starts_with(command); }));
    }
    std::string transcript() const { return home.file("transcript.txt"); }

    testsupport::TempHome home;
};

TEST_F(DeviceQueryTest, ClassifiesEveryKindWithItsTexts) {
    const struct {
        sim::Kind kind;
        const char* line;
        std::int32_t type, region, v110;
    } cases[] = {
        {sim::Kind::Box, "EURO V110", kDeviceExternal, kRegionInternational, 1},
        {sim::Kind::Box6F, "EURO", kDeviceExternal6F, kRegionInternational, 0},
        {sim::Kind::Pro, "NI-1 V110", kDevicePro, kRegionNorthAmerica, 1},
        {sim::Kind::Pci, "EURO NI-1", kDevicePci, kRegionNorthAmerica, 0},
        {sim::Kind::PcCard, "1TR6", kDevicePcCard, kRegionUnknown, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        sim::Scenario scenario = sim::defaultScenario(c.kind, false);
        scenario.lineText = c.line;
        std::int32_t result = -1;
        auto d = queryScenario(scenario, result);
        EXPECT_EQ(result, kDeviceOk);
        EXPECT_EQ(d->openState, kOpenOk);
        EXPECT_EQ(d->type, c.type);
        EXPECT_EQ(d->region, c.region);
        EXPECT_EQ(d->v110Capable, c.v110);
        EXPECT_EQ(d->firmwareState, kFirmwareRunning);
        EXPECT_STREQ(d->identification, scenario.identification.c_str());
        EXPECT_STREQ(d->versionText, scenario.version.c_str());
        EXPECT_STREQ(d->extraText, scenario.productNumber.c_str());
        EXPECT_STREQ(d->lineText, c.line);
    }
}

TEST_F(DeviceQueryTest, ModelQueryRefusedMeansBootStateAndNoDetails) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    scenario.faults.error = {{"i9"}};
    // Without a model name anywhere the device stays of unknown model.
    std::int32_t result = -1;
    EXPECT_EQ(queryScenario(scenario, result)->type, kDeviceUnknownModel);

    // A damaged firmware that names its model when asked who it is.
    scenario.identification = "Velka Technology Corporation Tamo T/A ISDN Modem";
    auto d = queryScenario(scenario, result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDeviceExternal);
    EXPECT_EQ(d->firmwareState, kFirmwareBootOnly);
    EXPECT_STREQ(d->versionText, "");
    EXPECT_STREQ(d->lineText, "");
    EXPECT_STREQ(d->extraText, "");
    EXPECT_EQ(received("atI3"), 0u);
}

TEST_F(DeviceQueryTest, BusyAndAbsentPortsAreTold) {
    auto adapter = testsupport::startSim(sim::defaultScenario(sim::Kind::Box, false), "COM3");
    ASSERT_TRUE(adapter);
    platform::SerialPort holder;
    ASSERT_EQ(holder.open("COM3"), platform::kOk);
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceOpenFailed);
    EXPECT_EQ(d->openState, kOpenBusy);
    EXPECT_EQ(d->CheckPort(), kDeviceOpenFailed);
    EXPECT_EQ(d->openState, kOpenBusy);
    holder.close();
    EXPECT_EQ(d->CheckPort(), kDeviceOk);
    EXPECT_EQ(d->openState, kOpenOk);

    for (const char* absent : {"COM249", "/dev/velka-no-such-port", ""}) {
        d = query(absent, result);
        EXPECT_EQ(result, kDeviceOpenFailed) << absent;
        EXPECT_EQ(d->openState, kOpenFailed) << absent;
    }
}

TEST_F(DeviceQueryTest, FailingCommandsGiveTheirCodesAndKeepEarlierFields) {
    enum Fault { Silent, LongReply, SilentAfter1 };
    const struct {
        const char* command;
        Fault fault;
        std::int32_t result;
        const char* version;
    } cases[] = {
        {"I3", Silent, kDeviceNoReply, ""},
        {"I20", LongReply, kDeviceNoEcho, "V2.10"},
        {"I4", Silent, kDeviceNoReply, "V2.10"},
        {"i9", LongReply, kDeviceOk, ""},        // an over-long model reply: model unknown
        {"", SilentAfter1, kDeviceNoReply, ""},  // silent from "atI8" on: five probes, then 7004
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        sim::Scenario scenario = sim::defaultScenario(sim::Kind::Pro, false);
        if (c.fault == Silent) scenario.faults.silent = {{c.command}};
        if (c.fault == LongReply) scenario.faults.longReply = {{c.command}};
        if (c.fault == SilentAfter1) scenario.faults.silentAfter = 1;
        std::int32_t result = -1;
        auto d = queryScenario(scenario, result);
        EXPECT_EQ(result, c.result);
        EXPECT_STREQ(d->versionText, c.version);
        EXPECT_EQ(d->openState, kOpenOk);
    }
}

TEST_F(DeviceQueryTest, ProbingSendsOnlyWhatTheDeviceCanAnswer) {
    const auto scenario = [](sim::Kind kind, sim::Firmware firmware) {
        sim::Scenario s = sim::defaultScenario(kind, kind == sim::Kind::Pro);
        s.firmware = firmware;
        return s;
    };
    const struct {
        sim::Scenario scenario;
        std::int32_t type, firmware;
        std::size_t identifications, quits;
    } cases[] = {
        // Another maker's modem: the identification is the only command
        // after the open's initial one.
        {scenario(sim::Kind::Other, sim::Firmware::Running), kDeviceOtherMaker, kFirmwareUnknown, 1,
         0},
        // The boot loader knows no message mode: no exit, no second pass.
        {scenario(sim::Kind::Box6F, sim::Firmware::BootState), kDeviceExternal6F, kFirmwareBootOnly,
         1, 0},
        {scenario(sim::Kind::PcCard, sim::Firmware::BootState), kDevicePcCard, kFirmwareBootOnly, 1,
         0},
        // Message mode is left and the second pass reads the device.
        {scenario(sim::Kind::Pro, sim::Firmware::MessageMode), kDevicePro, kFirmwareRunning, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::int32_t result = -1;
        auto d = queryScenario(c.scenario, result);
        EXPECT_EQ(result, kDeviceOk);
        EXPECT_EQ(d->type, c.type);
        EXPECT_EQ(d->firmwareState, c.firmware);
        EXPECT_EQ(received("atI8"), c.identifications);
        EXPECT_EQ(received("at@quit"), c.quits);
        EXPECT_STREQ(d->versionText, c.firmware == kFirmwareRunning ? "V2.10" : "");
        EXPECT_TRUE(c.type != kDeviceOtherMaker || received("") == 2u);
    }
}

// A device that falls back into its message mode right after every exit.
// The simulator leaves that mode for good, so a raw peer plays this device.
TEST_F(DeviceQueryTest, SecondMessageModeExitStartsNoThirdPass) {
    std::atomic<int> quits{0};
    testsupport::RawPeer peer("COM8");
    ASSERT_TRUE(peer.ok());
    peer.serve([&](const std::string& line) -> std::string {
        if (line == "ati9") return "\r\nTamo T/A PCI ISDN Modem\r\n";
        if (line == "at@msg") return "\r\nmsg 1: cause 16 (user)\r\n";
        if (line == "at@quit") ++quits;
        return line == "at@quit" || line == "AT" ? "\r\nOK\r\n" : "";
    });
    std::int32_t result = -1;
    auto d = query("COM8", result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(quits, 2);
    EXPECT_EQ(d->type, kDevicePci);
    EXPECT_EQ(d->firmwareState, kFirmwareBootOnly);
}

// Once an exchange has ended, answered or not, what the adapter sends next
// (a late answer, a line of its own) stays out of the record: its caller
// reads the buffers without the link's lock.
TEST_F(DeviceQueryTest, TextAfterAnExchangeLeavesTheRecordAlone) {
    testsupport::setTimeScale(0.5);  // the answered case must beat its wait
    testsupport::RawPeer peer("COM8");
    ASSERT_TRUE(peer.ok());
    auto d = std::make_unique<CDeviceInfo>();
    d->SetPort("COM8");
    ASSERT_EQ(d->serial.Open("COM8", 57600, 0, 0), 0);
    const struct {
        const char* command;
        const char* answer;  // null: silent
        std::int32_t result;
    } cases[] = {
        {"atI3\r", "atI3\r\r\nV2.10\r\n\r\nOK\r\n", kDeviceOk},
        {"atI4\r", nullptr, kDeviceNoReply},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        std::int32_t result = -1;
        std::thread caller([&] { result = d->SendCommand(c.command); });
        EXPECT_EQ(peer.readUntil("\r"), c.command);
        if (c.answer) {
            EXPECT_TRUE(peer.send(c.answer));
        }
        caller.join();
        EXPECT_EQ(result, c.result);
        const std::string exchanged = d->echoBuffer;
        ASSERT_TRUE(peer.send("\r\nNO CARRIER\r\n"));
        EXPECT_EQ(d->replyEvent->wait(300), platform::WaitResult::Timeout);
        EXPECT_EQ(d->echoBuffer, exchanged);
    }
    d->serial.Close();
}

}  // namespace
