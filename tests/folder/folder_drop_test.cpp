// Files dropped onto an adapter of the folder's list and the load-firmware
// command, on the view with scripted boxes and the simulated adapter behind
// a real pseudo-terminal: what a drag may become, a dropped profile reaching
// the adapter, a whole download from the command, and the command held off
// by another program's use of the adapters.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>
#include <filesystem>

#include "config/resource_ids.h"
#include "folder/drop_target.h"
#include "folder/firmware_command.h"
#include "folder/firmware_confirm_dlg.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/resource_ids.h"
#include "platform/paths.h"
#include "platform/status_codes.h"
#include "tests/support/process.h"
#include "tests/support/sim_port.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"

namespace {

using Ids = std::vector<std::uint32_t>;

TEST(DropRule, TakesOneLocalProfileOrImageOntoARespondingItem) {
    const std::string longDir = "/" + std::string(250, 'd') + "/";
    const std::string umlauts = "/" + std::string(245, 'a') + "/Büro-ÄÖÜ.prf";  // 259 characters
    struct Row {
        const char* what;
        bool responds;
        std::vector<std::string> files;
        DropKind kind;
    } rows[] = {
        {"upper-case profile", true, {"/home/u/SETUP.PRF"}, DropKind::Profile},
        {"mixed-case image", true, {"/srv/fw/TaBoxNa.Elm"}, DropKind::Firmware},
        {"both marks: the profile wins", true, {"/x/a.elm.prf"}, DropKind::Profile},
        {"not responding", false, {"/home/u/setup.prf"}, DropKind::None},
        {"two files", true, {"/a/one.prf", "/a/two.prf"}, DropKind::None},
        {"not a local file", true, {""}, DropKind::None},
        {"no file", true, {}, DropKind::None},
        {"another kind of file", true, {"/home/u/readme.txt"}, DropKind::None},
        {"only its folder is named so",
         true,
         {"/home/u/profiles.prf.d/readme.txt"},
         DropKind::None},
        {"260 characters", true, {longDir + "abcd.prf"}, DropKind::Profile},
        {"261 characters", true, {longDir + "abcde.prf"}, DropKind::None},
        {"umlauts count as one character each", true, {umlauts}, DropKind::Profile},
    };
    for (const auto& row : rows)
        EXPECT_EQ(AcceptedDrop(row.responds, row.files), row.kind) << row.what;
}

// Accepts the dialog with resource id `id` as soon as it shows, inside
// whatever modal loop is running then.
void acceptWhenShown(int id) {
    auto* timer = new QTimer(&uitest::app());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, id] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<QDialog*>(widget);
            if (shown == nullptr || !shown->isVisible() || ui::resourceId(shown) != id) continue;
            timer->stop();
            timer->deleteLater();
            shown->accept();
            return;
        }
    });
    timer->start();
}

// A simulated box on COM1 and a remembered box on COM5 that is not there,
// found by a real detection and shown in the view.
struct FolderDropTest : uitest::WithApp, ::testing::Test {
    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<sim::PtyAdapter> sim;
    std::unique_ptr<CFolderDoc> doc;
    std::unique_ptr<CFolderView> view;
    std::vector<QDialog*> confirmations;
    int confirmAnswer = QDialog::Accepted;

    void SetUp() override {
        testsupport::setTimeScale(0.2);
        testsupport::mapAbsentPorts(home, CInfo::kMaxSlots);
        const CRegistry absent(folderkeys::DeviceKey(1));
        absent.Create();
        absent.WriteDword("DeviceType", 1);
        absent.WriteString("Port", "COM5");
        absent.WriteDword("Configured", 1);
        sim = testsupport::startSim(sim::defaultScenario(sim::Kind::Box, false), "COM1");
        ASSERT_TRUE(sim);
        doc = std::make_unique<CFolderDoc>();
        ASSERT_EQ(doc->Refresh(), 0);
        view = std::make_unique<CFolderView>(*doc);
        view->runDialog = [this](QDialog& dialog) {
            if (dynamic_cast<CFirmwareConfirmDlg*>(&dialog)) confirmations.push_back(&dialog);
            return confirmAnswer;
        };
        view->resize(700, 300);
        view->show();
        view->UpdateList();
        ASSERT_EQ(view->Report()->topLevelItemCount(), 2);
    }
    int itemOn(const std::string& port) const {
        for (int i = 0; i < CFolderDoc::kMaxItems; ++i)
            if (doc->Item(i).portName == port) return i;
        return -1;
    }
    // The centre of the row of `port` in the list shown.
    QPoint rowOf(const std::string& port) const {
        const int item = itemOn(port);
        for (int r = 0; r < view->Report()->topLevelItemCount(); ++r) {
            QTreeWidgetItem* line = view->Report()->topLevelItem(r);
            if (view->Report()->isVisible() && line->data(0, Qt::UserRole + 1).toInt() == item)
                return view->Report()->visualItemRect(line).center();
            QListWidgetItem* entry = view->Icons()->item(r);
            if (view->Icons()->isVisible() && entry->data(Qt::UserRole + 1).toInt() == item)
                return view->Icons()->visualItemRect(entry).center();
        }
        return {-1, -1};
    }
    QWidget* shownList() const {
        return view->Report()->isVisible() ? view->Report()->viewport() : view->Icons()->viewport();
    }
    // One drag of `paths` from outside onto `at` (in the shown list's
    // viewport), through the window as the windowing system delivers it,
    // ended by releasing the button there or by leaving again. Whether the
    // last move over `at` was taken, and the drop too when released.
    bool drag(const QStringList& paths, QPoint at, bool release) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        QWindow* window = view->windowHandle();
        const QPoint point = shownList()->mapTo(view.get(), at);
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QDragMoveEvent move(point, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
        const bool moveTaken = move.isAccepted() && move.dropAction() == Qt::CopyAction;
        if (!release) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(window, &leave);
            return moveTaken;
        }
        QDropEvent drop(point, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        return moveTaken && drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
    }
    std::string profileFile() {
        const std::string path = home.file("SETUP.PRF");
        testsupport::writeFile(path,
                               "[General]\nDevice Type=1\nDefault Profile=0\nISDN Type=0\n"
                               "[Profile 0]\nProfile Name=Importiert\nPrimary Number1=4711\n");
        return path;
    }
    std::string adapterState() {
        std::string state;
        sim->withEngine([&](sim::Adapter& a) { state = a.saveState(); });
        return state;
    }
    std::string keptImage() {
        std::string image;
        sim->withEngine([&](sim::Adapter& a) { image = a.receivedImage(); });
        return image;
    }
};

TEST_F(FolderDropTest, OnlyOneProfileOrImageOverARespondingRowIsTakenWhileDragging) {
    const QString prf = QString::fromStdString(profileFile());
    struct Row {
        const char* what;
        std::uint32_t style;
        QStringList files;
        const char* port;  // "" for the empty space below the rows
        bool taken;
    } rows[] = {
        {"SETUP.PRF onto the box", folder::ID_VIEW_DETAILS, {prf}, "COM1", true},
        {"icons: SETUP.PRF onto the box", folder::ID_VIEW_LARGE, {prf}, "COM1", true},
        {"two files", folder::ID_VIEW_DETAILS, {prf, prf}, "COM1", false},
        {"onto the box that does not respond", folder::ID_VIEW_DETAILS, {prf}, "COM5", false},
        {"icons: onto the box that does not respond", folder::ID_VIEW_LARGE, {prf}, "COM5", false},
        {"below the rows", folder::ID_VIEW_DETAILS, {prf}, "", false},
    };
    for (const auto& row : rows) {
        view->OnCommand(row.style);
        const QPoint at = *row.port ? rowOf(row.port) : QPoint(5, 280);
        ASSERT_NE(at, QPoint(-1, -1)) << row.what;
        EXPECT_EQ(drag(row.files, at, false), row.taken) << row.what;
        if (row.taken) continue;
        EXPECT_FALSE(drag(row.files, at, true)) << row.what;
        uitest::pump();  // a drop taken by mistake would run now
        EXPECT_TRUE(dialogs.messages().empty()) << row.what;
    }
    EXPECT_TRUE(confirmations.empty());
}

TEST_F(FolderDropTest, ADroppedProfileFileIsWrittenToTheAdapterWhichThenCountsAsConfigured) {
    const int box = itemOn("COM1");
    ASSERT_NE(doc->Item(box).notConfigured, kItemConfigured);
    ASSERT_EQ(adapterState().find("4711"), std::string::npos);
    ASSERT_TRUE(drag({QString::fromStdString(profileFile())}, rowOf("COM1"), true));
    EXPECT_TRUE(dialogs.messages().empty()) << "the drop ran before the drag ended";
    uitest::pump();
    EXPECT_EQ(dialogs.messageIds(), (Ids{config::IDS_IMPORT_DONE_TEXT}));
    EXPECT_NE(adapterState().find("4711"), std::string::npos);
    EXPECT_EQ(doc->Item(box).notConfigured, kItemConfigured);
    std::uint32_t configured = 0;
    EXPECT_EQ(CRegistry(folderkeys::DeviceKey(box + 1)).ReadDword("Configured", configured), 0);
    EXPECT_EQ(configured, 1u);
    EXPECT_EQ(view->SelectedIndex(), box);
}

TEST_F(FolderDropTest, ADroppedImageThatIsNotConfirmedLeavesTheAdapterAlone) {
    confirmAnswer = QDialog::Rejected;
    const std::string image = platform::paths::firmwareDir() + "/taboxint.elm";
    ASSERT_TRUE(drag({QString::fromStdString(image)}, rowOf("COM1"), true));
    uitest::pump();
    EXPECT_EQ(confirmations.size(), 1u);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(view->Detecting()) << "a cancelled load refreshed the list";
    EXPECT_TRUE(keptImage().empty());
}

TEST_F(FolderDropTest, LoadFirmwareConfirmsDownloadsTheChosenImageAndRefreshesKeepingTheSelection) {
    const int box = itemOn("COM1");
    view->SelectItem(box);
    acceptWhenShown(config::IDD_FIRMWARE_SELECT);  // with the image it proposes
    dialogs.answer(ui::IDYES);                     // the configurator's version confirmation
    view->OnCommand(folder::ID_FIRMWARE);
    EXPECT_EQ(confirmations.size(), 1u);
    EXPECT_EQ(keptImage().size(),
              std::filesystem::file_size(platform::paths::firmwareDir() + "/taboxna.elm"));
    EXPECT_EQ(dialogs.messageIds().back(), config::IDS_FW_LOADED);
    ASSERT_TRUE(view->Detecting()) << "no refresh after the download";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->Detecting(); }, 60000));
    ASSERT_GE(view->SelectedIndex(), 0);
    EXPECT_EQ(doc->Item(view->SelectedIndex()).portName, "COM1");
}

TEST_F(FolderDropTest, AnAdapterInItsBootStateGetsFirmwareWithoutBeingAsked) {
    sim::Scenario boot = sim::defaultScenario(sim::Kind::Box, false);
    boot.firmware = sim::Firmware::BootState;
    sim.reset();
    sim = testsupport::startSim(boot, "COM1");
    ASSERT_EQ(doc->Refresh(), 0);
    const int box = itemOn("COM1");
    ASSERT_EQ(doc->Item(box).device->firmwareState, device::kFirmwareBootOnly);
    const std::string image = platform::paths::firmwareDir() + "/taboxint.elm";
    EXPECT_EQ(LoadFirmware(*view, *doc, box, image), firmware::kUpgradeDone);
    EXPECT_TRUE(confirmations.empty());
    EXPECT_EQ(keptImage().size(), std::filesystem::file_size(image));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->Detecting(); }, 60000));
}

TEST_F(FolderDropTest, LoadFirmwareOnlySaysSoWhileAnotherProgramUsesTheAdapters) {
    // flock(1) holds the mutex's lock file, as any other program of the
    // suite holding the device-access mutex does.
    testsupport::ChildProcess holder;
    const std::string lock =
        platform::paths::runtimeDir() + "/" + platform::kDeviceAccessMutex + ".lock";
    ASSERT_TRUE(holder.start("/usr/bin/flock", {lock, "-c", "echo held; exec cat"}));
    ASSERT_EQ(holder.readLines(1), "held\n");
    testsupport::setTimeScale(0.05);
    std::uint32_t commands = 0;
    sim->withEngine([&](sim::Adapter& a) { commands = a.commandCount(); });

    view->SelectItem(itemOn("COM1"));
    view->OnCommand(folder::ID_FIRMWARE);
    EXPECT_EQ(dialogs.messageIds(), (Ids{folder::IDS_DEVICES_BUSY}));
    EXPECT_TRUE(confirmations.empty());
    EXPECT_FALSE(view->Detecting());
    sim->withEngine([&](sim::Adapter& a) { EXPECT_EQ(a.commandCount(), commands); });
    holder.wait();
}

}  // namespace
