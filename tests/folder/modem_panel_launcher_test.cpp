// The modem panel launcher on a real store with real panel processes: the
// command it finds for ".cpl", the monitor's ignore flag and the one refresh
// after the last of two panels, closing the folder while a panel is open,
// and ta-modems installing a simulated adapter that the next refresh shows.
#include "folder/modem_panel_launcher.h"

#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <filesystem>
#include <memory>

#include "device/modem_records.h"
#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/resource_ids.h"
#include "info/info.h"
#include "platform/registry_store.h"
#include "tests/support/env_guard.h"
#include "tests/support/sim_port.h"
#include "tests/ui/ui_test_support.h"
#include "ui/scripted_dialogs.h"

namespace {

using platform::RegRoot;

void setCommand(const char* verb, const std::string& command) {
    platform::RegKey key;
    ASSERT_EQ(platform::RegKey::create(RegRoot::ClassesRoot,
                                       std::string("cplfile\\shell\\") + verb + "\\command", key),
              platform::kOk);
    ASSERT_EQ(key.setString("", command), platform::kOk);
}

void removeKey(const char* parent, const char* name) {
    platform::RegKey key;
    if (platform::RegKey::open(RegRoot::ClassesRoot, parent, key) == platform::kOk)
        key.deleteTree(name);
}

// A panel that stays open while its file exists, so it also closes when the
// test's folder goes.
std::string panelWhile(const std::string& file) {
    testsupport::writeFile(file, "");
    return "/bin/sh -c \"while [ -e '" + file + "' ]; do sleep 0.02; done\" %1";
}

bool waitUntil(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 60000);
}

struct ModemPanelLauncherTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;
    ui::ScriptedDialogs boxes;
    std::atomic<int> posts{0};
    std::atomic<int> ignoreAtPost{-1};
    std::unique_ptr<folder::CModemPanelLauncher> launcher =
        std::make_unique<folder::CModemPanelLauncher>(nullptr, [this] {
            ignoreAtPost = CInfo().GetIgnoreDeviceChange();
            ++posts;
        });

    void SetUp() override { testsupport::setTimeScale(0.01); }
    static int ignoring() { return CInfo().GetIgnoreDeviceChange(); }
};

TEST_F(ModemPanelLauncherTest, FindsTheControlPanelCommandAndPassesTheModemPanelFile) {
    struct Row {
        const char* what;
        std::function<void()> arrange;
        std::int32_t rc;
        std::vector<std::string> argv;
    } rows[] = {
        {"the fresh store's panel", [] {}, platform::kOk, {"ta-modems", "modem.cpl"}},
        {"open when cplopen is missing, quoted path kept whole",
         [] {
             removeKey("cplfile\\shell", "cplopen");
             setCommand("open", "\"/opt/Velka TA/panel\" --show \"%1\"");
         },
         platform::kOk,
         {"/opt/Velka TA/panel", "--show", "modem.cpl"}},
        {"an empty cplopen falls back too, a command without %1 gets the file appended",
         [] {
             setCommand("cplopen", "  ");
             setCommand("open", "panel -x");
         },
         platform::kOk,
         {"panel", "-x", "modem.cpl"}},
        {"every %1 of an argument",
         [] { setCommand("cplopen", "panel --file=%1,%1"); },
         platform::kOk,
         {"panel", "--file=modem.cpl,modem.cpl"}},
        {"neither verb", [] { removeKey("cplfile", "shell"); }, platform::kFileNotFound, {}},
        {"no file type for .cpl",
         [] {
             setCommand("open", "panel %1");
             removeKey("", ".cpl");
         },
         platform::kFileNotFound,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.arrange();
        std::vector<std::string> argv;
        EXPECT_EQ(folder::ModemPanelCommand(argv), row.rc);
        EXPECT_EQ(argv, row.argv);
    }
}

TEST_F(ModemPanelLauncherTest, TwoPanelsKeepTheMonitorQuietAndRefreshOnceAfterTheLast) {
    const std::string first = home.file("first-open"), second = home.file("second-open");
    // The install command asks for a refresh; the menu's panel opened while
    // that one runs must not drop it.
    setCommand("cplopen", panelWhile(first));
    launcher->RequestRefresh();
    ASSERT_EQ(launcher->Open(), platform::kOk);
    setCommand("cplopen", panelWhile(second));
    ASSERT_EQ(launcher->OnModemPanel(), platform::kOk);
    EXPECT_EQ(launcher->Running(), 2);
    EXPECT_EQ(ignoring(), 1);

    std::filesystem::remove(first);
    ASSERT_TRUE(waitUntil([&] { return launcher->Running() == 1; }));
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(ignoring(), 1);

    std::filesystem::remove(second);
    ASSERT_TRUE(waitUntil([&] { return posts == 1; }));
    EXPECT_EQ(ignoreAtPost, 1);
    ASSERT_TRUE(waitUntil([&] { return ignoring() == 0; }));
    EXPECT_EQ(launcher->Running(), 0);

    // The request was used up: the menu's next panel closes without a refresh.
    setCommand("cplopen", "/bin/sh -c true %1");
    ASSERT_EQ(launcher->OnModemPanel(), platform::kOk);
    ASSERT_TRUE(waitUntil([&] { return launcher->Running() == 0 && ignoring() == 0; }));
    launcher.reset();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(boxes.messages().size(), 0u);
}

TEST_F(ModemPanelLauncherTest, ClosingWhileAPanelIsOpenNeitherWaitsNorLeavesTheMonitorDeaf) {
    const std::string open = home.file("open");
    setCommand("cplopen", panelWhile(open));
    launcher->RequestRefresh();
    ASSERT_EQ(launcher->Open(), platform::kOk);
    ASSERT_EQ(ignoring(), 1);
    launcher.reset();
    EXPECT_EQ(ignoring(), 0);
    EXPECT_EQ(posts, 0);
}

TEST_F(ModemPanelLauncherTest, AMissingOrUnstartableCommandIsExplained) {
    struct Row {
        const char* what;
        std::function<void()> arrange;
        std::uint32_t message;
        const char* named;
    } rows[] = {
        {"no command", [] { removeKey("cplfile", "shell"); }, folder::IDS_MODEM_PANEL_NO_COMMAND,
         ""},
        {"a program that is not there", [] { setCommand("cplopen", "/nonexistent/panel %1"); },
         folder::IDS_MODEM_PANEL_NOT_STARTED, "„/nonexistent/panel“"},
        {"a name found nowhere", [] { setCommand("cplopen", "no-such-panel-program %1"); },
         folder::IDS_MODEM_PANEL_NOT_STARTED, "„no-such-panel-program“"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        boxes.clear();
        row.arrange();
        EXPECT_EQ(launcher->OnModemPanel(), platform::kFileNotFound);
        ASSERT_EQ(boxes.messageIds(), std::vector<std::uint32_t>{row.message});
        EXPECT_NE(boxes.messages()[0].text.find(row.named), std::string::npos);
        EXPECT_EQ(boxes.messages()[0].icon, ui::Icon::Error);
        EXPECT_EQ(launcher->Running(), 0);
        EXPECT_EQ(ignoring(), 0);
    }
}

TEST_F(ModemPanelLauncherTest, AnAdapterInstalledInThePanelShowsInstalledAfterTheRefresh) {
    testsupport::EnvGuard env;
    const std::string trace = home.file("folder-trace");
    env.set("VELKA_TA_FOLDER_TRACE", trace.c_str());
    testsupport::setTimeScale(0.2);
    testsupport::mapAbsentPorts(home, CInfo::kMaxSlots);
    const CRegistry view(std::string(kSuiteKey) + "\\View");
    for (const char* name : {"CheckDriver", "CheckNewDevices", "CheckForNewerFirmware"})
        view.WriteDword(name, 0);
    const auto adapter = testsupport::startSim(sim::defaultScenario(sim::Kind::Box, false), "COM3");
    ASSERT_TRUE(adapter);

    CFolderDoc doc;
    CFolderView folderView(doc);
    folderView.runDialog = [](QDialog&) { return 0; };
    const auto item = [&]() -> const CFolderItem* {
        for (int i = 0; i < CFolderDoc::kMaxItems; ++i)
            if (doc.Item(i).portName == "COM3") return &doc.Item(i);
        return nullptr;
    };
    ASSERT_EQ(doc.Refresh(), 0);
    ASSERT_NE(item(), nullptr);
    ASSERT_EQ(item()->installedInWindows, 0);

    // The menu's command needs no selected adapter.
    setCommand("cplopen", "/nonexistent/panel %1");
    folderView.OnCommand(folder::ID_MODEM_PANEL);
    EXPECT_EQ(boxes.messageIds(), std::vector<std::uint32_t>{folder::IDS_MODEM_PANEL_NOT_STARTED});

    // The install command's hook, with the panel driven by its command line.
    setCommand("cplopen", testsupport::binDir() + "/ta-modems --install COM3 1 %1");
    folderView.Commands().openModemPanel();
    ASSERT_TRUE(waitUntil([&] {
        return testsupport::readFile(trace).find("refresh 0\n") != std::string::npos &&
               !folderView.Detecting();
    }));
    ASSERT_NE(item(), nullptr);
    EXPECT_EQ(item()->installedInWindows, 1);
    EXPECT_EQ(item()->label, device::ModemModelName(kDeviceExternal));
}

}  // namespace
