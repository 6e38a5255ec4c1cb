// The rest-of-world wizard through its real sheet, one run per device route,
// with the region list read from the simulated adapter over a pty as the
// configurator hands it over.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <cstring>
#include <filesystem>

#include "registry/registry.h"
#include "serial/com_speed.h"
#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/wizard/wizard_run_support.h"
#include "ui/scripted_dialogs.h"
#include "wizard/line_detector.h"
#include "wizard/page_rw_features.h"
#include "wizard/page_rw_numbers.h"
#include "wizard/page_rw_protocol.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_rw.h"
#include "wizard/wizard_state.h"

namespace {

using namespace wiztest;
using namespace wizard;

// Switch types by region: 2 offers one, 10 two, 1 ("Andere") everything
// including OnRamp, 22 names its connection type on the summary.
constexpr const char* kRegionIni = "[Switch Types]\n1=2,3,4,5,6,10,11\n2=2\n10=2,10\n22=2,3\n";

class WizardRwTest : public ::testing::Test, public uitest::WithApp {
protected:
    void SetUp() override {
        std::filesystem::create_directories(home.file("data"));
        testsupport::writeFile(home.file("data/REGION.INI"), kRegionIni);
        CRegistry(std::string(kSuiteKey) + "\\Directory")
            .WriteString("Install", home.path().c_str());

        testsupport::setTimeScale(0.2);
        sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
        scenario.regions = {"Andere:1;Deutschland:2;Grossbritannien:10;", "Irland:22;"};
        auto adapter = testsupport::startSim(scenario);
        ASSERT_TRUE(adapter);
        CLineDetector line(adapter->devicePath());
        ASSERT_EQ(line.Open(), 0);
        ASSERT_EQ(line.Exchange("atI100\r"), 0);
        regionList = line.Received();
        loc.regionList = regionList.c_str();
        loc.port1Mode = 3;
        loc.port2Mode = 3;
        loc.hasPhonePorts = 1;
        loc.regionCode = 2;
        loc.modemInUse = 1;
    }

    int run(std::int32_t kind, _WizardCalled called = WizCalledConfigure) {
        return CWizardRW().Start(nullptr, _DeviceType(kind), "COM5", called, connection, &loc,
                                 "Profil 1");
    }

    static void chooseRegion(CWizardSheet& sheet, int code) {
        auto* regions = control<QComboBox>(sheet, IDC_WIZ_REGION);
        regions->setCurrentIndex(regions->findData(code));
    }

    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
    std::string regionList;
    _WizLocation loc{};
    _ConnectionType connection = ConnectionPPP;
    std::vector<int> trail;
};

TEST_F(WizardRwTest, OneSwitchTypeSkipsSwitchPageAndBothPortsNoFinishDeactivated) {
    serial::StoreComSpeed("COM5", 57600);
    std::vector<QString> summary;
    whenSheetShown([&](CWizardSheet& sheet) {
        next(sheet);
        chooseRegion(sheet, 2);
        next(sheet);
        EXPECT_EQ(activeId(sheet), IDD_WIZ_PROTOCOL_ROW);
        click(sheet, IDC_WIZ_MLPPP);
        next(sheet);
        EXPECT_EQ(activeId(sheet), IDD_WIZ_FEATURES);
        click(sheet, IDC_RW_PORT1_NO);
        click(sheet, IDC_RW_PORT2_NO);
        next(sheet);
        EXPECT_EQ(activeId(sheet), IDD_WIZ_FINISH_ROW);
        summary = {shown(sheet, IDC_RW_FIN_REGION), shown(sheet, IDC_RW_FIN_PORT1),
                   shown(sheet, IDC_RW_FIN_PORT2), shown(sheet, IDC_RW_FIN_PROTOCOL)};
        finish(sheet);
    });
    EXPECT_EQ(run(kDeviceExternal), kWizFinished);
    EXPECT_EQ(summary, (std::vector<QString>{"Deutschland", "Deaktiviert", "Deaktiviert",
                                             "MultiLink PPP (MLPPP)"}));
    // Multilink over a slow port: a notice with the port's speed in kbit/s.
    ASSERT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{1389});
    EXPECT_NE(dialogs.messages()[0].text.find(" 57kbps"), std::string::npos);
    EXPECT_EQ(loc.port1Mode, 0);
    EXPECT_EQ(loc.port2Mode, 0);
    EXPECT_EQ(loc.switchType, 2);
    EXPECT_EQ(loc.regionCode, 2);
    EXPECT_EQ(loc.portSettings, 16);  // a box with telephone ports
    EXPECT_EQ(connection, ConnectionMLPPP);
}

TEST_F(WizardRwTest, OnRampPreselectedAndProAnswersGoToPortAndModem) {
    loc.port1Mode = 0;  // the answers start at yes whatever came in
    std::vector<QString> seen;
    whenSheetShown([&](CWizardSheet& sheet) {
        next(sheet);
        chooseRegion(sheet, 1);
        next(sheet);
        click(sheet, IDC_WIZ_V120);
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_SWITCH_ROW);
        seen.push_back(shown(sheet, IDC_RW_SWITCH_TYPE));
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_FEATURES_PRO);
        click(sheet, IDC_RW_PORT2_NO);  // no modem
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_PORT_PRO);
        EXPECT_FALSE(control(sheet, IDC_RW_NUMBER2)->isEnabled());
        type(sheet, IDC_RW_NUMBER1, "0301 234;567");
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_FINISH_ROW_PRO);
        seen.push_back(shown(sheet, IDC_RW_FIN_PORT1));
        seen.push_back(shown(sheet, IDC_RW_FIN_PORT2));
        seen.push_back(shown(sheet, IDC_RW_FIN_PROTOCOL));
        finish(sheet);
    });
    EXPECT_EQ(run(kDevicePro), kWizFinished);
    EXPECT_EQ(seen, (std::vector<QString>{"OnRamp", "0301 234;567", "Deaktiviert", "V.120"}));
    EXPECT_EQ(loc.switchType, 11);
    EXPECT_STREQ(loc.number1, "0301 234;567");
    EXPECT_STREQ(loc.number2, "");
    EXPECT_EQ(loc.port1Mode, 3);
    EXPECT_EQ(loc.port2Mode, 3);  // the Pro box's second answer is the modem
    EXPECT_EQ(loc.modemInUse, 0);
    EXPECT_EQ(connection, ConnectionV120);
}

// Devices without telephone ports go from the protocol page to a summary
// without port lines; the Pro box keeps its modem from the record.
TEST_F(WizardRwTest, WithoutPhonePortsStraightToSummary) {
    struct Case {
        std::int32_t kind;
        int region;
        std::int32_t port2Mode;
        int finishPage;
        std::int32_t modemInUse;
    };
    const Case cases[] = {
        {kDevicePci, 2, 3, IDD_WIZ_FINISH_ROW, 1},
        {kDevicePcCard, 22, 3, IDD_WIZ_FINISH_ROW_REGION, 1},
        {kDevicePro, 2, 0, IDD_WIZ_FIN_RW_PRO_NOPOTS, 0},
        {kDevicePro, 22, 5, IDD_WIZ_FIN_RW_REG_PRO_NOPOTS, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " region " << c.region);
        loc.hasPhonePorts = 0;
        loc.port2Mode = c.port2Mode;
        loc.modemInUse = 7;
        int page = 0;
        bool portLines = true;
        whenSheetShown([&](CWizardSheet& sheet) {
            next(sheet);
            chooseRegion(sheet, c.region);
            next(sheet);
            next(sheet);
            if (activeId(sheet) == IDD_WIZ_SWITCH_ROW) next(sheet);
            page = activeId(sheet);
            portLines = control(sheet, IDC_RW_FIN_PORT1) != nullptr;
            finish(sheet);
        });
        EXPECT_EQ(run(c.kind), kWizFinished);
        EXPECT_EQ(page, c.finishPage);
        EXPECT_FALSE(portLines);
        if (c.kind == kDevicePro) {
            EXPECT_EQ(loc.modemInUse, c.modemInUse);
        }
    }
}

TEST_F(WizardRwTest, BackAndForthReusesPagesAndKeepsEntries) {
    whenSheetShown([&](CWizardSheet& sheet) {
        next(sheet);
        chooseRegion(sheet, 10);
        next(sheet);
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_SWITCH_ROW);
        auto* types = control<QComboBox>(sheet, IDC_RW_SWITCH_TYPE);
        types->setCurrentIndex(types->findData(10));
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_FEATURES);
        click(sheet, IDC_RW_PORT2_NO);
        next(sheet);
        type(sheet, IDC_RW_NUMBER1, "12345");
        CWizardPage* numbers = static_cast<CWizardPage*>(sheet.activePage());
        const int pagesBefore = sheet.pageCount();
        for (int i = 0; i < 4; ++i) back(sheet);
        EXPECT_EQ(activeId(sheet), IDD_WIZ_REGION_ROW);
        for (int i = 0; i < 2; ++i) next(sheet);
        EXPECT_EQ(shown(sheet, IDC_RW_SWITCH_TYPE).toStdString(), "British Telecom");
        next(sheet);
        EXPECT_TRUE(control<QRadioButton>(sheet, IDC_RW_PORT2_NO)->isChecked());
        click(sheet, IDC_RW_PORT2_YES);
        next(sheet);
        EXPECT_EQ(sheet.activePage(), numbers);
        EXPECT_EQ(sheet.pageCount(), pagesBefore);
        EXPECT_EQ(control<QLineEdit>(sheet, IDC_RW_NUMBER1)->text(), "12345");
        EXPECT_TRUE(control(sheet, IDC_RW_NUMBER2)->isEnabled());
        type(sheet, IDC_RW_NUMBER2, "12345");
        dialogs.answer(ui::IDNO);  // the same number twice: stay
        next(sheet);
        EXPECT_EQ(sheet.activePage(), numbers);
        type(sheet, IDC_RW_NUMBER2, "678");
        next(sheet);
        finish(sheet);
    });
    EXPECT_EQ(run(kDeviceExternal), kWizFinished);
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{1158});
    EXPECT_EQ(loc.switchType, 10);
    EXPECT_STREQ(loc.number1, "12345");
    EXPECT_STREQ(loc.number2, "678");
    EXPECT_EQ(loc.port2Mode, 3);
}

TEST_F(WizardRwTest, ExistingConfigurationKeptFinishesWithRecordValues) {
    std::strcpy(loc.number1, "111");
    std::strcpy(loc.number2, "222");
    loc.switchType = 3;
    loc.regionCode = 22;
    QString region, type;
    whenSheetShown([&](CWizardSheet& sheet) {
        EXPECT_EQ(activeId(sheet), IDD_WIZ_CONFIGURED_ROW);
        next(sheet);
        ASSERT_EQ(activeId(sheet), IDD_WIZ_FINISH_ROW_REGION);
        region = shown(sheet, IDC_RW_FIN_REGION);
        type = shown(sheet, IDC_RW_FIN_SWITCH);
        finish(sheet);
    });
    connection = ConnectionV110;
    EXPECT_EQ(run(kDeviceExternal), kWizFinished);
    EXPECT_EQ(region, "Irland");
    EXPECT_EQ(type, "Microlink");
    EXPECT_STREQ(loc.number1, "111");
    EXPECT_EQ(loc.switchType, 3);
    EXPECT_EQ(connection, ConnectionV110);
}

TEST(PortNumberRules, FaultsAndStoredForm) {
    const struct {
        const char* typed;
        std::uint32_t fault;
        const char* stored;
    } rows[] = {
        {"", 0, ""},
        {"030-1234 5", 0, "0301234 5"},
        {"123;456", 0, "123;456"},
        {"123;", 1404, "123;"},
        {" ;123 ", 1404, " ;123 "},
        {"12a3", 1154, "123"},
        {"+49 30", 1154, "49 30"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(PortNumberFault(r.typed), r.fault) << r.typed;
        EXPECT_EQ(StoredPortNumber(r.typed), r.stored) << r.typed;
    }
}

}  // namespace
