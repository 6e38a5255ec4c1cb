// tactl status and tactl detect as scripts see them: the real program, run as
// a child process against simulated adapters in this test's registry store.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "info/info.h"
#include "platform/clock.h"
#include "platform/named_mutex.h"
#include "platform/serial_port.h"
#include "sim/pty_adapter.h"
#include "tests/support/temp_home.h"

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
};

Outcome tactl(const std::string& args) {
    Outcome run;
    const std::string command = testsupport::binDir() + "/tactl " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 512> buf;
    while (std::fgets(buf.data(), static_cast<int>(buf.size()), pipe)) run.out += buf.data();
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class TactlDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        // The child inherits the scale, so every pause of its query shrinks too.
        setenv("VELKA_TA_TIME_SCALE", "0.2", 1);
        platform::reloadTimeScale();
        for (int n = 1; n <= CInfo::kMaxSlots; ++n)
            platform::mapPortName("COM" + std::to_string(n),
                                  home.file("none-" + std::to_string(n)));
    }

    void startSim(int com, const sim::Scenario& scenario) {
        sim::PtyAdapter::Options options;
        options.comName = "COM" + std::to_string(com);
        ASSERT_EQ(sim::PtyAdapter::start(scenario, options, sims[com]), 0);
    }

    testsupport::TempHome home;
    std::map<int, std::unique_ptr<sim::PtyAdapter>> sims;
};

TEST_F(TactlDeviceTest, StatusPrintsTheResultThenEveryField) {
    startSim(3, sim::defaultScenario(sim::Kind::Pro, true));
    const Outcome run = tactl("status COM3");
    EXPECT_EQ(run.exitCode, 0);
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

    const Outcome failed = tactl("status COM4");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out.rfind("result=7003\nport=COM4\nopenState=2\ntype=0\n", 0), 0u)
        << failed.out;
    EXPECT_EQ(tactl("status").exitCode, 2);
    EXPECT_EQ(tactl("status COM1 COM2").exitCode, 2);
}

TEST_F(TactlDeviceTest, DetectListsTheFamilyAdaptersBySlot) {
    startSim(2, sim::defaultScenario(sim::Kind::Pro, true));
    startSim(5, sim::defaultScenario(sim::Kind::Pci, false));
    startSim(6, sim::defaultScenario(sim::Kind::Other, false));
    const Outcome run = tactl("detect");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "slot=1 port=COM2 type=2 region=1 firmwareState=0 version=V2.10\n"
              "slot=4 port=COM5 type=8 region=0 firmwareState=0 version=V2.10\n"
              "adapters=2\n");
}

TEST_F(TactlDeviceTest, WaitsForTheDeviceAccessMutexAndGivesUp) {
    startSim(3, sim::defaultScenario(sim::Kind::Box, false));
    platform::NamedMutex held(platform::kDeviceAccessMutex);
    ASSERT_TRUE(held.tryLock());
    for (const char* args : {"status COM3", "detect"}) {
        const Outcome run = tactl(args);
        EXPECT_EQ(run.exitCode, 1) << args;
        EXPECT_EQ(run.out, "") << args;  // nothing was queried
    }
    held.unlock();
    EXPECT_EQ(tactl("status COM3").exitCode, 0);
}

}  // namespace
