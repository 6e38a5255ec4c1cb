// ta-folder as a program: single instance, the suite's messages with a
// stand-in monitor, start-up against simulated adapters with the quick path
// on the next start, and the settings page switching the monitor's start at
// log-on.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCheckBox>
#include <QTest>
#include <filesystem>

#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "folder/settings_page.h"
#include "info/info.h"
#include "platform/autostart.h"
#include "platform/messages.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/sim_port.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/help.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"

namespace {

struct FolderProcessTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;
    testsupport::EnvGuard env;
    std::string trace = home.file("folder-trace");

    void SetUp() override {
        env.set("VELKA_TA_FOLDER_TRACE", trace.c_str());
        env.set("XDG_CONFIG_HOME", home.file("config").c_str());
        testsupport::setTimeScale(0.2);
        testsupport::mapAbsentPorts(home, CInfo::kMaxSlots);
        // No follow-up dialog may wait for a user here.
        const CRegistry view(std::string(kSuiteKey) + "\\View");
        for (const char* name : {"CheckDriver", "CheckNewDevices", "CheckForNewerFirmware"})
            view.WriteDword(name, 0);
        const CRegistry tips(std::string(kSuiteKey) + "\\View\\TipOfDay");
        tips.Create();
        tips.WriteDword("Enable", 0);
    }
    std::string traced() const { return testsupport::readFile(trace); }
    // Waits for `line` after `from`; the end of that line, or npos.
    std::size_t waitFor(const std::string& line, std::size_t from = 0) {
        std::size_t at = std::string::npos;
        (void)QTest::qWaitFor(
            [&] {
                at = traced().find(line + "\n", from);
                return at != std::string::npos;
            },
            90000);
        return at == std::string::npos ? at : at + line.size() + 1;
    }
    static bool startFolder(testsupport::ChildProcess& folder) {
        return folder.start("ta-folder", {"-platform", "offscreen"});
    }
    void post(std::uint64_t wParam) {
        const std::string folder = CInfo().GetFolderWnd();
        ASSERT_FALSE(folder.empty());
        ASSERT_EQ(platform::postMessage(
                      folder, {platform::registerMessage(platform::kSuiteMessageName), wParam, 0}),
                  platform::kOk);
    }
};

// A window of another program that prints the messages it gets.
struct StandInMonitor {
    testsupport::ChildProcess process;
    bool start() {
        if (!process.start("test_message_peer", {})) return false;
        const std::string& out = process.readLines(1);
        if (out.rfind("endpoint ", 0) != 0) return false;
        return CInfo().SetTrayWnd(out.substr(9, out.find('\n') - 9)) == 0;
    }
    std::string output() { return process.readLines(100, 300); }
};

TEST_F(FolderProcessTest, ASecondStartWakesTheFirstAndEnds) {
    testsupport::ChildProcess first;
    ASSERT_TRUE(startFolder(first));
    ASSERT_NE(waitFor("start full"), std::string::npos);
    const auto second = testsupport::runProgram("ta-folder", {"-platform", "offscreen"});
    EXPECT_EQ(second.code, 0);
    EXPECT_NE(waitFor("message 16"), std::string::npos);
    EXPECT_EQ(first.stop(SIGTERM), -1);
}

TEST_F(FolderProcessTest, RefreshesOnTheMonitorsMessagesAndTellsItFromTheSecondDetectionOn) {
    StandInMonitor monitor;
    ASSERT_TRUE(monitor.start());
    testsupport::ChildProcess folder;
    ASSERT_TRUE(startFolder(folder));
    std::size_t at = waitFor("refresh 0");
    ASSERT_NE(at, std::string::npos);
    // The monitor's own messages refresh without telling it.
    for (std::uint64_t wParam : {4u, 8u}) {
        post(wParam);
        at = waitFor("refresh 0", waitFor("message " + std::to_string(wParam), at));
        ASSERT_NE(at, std::string::npos) << wParam;
    }
    EXPECT_EQ(traced().find("posted 32"), std::string::npos);
    EXPECT_EQ(monitor.output().find(" 32 0\n"), std::string::npos);
    folder.stop(SIGTERM);
}

TEST_F(FolderProcessTest, TheUsersRefreshTellsTheMonitorFromTheSecondDetectionOn) {
    StandInMonitor monitor;
    ASSERT_TRUE(monitor.start());
    CFolderDoc doc;
    CFolderView view(doc);
    view.runDialog = [](QDialog&) { return 0; };
    // No adapter here: "Keine Geräte erkannt" is cancelled, not retried.
    ui::ScriptedDialogs boxes;
    boxes.answerWith([](const ui::ShownMessage&) { return ui::IDCANCEL; });
    std::size_t at = 0;
    for (int detection = 1; detection <= 2; ++detection) {
        view.OnCommand(folder::ID_REFRESH);
        at = waitFor("refresh 0", at);
        ASSERT_NE(at, std::string::npos) << detection;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view.Detecting(); }, 30000));
        EXPECT_EQ(traced().find("posted 32") != std::string::npos, detection == 2) << detection;
    }
    EXPECT_NE(monitor.process.readLines(2, 30000).find(" 32 0\n"), std::string::npos);
}

TEST_F(FolderProcessTest, F1OpensTroubleShootingAtTheConfiguratorsContextElseTheContents) {
    CFolderDoc doc;
    folder::CMainFrame frame(doc);
    struct Row {
        std::uint64_t wParam;
        std::int64_t lParam;
        const char* file;
        std::uint32_t context;
    } rows[] = {{64, 2614, "trouble.hlp", 2614 + 0x10000}, {128, 0, "folder.hlp", 0}};
    for (const auto& row : rows) {
        ui::clearRecordedHelpRequests();
        frame.OnSuiteMessage(row.wParam, row.lParam);
        frame.OnHelp();
        const auto requests = ui::recordedHelpRequests();
        ASSERT_EQ(requests.size(), 1u) << row.wParam;
        EXPECT_NE(requests[0].file.find(row.file), std::string::npos) << requests[0].file;
        EXPECT_EQ(requests[0].context, row.context);
    }
}

TEST_F(FolderProcessTest, StartUpStoresTheAdaptersAndTakesTheQuickPathNextTime) {
    const std::string scenario =
        std::string(VELKA_TA_SOURCE_DIR) + "/sim/scenarios/box_international.ini";
    testsupport::ChildProcess sims[3];
    for (int i = 0; i < 3; ++i) {
        const std::string port = "COM" + std::to_string(i + 2);
        ASSERT_TRUE(sims[i].start("ta-sim", {"--scenario", scenario, "--install", "--port", port}));
        ASSERT_NE(sims[i].readLines(1).find(port), std::string::npos);
    }
    testsupport::ChildProcess folder;
    ASSERT_TRUE(startFolder(folder));
    ASSERT_NE(waitFor("refresh 0", waitFor("start full")), std::string::npos);
    folder.stop(SIGTERM);
    for (int n = 1; n <= 3; ++n) {
        std::string port;
        std::uint32_t type = 0;
        const CRegistry device(folderkeys::DeviceKey(n));
        EXPECT_EQ(device.ReadString("Port", port), 0) << n;
        EXPECT_EQ(port, "COM" + std::to_string(n + 1));
        EXPECT_EQ(device.ReadDword("DeviceType", type), 0);
        EXPECT_EQ(type, 1u);
        std::string model;
        EXPECT_EQ(CRegistry(folderkeys::PortKey(n + 1)).ReadString("DeviceString", model), 0) << n;
        EXPECT_EQ(model, "Tamo T/A ISDN Modem");
    }
    EXPECT_NE(CRegistry(folderkeys::DeviceKey(4)).Exists(), 0);

    std::size_t from = traced().size();
    testsupport::ChildProcess again;
    ASSERT_TRUE(startFolder(again));
    EXPECT_NE(waitFor("start quick", from), std::string::npos);
    again.stop(SIGTERM);

    sims[1].stop(SIGTERM);
    from = traced().size();
    testsupport::ChildProcess third;
    ASSERT_TRUE(startFolder(third));
    EXPECT_NE(waitFor("start full", from), std::string::npos);
    third.stop(SIGTERM);
}

TEST_F(FolderProcessTest, SettingsSwitchTheMonitorsStartAtLogOnAndStartOrCloseIt) {
    StandInMonitor monitor;
    ASSERT_TRUE(monitor.start());
    const std::string entry = platform::autostartEntryPath(platform::kTrayRunValue);
    struct Row {
        bool on;
        bool entryExists;
    } rows[] = {{true, true}, {false, false}};
    for (const auto& row : rows) {
        FolderSettings settings;
        CSettingsPage page(settings, {});
        ui::PropertySheet sheet(QStringLiteral("Einstellungen"));
        sheet.addPage(&page);
        uitest::whenModal([&] {
            auto* box = ui::findControl<QCheckBox>(&page, folder::IDC_TRAY_AUTOSTART);
            ASSERT_NE(box, nullptr);
            box->setChecked(row.on);
            sheet.pressButton(ui::SheetButton::Ok);
        });
        sheet.doModal();
        std::string run;
        EXPECT_EQ(CRegistry(platform::kRunKey).ReadString(platform::kTrayRunValue, run) == 0,
                  row.on);
        EXPECT_EQ(std::filesystem::exists(entry), row.entryExists);
    }
    // Unchecked while the monitor runs: it was asked to close.
    EXPECT_NE(monitor.output().find("got 16 0 0\n"), std::string::npos);
}

TEST_F(FolderProcessTest, CheckingTheMonitorsStartStartsItWhenItDoesNotRun) {
    const std::string trayTrace = home.file("tray-trace");
    env.set("VELKA_TA_TRAY_TRACE", trayTrace.c_str());
    CInfo().SetTrayWnd("");
    for (bool on : {true, false}) {
        FolderSettings settings;
        CSettingsPage page(settings, {});
        ui::PropertySheet sheet(QStringLiteral("Einstellungen"));
        sheet.addPage(&page);
        uitest::whenModal([&] {
            ui::findControl<QCheckBox>(&page, folder::IDC_TRAY_AUTOSTART)->setChecked(on);
            sheet.pressButton(ui::SheetButton::Ok);
        });
        sheet.doModal();
        if (on) {
            // The real monitor, beside this test; it records its window when up.
            EXPECT_TRUE(QTest::qWaitFor(
                [] {
                    const std::string tray = CInfo().GetTrayWnd();
                    return !tray.empty() && platform::isWindow(tray);
                },
                60000));
        }
    }
    EXPECT_TRUE(testsupport::waitForText(trayTrace, "closed\n", 60000));
}

}  // namespace
