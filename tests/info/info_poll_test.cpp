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
        for (int n = 1; n <= CInfo::kMaxSlots; ++n) {
            platform::mapPortName("COM" + std::to_string(n), home.file("no-port-" + std::to_string(n)));
        }
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = std::make_unique<CDeviceInfo>();
            pointers[i] = records[i].get();
        }
    }

    void startSim(int com, const sim::Scenario& scenario) {
        sim::PtyAdapter::Options options;
        options.comName = "COM" + std::to_string(com);
        ASSERT_EQ(sim::PtyAdapter::start(scenario, options, sims[com]), 0);
    }

    static sim::Scenario silentScenario() {
        sim::Scenario s = sim::defaultScenario(sim::Kind::Box, false);
        s.faults.silentAfter = 0;
        return s;
    }

    testsupport::TempHome home;
    std::map<int, std::unique_ptr<sim::PtyAdapter>> sims;
    std::array<std::unique_ptr<CDeviceInfo>, CInfo::kMaxSlots> records;
    std::array<CDeviceInfo*, CInfo::kMaxSlots> pointers{};
    CInfo info;
};

TEST_F(InfoPollTest, EachAdapterLandsInTheSlotOfItsComNumber) {
    startSim(2, sim::defaultScenario(sim::Kind::Box, false));
    startSim(3, sim::defaultScenario(sim::Kind::Pro, true));
    startSim(5, sim::defaultScenario(sim::Kind::Pci, false));
    startSim(6, silentScenario());
    startSim(7, sim::defaultScenario(sim::Kind::Other, false));
    // Left-overs of an earlier detection must not survive it.
    records[9]->type = kDevicePcCard;
    records[9]->firmwareState = kFirmwareRunning;

    info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);

    const struct {
        int slot;
        std::int32_t type;
        std::int32_t openState;
        std::int32_t region;
    } expected[] = {
        {0, kDeviceNone, kOpenFailed, kRegionUnknown},
        {1, kDeviceExternal, kOpenOk, kRegionInternational},
        {2, kDevicePro, kOpenOk, kRegionNorthAmerica},
        {3, kDeviceNone, kOpenFailed, kRegionUnknown},
        {4, kDevicePci, kOpenOk, kRegionInternational},
        {5, kDeviceNone, kOpenOk, kRegionUnknown},  // silent: opens, answers nothing
        {6, kDeviceOtherMaker, kOpenOk, kRegionUnknown},
        {9, kDeviceNone, kOpenFailed, kRegionUnknown},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE("slot " + std::to_string(e.slot));
        const CDeviceInfo& d = *records[static_cast<std::size_t>(e.slot)];
        EXPECT_EQ(d.port, "COM" + std::to_string(e.slot + 1));
        EXPECT_EQ(d.type, e.type);
        EXPECT_EQ(d.openState, e.openState);
        EXPECT_EQ(d.region, e.region);
    }
    EXPECT_STREQ(records[4]->versionText, "V2.10");
    EXPECT_EQ(records[9]->firmwareState, kFirmwareUnknown);
}

TEST_F(InfoPollTest, BusyPortsNullAndRepeatedRecordsAreHandled) {
    startSim(2, sim::defaultScenario(sim::Kind::Box, false));
    startSim(4, sim::defaultScenario(sim::Kind::PcCard, false));
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

    // Fewer records than slots: only those are touched.
    auto lone = std::make_unique<CDeviceInfo>();
    CDeviceInfo* one[] = {lone.get()};
    EXPECT_EQ(info.GetDeviceInfo(one, 1), 0);
    EXPECT_STREQ(lone->port, "COM1");
    EXPECT_EQ(info.GetDeviceInfo(nullptr, 10), platform::kInvalidParameter);
}

TEST_F(InfoPollTest, PollPortsKeepsStoredRecordsAndMarksDeadPorts) {
    startSim(2, sim::defaultScenario(sim::Kind::Box, false));
    startSim(6, silentScenario());
    info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);
    ASSERT_EQ(records[1]->type, kDeviceExternal);

    const std::string ports = std::string(kSuiteKey) + "\\Ports\\Port";
    std::vector<CRegistry> keys;
    for (int slot : {1, 5, 7}) {
        CRegistry key(ports + std::to_string(slot + 1));
        CDeviceInfo* record = records[static_cast<std::size_t>(slot)].get();
        record->SetPort(("COM" + std::to_string(slot + 1)).c_str());
        record->type = kDeviceExternal;  // as a former detection left them
        ASSERT_EQ(info.StoreDeviceInfoToReg(key, record), 0);
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
    EXPECT_STREQ(fresh[0]->versionText, "V2.10");  // the stored record, not a reset one
    EXPECT_EQ(fresh[1]->openState, kOpenFailed);   // silent
    EXPECT_EQ(fresh[2]->openState, kOpenFailed);   // missing

    keys.resize(1);
    EXPECT_EQ(info.PollPorts(keys, polled.data()), 0);
}

TEST_F(InfoPollTest, DevicesWithoutRunningFirmwareAreFoundToo) {
    sim::Scenario boot = sim::defaultScenario(sim::Kind::Box, false);
    boot.firmware = sim::Firmware::BootState;
    sim::Scenario message = sim::defaultScenario(sim::Kind::Pci, true);
    message.firmware = sim::Firmware::MessageMode;
    startSim(2, boot);
    startSim(3, message);

    info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);
    EXPECT_EQ(records[1]->type, kDeviceExternal);
    EXPECT_EQ(records[1]->firmwareState, kFirmwareBootOnly);
    EXPECT_EQ(records[2]->type, kDevicePci);
    EXPECT_EQ(records[2]->firmwareState, kFirmwareRunning);
    EXPECT_EQ(records[2]->region, kRegionNorthAmerica);
}

}  // namespace
