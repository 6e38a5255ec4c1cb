// The commands on a selected adapter, run on the folder's view against the
// simulated adapter on a real pseudo-terminal, with scripted message boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/resource_ids.h"
#include "folder/after_config_dlg.h"
#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_strings.h"
#include "folder/folder_view.h"
#include "folder/resource_ids.h"
#include "platform/named_mutex.h"
#include "sim/scenario.h"
#include "tests/support/env_guard.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/help.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_sheet.h"

using namespace folder;

namespace {

using Ids = std::vector<std::uint32_t>;

// Runs `step` on the first visible top-level dialog of type T, inside
// whatever modal loop is running then.
template <typename T>
void whenShown(std::function<void(T&)> step) {
    auto* timer = new QTimer(&uitest::app());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<T*>(widget);
            if (shown == nullptr || !shown->isVisible()) continue;
            if constexpr (std::is_base_of_v<ui::PropertySheet, T>)
                if (shown->activePage() == nullptr || !shown->activePage()->initialised()) return;
            timer->stop();
            timer->deleteLater();
            step(*shown);
            return;
        }
    });
    timer->start();
}

template <typename T = QAbstractButton>
T* control(QWidget* root, int id) {
    return ui::findControl<T>(root, id);
}

struct FolderCommandsTest : uitest::WithApp, ::testing::Test {
    int item = -1;  // the adapter's item

    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<sim::PtyAdapter> adapter;
    std::unique_ptr<CFolderDoc> doc;
    std::unique_ptr<CFolderView> view;
    std::vector<std::uint32_t> shownDialogs;  // by resource id

    FolderCommandsTest() {
        setenv("VELKA_TA_FOLDER_TRACE", home.file("trace.log").c_str(), 1);
        CRegistry(std::string(kSuiteKey) + "\\Directory")
            .WriteString("Install", VELKA_TA_SOURCE_DIR);
        CRegistry(std::string(kSuiteKey) + "\\Directory")
            .WriteString("Help", home.file("help/").c_str());
    }
    ~FolderCommandsTest() override { unsetenv("VELKA_TA_FOLDER_TRACE"); }

    // Detects the simulated adapter on COM7 (the other ports are empty) and
    // lists it, selected, as configured or not.
    void Detect(const sim::Scenario& scenario, std::int32_t configured) {
        testsupport::setTimeScale(0.2);
        testsupport::mapAbsentPorts(home, 10);
        adapter.reset();
        adapter = testsupport::startSim(scenario, "COM7", Transcript());
        ASSERT_NE(adapter, nullptr);
        doc = std::make_unique<CFolderDoc>();
        ASSERT_EQ(doc->Refresh(), 0);
        item = -1;
        for (int i = CFolderDoc::kMaxItems - 1; i >= 0; --i)
            if (doc->Item(i).IsFamily()) item = i;
        ASSERT_GE(item, 0);
        ASSERT_NE(Item().device, nullptr);
        Item().notConfigured = configured;
        view = std::make_unique<CFolderView>(*doc);
        view->runDialog = [this](QDialog& dialog) {
            shownDialogs.push_back(static_cast<std::uint32_t>(ui::resourceId(&dialog)));
            return static_cast<int>(QDialog::Rejected);
        };
        view->UpdateList();
        view->SelectItem(item);
        ASSERT_EQ(view->SelectedIndex(), item);
        testsupport::writeFile(Transcript(), "");
        testsupport::writeFile(home.file("trace.log"), "");
    }
    void Detect(sim::Kind kind, std::int32_t configured) {
        Detect(sim::defaultScenario(kind, false), configured);
    }

    CFolderItem& Item() { return doc->Item(item); }
    std::string Transcript() const { return home.file("transcript.log"); }
    bool Sent(const std::string& piece) const {
        const QString wanted = QString::fromStdString(piece).toUpper();
        for (const std::string& line : testsupport::receivedLines(Transcript(), "COM7"))
            if (QString::fromStdString(line).toUpper().contains(wanted)) return true;
        return false;
    }
    std::string Traced() const { return testsupport::readFile(home.file("trace.log")); }
    bool Traces(const std::string& line) const { return Traced().find(line) != std::string::npos; }
    std::uint32_t StoredConfigured() const {
        std::uint32_t configured = 9;
        CRegistry(folderkeys::DeviceKey(1)).ReadDword("Configured", configured);
        return configured;
    }
};

TEST_F(FolderCommandsTest, EnterOnANewAdapterRunsTheWizardAndOffersWhatComesNext) {
    ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Pci, kItemNotConfigured));
    whenShown<wizard::CWizardSheet>([](wizard::CWizardSheet& wizard) {
        const auto next = [&wizard] { wizard.button(ui::ID_WIZNEXT)->click(); };
        next();
        auto* regions = control<QComboBox>(wizard.activePage(), wizard::IDC_WIZ_REGION);
        ASSERT_NE(regions, nullptr);
        regions->setCurrentIndex(regions->findData(2));
        next();
        next();
        if (wizard.activePage()->dialogId() == wizard::IDD_WIZ_SWITCH_ROW) next();
        wizard.button(ui::ID_WIZFINISH)->click();
    });
    int dialUpOpened = 0;
    view->Commands().openDialUp = [&] {
        ++dialUpOpened;
        return kDialUpFolderMissing;
    };
    view->runDialog = [this](QDialog& dialog) {
        shownDialogs.push_back(static_cast<std::uint32_t>(ui::resourceId(&dialog)));
        if (auto* after = dynamic_cast<CAfterConfigDlg*>(&dialog)) {
            control(after, IDC_AFTER_DIAL_OTHER)->click();
            after->accept();
        }
        return dialog.result();
    };
    view->Commands().Run(ID_QUICK_CONFIG, item);
    EXPECT_TRUE(Traces("command 2602 0\n")) << Traced();
    EXPECT_TRUE(Sent("&W")) << "the wizard's profile was not stored";
    EXPECT_EQ(Item().notConfigured, kItemConfigured);
    EXPECT_EQ(StoredConfigured(), 1u);
    EXPECT_EQ(shownDialogs, (Ids{IDD_AFTER_CONFIG, IDD_TIP}));
    EXPECT_EQ(dialUpOpened, 1);
    EXPECT_EQ(dialogs.messageIds(), (Ids{IDS_DIALUP_MISSING}));
    EXPECT_EQ(view->SelectedIndex(), item);
}

TEST_F(FolderCommandsTest, EveryAdapterCommandWaitsForTheDevicesAndThenDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Box, kItemConfigured));
    platform::NamedMutex monitor(platform::kDeviceAccessMutex);
    ASSERT_EQ(monitor.lock(0), platform::WaitResult::Signaled);
    testsupport::setTimeScale(0.01);
    for (std::uint32_t id :
         {ID_QUICK_CONFIG, ID_CONFIGURE_PROFILES, ID_WIZARD, ID_RESET, ID_IMPORT, ID_EXPORT}) {
        dialogs.clear();
        view->Commands().Run(id, item);
        EXPECT_EQ(dialogs.messageIds(), (Ids{IDS_DEVICES_BUSY})) << id;
        EXPECT_TRUE(dialogs.fileRequests().empty()) << id;
        EXPECT_EQ(Item().notConfigured, kItemConfigured) << id;
    }
    EXPECT_TRUE(testsupport::receivedLines(Transcript(), "COM7").empty());
    EXPECT_TRUE(shownDialogs.empty());
    EXPECT_EQ(Traced(), "");
}

TEST_F(FolderCommandsTest, EachAdapterCommandRunsAgainstTheAdapterAndKeepsTheConfiguredState) {
    const std::string profile = home.file("büro.prf");
    testsupport::writeFile(profile,
                           "[General]\nDevice Type=1\nDefault Profile=0\nISDN Type=0\n"
                           "[Profile 0]\nProfile Name=Importiert\nPrimary Number1=4711\n");
    const std::string exported = home.file("export.prf");
    const struct {
        const char* what;
        std::uint32_t id;
        std::int32_t before;
        std::function<void()> script;
        std::string sent;  // a command line the adapter must have received
        std::int32_t after;
    } rows[] = {
        {"quick configuration", ID_QUICK_CONFIG, kItemConfigured,
         [] {
             whenShown<ui::PropertySheet>([](ui::PropertySheet& sheet) {
                 if (auto* port2 = control(sheet.activePage(), config::IDC_PORT2_ON))
                     port2->click();
                 sheet.button(ui::IDOK)->click();
                 if (sheet.isVisible()) {
                     ADD_FAILURE() << "the sheet refused OK";
                     sheet.done(2);
                 }
             });
         },
         "&W", kItemConfigured},
        {"reset", ID_RESET, kItemConfigured, [this] { dialogs.answer(ui::IDYES); }, "at>f",
         kItemNotConfigured},
        {"import", ID_IMPORT, kItemNotConfigured, [&] { dialogs.answerFile(profile); }, "!N1=4711",
         kItemConfigured},
        {"export", ID_EXPORT, kItemNotConfigured, [&] { dialogs.answerFile(exported); }, "AT&V",
         kItemNotConfigured},
    };
    for (const auto& row : rows) {
        sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, true);
        scenario.factory = {
            {"!N1", "5550101"}, {"!N2", "5550102"}, {"!C6", "55501010101"}, {"!C7", "55501020101"}};
        ASSERT_NO_FATAL_FAILURE(Detect(scenario, row.before)) << row.what;
        dialogs.clear();
        row.script();
        view->Commands().Run(row.id, item);
        EXPECT_TRUE(Traces("command " + std::to_string(row.id) + " 0\n"))
            << row.what << ": " << Traced();
        EXPECT_TRUE(Sent(row.sent)) << row.what;
        EXPECT_EQ(Item().notConfigured, row.after) << row.what;
        EXPECT_EQ(StoredConfigured(), row.after == kItemConfigured ? 1u : 0u) << row.what;
        EXPECT_TRUE(shownDialogs.empty()) << row.what << ": no after-configuration offer";
    }
    EXPECT_NE(testsupport::readFile(exported).find("Primary Number1=5550101"), std::string::npos);
}

TEST_F(FolderCommandsTest, DetailsShowWhatIsKnownOrWhyTheAdapterIsNotAvailable) {
    ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Box, kItemConfigured));
    bool propertiesShown = false;
    whenShown<ui::PropertySheet>([&](ui::PropertySheet& sheet) {
        propertiesShown = true;
        sheet.done(1);
    });
    view->Commands().Run(ID_DETAILS, item);
    EXPECT_TRUE(propertiesShown);
    EXPECT_TRUE(dialogs.messageIds().empty());

    const struct {
        std::int32_t openState;
        std::int32_t foundType;
        std::uint32_t text;
        std::vector<std::string> inserts;
        ui::Buttons buttons;
    } rows[] = {
        {0,
         kDevicePro,
         IDS_OTHER_DEVICE_ANSWERS,
         {"Velka Technology Corporation", "COM7", "Tamo T/A ISDN Modem auf COM7"},
         ui::Buttons::RetryCancelHelp},
        {0, 0, IDS_NOTHING_ANSWERS, {"COM7"}, ui::Buttons::RetryCancelHelp},
        {1, 0, IDS_PORT_BUSY, {"COM7"}, ui::Buttons::RetryCancelHelp},
        {2, 0, IDS_PORT_NOT_OPENED, {"COM7"}, ui::Buttons::RetryCancelHelp},
        {3, 0, IDS_NO_INFORMATION, {}, ui::Buttons::OkHelp},
    };
    std::vector<std::uint32_t> contexts;
    view->setHelpContext = [&](std::uint32_t context) { contexts.push_back(context); };
    for (const auto& row : rows) {
        Item().responding = 0;
        Item().device->openState = row.openState;
        Item().device->type = row.foundType;
        dialogs.clear();
        dialogs.answer(ui::IDCANCEL);
        view->Commands().Run(ID_INFORMATION, item);
        ASSERT_EQ(dialogs.messageIds(), (Ids{row.text})) << row.text;
        const ui::ShownMessage shown = dialogs.messages()[0];
        EXPECT_EQ(shown.caption, "Gerät nicht verfügbar");
        EXPECT_EQ(shown.buttons, row.buttons) << row.text;
        EXPECT_EQ(shown.helpContext, 1400u);
        for (const std::string& insert : row.inserts)
            EXPECT_NE(shown.text.find(insert), std::string::npos) << row.text << " " << insert;
        EXPECT_EQ(contexts, (Ids{1400, 0})) << "F1 follows the box while it is open";
        contexts.clear();
        EXPECT_FALSE(view->Detecting());
    }

    Item().device->openState = 2;
    dialogs.answer(ui::IDRETRY);
    view->Commands().Run(ID_DETAILS, item);
    EXPECT_TRUE(view->Detecting()) << "Retry detects afresh";
    EXPECT_TRUE(QTest::qWaitFor([&] { return Traces("refresh 0"); }, 30000));
}

TEST_F(FolderCommandsTest, DetailsOfAnAdapterInItsBootStateOfferTheFirmware) {
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    scenario.firmware = sim::Firmware::BootState;
    ASSERT_NO_FATAL_FAILURE(Detect(scenario, kItemConfigured));
    ASSERT_EQ(Item().responding, 0);
    // The firmware command's own dialogs are cancelled as they come.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    cancel.start(20);
    view->Commands().Run(ID_DETAILS, item);
    cancel.stop();
    // The firmware command follows with boxes of its own.
    ASSERT_FALSE(dialogs.messages().empty());
    const ui::ShownMessage first = dialogs.messages()[0];
    EXPECT_EQ(first.stringId, IDS_FIRMWARE_DAMAGED);
    EXPECT_EQ(first.caption, Utf8(IDS_FIRMWARE_DAMAGED_CAPTION));
    EXPECT_EQ(first.icon, ui::Icon::Warning);
}

TEST_F(FolderCommandsTest, DeleteRemovesTheRowAlsoWhenTheServiceKnowsNothingOfIt) {
    const struct {
        const char* what;
        bool recordStored;
        int answer;
        std::string deleted;  // trace
        int rows;
    } rows[] = {
        {"declined", true, ui::IDNO, "", 1},
        {"stored record", true, ui::IDYES, "delete COM7 7", 0},
        {"unknown to the service", false, ui::IDYES, "delete COM7 0", 0},
    };
    for (const auto& row : rows) {
        ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Box, kItemConfigured)) << row.what;
        if (!row.recordStored) CRegistry(folderkeys::PortKey(7)).DeleteKey();
        dialogs.clear();
        dialogs.answer(row.answer);
        view->Commands().Run(ID_DELETE, item);
        ASSERT_EQ(dialogs.messageIds(), (Ids{IDS_DELETE_ASK})) << row.what;
        EXPECT_EQ(dialogs.messages()[0].caption, "Gerät wird gelöscht");
        EXPECT_EQ(Traced().find("delete") == std::string::npos, row.deleted.empty()) << row.what;
        if (!row.deleted.empty()) {
            EXPECT_TRUE(Traces(row.deleted)) << row.what << ": " << Traced();
        }
        EXPECT_EQ(view->Report()->topLevelItemCount(), row.rows) << row.what;
        // The next start from the stored list shows the same.
        CFolderDoc again;
        again.LoadFromRegistry();
        EXPECT_EQ(again.CountAdapters(), row.rows) << row.what;
    }
}

TEST_F(FolderCommandsTest, InstallShowsTheStepsThenOpensTheModemPanelAndRefreshesAfterIt) {
    ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Box, kItemConfigured));
    const ui::ScopedHelpHandler noHelpWindow([](const ui::HelpRequest&) {});
    const struct {
        const char* os;
        int answer;
        std::uint32_t context;  // 0: no help
    } rows[] = {
        {"", ui::IDNO, 0},
        {"", ui::IDYES, 2614 + 0x10000},
        {"nt4", ui::IDYES, 2615 + 0x10000},
    };
    for (const auto& row : rows) {
        testsupport::EnvGuard env;
        if (*row.os) env.set("VELKA_TA_OS", row.os);
        std::vector<std::string> calls;
        view->Commands().openModemPanel = [&] { calls.push_back("panel"); };
        ui::clearRecordedHelpRequests();
        dialogs.clear();
        dialogs.answer(row.answer);
        view->Commands().Run(ID_INSTALL, item);
        ASSERT_EQ(dialogs.messageIds(), (Ids{IDS_INSTALL_ASK}));
        EXPECT_EQ(dialogs.messages()[0].caption, "Gerät wird installiert");
        EXPECT_EQ(dialogs.messages()[0].icon, ui::Icon::Question);
        const auto help = ui::recordedHelpRequests();
        if (row.context == 0) {
            EXPECT_TRUE(help.empty());
            EXPECT_TRUE(calls.empty());
            continue;
        }
        ASSERT_EQ(help.size(), 1u) << row.os;
        EXPECT_EQ(help[0].file, home.file("help/trouble.hlp"));
        EXPECT_EQ(help[0].context, row.context) << row.os;
        EXPECT_EQ(calls, (std::vector<std::string>{"panel"}));
    }
}

}  // namespace
