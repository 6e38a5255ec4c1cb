// The help file by kind, region and phone-ports flag; the help path from the
// registry store; the configurator's sheet with its context help and tab
// layout; the busy dialogs' animations by kind.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "config/busy_animation.h"
#include "config/config.h"
#include "config/config_strings.h"
#include "config/context_help_property_sheet.h"
#include "config/help_path.h"
#include "device/device_info.h"
#include "platform/paths.h"
#include "registry/registry.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/help.h"
#include "ui/multi_row_tab_bar.h"
#include "ui/resource_id.h"

namespace {

// UpdateHelpPath is protected: the entry points call it for themselves.
struct HelpPathProbe : CConfig {
    using CConfig::UpdateHelpPath;
};

struct HelpCase {
    std::int32_t kind;
    std::int32_t region;
    std::int32_t phonePorts;
    const char* file;
};

class HelpFile : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpFile, IsChosenByKindRegionAndPhonePorts) {
    const HelpCase& c = GetParam();
    EXPECT_STREQ(config::HelpFileName(c.kind, c.region, c.phonePorts), c.file);
}

// Every kind of the table with every region (1 North America, 0
// international, 255 not determined) and both flag values; kinds outside
// the table get the box's files.
INSTANTIATE_TEST_SUITE_P(
    Table, HelpFile,
    ::testing::Values(HelpCase{1, 1, 0, "cfgTA.hlp"}, HelpCase{1, 1, 1, "cfgTA.hlp"},
                      HelpCase{1, 0, 1, "cfgTA.hlp"}, HelpCase{1, 0, 0, "cfgTANP.hlp"},
                      HelpCase{1, 255, 1, "cfgTANP.hlp"}, HelpCase{1, 255, 0, "cfgTANP.hlp"},
                      HelpCase{4, 1, 0, "cfgTA.hlp"}, HelpCase{4, 1, 1, "cfgTA.hlp"},
                      HelpCase{4, 0, 1, "cfgTA.hlp"}, HelpCase{4, 0, 0, "cfgTANP.hlp"},
                      HelpCase{4, 0, 7, "cfgTA.hlp"}, HelpCase{4, 255, 1, "cfgTANP.hlp"},
                      HelpCase{2, 1, 0, "cfgTAPR.hlp"}, HelpCase{2, 1, 1, "cfgTAPR.hlp"},
                      HelpCase{2, 0, 1, "cfgTAPR.hlp"}, HelpCase{2, 0, 0, "cfgTANPR.hlp"},
                      HelpCase{2, 255, 1, "cfgTANPR.hlp"}, HelpCase{2, 255, 0, "cfgTANPR.hlp"},
                      HelpCase{8, 1, 1, "cfgTAPCI.hlp"}, HelpCase{8, 0, 0, "cfgTAPCI.hlp"},
                      HelpCase{8, 255, 0, "cfgTAPCI.hlp"}, HelpCase{8, 0, 1, "cfgTAPCI.hlp"},
                      HelpCase{16, 1, 0, "cfgTAPC.hlp"}, HelpCase{16, 0, 1, "cfgTAPC.hlp"},
                      HelpCase{16, 255, 0, "cfgTAPC.hlp"}, HelpCase{16, 0, 0, "cfgTAPC.hlp"},
                      HelpCase{0, 1, 0, "cfgTA.hlp"}, HelpCase{32, 0, 0, "cfgTANP.hlp"},
                      HelpCase{64, 0, 1, "cfgTA.hlp"}));

struct HelpPathFixture : ::testing::Test {
    testsupport::TempHome home;
    CRegistry directory{std::string(kSuiteKey) + "\\Directory"};
    CDeviceInfo device;
};

TEST_F(HelpPathFixture, IsTheStoredHelpDirectoryFollowedByTheFileAndReplacedByEachCall) {
    ASSERT_EQ(directory.WriteString("Help", "/opt/velka/help/"), 0);
    device.type = 4;
    device.region = 0;
    HelpPathProbe::UpdateHelpPath(device, 1);
    EXPECT_EQ(config::HelpPath(), "/opt/velka/help/cfgTA.hlp");
    HelpPathProbe::UpdateHelpPath(device, 0);
    EXPECT_EQ(config::HelpPath(), "/opt/velka/help/cfgTANP.hlp");
    device.type = 16;
    HelpPathProbe::UpdateHelpPath(device, 1);
    EXPECT_EQ(config::HelpPath(), "/opt/velka/help/cfgTAPC.hlp");
    // A directory stored the classic way ends with a backslash; kept as it is.
    ASSERT_EQ(directory.WriteString("Help", "C:\\Velka\\HELP\\"), 0);
    HelpPathProbe::UpdateHelpPath(device, 1);
    EXPECT_EQ(config::HelpPath(), "C:\\Velka\\HELP\\cfgTAPC.hlp");
}

TEST_F(HelpPathFixture, ADirectoryWithoutSeparatorOrNoValueAtAllStillGivesAFileInAFolder) {
    device.type = 2;
    device.region = 1;
    ASSERT_EQ(directory.WriteString("Help", "/opt/velka/help"), 0);
    HelpPathProbe::UpdateHelpPath(device, 0);
    EXPECT_EQ(config::HelpPath(), "/opt/velka/help/cfgTAPR.hlp");

    ASSERT_EQ(directory.DeleteValue("Help"), 0);
    HelpPathProbe::UpdateHelpPath(device, 0);
    std::string installed = platform::paths::helpDir();
    if (installed.back() != '/') installed += '/';
    EXPECT_EQ(config::HelpPath(), installed + "cfgTAPR.hlp");
}

// ------------------------------------------------------------ sheet and tabs

struct LayoutCase {
    const char* servicePack;
    int major;
    int minor;
    ui::TabLayout layout;
};

class TabLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TabLayout, FollowsTheServicePackAndTheCommonControls) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(CContextHelpPropertySheet::ChooseTabLayout(c.servicePack, c.major, c.minor),
              c.layout);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, TabLayout,
    ::testing::Values(LayoutCase{"", 4, 0, ui::TabLayout::SingleRow},
                      LayoutCase{"", 4, 69, ui::TabLayout::SingleRow},
                      LayoutCase{"", 4, 70, ui::TabLayout::Stacked},
                      LayoutCase{"", 4, 71, ui::TabLayout::Stacked},
                      LayoutCase{"", 5, 81, ui::TabLayout::Stacked},
                      LayoutCase{"Service Pack 1", 4, 0, ui::TabLayout::SingleRow},
                      LayoutCase{"Service Pack 1b", 4, 0, ui::TabLayout::Stacked},
                      LayoutCase{"OSR2 B", 4, 0, ui::TabLayout::Stacked}));

class CheckPage : public ui::PropertyPage {
public:
    CheckPage() : PropertyPage(1069, QStringLiteral("Sonstige Funktionen")) {}

protected:
    void createControls() override {
        auto* check = new QCheckBox(QStringLiteral("Sprachanrufe zum PC"), this);
        ui::setResourceId(check, 1721);
    }
};

struct SheetFixture : uitest::WithApp, ::testing::Test {
    void TearDown() override {
        unsetenv("VELKA_TA_COMCTL_VERSION");
        uitest::pump();
    }
    CheckPage page;
};

TEST_F(SheetFixture, TheSystemsCommonControlsDecideTheTabsWhenTheSheetIsMade) {
    setenv("VELKA_TA_COMCTL_VERSION", "4.00", 1);
    CContextHelpPropertySheet old(QStringLiteral("x"));
    EXPECT_EQ(old.tabLayout(), ui::TabLayout::SingleRow);
    unsetenv("VELKA_TA_COMCTL_VERSION");
    CContextHelpPropertySheet current(QStringLiteral("x"));
    EXPECT_EQ(current.tabLayout(), ui::TabLayout::Stacked);
}

TEST_F(SheetFixture, ContextHelpOpensTheCurrentHelpFileAtTheControlPlus0x30000) {
    config::SetHelpPath("/help/cfgTANP.hlp");
    config::SetHelpShown(false);
    CContextHelpPropertySheet sheet(QStringLiteral("Konfiguriert aktive - Tamo"));
    page.setHasHelp(true);
    sheet.addPage(&page);
    sheet.create();
    // The path chosen after the sheet was made is the one that opens.
    config::SetHelpPath("/help/cfgTAPR.hlp");
    ui::clearRecordedHelpRequests();

    sheet.requestContextHelp(ui::findControl(&page, 1721));
    EXPECT_TRUE(config::HelpShown());
    sheet.button(ui::IDHELP)->click();

    const auto requests = ui::recordedHelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].file, "/help/cfgTAPR.hlp");
    EXPECT_EQ(requests[0].command, ui::HelpCommand::ContextPopup);
    EXPECT_EQ(requests[0].context, 0x30000u + 1721);
    EXPECT_EQ(requests[1].file, "/help/cfgTAPR.hlp");
    EXPECT_EQ(requests[1].command, ui::HelpCommand::Topic);
    EXPECT_EQ(requests[1].context, ui::HID_BASE_RESOURCE + 1069);
}

// ---------------------------------------------------------------- animations

struct AnimationCase {
    std::int32_t kind;
    int read;
    int write;
    int import;
};

class BusyAnimation : public ::testing::TestWithParam<AnimationCase> {};

TEST_P(BusyAnimation, IsChosenByKindForReadingWritingAndImport) {
    const AnimationCase& c = GetParam();
    EXPECT_EQ(config::ReadAnimation(c.kind), c.read);
    EXPECT_EQ(config::WriteAnimation(c.kind), c.write);
    EXPECT_EQ(config::ImportAnimation(c.kind), c.import);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BusyAnimation,
    ::testing::Values(AnimationCase{1, 1381, 1384, 1384}, AnimationCase{4, 1381, 1384, 1384},
                      AnimationCase{2, 1383, 1386, 1386}, AnimationCase{8, 1382, 1385, 1385},
                      AnimationCase{16, 1389, 1388, 1189}, AnimationCase{0, 1192, 1189, 1189},
                      AnimationCase{32, 1192, 1189, 1189}, AnimationCase{64, 1192, 1189, 1189},
                      AnimationCase{3, 1192, 1189, 1189}));

// ------------------------------------------------------------- string table

TEST(StringTable, HoldsTheTextsExactlyWithTheirLineBreaksAndQuotes) {
    EXPECT_EQ(config::Text(1017),
              "Profil  konnte nicht zum Tamo Terminal Adapter geschrieben werden.");
    EXPECT_EQ(config::Text(1170),
              "You cannot enter the same number for both your 1st and 2nd numbers.\r\nYou should "
              "either enter a different 2nd number or disable the \"Use 2 Numbers\" option.");
    EXPECT_EQ(config::Text(1054), "Profildateien (*.prf)|*.prf||");
    EXPECT_EQ(config::Text(57399), "Verbindet mit Gerät...");
    EXPECT_TRUE(config::Text(4711).empty());
}

}  // namespace
