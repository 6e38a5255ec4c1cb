// The status query against simulated adapters behind real pseudo-terminals.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "device/device_info.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "sim/pty_adapter.h"
#include "tests/support/temp_home.h"

using namespace device;

namespace {

class DeviceQueryTest : public testing::Test {
protected:
    void SetUp() override {
        // At a fifth of the real times a reply still arrives well inside its
        // 200 ms on a loaded machine.
        setenv("VELKA_TA_TIME_SCALE", "0.2", 1);
        platform::reloadTimeScale();
    }

    // Starts a simulator on COM3 and runs one query there.
    std::unique_ptr<CDeviceInfo> queryScenario(const sim::Scenario& scenario,
                                               std::int32_t& result) {
        sim::PtyAdapter::Options options;
        options.comName = "COM3";
        options.transcriptPath = home.file("transcript-" + std::to_string(++sims) + ".txt");
        transcriptPath = options.transcriptPath;
        std::unique_ptr<sim::PtyAdapter> adapter;
        EXPECT_EQ(sim::PtyAdapter::start(scenario, options, adapter), 0);
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
        const std::string log = testsupport::readFile(transcriptPath), part = " < " + command;
        std::size_t n = 0;
        for (auto at = log.find(part); at != std::string::npos; at = log.find(part, at + 1)) ++n;
        return n;
    }

    testsupport::TempHome home;
    std::string transcriptPath;
    int sims = 0;
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

TEST_F(DeviceQueryTest, AnotherMakersModemGetsNoSecondCommand) {
    std::int32_t result = -1;
    auto d = queryScenario(sim::defaultScenario(sim::Kind::Other, false), result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDeviceOtherMaker);
    EXPECT_EQ(d->firmwareState, kFirmwareUnknown);
    EXPECT_EQ(received("atI8"), 1u);
    EXPECT_EQ(received(""), 2u);  // the open's initial command and the identification
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
    sim::PtyAdapter::Options options;
    options.comName = "COM3";
    std::unique_ptr<sim::PtyAdapter> adapter;
    ASSERT_EQ(sim::PtyAdapter::start(sim::defaultScenario(sim::Kind::Box, false), options, adapter),
              0);
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

TEST_F(DeviceQueryTest, BootStateDeviceIsFoundByProbing) {
    const std::pair<sim::Kind, std::int32_t> kinds[] = {
        {sim::Kind::Box6F, kDeviceExternal6F},
        {sim::Kind::PcCard, kDevicePcCard},
    };
    for (const auto& [kind, type] : kinds) {
        sim::Scenario scenario = sim::defaultScenario(kind, false);
        scenario.firmware = sim::Firmware::BootState;
        std::int32_t result = -1;
        auto d = queryScenario(scenario, result);
        EXPECT_EQ(result, kDeviceOk);
        EXPECT_EQ(d->type, type);
        EXPECT_EQ(d->firmwareState, kFirmwareBootOnly);
        // The boot loader knows no message mode: no exit, no second pass.
        EXPECT_EQ(received("atI8"), 1u);
        EXPECT_EQ(received("at@quit"), 0u);
    }
}

TEST_F(DeviceQueryTest, MessageModeIsLeftAndTheSecondPassReadsTheDevice) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Pro, true);
    scenario.firmware = sim::Firmware::MessageMode;
    std::int32_t result = -1;
    auto d = queryScenario(scenario, result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDevicePro);
    EXPECT_EQ(d->firmwareState, kFirmwareRunning);
    EXPECT_STREQ(d->versionText, scenario.version.c_str());
    EXPECT_EQ(received("atI8"), 2u);
    EXPECT_EQ(received("at@quit"), 1u);
}

// A device that falls back into its message mode right after every exit.
// The simulator leaves that mode for good, so this peer plays the device on
// a pseudo-terminal of its own.
class RelapsingPeer {
public:
    RelapsingPeer() {
        char name[128] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        path_ = name;
        thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
    }
    ~RelapsingPeer() {
        thread_ = {};
        if (slave_ >= 0) close(slave_);
        if (master_ >= 0) close(master_);
    }
    const std::string& path() const { return path_; }
    int quits() const { return quits_; }

private:
    void run(std::stop_token stop) {
        std::string line;
        while (!stop.stop_requested()) {
            pollfd p{master_, POLLIN, 0};
            char buf[256];
            if (poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) continue;
            send(std::string(buf, static_cast<std::size_t>(n)));  // echo
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] == '\r') {
                    answer(line);
                    line.clear();
                } else if (buf[i] != '\n') {
                    line.push_back(buf[i]);
                }
            }
        }
    }
    void answer(const std::string& line) {
        if (line == "ati9") send("\r\nTamo T/A PCI ISDN Modem\r\n");
        if (line == "at@msg") send("\r\nmsg 1: cause 16 (user)\r\n");
        if (line == "at@quit") ++quits_;
        if (line == "at@quit" || line == "AT") send("\r\nOK\r\n");
    }
    void send(const std::string& text) {
        if (write(master_, text.data(), text.size()) < 0) return;
    }

    int master_ = -1, slave_ = -1;
    std::string path_;
    std::atomic<int> quits_{0};
    std::jthread thread_;
};

TEST_F(DeviceQueryTest, SecondMessageModeExitStartsNoThirdPass) {
    RelapsingPeer peer;
    ASSERT_FALSE(peer.path().empty());
    ASSERT_EQ(platform::mapPortName("COM8", peer.path()), platform::kOk);
    std::int32_t result = -1;
    auto d = query("COM8", result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(peer.quits(), 2);
    EXPECT_EQ(d->type, kDevicePci);
    EXPECT_EQ(d->firmwareState, kFirmwareBootOnly);
}

}  // namespace
