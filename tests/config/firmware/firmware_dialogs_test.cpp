// The firmware dialogs and the upgrade operations: the store's list, adding
// an image to it, the refusals and a whole download through the dialog
// against the simulator.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

#include "config/config.h"
#include "config/firmware/firmware_select_dlg.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "platform/paths.h"
#include "profile/profile_settings.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/scripted_dialogs.h"

namespace fs = std::filesystem;

namespace {

std::string sample(const char* name) {
    return platform::paths::firmwareDir() + "/" + name;
}

// A store folder holding copies of these samples.
std::string makeStore(const testsupport::TempHome& home, std::initializer_list<const char*> names) {
    const std::string dir = home.file("store/");
    fs::create_directories(dir);
    for (const char* n : names) fs::copy_file(sample(n), dir + n);
    return dir;
}

void clickAdd(CFirmwareSelectDlg& dialog) {
    for (auto* b : dialog.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Habe Firmware...")) b->click();
}

}  // namespace

TEST(FirmwareSelect, ListsOnlyTheImagesOfTheDevicesKind) {
    uitest::app();
    testsupport::TempHome home;
    const std::string store =
        makeStore(home, {"taboxna.elm", "taboxint.elm", "tablna.elm", "t71na.elm", "t3mint.elm"});
    std::ofstream(store + "broken.elm") << "no version record here";
    const std::pair<std::int32_t, int> rows[] = {{1, 2}, {4, 1}, {2, 0}, {8, 1}, {16, 1}, {64, 1}};
    for (const auto& [kind, count] : rows) {
        CFirmwareSelectDlg dialog(kind, 0, "2.10", store);
        EXPECT_EQ(dialog.RowCount(), count) << kind;
    }

    // OK without a highlighted row says so and keeps the dialog open.
    ui::ScriptedDialogs dialogs;
    CFirmwareSelectDlg dialog(1, 0, "2.10", store);
    dialog.accept();
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{config::IDS_FW_NONE_SELECTED});
    EXPECT_TRUE(dialog.ChosenPath().empty());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(FirmwareSelect, AddedImagesReplaceTheirTwinOrTakeTheNextFreeName) {
    uitest::app();
    testsupport::TempHome home;
    const std::string store = makeStore(home, {});
    // The same image again replaces its copy; another one takes firm1.elm.
    const std::pair<const char*, const char*> adds[] = {
        {"taboxna.elm", "firm0.elm"}, {"taboxna.elm", "firm0.elm"}, {"taboxint.elm", "firm1.elm"}};
    for (const auto& [source, stored] : adds) {
        ui::ScriptedDialogs dialogs;
        dialogs.answerFile(sample(source));
        CFirmwareSelectDlg dialog(1, 0, "2.10", store);
        clickAdd(dialog);
        EXPECT_EQ(dialog.ChosenPath(), store + stored) << source;
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(store), fs::directory_iterator()), 2);
    // The last image added is highlighted next time.
    CFirmwareSelectDlg again(1, 0, "2.10", store);
    again.accept();
    EXPECT_EQ(again.ChosenPath(), store + "firm1.elm");

    ui::ScriptedDialogs dialogs;
    dialogs.answerFile(home.file("missing.elm"));
    CFirmwareSelectDlg missing(1, 0, "2.10", store);
    clickAdd(missing);
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{config::IDS_FW_SHARING_VIOLATION});
    EXPECT_TRUE(missing.ChosenPath().empty());
}

TEST(FirmwareUpgrade, RefusesImagesForOtherDevices) {
    uitest::app();
    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
    CDeviceInfo device;
    device.SetPort("COM7");
    device.type = 8;
    CProfileSettings settings;
    settings.names[0] = "Büro";
    CConfig config;
    EXPECT_EQ(
        config.UpgradeFirmwarePCI(nullptr, device, "", settings, sample("taboxna.elm").c_str(), 0),
        firmware::kUpgradeCancelled);
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{config::IDS_FW_NOT_FOR_PCI});
    EXPECT_EQ(settings.names[0], "Profil 0");
}

TEST(FirmwareUpgrade, LoadsABoxThroughTheDialog) {
    uitest::app();
    testsupport::TempHome home;
    testsupport::setTimeScale(0.1);
    auto sim = testsupport::startSim(sim::defaultScenario(sim::Kind::Box, false), "COM7");
    ASSERT_TRUE(sim);
    CDeviceInfo device;
    device.SetPort("COM7");
    ASSERT_EQ(device.QueryStatus(), 0);

    ui::ScriptedDialogs dialogs;
    dialogs.answer(ui::IDYES);  // the version confirmation
    CProfileSettings settings;
    CConfig config;
    EXPECT_EQ(
        config.UpgradeFirmwareBox(nullptr, device, "", settings, sample("taboxint.elm").c_str(), 1),
        firmware::kUpgradeDone);
    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].text.find("Zu ladende Version: International (exkl. Nordamerika) "
                                 "(Version 2.20)"),
              std::string::npos);
    EXPECT_EQ(shown[1].stringId, config::IDS_FW_LOADED);
    std::string kept;
    sim->withEngine([&](sim::Adapter& a) { kept = a.receivedImage(); });
    EXPECT_EQ(kept.size(), fs::file_size(sample("taboxint.elm")));
}
