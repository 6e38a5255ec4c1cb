// The status query against a simulated adapter behind a real pseudo-terminal.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <cstdlib>
#include <memory>
#include <string>

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
        // Every wait of the query is scaled; at a fifth of the real times a
        // reply still arrives well inside its 200 ms on a loaded machine.
        setenv("VELKA_TA_TIME_SCALE", "0.2", 1);
        platform::reloadTimeScale();
    }

    void startSim(const sim::Scenario& scenario, const std::string& com = "COM3") {
        sim::PtyAdapter::Options options;
        options.comName = com;
        // A fresh transcript per simulator, so loops over scenarios count apart.
        options.transcriptPath =
            home.file("transcript-" + com + "-" + std::to_string(++simCount) + ".txt");
        transcriptPath = options.transcriptPath;
        ASSERT_EQ(sim::PtyAdapter::start(scenario, options, sim), 0);
    }

    std::unique_ptr<CDeviceInfo> query(const char* port, std::int32_t& result) {
        auto device = std::make_unique<CDeviceInfo>();
        device->SetPort(port);
        result = device->QueryStatus();
        return device;
    }

    std::string transcript() const { return testsupport::readFile(transcriptPath); }

    static std::size_t count(const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }

    // The query must leave the port closed on every path.
    static void expectPortFree(const char* port) {
        platform::SerialPort probe;
        EXPECT_EQ(probe.open(port), platform::kOk) << port << " left open";
    }

    testsupport::TempHome home;
    std::unique_ptr<sim::PtyAdapter> sim;
    std::string transcriptPath;
    int simCount = 0;
};

struct KindCase {
    const char* name;
    sim::Kind kind;
    bool northAmerica;
    std::int32_t type;
    std::int32_t region;
};

TEST_F(DeviceQueryTest, ClassifiesEveryKindWithItsTexts) {
    const KindCase cases[] = {
        {"box", sim::Kind::Box, false, kDeviceExternal, kRegionInternational},
        {"box 6F", sim::Kind::Box6F, false, kDeviceExternal6F, kRegionInternational},
        {"pro", sim::Kind::Pro, true, kDevicePro, kRegionNorthAmerica},
        {"pci", sim::Kind::Pci, false, kDevicePci, kRegionInternational},
        {"pc card", sim::Kind::PcCard, true, kDevicePcCard, kRegionNorthAmerica},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.name);
        const sim::Scenario scenario = sim::defaultScenario(c.kind, c.northAmerica);
        startSim(scenario);
        std::int32_t result = -1;
        auto d = query("COM3", result);
        EXPECT_EQ(result, kDeviceOk);
        EXPECT_EQ(d->openState, kOpenOk);
        EXPECT_EQ(d->type, c.type);
        EXPECT_EQ(d->region, c.region);
        EXPECT_EQ(d->firmwareState, kFirmwareRunning);
        EXPECT_EQ(d->v110Capable, 1);
        EXPECT_STREQ(d->identification, scenario.identification.c_str());
        EXPECT_STREQ(d->versionText, scenario.version.c_str());
        EXPECT_STREQ(d->extraText, scenario.productNumber.c_str());
        EXPECT_STREQ(d->lineText, scenario.lineText.c_str());
        EXPECT_STREQ(d->resultCode, "OK");
        sim.reset();
    }
}

TEST_F(DeviceQueryTest, AnotherMakersModemGetsNoSecondCommand) {
    startSim(sim::defaultScenario(sim::Kind::Other, false));
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDeviceOtherMaker);
    EXPECT_EQ(d->firmwareState, kFirmwareUnknown);
    EXPECT_EQ(d->region, kRegionUnknown);
    const std::string log = transcript();
    EXPECT_EQ(count(log, " < atI8"), 1u) << log;
    // The open's initial command and the identification, nothing more.
    EXPECT_EQ(count(log, " < "), 2u) << log;
}

TEST_F(DeviceQueryTest, ModelQueryRefusedMeansBootStateAndNoDetails) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    // A damaged firmware still names its model when asked who it is.
    scenario.identification = "Velka Technology Corporation Tamo T/A ISDN Modem";
    scenario.faults.error = {{"i9"}};
    startSim(scenario);
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDeviceExternal);
    EXPECT_EQ(d->firmwareState, kFirmwareBootOnly);
    EXPECT_STREQ(d->versionText, "");
    EXPECT_STREQ(d->lineText, "");
    EXPECT_STREQ(d->extraText, "");
    EXPECT_EQ(count(transcript(), " < atI3"), 0u);
}

TEST_F(DeviceQueryTest, ModelQueryRefusedWithoutAnyModelNameIsUnknownModel) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    scenario.faults.error = {{"i9"}};
    startSim(scenario);
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDeviceUnknownModel);
    EXPECT_EQ(d->firmwareState, kFirmwareUnknown);
}

TEST_F(DeviceQueryTest, LineNamingEuroAndNi1IsNorthAmerican) {
    const std::pair<const char*, std::int32_t> lines[] = {
        {"EURO NI-1", kRegionNorthAmerica},
        {"NI-1 EURO", kRegionNorthAmerica},
        {"EURO", kRegionInternational},
        {"1TR6", kRegionUnknown},
    };
    for (const auto& [line, region] : lines) {
        SCOPED_TRACE(line);
        sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
        scenario.lineText = line;
        startSim(scenario);
        std::int32_t result = -1;
        auto d = query("COM3", result);
        EXPECT_EQ(result, kDeviceOk);
        EXPECT_EQ(d->region, region);
        EXPECT_EQ(d->v110Capable, 0);
        sim.reset();
    }
}

TEST_F(DeviceQueryTest, BusyAndAbsentPortsAreTold) {
    startSim(sim::defaultScenario(sim::Kind::Box, false));
    {
        platform::SerialPort holder;
        ASSERT_EQ(holder.open("COM3"), platform::kOk);
        std::int32_t result = -1;
        auto d = query("COM3", result);
        EXPECT_EQ(result, kDeviceOpenFailed);
        EXPECT_EQ(d->openState, kOpenBusy);
        EXPECT_EQ(d->type, kDeviceNone);

        auto checked = std::make_unique<CDeviceInfo>();
        checked->SetPort("COM3");
        EXPECT_EQ(checked->CheckPort(), kDeviceOpenFailed);
        EXPECT_EQ(checked->openState, kOpenBusy);
    }
    for (const char* absent : {"COM249", "/dev/velka-no-such-port", ""}) {
        SCOPED_TRACE(absent);
        std::int32_t result = -1;
        auto d = query(absent, result);
        EXPECT_EQ(result, kDeviceOpenFailed);
        EXPECT_EQ(d->openState, kOpenFailed);
    }
}

TEST_F(DeviceQueryTest, CheckPortTellsAnsweringFromSilentPorts) {
    startSim(sim::defaultScenario(sim::Kind::Pci, false));
    auto d = std::make_unique<CDeviceInfo>();
    d->SetPort("COM3");
    EXPECT_EQ(d->CheckPort(), kDeviceOk);
    EXPECT_EQ(d->openState, kOpenOk);
    // After a check the record's own query still runs in the ordinary way.
    EXPECT_EQ(d->QueryStatus(), kDeviceOk);
    EXPECT_EQ(d->type, kDevicePci);
    expectPortFree("COM3");
    sim.reset();

    sim::Scenario silent = sim::defaultScenario(sim::Kind::Pci, false);
    silent.faults.silentAfter = 0;
    startSim(silent);
    EXPECT_EQ(d->CheckPort(), kDeviceOpenFailed);
    EXPECT_EQ(d->openState, kOpenFailed);
    expectPortFree("COM3");
}

struct FaultCase {
    const char* name;
    const char* command;  // the command line body the fault hits
    enum { Silent, LongReply, Vanish } fault;
    std::int32_t result;
};

TEST_F(DeviceQueryTest, FailingDetailCommandsGiveTheirCodesAndKeepEarlierFields) {
    const FaultCase cases[] = {
        {"version silent", "I3", FaultCase::Silent, kDeviceNoReply},
        {"extra over-long", "I20", FaultCase::LongReply, kDeviceNoEcho},
        {"line silent", "I4", FaultCase::Silent, kDeviceNoReply},
        {"model over-long", "i9", FaultCase::LongReply, kDeviceOk},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Scenario scenario = sim::defaultScenario(sim::Kind::Pro, false);
        auto& list = c.fault == FaultCase::Silent      ? scenario.faults.silent
                     : c.fault == FaultCase::LongReply ? scenario.faults.longReply
                                                       : scenario.faults.vanish;
        list = {{c.command}};
        startSim(scenario);
        std::int32_t result = -1;
        auto d = query("COM3", result);
        EXPECT_EQ(result, c.result);
        EXPECT_STREQ(d->identification, "Velka Technology Corporation");
        if (std::string(c.command) == "I4") {
            EXPECT_STREQ(d->versionText, scenario.version.c_str());
            EXPECT_STREQ(d->extraText, scenario.productNumber.c_str());
        }
        expectPortFree("COM3");
        sim.reset();
    }
}

TEST_F(DeviceQueryTest, SilentDeviceEndsAfterFiveProbes) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    scenario.faults.silentAfter = 1;  // hears the initial command, then nothing
    startSim(scenario);
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceNoReply);
    EXPECT_EQ(d->openState, kOpenOk);
    EXPECT_EQ(d->type, kDeviceNone);
    expectPortFree("COM3");
}

TEST_F(DeviceQueryTest, BootStateDeviceIsFoundByProbing) {
    const std::pair<sim::Kind, std::int32_t> kinds[] = {
        {sim::Kind::Box, kDeviceExternal},
        {sim::Kind::Box6F, kDeviceExternal6F},
        {sim::Kind::PcCard, kDevicePcCard},
    };
    for (const auto& [kind, type] : kinds) {
        SCOPED_TRACE(type);
        sim::Scenario scenario = sim::defaultScenario(kind, false);
        scenario.firmware = sim::Firmware::BootState;
        startSim(scenario);
        std::int32_t result = -1;
        auto d = query("COM3", result);
        EXPECT_EQ(result, kDeviceOk);
        EXPECT_EQ(d->type, type);
        EXPECT_EQ(d->firmwareState, kFirmwareBootOnly);
        EXPECT_STREQ(d->versionText, "");
        // The boot loader knows no message mode, so there is no second pass.
        EXPECT_EQ(count(transcript(), " < atI8"), 1u);
        EXPECT_EQ(count(transcript(), " < at@quit"), 0u);
        expectPortFree("COM3");
        sim.reset();
    }
}

TEST_F(DeviceQueryTest, MessageModeIsLeftAndTheSecondPassReadsTheDevice) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Pro, true);
    scenario.firmware = sim::Firmware::MessageMode;
    startSim(scenario);
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceOk);
    EXPECT_EQ(d->type, kDevicePro);
    EXPECT_EQ(d->firmwareState, kFirmwareRunning);
    EXPECT_EQ(d->region, kRegionNorthAmerica);
    EXPECT_STREQ(d->versionText, scenario.version.c_str());
    const std::string log = transcript();
    EXPECT_EQ(count(log, " < atI8"), 2u) << log;
    EXPECT_EQ(count(log, " < at@quit"), 1u) << log;
}

TEST_F(DeviceQueryTest, SecondPassThatFindsNoDeviceGivesNoReply) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    scenario.firmware = sim::Firmware::MessageMode;
    // Out of the message mode the firmware no longer answers "atI8", while
    // "at" gets its OK: the probes of pass two find nothing.
    scenario.faults.silent = {{"I8"}};
    startSim(scenario);
    std::int32_t result = -1;
    auto d = query("COM3", result);
    EXPECT_EQ(result, kDeviceNoReply);
    EXPECT_EQ(count(transcript(), " < atI8"), 2u);
    expectPortFree("COM3");
}

// A device that falls back into its message mode right after every exit.
// The simulator's firmware leaves that mode for good, so this peer plays the
// device on a pseudo-terminal of its own.
class RelapsingPeer {
public:
    RelapsingPeer() {
        if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) return;
        char name[128] = {};
        ttyname_r(slave_, name, sizeof name);
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
            if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) continue;
            char buf[256];
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) continue;
            send(std::string(buf, static_cast<std::size_t>(n)));  // echo
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] == '\n') continue;
                if (buf[i] != '\r') {
                    line.push_back(buf[i]);
                    continue;
                }
                answer(line);
                line.clear();
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
