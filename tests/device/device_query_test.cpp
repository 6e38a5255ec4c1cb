// The status query against a simulated adapter behind a real pseudo-terminal.
#include <gtest/gtest.h>

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
        options.transcriptPath = home.file("transcript-" + com + ".txt");
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

}  // namespace
