// Finding adapters on all ports at once, in the library and through tactl,
// against simulated adapters behind real pseudo-terminals and ports that are
// missing, silent or busy.
#include "info/info.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/named_mutex.h"
#include "platform/serial_port.h"
#include "tests/support/sim_port.h"

using namespace device;

namespace {

class InfoPollTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::setTimeScale(0.2);
        testsupport::mapAbsentPorts(home, CInfo::kMaxSlots);
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
        sims[com] = testsupport::startSim(scenario, "COM" + std::to_string(com));
        ASSERT_TRUE(sims[com]);
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
    startSim(4, sim::Kind::PcCard);
    startSim(5, sim::Kind::Box);
    startSim(6, sim::Kind::Box, false, sim::Firmware::Running, 0);  // silent
    startSim(7, sim::Kind::Other);
    startSim(8, sim::Kind::Box, false, sim::Firmware::BootState);
    startSim(9, sim::Kind::Pci, true, sim::Firmware::MessageMode);
    platform::SerialPort holder;
    ASSERT_EQ(holder.open("COM5"), platform::kOk);
    records[4]->type = kDevicePcCard;  // left-overs of an earlier detection must not survive
    pointers[0] = nullptr;
    pointers[9] = pointers[3];  // the same record twice: queried once, for COM4

    EXPECT_EQ(info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots), 0);

    const struct {
        int slot;
        std::int32_t type, openState, region, firmware;
    } expected[] = {
        {0, kDeviceNone, kOpenNotTried, kRegionUnknown, kFirmwareUnknown},  // never handed over
        {1, kDeviceExternal, kOpenOk, kRegionInternational, kFirmwareRunning},
        {2, kDevicePro, kOpenOk, kRegionNorthAmerica, kFirmwareRunning},
        {3, kDevicePcCard, kOpenOk, kRegionInternational, kFirmwareRunning},
        {4, kDeviceNone, kOpenBusy, kRegionUnknown, kFirmwareUnknown},
        {5, kDeviceNone, kOpenOk, kRegionUnknown, kFirmwareUnknown},  // opens, answers nothing
        {6, kDeviceOtherMaker, kOpenOk, kRegionUnknown, kFirmwareUnknown},
        {7, kDeviceExternal, kOpenOk, kRegionUnknown, kFirmwareBootOnly},
        {8, kDevicePci, kOpenOk, kRegionNorthAmerica, kFirmwareRunning},
        {9, kDeviceNone, kOpenNotTried, kRegionUnknown, kFirmwareUnknown},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE("slot " + std::to_string(e.slot));
        const CDeviceInfo& d = *records[static_cast<std::size_t>(e.slot)];
        EXPECT_EQ(d.port, e.openState == kOpenNotTried ? "" : "COM" + std::to_string(e.slot + 1));
        EXPECT_EQ(d.type, e.type);
        EXPECT_EQ(d.openState, e.openState);
        EXPECT_EQ(d.region, e.region);
        EXPECT_EQ(d.firmwareState, e.firmware);
    }
    EXPECT_EQ(info.GetDeviceInfo(nullptr, 10), platform::kInvalidParameter);
}

TEST_F(InfoPollTest, PollPortsKeepsStoredRecordsAndMarksDeadPorts) {
    startSim(2, sim::Kind::Box);
    startSim(6, sim::Kind::Box, false, sim::Firmware::Running, 0);  // silent
    std::vector<CRegistry> keys;
    auto stored = std::make_unique<CDeviceInfo>();
    stored->type = kDeviceExternal;
    std::strcpy(stored->versionText, "V");
    for (int com : {2, 6, 8}) {
        keys.emplace_back(std::string(kSuiteKey) + "\\Ports\\Port" + std::to_string(com));
        stored->SetPort(("COM" + std::to_string(com)).c_str());
        ASSERT_EQ(info.StoreDeviceInfoToReg(keys.back(), stored.get()), 0);
    }
    EXPECT_EQ(info.PollPorts(keys, pointers.data()), kDeviceOpenFailed);
    EXPECT_EQ(records[0]->openState, kOpenOk);
    EXPECT_EQ(records[0]->type, kDeviceExternal);
    EXPECT_STREQ(records[0]->versionText, "V");     // the stored record, not a reset one
    EXPECT_EQ(records[1]->openState, kOpenFailed);  // silent
    EXPECT_EQ(records[2]->openState, kOpenFailed);  // missing
    keys.resize(1);
    EXPECT_EQ(info.PollPorts(keys, pointers.data()), 0);
}

// tactl status and detect as scripts see them: the real program as a child
// process, in this test's registry store.
TEST_F(InfoPollTest, TactlStatusPrintsTheResultThenEveryField) {
    startSim(3, sim::Kind::Pro, true);
    const auto run = testsupport::tactl({"status", "COM3"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "result=0\n"
              "port=COM3\n"
              "openState=0\n"
              "type=2\n"
              "region=1\n"
              "firmwareState=0\n"
              "v110Capable=1\n"
              "identification=Velka Technology Corporation\n"
              "versionText=V2.10\n"
              "lineText=NI-1 V110\n"
              "extraText=T2B-0001\n");

    const auto failed = testsupport::tactl({"status", "COM4"});
    EXPECT_EQ(failed.code, 1);
    EXPECT_TRUE(failed.out.starts_with("result=7003\nport=COM4\nopenState=2\ntype=0\n"))
        << failed.out;
    EXPECT_EQ(testsupport::tactl({"status"}).code, 2);
    EXPECT_EQ(testsupport::tactl({"status", "COM1", "COM2"}).code, 2);
}

TEST_F(InfoPollTest, TactlDetectListsTheFamilyAdaptersBySlot) {
    startSim(2, sim::Kind::Pro, true);
    startSim(5, sim::Kind::Pci);
    startSim(6, sim::Kind::Other);
    const auto run = testsupport::tactl({"detect"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "slot=1 port=COM2 type=2 region=1 firmwareState=0 version=V2.10\n"
              "slot=4 port=COM5 type=8 region=0 firmwareState=0 version=V2.10\n"
              "adapters=2\n");
}

TEST_F(InfoPollTest, TactlWaitsForTheDeviceAccessMutexAndGivesUp) {
    startSim(3, sim::Kind::Box);
    platform::NamedMutex held(platform::kDeviceAccessMutex);
    ASSERT_TRUE(held.tryLock());
    for (const auto& args :
         {std::vector<std::string>{"status", "COM3"}, {"detect"}, {"speed", "COM3"}}) {
        const auto run = testsupport::tactl(args);
        EXPECT_EQ(run.code, 1) << args[0];
        EXPECT_EQ(run.out, "") << args[0];  // nothing was queried
    }
    held.unlock();
    EXPECT_EQ(testsupport::tactl({"status", "COM3"}).code, 0);
}

}  // namespace
