// The status monitor: its frame driven in this process for the decisions on
// device changes and commands, and ta-tray as a program beside a stand-in
// folder, the simulator and a holder of the device-access mutex.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QTest>
#include <filesystem>

#include "info/info.h"
#include "platform/autostart.h"
#include "platform/device_change.h"
#include "platform/messages.h"
#include "platform/named_mutex.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/sim_port.h"
#include "tray/main_frame.h"
#include "tray/resource_ids.h"

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "tray_test";
    static char* argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

// A private home with the machine's serial ports out of the way, the trace
// the monitor writes, and a time scale at which the real sequences are quick
// yet reliable on a loaded machine.
struct TrayTest : ::testing::Test {
    testsupport::TempHome home;
    testsupport::EnvGuard env;
    std::string trace = home.file("tray-trace");

    void SetUp() override {
        app();
        env.set("VELKA_TA_TRAY_TRACE", trace.c_str());
        env.set("XDG_CONFIG_HOME", home.file("config").c_str());
        testsupport::setTimeScale(0.2);
        testsupport::mapAbsentPorts(home, CInfo::kMaxSlots);
    }
    std::string traced() const { return testsupport::readFile(trace); }
    // Waits until the trace holds `line` after its first `from` bytes; the
    // end of that line, or npos after the deadline.
    std::size_t waitForTrace(const std::string& line, std::size_t from = 0) {
        std::size_t at = std::string::npos;
        (void)QTest::qWaitFor(
            [&] {
                at = traced().find(line + "\n", from);
                return at != std::string::npos;
            },
            60000);
        return at == std::string::npos ? at : at + line.size() + 1;
    }
};

// The stand-in folder: a window of another program that prints what it gets.
struct StandInFolder {
    testsupport::ChildProcess process;
    std::string endpoint;

    bool start() {
        if (!process.start("test_message_peer", {})) return false;
        const std::string& out = process.readLines(1);
        if (out.rfind("endpoint ", 0) != 0) return false;
        endpoint = out.substr(9, out.find('\n') - 9);
        return CInfo().SetFolderWnd(endpoint) == 0;
    }
    // Waits for the message with `wParam`; what it got until then.
    std::string waitFor(std::uint64_t wParam, std::size_t lines) {
        const std::string want = " " + std::to_string(wParam) + " 0\n";
        const std::string& out = process.readLines(lines + 1, 60000);
        return out.find(want) == std::string::npos ? std::string() : out;
    }
};

using TrayFrameTest = TrayTest;

TEST_F(TrayFrameTest, OnlyTheMakersDevicesStartAQuery) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_NE(waitForTrace("state 1012"), std::string::npos);

    const std::string maker = platform::simulatorHardwareKey("COM4");
    const std::string other = "USB\\OTHER_MAKER\\MODEM\\TTYUSB0";
    struct Row {
        const char* what;
        std::uint32_t event, type;
        std::string hardwareKey;
        int ignore;
        bool queries;
    } rows[] = {
        {"another maker's removal", platform::kDeviceRemoveComplete, 1, other, 0, false},
        {"another maker's arrival", platform::kDeviceArrival, 1, other, 0, false},
        {"no key in the store", platform::kDeviceRemoveComplete, 1, "", 0, false},
        {"not a device node", platform::kDeviceRemoveComplete, 3, maker, 0, false},
        {"query-remove, not complete", 0x8001, 1, maker, 0, false},
        {"while the folder mutes it", platform::kDeviceRemoveComplete, 1, maker, 1, false},
        {"the maker's removal", platform::kDeviceRemoveComplete, 1, maker, 0, true},
    };
    std::uint32_t node = 0x100;
    for (const auto& row : rows) {
        ++node;
        if (!row.hardwareKey.empty())
            platform::recordDevNode({row.event, row.type, node, "/dev/x", row.hardwareKey});
        CInfo().SetIgnoreDeviceChange(row.ignore);
        const std::size_t before = traced().size();
        EXPECT_TRUE(frame.OnDeviceChange(row.event, row.type, node)) << row.what;
        EXPECT_EQ(traced().find("query started", before) != std::string::npos, row.queries)
            << row.what;
    }
    CInfo().SetIgnoreDeviceChange(0);
    EXPECT_NE(waitForTrace("query 0", waitForTrace("removal")), std::string::npos);
    EXPECT_EQ(frame.IconState(), tray::IDI_NO_ADAPTER);
}

TEST_F(TrayFrameTest, ArrivalWithoutFolderUpdatesTheIconAndPostsNothing) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_NE(waitForTrace("state 1012"), std::string::npos);
    EXPECT_EQ(frame.TrayIcon().Tip(), QStringLiteral("Status der Terminaladapter"));

    // The simulator in this process announces its port like ta-sim does.
    auto sim = testsupport::startSim(sim::Scenario{}, "COM4");
    ASSERT_TRUE(sim);
    const std::size_t arrived = waitForTrace("arrival");
    ASSERT_NE(waitForTrace("state 1006", arrived), std::string::npos);
    EXPECT_EQ(frame.IconState(), tray::IDI_READY);
    EXPECT_EQ(traced().find("posted"), std::string::npos);
}

TEST_F(TrayFrameTest, OpenFolderRaisesARunningFolderInsteadOfStartingOne) {
    StandInFolder folder;
    ASSERT_TRUE(folder.start());
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    EXPECT_EQ(frame.PopupMenu()->defaultAction(), frame.PopupMenu()->actions().front());
    frame.OnIconNotify(QSystemTrayIcon::DoubleClick);
    EXPECT_NE(folder.waitFor(tray::kSuiteShowFolder, 1), "");
    EXPECT_EQ(traced().find("started folder"), std::string::npos);
}

TEST_F(TrayFrameTest, DeactivateRemovesIconRunValueAndAutostartEntry) {
    ASSERT_EQ(platform::setRunValue(platform::kTrayRunValue, "C:\\Tamo\\test_message_peer"), 0);
    const std::string entry = platform::autostartEntryPath(platform::kTrayRunValue);
    ASSERT_TRUE(std::filesystem::exists(entry));
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_NE(waitForTrace("state 1012"), std::string::npos);

    frame.OnCommand(tray::ID_DEACTIVATE);
    EXPECT_EQ(frame.IconState(), tray::kStateNone);
    EXPECT_FALSE(std::filesystem::exists(entry));
    platform::RegKey run;
    std::string value;
    ASSERT_EQ(platform::RegKey::open(platform::RegRoot::LocalMachine, platform::kRunKey, run), 0);
    EXPECT_NE(run.readString(platform::kTrayRunValue, value), 0);
    EXPECT_EQ(CInfo().GetTrayWnd(), "");
    // The monitor may start again (as it would after the next log-on).
    CMainFrame next;
    EXPECT_TRUE(next.OnCreate());
}

using TrayProgramTest = TrayTest;

TEST_F(TrayProgramTest, SecondMonitorEndsAtOnce) {
    testsupport::ChildProcess first;
    ASSERT_TRUE(first.start("ta-tray", {}));
    ASSERT_NE(waitForTrace("state 1012"), std::string::npos);
    const std::string endpoint = CInfo().GetTrayWnd();
    EXPECT_TRUE(platform::isWindow(endpoint));

    const auto second = testsupport::runProgram("ta-tray", {});
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(CInfo().GetTrayWnd(), endpoint);
    EXPECT_TRUE(platform::isWindow(endpoint));
    first.stop(SIGTERM);
}

TEST_F(TrayProgramTest, SimulatorComingAndGoingFlipsTheIconAndTellsTheFolder) {
    StandInFolder folder;
    ASSERT_TRUE(folder.start());
    testsupport::ChildProcess monitor;
    ASSERT_TRUE(monitor.start("ta-tray", {}));
    std::size_t seen = waitForTrace("state 1012");
    ASSERT_NE(seen, std::string::npos);

    testsupport::ChildProcess sim;
    ASSERT_TRUE(sim.start(
        "ta-sim",
        {"--scenario", std::string(VELKA_TA_SOURCE_DIR) + "/sim/scenarios/box_international.ini",
         "--port", "COM7"}));
    seen = waitForTrace("state 1006", seen);
    ASSERT_NE(seen, std::string::npos);
    EXPECT_NE(folder.waitFor(tray::kSuiteAdapterArrived, 1), "");

    sim.stop(SIGTERM);
    EXPECT_NE(waitForTrace("state 1012", seen), std::string::npos);
    const std::string got = folder.waitFor(tray::kSuiteAdapterRemoved, 2);
    EXPECT_LT(got.find(" 8 0\n"), got.find(" 4 0\n"));
    monitor.stop(SIGTERM);
}

TEST_F(TrayProgramTest, AnswersMessagesWhileItsQueryWaitsForTheDeviceMutex) {
    testsupport::ChildProcess monitor;
    ASSERT_TRUE(monitor.start("ta-tray", {}));
    std::size_t seen = waitForTrace("state 1012");
    ASSERT_NE(seen, std::string::npos);
    const std::string endpoint = CInfo().GetTrayWnd();
    const std::uint32_t suite = platform::registerMessage(platform::kSuiteMessageName);

    platform::NamedMutex held(platform::kDeviceAccessMutex);
    ASSERT_EQ(held.lock(0), platform::WaitResult::Signaled);
    ASSERT_EQ(platform::postMessage(endpoint, {suite, tray::kSuiteDetectionDone, 0}), 0);
    seen = waitForTrace("query started", seen);
    ASSERT_NE(seen, std::string::npos);
    std::int64_t result = -1;
    EXPECT_EQ(platform::sendMessage(endpoint, {suite, 0, 0}, 20000, result), 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(traced().find("query ", seen), std::string::npos);

    held.unlock();
    EXPECT_NE(waitForTrace("query 0", seen), std::string::npos);
    monitor.stop(SIGTERM);
}

}  // namespace
