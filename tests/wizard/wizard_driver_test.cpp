// The drivers through the real sheet: what Start returns and what it writes
// back into the caller's record, with the boxes answered by a script.
#include <gtest/gtest.h>

#include <QPushButton>
#include <cstring>

#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
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

// The active wizard sheet while a modal run is on.
wizard::CWizardSheet* activeSheet() {
    return qobject_cast<wizard::CWizardSheet*>(QApplication::activeModalWidget());
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

}  // namespace
