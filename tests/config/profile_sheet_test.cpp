// The profile sheets: which pages each variant shows for the settings that
// matter, the sheet rearranged while it runs, the changed flag after OK,
// Cancel and Apply, failed checks, and a profile read from the simulator
// that is shown and confirmed without change sending the same lines.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "config/configure_profile.h"
#include "config/pages/feature_dialogs.h"
#include "config/pages/page_general.h"
#include "config/pages/sheet_state.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "profile/command_builder.h"
#include "profile/device_profiles.h"
#include "profile/profile.h"
#include "profile/profile_settings.h"
#include "serial/com_speed.h"
#include "sim/scenario.h"
#include "tests/profile/sim_adapter.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"

using namespace config;
using config::pages::Sheet;

namespace {

using Ids = std::vector<int>;

Ids pageIds() {
    Ids ids;
    for (ui::PropertyPage* page : Sheet().sheet->pages()) ids.push_back(page->dialogId());
    return ids;
}

// A user's choice in a combination box or a click on a check box.
void choose(int id, int index) {
    auto* combo = ui::findControl<QComboBox>(Sheet().sheet->activePage(), id);
    ASSERT_NE(combo, nullptr) << id;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
void click(int id) {
    auto* box = ui::findControl<QCheckBox>(Sheet().sheet->activePage(), id);
    ASSERT_NE(box, nullptr) << id;
    box->click();
}
void type(int id, const char* text) {
    auto* edit = ui::findControl<QLineEdit>(Sheet().sheet->activePage(), id);
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(QString::fromUtf8(text));
    emit edit->textEdited(edit->text());
}

struct SheetRun {
    std::int32_t result = -1;
    std::int32_t changed = -1;
};

// Runs the sheet for the profile; `step` acts while it runs and ends it.
SheetRun runSheet(CProfile& profile, std::int32_t kind, std::int32_t region,
                  const std::function<void()>& step, std::int32_t v110 = 1) {
    CDeviceInfo device;
    device.type = kind;
    device.region = region;
    device.v110Capable = v110;
    device.SetPort("COM7");
    uitest::whenModal(step);
    CConfigureProfile configure;
    SheetRun run;
    run.result = configure.ConfigureProfile(nullptr, profile, 0, device,
                                            QStringLiteral("Konfiguriert aktive - Test"), "Büro");
    run.changed = configure.changed;
    return run;
}

Ids pagesAtOpening(CProfile profile, std::int32_t kind, std::int32_t region) {
    Ids ids;
    runSheet(profile, kind, region, [&] {
        ids = pageIds();
        Sheet().sheet->done(2);
    });
    return ids;
}

CProfile profileWith(std::function<void(CProfile&)> change) {
    CProfile p;
    p.number1 = "5550101";
    p.number2 = "5550102";
    p.spid1 = "55501010101";
    p.spid2 = "55501020101";
    p.potsAvailable = 1;
    p.modePots1 = 3;
    p.modePots2 = 3;
    p.aodiSupported = 1;
    change(p);
    return p;
}

class ProfileSheetTest : public uitest::WithApp, public testing::Test {
protected:
    testsupport::TempHome home_;
    ui::ScriptedDialogs dialogs_;
};

TEST_F(ProfileSheetTest, PagesAtOpeningFollowVariantAndSettings) {
    const auto set = [](auto f) { return profileWith(f); };
    const struct {
        const char* what;
        std::int32_t kind, region;
        CProfile profile;
        Ids pages;
    } rows[] = {
        {"box NA, both ports, MLPPP", 1, 1, set([](CProfile&) {}), {1331, 1115, 1115, 1329, 1069}},
        {"box NA, voice to PC, BACP",
         4,
         1,
         set([](CProfile& p) { p.EnableVoiceForBox = 1, p.bacp = 1; }),
         {1331, 1115, 1115, 1329, 1223, 1069, 1328}},
        {"box NA, AODI",
         1,
         1,
         set([](CProfile& p) { p.aodi = 1; }),
         {1331, 1115, 1115, 1329, 1222, 1069}},
        {"box NA, AODI not supported",
         1,
         1,
         set([](CProfile& p) { p.aodi = 1, p.aodiSupported = 0; }),
         {1331, 1115, 1115, 1329, 1069}},
        {"box NA, AODI with PPP",
         1,
         1,
         set([](CProfile& p) { p.aodi = 1, p.bacp = 1, p.connectType = 10; }),
         {1331, 1115, 1115, 1332, 1069}},
        {"card NA, no ports, port 2 off",
         8,
         1,
         set([](CProfile& p) { p.potsAvailable = 0; }),
         {1331, 1329, 1069}},
        {"box NA, port 1 off, V.110",
         1,
         1,
         set([](CProfile& p) { p.modePots1 = 0, p.connectType = 9; }),
         {1331, 1115, 1333, 1069}},
        {"box NA, V.120",
         16,
         1,
         set([](CProfile& p) { p.connectType = 11; }),
         {1331, 1115, 1115, 1334, 1069}},
        {"box NA, connect type 7",
         1,
         1,
         set([](CProfile& p) { p.connectType = 7; }),
         {1331, 1115, 1115, 1069}},
        {"box RW, ports",
         1,
         0,
         set([](CProfile& p) { p.modePots2 = 0; }),
         {1324, 1117, 1337, 1154}},
        {"box RW, no ports",
         1,
         0,
         set([](CProfile& p) { p.potsAvailable = 0; }),
         {1342, 1337, 1154}},
        {"box RW, no ports, voice, PPP",
         8,
         0,
         set([](CProfile& p) { p.potsAvailable = 0, p.EnableVoiceForBox = 1, p.connectType = 10; }),
         {1342, 1338, 1154, 1341}},
        {"Pro NA, modem",
         2,
         1,
         set([](CProfile& p) { p.EnableModemForPro = 1; }),
         {1331, 1115, 1328, 1329, 1336}},
        {"Pro NA, no modem, port off",
         2,
         1,
         set([](CProfile& p) { p.modePots1 = 0; }),
         {1331, 1329, 1336}},
        {"Pro RW, modem, V.120, BACP",
         2,
         0,
         set([](CProfile& p) { p.EnableModemForPro = 1, p.connectType = 11, p.bacp = 1; }),
         {1324, 1117, 1343, 1340, 1336}},
        {"Pro RW without ports: modem always",
         2,
         0,
         set([](CProfile& p) { p.potsAvailable = 0, p.aodi = 1; }),
         {1342, 1341, 1337, 1222, 1336}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(pagesAtOpening(row.profile, row.kind, row.region), row.pages) << row.what;

    CProfile p;
    CDeviceInfo other;
    other.type = 64;
    CConfigureProfile configure;
    EXPECT_EQ(configure.ConfigureProfile(nullptr, p, 0, other, "x", "y"), 0);
}

TEST_F(ProfileSheetTest, ProtocolAndPortChangesRearrangeTheRunningSheet) {
    CProfile profile = profileWith([](CProfile& p) { p.EnableVoiceForBox = 1; });
    std::vector<Ids> seen;
    int activeAfter = -1;
    const SheetRun run = runSheet(profile, 1, 1, [&] {
        seen.push_back(pageIds());
        choose(IDC_DATA_PROTOCOL, 1);  // V.120 (V.110 is first)
        seen.push_back(pageIds());
        choose(IDC_DATA_PROTOCOL, 5);  // Multilink PPP with AODI
        seen.push_back(pageIds());
        click(IDC_PORT1_ON);  // off
        seen.push_back(pageIds());
        click(IDC_PORT1_ON);  // on again: back in its place
        seen.push_back(pageIds());
        activeAfter = Sheet().sheet->activeIndex();
        Sheet().sheet->pressButton(ui::SheetButton::Ok);
    });
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], (Ids{1331, 1115, 1115, 1329, 1069, 1328}));
    EXPECT_EQ(seen[1], (Ids{1331, 1115, 1115, 1334, 1069, 1328}));
    EXPECT_EQ(seen[2], (Ids{1331, 1115, 1115, 1329, 1223, 1222, 1069, 1328}));
    EXPECT_EQ(seen[3], (Ids{1331, 1115, 1329, 1223, 1222, 1069, 1328}));
    EXPECT_EQ(seen[4], seen[2]);
    EXPECT_EQ(activeAfter, 0);
    // Multilink asks whether to check the port's speed.
    EXPECT_EQ(dialogs_.messageIds(), (std::vector<std::uint32_t>{1522}));
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.changed, 1);
    EXPECT_EQ(profile.connectType, kConnectMultilinkPpp);
    EXPECT_EQ(profile.aodi, 1);
    EXPECT_EQ(profile.bacp, 1);
    EXPECT_EQ(profile.modePots1, 3);
}

TEST_F(ProfileSheetTest, ChangedFlagAfterOkCancelAndApply) {
    CProfile untouched = profileWith([](CProfile&) {});
    const CProfile before = untouched;
    SheetRun run =
        runSheet(untouched, 1, 1, [] { Sheet().sheet->pressButton(ui::SheetButton::Ok); });
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.changed, 0);

    CProfile applied = before;
    run = runSheet(applied, 1, 1, [] {
        click(IDC_PORT2_ON);
        Sheet().sheet->button(ui::ID_APPLY_NOW)->click();
        Sheet().sheet->pressButton(ui::SheetButton::Cancel);
    });
    EXPECT_EQ(run.result, 2);
    EXPECT_EQ(run.changed, 1);
    EXPECT_EQ(applied.modePots2, 0);

    CProfile cancelled = before;
    run = runSheet(cancelled, 1, 1, [] {
        click(IDC_PORT2_ON);
        Sheet().sheet->pressButton(ui::SheetButton::Cancel);
    });
    EXPECT_EQ(run.changed, 0);
    EXPECT_EQ(cancelled.modePots2, 3);
}

TEST_F(ProfileSheetTest, FailedCheckKeepsThePageAndFocusesTheField) {
    const struct {
        const char* number1;
        const char* number2;
        bool useTwo;
        std::uint32_t message;
        int focus;
    } rows[] = {
        {"555 01a1", "", false, 1172, IDC_NUMBER1},
        {"123456789012345678901", "", false, 1175, IDC_NUMBER1},
        {"", "5550102", true, 1307, IDC_NUMBER1},
        {"5550101", "555 0101", true, 1170, IDC_NUMBER2},
    };
    for (const auto& row : rows) {
        CProfile profile = profileWith([](CProfile&) {});
        bool left = true;
        int focused = -1;
        std::vector<std::uint32_t> shown;
        runSheet(profile, 1, 1, [&] {
            if (row.useTwo != true) click(IDC_USE_TWO_NUMBERS);
            type(IDC_NUMBER1, row.number1);
            type(IDC_NUMBER2, row.number2);
            dialogs_.clear();
            left = Sheet().sheet->setActivePage(1);
            shown = dialogs_.messageIds();
            focused = ui::resourceId(Sheet().sheet->focusWidget());
            Sheet().sheet->done(2);
        });
        EXPECT_FALSE(left) << row.number1;
        EXPECT_EQ(shown, (std::vector<std::uint32_t>{row.message})) << row.number1;
        EXPECT_EQ(focused, row.focus) << row.number1;
    }
}

// Every page of every variant shown and left, then OK: the profile sends
// the lines it sent before.
class UnchangedProfile : public testing::TestWithParam<std::tuple<sim::Kind, bool, bool>> {};

TEST_P(UnchangedProfile, SendsTheSameLinesAfterTheSheet) {
    uitest::app();
    ui::ScriptedDialogs dialogs;
    const auto [simKind, northAmerica, withPorts] = GetParam();
    profiletest::SimAdapter adapter(sim::defaultScenario(simKind, northAmerica));
    ASSERT_TRUE(adapter.started());
    const std::int32_t kind = std::int32_t(simKind), na = northAmerica ? 1 : 0;
    CDeviceProfiles model;
    ASSERT_EQ(model.ReadProfiles(profiletest::SimAdapter::kPort, na, kind, CProfileSettings()), 0);
    CProfile& profile = model.profiles[0];
    if (!withPorts) profile.potsAvailable = 0;
    profile.EnableVoiceForBox = 1;
    profile.EnableModemForPro = 1;
    auto lines = [&] {
        std::vector<std::string> texts;
        for (const profile::CommandPiece& piece :
             profile::BuildProfileCommands(profile, 0, na, kind))
            texts.push_back(piece.text);
        return texts;
    };
    const std::vector<std::string> before = lines();
    const CProfile copy = profile;
    const SheetRun run = runSheet(profile, kind, na, [&] {
        for (int i = 0; i < Sheet().sheet->pageCount(); ++i) Sheet().sheet->setActivePage(i);
        Sheet().sheet->pressButton(ui::SheetButton::Ok);
    });
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.changed, 0);
    EXPECT_EQ(lines(), before);
    EXPECT_EQ(profile.t1Setting, copy.t1Setting);
    EXPECT_EQ(profile.t2Setting, copy.t2Setting);
    EXPECT_TRUE(dialogs.messageIds().empty());
}

INSTANTIATE_TEST_SUITE_P(Variants, UnchangedProfile,
                         testing::Values(std::make_tuple(sim::Kind::Box, true, true),
                                         std::make_tuple(sim::Kind::Box, false, true),
                                         std::make_tuple(sim::Kind::Pci, false, false),
                                         std::make_tuple(sim::Kind::Pro, true, true),
                                         std::make_tuple(sim::Kind::Pro, false, true),
                                         std::make_tuple(sim::Kind::Pro, false, false)));

}  // namespace

namespace {

void showPage(int dialogId) {
    const Ids ids = pageIds();
    const auto at = std::find(ids.begin(), ids.end(), dialogId);
    ASSERT_NE(at, ids.end()) << dialogId;
    ASSERT_TRUE(Sheet().sheet->setActivePage(int(at - ids.begin())));
}

template <typename T>
T* control(int id) {
    return ui::findControl<T>(Sheet().sheet->activePage(), id);
}

}  // namespace

TEST_F(ProfileSheetTest, BandwidthThresholdsNeverCrossAndTheDelayStaysInRange) {
    CProfile profile = profileWith([](CProfile& p) {
        p.bacp = 1;
        p.thresholdOpenB1 = 50;
        p.thresholdCloseB1 = 30;
    });
    std::vector<std::vector<std::uint32_t>> shown;
    int openAfter = -1, closeAfter = -1;
    bool left = true;
    runSheet(profile, 1, 1, [&] {
        showPage(IDD_PAGE_BACP);
        auto* open = control<QSlider>(IDC_BACP_OPEN);
        auto* close = control<QSlider>(IDC_BACP_CLOSE);
        for (auto [slider, to] : {std::pair{open, 20}, {close, 60}, {open, 30}}) {
            dialogs_.clear();
            slider->setValue(to);
            shown.push_back(dialogs_.messageIds());
        }
        openAfter = open->value();
        closeAfter = close->value();
        dialogs_.clear();
        type(IDC_BACP_DELAY, "61");
        left = Sheet().sheet->setActivePage(0);
        shown.push_back(dialogs_.messageIds());
        Sheet().sheet->done(2);
    });
    using M = std::vector<std::uint32_t>;
    EXPECT_EQ(shown, (std::vector<M>{{1530}, {1531}, {}, {1540}}));
    // Refused moves went back; equal thresholds are accepted.
    EXPECT_EQ(openAfter, 30);
    EXPECT_EQ(closeAfter, 30);
    EXPECT_FALSE(left);
}

TEST_F(ProfileSheetTest, MultilinkSpeedCheckTellsWhatTheStoredSpeedAllows) {
    const struct {
        std::uint32_t stored;  // 0: none
        int answer;
        std::vector<std::uint32_t> shown;
    } rows[] = {
        {115200, ui::IDYES, {1522, 1521}},
        {57600, ui::IDYES, {1522, 1316}},
        {0, ui::IDYES, {1522}},
        {115200, ui::IDNO, {1522}},
    };
    for (const auto& row : rows) {
        testsupport::TempHome home;
        if (row.stored) {
            ASSERT_EQ(serial::StoreComSpeed("COM7", row.stored), 0);
        }
        CProfile profile = profileWith([](CProfile& p) { p.connectType = kConnectPpp; });
        dialogs_.clear();
        dialogs_.answer(row.answer);
        runSheet(profile, 1, 1, [] {
            choose(IDC_DATA_PROTOCOL, 3);  // Multilink PPP
            Sheet().sheet->done(2);
        });
        EXPECT_EQ(dialogs_.messageIds(), row.shown) << row.stored;
        if (row.shown.back() == 1316) {
            EXPECT_NE(dialogs_.messages().back().text.find("57"), std::string::npos);
        }
    }
}

TEST_F(ProfileSheetTest, FeatureKeysAndRefreshTimeAreChecked) {
    const struct {
        const char* key;
        std::uint32_t message;  // 0: accepted
    } keys[] = {{"", 57394}, {"12a", 57392}, {"123456", 57393}, {"*70", 57392}, {"12345", 0}};
    for (const auto& row : keys) {
        pages::CommonFeatures features{true, "1", "2", "3", 30};
        pages::CFeatureKeysDlg dialog(features);
        ui::findControl<QLineEdit>(&dialog, IDC_DROP_KEY)->setText(QString::fromUtf8(row.key));
        dialogs_.clear();
        dialog.accept();
        EXPECT_EQ(dialogs_.messageIds(), row.message ? std::vector<std::uint32_t>{row.message}
                                                     : std::vector<std::uint32_t>{})
            << row.key;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, row.message == 0) << row.key;
        EXPECT_EQ(features.callDropKey, row.message ? "2" : row.key);
    }
    for (const char* refresh : {"65536", "-1", "zehn", "65535"}) {
        pages::CommonFeatures features{true, "1", "2", "3", 30};
        pages::CCommonFeaturesDlg dialog(features);
        ui::findControl<QLineEdit>(&dialog, IDC_VMWI_REFRESH)->setText(refresh);
        dialogs_.clear();
        dialog.accept();
        const bool good = std::string(refresh) == "65535";
        EXPECT_EQ(dialogs_.messageIds().empty(), good) << refresh;
        EXPECT_EQ(features.vmwiRefreshTime, good ? 65535 : 30) << refresh;
        EXPECT_EQ(dialog.changed(), good) << refresh;
    }
}

// The settings only the international and Pro pages edit: a port's second
// number, the data port's own number, the dial-tone workaround and the Pro
// box's line for outgoing calls.
TEST_F(ProfileSheetTest, InternationalAndProOptionsReachTheirSettings) {
    CProfile box = profileWith([](CProfile& p) {
        p.number1 = "5550101;5550199";
        p.portSettings = 0x10;  // port 2 on the second number
        p.dialAccessPots2 = 2;
    });
    std::string secondShown;
    runSheet(box, 1, 0, [&] {
        showPage(IDD_PAGE_PHONE_LINE_RW);
        secondShown = control<QLineEdit>(IDC_SECOND_NUMBER)->text().toStdString();
        type(IDC_SECOND_NUMBER, "5550177");
        showPage(IDD_PAGE_MLPPP_RW);
        click(IDC_OWN_NUMBER);
        type(IDC_OWN_NUMBER_TEXT, "5550155");
        showPage(IDD_PAGE_ADVANCED_BOX_RW);
        click(IDC_DIAL_TONE_WORKAROUND);
        Sheet().sheet->pressButton(ui::SheetButton::Ok);
    });
    EXPECT_EQ(secondShown, "5550199");
    EXPECT_EQ(box.number1, "5550101;5550177");
    EXPECT_EQ(box.number2, "5550102");
    EXPECT_EQ(box.n5Text, "5550155");
    EXPECT_EQ(box.dialAccessPots1, 1);
    EXPECT_EQ(box.dialAccessPots2, 1);

    CProfile pro = profileWith([](CProfile& p) { p.proOption = 1; });
    runSheet(pro, 2, 1, [&] {
        showPage(IDD_PAGE_ADVANCED_PRO);
        choose(IDC_OUTGOING_LINE, 2);  // automatic
        click(IDC_DIAL_TONE_WORKAROUND);
        Sheet().sheet->pressButton(ui::SheetButton::Ok);
    });
    EXPECT_EQ(pro.proOption, 6);
    EXPECT_EQ(pro.dialAccessPots1, 1);
    EXPECT_EQ(pro.dialAccessPots2, 0);

    // Over AODI the second number of a card is its packet number.
    CProfile card = profileWith([](CProfile& p) { p.potsAvailable = 0; });
    std::vector<std::uint32_t> shown;
    QString label;
    runSheet(card, 8, 0, [&] {
        choose(IDC_DATA_PROTOCOL, 5);
        auto* edit = control<QLineEdit>(IDC_NUMBER2);
        label = qobject_cast<QLabel*>(
                    qobject_cast<QFormLayout*>(edit->parentWidget()->layout())->labelForField(edit))
                    ->text();
        type(IDC_NUMBER2, "555 01");
        dialogs_.clear();
        Sheet().sheet->setActivePage(1);
        shown = dialogs_.messageIds();
        Sheet().sheet->done(2);
    });
    EXPECT_EQ(label, QStringLiteral("Paket-&Rufnummer"));
    EXPECT_EQ(shown, (std::vector<std::uint32_t>{1539}));
}
