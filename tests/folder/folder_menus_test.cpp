// The folder's commands as the user reaches them, on real widgets: when
// menus, toolbar and context menu enable each command, the context menu's
// default entry, and what Enter and a double click run.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QListWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "folder/context_menu.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/list_row.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"

using namespace folder;

namespace {

// Items by their state; the values are the item indexes in the document.
enum Adapter { kConfigured = 0, kNotInstalled = 1, kBootState = 2, kSilent = 3, kNone = -1 };

struct FolderMenusTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;
    CFolderDoc doc;
    std::vector<std::pair<std::uint32_t, int>> run;

    // A configured box with a modem installation, a new Pro box without one,
    // a PC card in its boot loader and a remembered PCI card without record.
    void SetUp() override {
        doc.Settings().checkForNewerFirmware = 0;
        doc.ResetAll();
        struct Found {
            int slot, type, firmware;
        } found[] = {{0, 1, 0}, {1, 2, 0}, {2, 16, 1}};
        for (const auto& f : found) {
            CDeviceInfo& r = doc.Record(f.slot);
            r.type = f.type;
            r.firmwareState = f.firmware;
            std::snprintf(r.port, sizeof r.port, "COM%d", f.slot + 1);
        }
        doc.MatchItems();
        doc.Item(kConfigured).notConfigured = kItemConfigured;
        doc.Item(kConfigured).installedInWindows = 1;
        CFolderItem& silent = doc.Item(kSilent);
        silent.type = 8;
        silent.portName = "COM6";
        silent.label = "PCI";
    }

    void watch(CFolderView& view) {
        view.itemCommand = [this](std::uint32_t id, int item) { run.emplace_back(id, item); };
        view.UpdateList();
    }

    static void select(CFolderView& view, int item) {
        if (item == kNone)
            view.Report()->clearSelection();
        else
            view.SelectItem(item);
    }

    static QRect rowRect(CFolderView& view, int row) {
        return view.Report()->visualItemRect(view.Report()->topLevelItem(row));
    }
};

constexpr std::uint32_t kChecked[] = {ID_DETAILS, ID_QUICK_CONFIG, ID_CONFIGURE_PROFILES,
                                      ID_WIZARD,  ID_RESET,        ID_IMPORT,
                                      ID_EXPORT,  ID_FIRMWARE,     ID_INSTALL,
                                      ID_DELETE,  ID_INFORMATION,  ID_TERMINAL,
                                      ID_DIALUP,  ID_MODEM_PANEL,  ID_REFRESH};

std::set<std::uint32_t> enabledOf(const CFolderView& view) {
    std::set<std::uint32_t> on;
    for (std::uint32_t id : kChecked)
        if (view.IsEnabled(id)) on.insert(id);
    return on;
}

TEST_F(FolderMenusTest, CommandsAreEnabledByTheSelectedItemsState) {
    const std::set<std::uint32_t> always{ID_REFRESH, ID_DIALUP, ID_MODEM_PANEL};
    const std::set<std::uint32_t> anyItem{ID_DETAILS, ID_DELETE, ID_INFORMATION};
    const std::set<std::uint32_t> adapter{
        ID_QUICK_CONFIG, ID_CONFIGURE_PROFILES, ID_WIZARD,  ID_RESET, ID_IMPORT,
        ID_EXPORT,       ID_FIRMWARE,           ID_TERMINAL};
    const auto join = [](std::initializer_list<std::set<std::uint32_t>> parts) {
        std::set<std::uint32_t> all;
        for (const auto& p : parts) all.insert(p.begin(), p.end());
        return all;
    };
    struct Row {
        const char* what;
        int item;
        std::set<std::uint32_t> enabled;
    } rows[] = {
        {"nothing selected", kNone, always},
        {"responding, configured, installed", kConfigured, join({always, anyItem, adapter})},
        {"responding, not installed", kNotInstalled,
         join({always, anyItem, adapter, {ID_INSTALL}})},
        {"boot loader only", kBootState, join({always, anyItem, {ID_FIRMWARE}})},
        {"not responding, no record", kSilent, join({always, anyItem})},
    };
    CFolderView view(doc);
    view.dialUpAvailable = [] { return true; };
    view.terminalAvailable = [] { return true; };
    watch(view);
    for (const auto& row : rows) {
        select(view, row.item);
        EXPECT_EQ(enabledOf(view), row.enabled) << row.what;
    }
}

TEST_F(FolderMenusTest, DialUpTerminalModemPanelAndHelpFollowWhatTheMachineOffers) {
    testsupport::EnvGuard env;
    CFolderView view(doc);
    watch(view);
    view.SelectItem(kNotInstalled);
    // Unset hooks answer no.
    EXPECT_FALSE(view.IsEnabled(ID_DIALUP));
    EXPECT_FALSE(view.IsEnabled(ID_TERMINAL));
    struct Row {
        const char* os;
        bool panel;
    } rows[] = {{"nt3", false}, {"nt4", true}, {"nt5", false}, {nullptr, true}};
    for (const auto& row : rows) {
        env.set("VELKA_TA_OS", row.os);
        EXPECT_EQ(view.IsEnabled(ID_MODEM_PANEL), row.panel) << (row.os ? row.os : "consumer");
        EXPECT_EQ(view.IsEnabled(ID_INSTALL), row.panel) << (row.os ? row.os : "consumer");
    }
    InstalledProducts products;
    products.pcCard = true;
    products.mobile = true;
    doc.SetProducts(products);
    std::set<std::uint32_t> help;
    for (std::uint32_t id = ID_HELP_USER_TA; id <= ID_HELP_REF_TAPCI; ++id)
        if (id != ID_WIZARD && view.IsEnabled(id)) help.insert(id);
    EXPECT_EQ(help, (std::set<std::uint32_t>{ID_HELP_USER_TAPC, ID_HELP_REF_TAPC, ID_HELP_USER_MOB,
                                             ID_HELP_REF_MOB, ID_TIP_OF_DAY}));
}

TEST_F(FolderMenusTest, DisabledCommandsDoNotReachTheCommandSet) {
    CFolderView view(doc);
    watch(view);
    view.SelectItem(kSilent);
    view.OnCommand(ID_QUICK_CONFIG);
    view.OnCommand(ID_DETAILS);
    view.Report()->clearSelection();
    view.OnCommand(ID_MODEM_PANEL);
    view.OnCommand(ID_DELETE);
    EXPECT_EQ(run, (std::vector<std::pair<std::uint32_t, int>>{{ID_DETAILS, kSilent},
                                                               {ID_MODEM_PANEL, -1}}));
}

TEST_F(FolderMenusTest, EnterAndDoubleClickConfigureARespondingItemAndExplainAnother) {
    doc.Item(kNotInstalled).notConfigured = kItemConfiguredUnknown;
    struct Row {
        int item;
        std::uint32_t command;
    } rows[] = {{kConfigured, ID_QUICK_CONFIG},
                {kNotInstalled, ID_CONFIGURE_PROFILES},
                {kBootState, ID_DETAILS},
                {kSilent, ID_DETAILS}};
    CFolderView view(doc);
    watch(view);
    view.resize(700, 300);
    view.show();
    const std::function<void(int)> gestures[] = {
        [&](int) { QTest::keyClick(view.Report(), Qt::Key_Return); },
        [&](int item) {
            // A double click is a click followed by the double click event.
            const QPoint at = rowRect(view, item).center();
            QTest::mouseClick(view.Report()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(view.Report()->viewport(), Qt::LeftButton, {}, at);
        }};
    for (const auto& row : rows) {
        for (std::size_t g = 0; g < std::size(gestures); ++g) {
            run.clear();
            view.Report()->clearSelection();
            view.SelectItem(row.item);
            gestures[g](row.item);
            EXPECT_EQ(run, (std::vector<std::pair<std::uint32_t, int>>{{row.command, row.item}}))
                << "item " << row.item << (g == 0 ? " Enter" : " double click");
        }
    }
}

TEST_F(FolderMenusTest, ContextMenuDefaultsToConfigureOrToInformation) {
    struct Row {
        int item;
        std::uint32_t first;
        std::uint32_t defaultCommand;
        std::uint32_t chosen;
    } rows[] = {{kConfigured, ID_QUICK_CONFIG, ID_QUICK_CONFIG, ID_EXPORT},
                {kSilent, ID_INFORMATION, ID_INFORMATION, ID_INFORMATION},
                {kBootState, ID_INFORMATION, ID_INFORMATION, ID_FIRMWARE}};
    CFolderView view(doc);
    watch(view);
    view.resize(700, 300);
    view.show();
    for (const auto& row : rows) {
        run.clear();
        view.Report()->clearSelection();
        std::map<std::uint32_t, bool> enabled;
        QString firstText;
        bool separatorSecond = false;
        view.runMenu = [&](QMenu& menu, const QPoint&) -> QAction* {
            auto& context = dynamic_cast<CContextMenu&>(menu);
            const auto entries = menu.actions();
            firstText = entries[0]->text();
            EXPECT_EQ(CContextMenu::CommandOf(entries[0]), row.first);
            separatorSecond = entries[1]->isSeparator();
            EXPECT_EQ(CContextMenu::CommandOf(menu.defaultAction()), row.defaultCommand);
            for (std::uint32_t id : kChecked)
                if (QAction* action = context.Find(id)) enabled[id] = action->isEnabled();
            return context.Find(row.chosen);
        };
        // The right button on the row selects it and opens the menu there.
        const QPoint at = rowRect(view, row.item).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                view.Report()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.Report()->viewport(), &event);
        EXPECT_EQ(view.SelectedIndex(), row.item);
        EXPECT_EQ(separatorSecond, row.first == ID_INFORMATION);
        if (row.first == ID_INFORMATION) {
            EXPECT_EQ(firstText, QStringLiteral("Informationen"));
        }
        for (const auto& [id, on] : enabled) EXPECT_EQ(on, view.IsEnabled(id)) << id;
        EXPECT_EQ(run, (std::vector<std::pair<std::uint32_t, int>>{{row.chosen, row.item}}));
    }
}

TEST_F(FolderMenusTest, ToolbarButtonsFollowTheSelectionAndTheList) {
    CMainFrame frame(doc);
    // The toolbar's buttons in the order of Buttons(), separators left out.
    std::map<std::uint32_t, QAction*> buttons;
    auto tools = frame.ToolBar()->actions();
    tools.removeIf([](const QAction* a) { return a->isSeparator(); });
    ASSERT_EQ(tools.size(), static_cast<qsizetype>(CMainFrame::Buttons().size()));
    for (std::size_t i = 0; i < CMainFrame::Buttons().size(); ++i)
        buttons[CMainFrame::Buttons()[i].command] = tools[static_cast<qsizetype>(i)];
    CFolderView& view = *frame.View();
    view.UpdateList();
    EXPECT_FALSE(buttons[ID_DETAILS]->isEnabled());
    view.SelectItem(kConfigured);
    EXPECT_TRUE(buttons[ID_QUICK_CONFIG]->isEnabled());
    view.SelectItem(kSilent);
    EXPECT_FALSE(buttons[ID_QUICK_CONFIG]->isEnabled());
    EXPECT_TRUE(buttons[ID_DETAILS]->isEnabled());
    view.UpdateList();  // the new list has no selection
    EXPECT_FALSE(buttons[ID_DETAILS]->isEnabled());
    EXPECT_TRUE(buttons[ID_REFRESH]->isEnabled());
}

TEST_F(FolderMenusTest, AnItemWithoutRecordShowsItsKindsAbsentIcon) {
    struct Row {
        int type;
        std::uint32_t icon;
    } rows[] = {{1, IDI_BOX_ABSENT},
                {4, IDI_BOX_ABSENT},
                {2, IDI_PRO_ABSENT},
                {8, IDI_PCI_ABSENT},
                {16, IDI_CARD_ABSENT}};
    for (const auto& row : rows) {
        CFolderItem item;
        item.type = row.type;
        item.responding = 1;  // a stale flag does not count without a record
        EXPECT_EQ(FillRow(item).icon, row.icon) << row.type;
        EXPECT_EQ(item.statusText, "Dieses Gerät reagiert nicht.") << row.type;
    }
}

}  // namespace
