// The drivers through the real sheet: what Start returns and what it writes
// back into the caller's record, with the boxes answered by a script.
#include <gtest/gtest.h>

#include <QPushButton>
#include <cstring>

#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "tests/wizard/wizard_run_support.h"
#include "ui/framework_ids.h"
#include "ui/help.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_na.h"
#include "wizard/wizard_rw.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_strings.h"

namespace {

_WizLocation filledRecord() {
    _WizLocation loc{};
    std::strcpy(loc.number1, "1234567");
    std::strcpy(loc.number2, "7654321");
    loc.switchType = 3;
    loc.port1Mode = 3;
    loc.port2Mode = 3;
    loc.regionCode = 22;
    loc.regionList = "Deutschland:22;Andere:1;\r\nOK";
    loc.portSettings = 7;
    loc.modemInUse = 1;
    return loc;
}

bool sameRecord(const _WizLocation& a, const _WizLocation& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

using wiztest::activeId;
using wiztest::activeSheet;

// A North-American record whose four texts are filled: a configuration the
// line may confirm.
_WizLocation configuredRecord() {
    _WizLocation loc = filledRecord();
    std::strcpy(loc.spid1, "01555123400101");
    std::strcpy(loc.spid2, "01555123500101");
    return loc;
}

class WizardDriverTest : public ::testing::Test, public uitest::WithApp {
protected:
    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
};

TEST_F(WizardDriverTest, ProfileIndexOutOfRangeShowsNothingAndKeepsRecord) {
    _WizLocation loc = filledRecord();
    const _WizLocation before = loc;
    _ConnectionType connection = ConnectionV120;
    CWizardNA na;
    EXPECT_EQ(na.Start(nullptr, kDeviceExternal, "COM9", WizCalledProfilePage, connection, &loc, 3,
                       "Profil 1"),
              13017);
    EXPECT_TRUE(sameRecord(loc, before));
    EXPECT_EQ(connection, ConnectionV120);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(WizardDriverTest, CancelConfirmedReturnsTwoAndWritesNothing) {
    _WizLocation loc = filledRecord();
    loc.number2[0] = '\0';  // no existing configuration: the welcome page
    const _WizLocation before = loc;
    _ConnectionType connection = ConnectionV120;
    dialogs.answer(ui::IDNO);  // the first question keeps the sheet
    dialogs.answer(ui::IDYES);
    uitest::whenModal([] {
        activeSheet()->pressButton(ui::SheetButton::Cancel);
        uitest::whenModal([] { activeSheet()->pressButton(ui::SheetButton::Cancel); });
    });
    CWizardRW rw;
    EXPECT_EQ(rw.Start(nullptr, kDeviceExternal, "COM9", WizCalledConfigure, connection, &loc,
                       "Profil 1"),
              kWizCancelled);
    EXPECT_TRUE(sameRecord(loc, before));
    EXPECT_EQ(dialogs.messageIds(),
              (std::vector<std::uint32_t>{wizard::IDS_CONFIRM_CANCEL, wizard::IDS_CONFIRM_CANCEL}));
}

TEST_F(WizardDriverTest, ManualConfigurationReturnsFiftyWithoutCancelQuestion) {
    _WizLocation loc = filledRecord();
    loc.number1[0] = '\0';
    const _WizLocation before = loc;
    _ConnectionType connection = ConnectionPPP;
    dialogs.answer(ui::IDYES);
    uitest::whenModal([] {
        activeSheet()->findChild<QPushButton*>(ui::resourceName(wizard::IDC_WIZ_MANUAL))->click();
    });
    CWizardRW rw;
    EXPECT_EQ(rw.Start(nullptr, kDevicePro, "COM9", WizCalledConfigure, connection, &loc, ""),
              kWizManualConfig);
    EXPECT_TRUE(sameRecord(loc, before));
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{wizard::IDS_CONFIRM_MANUAL});
}

TEST_F(WizardDriverTest, ConfiguredRecordOnPortThatWillNotOpenGives13000) {
    testsupport::mapAbsentPorts(home, 9);
    _WizLocation loc = configuredRecord();
    const _WizLocation before = loc;
    _ConnectionType connection = ConnectionPPP;
    CWizardNA na;
    EXPECT_EQ(
        na.Start(nullptr, kDeviceExternal, "COM9", WizCalledConfigure, connection, &loc, 0, ""),
        13000);
    EXPECT_TRUE(sameRecord(loc, before));
    EXPECT_TRUE(dialogs.messages().empty());

    // Without SPIDs there is nothing the line could confirm: no port is
    // opened and the welcome page shows.
    loc.noSpid1 = 1;
    int first = 0;
    wiztest::whenSheetShown([&](wizard::CWizardSheet& sheet) {
        first = activeId(sheet);
        EXPECT_EQ(sheet.windowTitle().toStdString(), "Konfigurations-Assistent");
    });
    EXPECT_EQ(
        na.Start(nullptr, kDeviceExternal, "COM9", WizCalledConfigure, connection, &loc, 0, ""),
        kWizCancelled);
    EXPECT_EQ(first, wizard::IDD_WIZ_WELCOME);
}

TEST_F(WizardDriverTest, ActivatedLineStartsOnConfiguredPageAndKeepingItReturns51) {
    testsupport::setTimeScale(0.2);
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, true);
    scenario.line.activation = {"activated and operational", "activated and operational"};
    auto adapter = testsupport::startSim(scenario, "COM7");
    ASSERT_TRUE(adapter);
    _WizLocation loc = configuredRecord();
    const _WizLocation before = loc;
    _ConnectionType connection = ConnectionMLPPP;
    int first = 0;
    wiztest::whenSheetShown([&](wizard::CWizardSheet& sheet) {
        first = activeId(sheet);
        // What the summary does when the user keeps the configuration.
        sheet.setEndCode(wizard::kEndKeptConfig);
        sheet.done(ui::ID_WIZFINISH);
    });
    CWizardNA na;
    EXPECT_EQ(na.Start(nullptr, kDeviceExternal, "COM7", WizCalledConfigure, connection, &loc, 0,
                       "Profil 1"),
              kWizKeptConfig);
    EXPECT_EQ(first, wizard::IDD_WIZ_CONFIGURED);
    EXPECT_TRUE(sameRecord(loc, before));
}

TEST_F(WizardDriverTest, HelpOpensWizardTopicAndControlPopups) {
    _WizLocation loc = filledRecord();
    loc.number2[0] = '\0';
    _ConnectionType connection = ConnectionPPP;
    ui::clearRecordedHelpRequests();
    wiztest::whenSheetShown([](wizard::CWizardSheet& sheet) {
        QWidget* manual = wiztest::control(sheet, wizard::IDC_WIZ_MANUAL);
        sheet.requestContextHelp(manual, ui::HelpTrigger::Key);
        sheet.requestContextHelp(manual, ui::HelpTrigger::ContextClick);
    });
    EXPECT_EQ(CWizardRW().Start(nullptr, kDeviceExternal, "COM9", WizCalledConfigure, connection,
                                &loc, ""),
              kWizCancelled);
    const auto requests = ui::recordedHelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].command, ui::HelpCommand::Topic);
    EXPECT_EQ(requests[0].context, 0x403E8u);
    EXPECT_EQ(requests[1].command, ui::HelpCommand::ContextPopup);
    EXPECT_EQ(requests[1].context, 0x40000u + wizard::IDC_WIZ_MANUAL);
    EXPECT_TRUE(requests[0].file.ends_with("cfgTA.hlp"));
}

}  // namespace
