// Finding adapters on all ports at once, against simulated adapters behind
// real pseudo-terminals and ports that are missing, silent or busy.
#include "info/info.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "sim/pty_adapter.h"
#include "tests/support/temp_home.h"

using namespace device;

namespace {

class InfoPollTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("VELKA_TA_TIME_SCALE", "0.2", 1);
        platform::reloadTimeScale();
        // Slots without a simulator point at device nodes that do not exist,
        // so the machine's own serial ports stay out of the test.
        for (int n = 1; n <= CInfo::kMaxSlots; ++n)
            platform::mapPortName("COM" + std::to_string(n),
                                  home.file("none-" + std::to_string(n)));
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = std::make_unique<CDeviceInfo>();
            pointers[i] = records[i].get();
        }
    }

    void startSim(int com, sim::Kind kind, bool northAmerica = false,
                  sim::Firmware firmware = sim::Firmware::Running, int silentAfter = -1) {
        sim::Scenario scenario = sim::defaultScenario(kind, northAmerica);
        scenario.firmware = firmware;
        scenario.faults.silentAfter = silentAfter;
        sim::PtyAdapter::Options options;
        options.comName = "COM" + std::to_string(com);
        ASSERT_EQ(sim::PtyAdapter::start(scenario, options, sims[com]), 0);
    }

    testsupport::TempHome home;
    std::map<int, std::unique_ptr<sim::PtyAdapter>> sims;
    std::array<std::unique_ptr<CDeviceInfo>, CInfo::kMaxSlots> records;
    std::array<CDeviceInfo*, CInfo::kMaxSlots> pointers{};
    CInfo info;
};

TEST_F(InfoPollTest, EachAdapterLandsInTheSlotOfItsComNumber) {
    startSim(2, sim::Kind::Box);
    startSim(3, sim::Kind::Pro, true);
    startSim(6, sim::Kind::Box, false, sim::Firmware::Running, 0);  // silent
    startSim(7, sim::Kind::Other);
    startSim(8, sim::Kind::Box, false, sim::Firmware::BootState);
    startSim(9, sim::Kind::Pci, true, sim::Firmware::MessageMode);
    // Left-overs of an earlier detection must not survive it.
    records[9]->type = kDevicePcCard;

    info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);

    const struct {
        int slot;
        std::int32_t type, openState, region, firmware;
    } expected[] = {
        {0, kDeviceNone, kOpenFailed, kRegionUnknown, kFirmwareUnknown},
        {1, kDeviceExternal, kOpenOk, kRegionInternational, kFirmwareRunning},
        {2, kDevicePro, kOpenOk, kRegionNorthAmerica, kFirmwareRunning},
        {5, kDeviceNone, kOpenOk, kRegionUnknown, kFirmwareUnknown},  // opens, answers nothing
        {6, kDeviceOtherMaker, kOpenOk, kRegionUnknown, kFirmwareUnknown},
        {7, kDeviceExternal, kOpenOk, kRegionUnknown, kFirmwareBootOnly},
        {8, kDevicePci, kOpenOk, kRegionNorthAmerica, kFirmwareRunning},
        {9, kDeviceNone, kOpenFailed, kRegionUnknown, kFirmwareUnknown},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE("slot " + std::to_string(e.slot));
        const CDeviceInfo& d = *records[static_cast<std::size_t>(e.slot)];
        EXPECT_EQ(d.port, "COM" + std::to_string(e.slot + 1));
        EXPECT_EQ(d.type, e.type);
        EXPECT_EQ(d.openState, e.openState);
        EXPECT_EQ(d.region, e.region);
        EXPECT_EQ(d.firmwareState, e.firmware);
    }
}

TEST_F(InfoPollTest, BusyPortsNullAndRepeatedRecordsAreHandled) {
    startSim(2, sim::Kind::Box);
    startSim(4, sim::Kind::PcCard);
    platform::SerialPort holder;
    ASSERT_EQ(holder.open("COM2"), platform::kOk);
    pointers[0] = nullptr;
    pointers[5] = pointers[3];  // the same record twice: queried once, for COM4

    info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);
    EXPECT_EQ(records[1]->openState, kOpenBusy);
    EXPECT_EQ(records[1]->type, kDeviceNone);
    EXPECT_EQ(records[3]->type, kDevicePcCard);
    EXPECT_STREQ(records[3]->port, "COM4");
    EXPECT_EQ(records[0]->openState, kOpenNotTried);  // never handed over
    EXPECT_EQ(info.GetDeviceInfo(nullptr, 10), platform::kInvalidParameter);
}

TEST_F(InfoPollTest, PollPortsKeepsStoredRecordsAndMarksDeadPorts) {
    startSim(2, sim::Kind::Box);
    startSim(6, sim::Kind::Box, false, sim::Firmware::Running, 0);  // silent
    std::vector<CRegistry> keys;
    for (int com : {2, 6, 8}) {
        CRegistry key(std::string(kSuiteKey) + "\\Ports\\Port" + std::to_string(com));
        auto stored = std::make_unique<CDeviceInfo>();
        stored->SetPort(("COM" + std::to_string(com)).c_str());
        stored->type = kDeviceExternal;
        stored->versionText[0] = 'V';
        stored->versionText[1] = '\0';
        ASSERT_EQ(info.StoreDeviceInfoToReg(key, stored.get()), 0);
        keys.push_back(key);
    }
    std::vector<std::unique_ptr<CDeviceInfo>> fresh;
    std::vector<CDeviceInfo*> polled;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        fresh.push_back(std::make_unique<CDeviceInfo>());
        polled.push_back(fresh.back().get());
    }
    EXPECT_EQ(info.PollPorts(keys, polled.data()), kDeviceOpenFailed);
    EXPECT_EQ(fresh[0]->openState, kOpenOk);
    EXPECT_EQ(fresh[0]->type, kDeviceExternal);
    EXPECT_STREQ(fresh[0]->versionText, "V");     // the stored record, not a reset one
    EXPECT_EQ(fresh[1]->openState, kOpenFailed);  // silent
    EXPECT_EQ(fresh[2]->openState, kOpenFailed);  // missing
    keys.resize(1);
    EXPECT_EQ(info.PollPorts(keys, polled.data()), 0);
}

}  // namespace
