// The commands on a selected adapter, run on the folder's view against the
// simulated adapter on a real pseudo-terminal, with scripted message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/resource_ids.h"
#include "platform/named_mutex.h"
#include "sim/scenario.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/scripted_dialogs.h"

using namespace folder;

namespace {

using Ids = std::vector<std::uint32_t>;

// Runs `step` on the first visible top-level dialog whose class inherits
// `className`, inside whatever modal loop is running then.
void whenShown(const char* className, std::function<void(QDialog&)> step) {
    auto* timer = new QTimer(&uitest::app());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, className, step] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible() || !dialog->inherits(className)) continue;
            timer->stop();
            timer->deleteLater();
            step(*dialog);
            return;
        }
    });
    timer->start();
}

struct FolderCommandsTest : uitest::WithApp, ::testing::Test {
    // A new adapter's item sits at its port's slot.
    static constexpr int kItem = 6;
    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<sim::PtyAdapter> adapter;
    std::unique_ptr<CFolderDoc> doc;
    std::unique_ptr<CFolderView> view;

    // Detects the adapter of `kind` on COM7 (the other ports are empty) and
    // lists it, selected, as configured or not.
    void Detect(sim::Kind kind, std::int32_t configured,
                sim::Firmware firmware = sim::Firmware::Running) {
        testsupport::setTimeScale(0.2);
        testsupport::mapAbsentPorts(home, 10);
        sim::Scenario scenario = sim::defaultScenario(kind, false);
        scenario.firmware = firmware;
        adapter = testsupport::startSim(scenario, "COM7", Transcript());
        ASSERT_NE(adapter, nullptr);
        doc = std::make_unique<CFolderDoc>();
        ASSERT_EQ(doc->Refresh(), 0);
        ASSERT_NE(Item().device, nullptr);
        Item().notConfigured = configured;
        view = std::make_unique<CFolderView>(*doc);
        view->UpdateList();
        view->SelectItem(kItem);
        ASSERT_EQ(view->SelectedIndex(), kItem);
        testsupport::writeFile(Transcript(), "");
    }
    CFolderItem& Item() { return doc->Item(kItem); }
    std::string Transcript() const { return home.file("transcript.log"); }
    std::vector<std::string> Received() const {
        return testsupport::receivedLines(Transcript(), "COM7");
    }
    std::string Traced() const { return testsupport::readFile(home.file("trace.log")); }
};

TEST_F(FolderCommandsTest, EnterOnANewAdapterStartsTheConfigurationWithTheWizard) {
    ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Box, kItemNotConfigured));
    setenv("VELKA_TA_FOLDER_TRACE", home.file("trace.log").c_str(), 1);
    bool wizardShown = false;
    whenShown("wizard::CWizardSheet", [&](QDialog& wizard) {
        wizardShown = true;
        wizard.reject();
    });
    view->Commands().Run(ID_QUICK_CONFIG, kItem);
    unsetenv("VELKA_TA_FOLDER_TRACE");
    EXPECT_TRUE(wizardShown);
    EXPECT_NE(Traced().find("command 2602 "), std::string::npos) << Traced();
    EXPECT_EQ(Item().notConfigured, kItemNotConfigured);
}

TEST_F(FolderCommandsTest, EveryAdapterCommandWaitsForTheDevicesAndThenDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(Detect(sim::Kind::Box, kItemConfigured));
    platform::NamedMutex monitor(platform::kDeviceAccessMutex);
    ASSERT_EQ(monitor.lock(0), platform::WaitResult::Signaled);
    testsupport::setTimeScale(0.01);
    for (std::uint32_t id :
         {ID_QUICK_CONFIG, ID_CONFIGURE_PROFILES, ID_WIZARD, ID_RESET, ID_IMPORT, ID_EXPORT}) {
        dialogs.clear();
        view->Commands().Run(id, kItem);
        EXPECT_EQ(dialogs.messageIds(), (Ids{IDS_DEVICES_BUSY})) << id;
        EXPECT_EQ(dialogs.messages().at(0).caption, "Geräte belegt") << id;
        EXPECT_TRUE(dialogs.fileRequests().empty()) << id;
        EXPECT_EQ(Item().notConfigured, kItemConfigured) << id;
    }
    EXPECT_TRUE(Received().empty());
}

}  // namespace
