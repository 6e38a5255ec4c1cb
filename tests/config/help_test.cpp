// The help path from the registry store and the file by kind, region and
// phone-ports flag; the configurator's sheet with its context help and tab
// layout; the busy dialogs' animations by kind.
#include <gtest/gtest.h>
#include <QPushButton>

#include "config/busy_animation.h"
#include "config/config.h"
#include "config/context_help_property_sheet.h"
#include "config/help_path.h"
#include "device/device_info.h"
#include "platform/paths.h"
#include "registry/registry.h"
#include "tests/support/temp_home.h"
#include "tests/ui/test_pages.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/help.h"

namespace {

// UpdateHelpPath is protected: the entry points call it for themselves.
struct HelpPathProbe : CConfig {
    using CConfig::UpdateHelpPath;
};

// The file follows the kind, the region (1 North America, 0 international,
// 255 not determined) and the phone-ports flag.
TEST(HelpPath, IsTheStoredHelpDirectoryFollowedByTheFileAndReplacedByEachCall) {
    testsupport::TempHome home;
    CRegistry directory{std::string(kSuiteKey) + "\\Directory"};
    std::string installed = platform::paths::helpDir();
    if (installed.back() != '/') installed += '/';
    const struct {
        const char* stored;  // null: no value at all
        std::int32_t kind;
        std::int32_t region;
        int phonePorts;
        std::string path;
    } rows[] = {
        {"/opt/velka/help/", 4, 0, 1, "/opt/velka/help/cfgTA.hlp"},
        {"/opt/velka/help/", 4, 0, 0, "/opt/velka/help/cfgTANP.hlp"},
        {"/opt/velka/help/", 1, 1, 0, "/opt/velka/help/cfgTA.hlp"},
        {"/opt/velka/help/", 1, 255, 1, "/opt/velka/help/cfgTANP.hlp"},
        {"/opt/velka/help/", 2, 1, 0, "/opt/velka/help/cfgTAPR.hlp"},
        {"/opt/velka/help/", 8, 0, 0, "/opt/velka/help/cfgTAPCI.hlp"},
        // Kinds outside the table get the box's files.
        {"/opt/velka/help/", 64, 0, 0, "/opt/velka/help/cfgTANP.hlp"},
        // A directory stored the classic way ends with a backslash; kept.
        {"C:\\Velka\\HELP\\", 16, 0, 1, "C:\\Velka\\HELP\\cfgTAPC.hlp"},
        // Without a separator the file still goes into the folder.
        {"/opt/velka/help", 2, 0, 0, "/opt/velka/help/cfgTANPR.hlp"},
        {nullptr, 2, 0, 0, installed + "cfgTANPR.hlp"},
    };
    CDeviceInfo device;
    for (const auto& row : rows) {
        if (row.stored)
            ASSERT_EQ(directory.WriteString("Help", row.stored), 0);
        else
            ASSERT_EQ(directory.DeleteValue("Help"), 0);
        device.type = row.kind;
        device.region = row.region;
        HelpPathProbe::UpdateHelpPath(device, row.phonePorts);
        EXPECT_EQ(config::HelpPath(), row.path)
            << (row.stored ? row.stored : "(none)") << " kind " << row.kind;
    }
}

// ------------------------------------------------------------ sheet and tabs

TEST(TabLayout, FollowsTheServicePackAndTheCommonControls) {
    using ui::TabLayout;
    const struct {
        const char* servicePack;
        int major;
        int minor;
        TabLayout layout;
    } rows[] = {{"", 4, 0, TabLayout::SingleRow},
                {"", 4, 69, TabLayout::SingleRow},
                {"", 4, 70, TabLayout::Stacked},
                {"", 5, 81, TabLayout::Stacked},
                {"Service Pack 1", 4, 0, TabLayout::SingleRow},
                {"Service Pack 1b", 4, 0, TabLayout::Stacked},
                {"OSR2 B", 4, 0, TabLayout::Stacked}};
    for (const auto& row : rows)
        EXPECT_EQ(CContextHelpPropertySheet::ChooseTabLayout(row.servicePack, row.major, row.minor),
                  row.layout)
            << row.servicePack << " " << row.major << "." << row.minor;
}

// The tabs follow the system's common controls when the sheet is made; help
// opens the help file chosen last, not the one of when the sheet was made.
TEST(ContextHelpSheet, TabsFollowTheSystemAndHelpOpensTheCurrentFile) {
    uitest::app();
    setenv("VELKA_TA_COMCTL_VERSION", "4.00", 1);
    CContextHelpPropertySheet old(QStringLiteral("x"));
    EXPECT_EQ(old.tabLayout(), ui::TabLayout::SingleRow);
    unsetenv("VELKA_TA_COMCTL_VERSION");

    uitest::TestPage page(1069, QStringLiteral("Sonstige Funktionen"));
    config::SetHelpPath("/help/cfgTANP.hlp");
    config::SetHelpShown(false);
    CContextHelpPropertySheet sheet(QStringLiteral("Konfiguriert aktive - Tamo"));
    EXPECT_EQ(sheet.tabLayout(), ui::TabLayout::Stacked);
    page.setHasHelp(true);
    sheet.addPage(&page);
    sheet.create();
    config::SetHelpPath("/help/cfgTAPR.hlp");
    ui::clearRecordedHelpRequests();

    sheet.requestContextHelp(page.voiceCheck());
    EXPECT_TRUE(config::HelpShown());
    sheet.button(ui::IDHELP)->click();
    const auto requests = ui::recordedHelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& r : requests) EXPECT_EQ(r.file, "/help/cfgTAPR.hlp");
    EXPECT_EQ(requests[0].command, ui::HelpCommand::ContextPopup);
    EXPECT_EQ(requests[0].context, 0x30000u + uitest::kVoiceCheck);
    EXPECT_EQ(requests[1].command, ui::HelpCommand::Topic);
    EXPECT_EQ(requests[1].context, ui::HID_BASE_RESOURCE + 1069);
}

// ---------------------------------------------------------------- animations

// The import's table has no picture of its own for the PC card.
TEST(BusyAnimation, IsChosenByKindForReadingWritingAndImport) {
    const struct {
        std::int32_t kind;
        int read, write, import;
    } rows[] = {{2, 1383, 1386, 1386}, {16, 1389, 1388, 1189}, {64, 1192, 1189, 1189}};
    for (const auto& row : rows) {
        EXPECT_EQ(config::ReadAnimation(row.kind), row.read) << row.kind;
        EXPECT_EQ(config::WriteAnimation(row.kind), row.write) << row.kind;
        EXPECT_EQ(config::ImportAnimation(row.kind), row.import) << row.kind;
    }
}

}  // namespace
