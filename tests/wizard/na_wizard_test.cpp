// The North-American wizard from welcome to finish through the real sheet,
// against the simulated adapter over a pty, with the boxes answered by a
// script: online on a NI-1 line that hands out SPIDs, online on a 5ESS line
// with typed SPIDs, offline, and Cancel while the line is being detected.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <deque>
#include <functional>

#include "tests/support/sim_port.h"
#include "tests/support/temp_home.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"
#include "wizard/line_detector.h"
#include "wizard/line_sequence.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_na.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_strings.h"

namespace {

using namespace wizard::na;

constexpr const char* kPort = "COM7";
constexpr const char* kRegions = "Canada:25;United States:0;\r\nOK\r\n";

// Plays the user of a modal wizard: each step waits until its page is the
// active one and its button is enabled, acts on the page, presses the button.
class WizardUser : public QObject {
public:
    struct Step {
        int page;
        std::function<void(QWidget* page)> act;
        ui::SheetButton press = ui::SheetButton::Next;
        // Further condition before acting; none by default.
        std::function<bool(QWidget* page)> ready = {};
    };

    explicit WizardUser(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start(5);
    }

    std::vector<int> trail;  // the pages acted on, in order
    bool timedOut = false;
    bool finished() const { return steps_.empty(); }

private:
    void tick() {
        auto* sheet = qobject_cast<wizard::CWizardSheet*>(QApplication::activeModalWidget());
        if (steps_.empty() || !sheet || !sheet->activePage()) return;
        // A safety net against a run that hangs, not a measure of speed.
        if (deadline_.hasExpired()) {
            timedOut = true;
            steps_.clear();
            sheet->closeAsCancelled();
            return;
        }
        const Step& step = steps_.front();
        ui::PropertyPage* page = sheet->activePage();
        const unsigned needed = step.press == ui::SheetButton::Finish ? ui::WIZB_FINISH
                                : step.press == ui::SheetButton::Back ? ui::WIZB_BACK
                                : step.press == ui::SheetButton::Next ? ui::WIZB_NEXT
                                                                      : 0;
        if (page->dialogId() != step.page || page == lastPage_ ||
            (sheet->wizardButtons() & needed) != needed || (step.ready && !step.ready(page)))
            return;
        const Step current = step;
        steps_.pop_front();
        trail.push_back(current.page);
        lastPage_ = page;
        if (current.act) current.act(page);
        sheet->pressButton(current.press);
    }

    std::deque<Step> steps_;
    QTimer timer_;
    const ui::PropertyPage* lastPage_ = nullptr;
    QDeadlineTimer deadline_{30000};
};

void type(QWidget* page, int id, const char* text) {
    auto* edit = ui::findControl<QLineEdit>(page, id);
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(QString::fromUtf8(text));
}

std::string shown(QWidget* page, int id) {
    auto* label = ui::findControl<QLabel>(page, id);
    return label ? label->text().toStdString() : std::string("<none>");
}

struct FinishRows {
    std::string number1, number2, spid1, spid2, protocol, region;
};

FinishRows readFinish(QWidget* page) {
    return {shown(page, IDC_NA_FIN_NUMBER1),  shown(page, IDC_NA_FIN_NUMBER2),
            shown(page, IDC_NA_FIN_SPID1),    shown(page, IDC_NA_FIN_SPID2),
            shown(page, IDC_NA_FIN_PROTOCOL), shown(page, IDC_NA_FIN_REGION)};
}

class NaWizardTest : public ::testing::Test, public uitest::WithApp {
protected:
    NaWizardTest() {
        testsupport::setTimeScale(0.05);
        loc.regionList = kRegions;
    }

    bool startSim(const sim::Scenario& scenario) {
        adapter = testsupport::startSim(scenario, kPort);
        return adapter != nullptr;
    }

    std::int32_t run(WizardUser& user) {
        CWizardNA na;
        const std::int32_t rc = na.Start(nullptr, kDeviceExternal, kPort, WizCalledConfigure,
                                         connection, &loc, 0, "Büro");
        std::string boxes;
        for (const ui::ShownMessage& m : dialogs.messages())
            boxes += std::to_string(m.stringId) + " ";
        EXPECT_FALSE(user.timedOut)
            << "pages reached: " << user.trail.size() << ", boxes: " << boxes;
        EXPECT_TRUE(user.finished());
        return rc;
    }

    static sim::Scenario naBox() { return sim::defaultScenario(sim::Kind::Box, true); }

    testsupport::TempHome home;
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<sim::PtyAdapter> adapter;
    _WizLocation loc{};
    _ConnectionType connection = ConnectionPPP;
};

const WizardUser::Step kToDetection[] = {
    {wizard::IDD_WIZ_WELCOME, {}},
    {IDD_WIZ_REGION_NA, {}},
    {IDD_WIZ_PROTOCOL, {}},
    {IDD_WIZ_ON_OFF_LINE, {}},
};

std::vector<WizardUser::Step> steps(std::initializer_list<WizardUser::Step> rest) {
    std::vector<WizardUser::Step> all(std::begin(kToDetection), std::end(kToDetection));
    all.insert(all.end(), rest);
    return all;
}

TEST_F(NaWizardTest, OnlineNationalIsdnWithAutoSpidTakesTheListedNumbers) {
    sim::Scenario scenario = naBox();
    scenario.line.switchType = "National ISDN";
    scenario.line.spidsSupported = "Auto";
    scenario.line.spidList = {"51455501010101;5145550101;dv;avail",
                              "51455501020101;5145550102;dv;avail",
                              "51455501030101;5145550103;p;avail"};
    ASSERT_TRUE(startSim(scenario));
    FinishRows finish;
    WizardUser user(steps({
        {IDD_WIZ_NATIONAL_ISDN, {}},
        {IDD_WIZ_AUTO_SPID, {}},
        {IDD_WIZ_AUTO_SPID, {}},
        {IDD_WIZ_FINISH, [&](QWidget* p) { finish = readFinish(p); }, ui::SheetButton::Finish},
    }));
    ASSERT_EQ(run(user), kWizFinished);

    EXPECT_EQ(finish.number1, "5145550101");
    EXPECT_EQ(finish.spid1, "51455501010101");
    EXPECT_EQ(finish.number2, "5145550102");
    EXPECT_EQ(finish.spid2, "51455501020101");
    EXPECT_EQ(finish.protocol, "MultiLink PPP (MLPPP)");
    EXPECT_EQ(finish.region, "United States");
    EXPECT_STREQ(loc.number1, finish.number1.c_str());
    EXPECT_STREQ(loc.number2, finish.number2.c_str());
    EXPECT_STREQ(loc.spid1, finish.spid1.c_str());
    EXPECT_STREQ(loc.spid2, finish.spid2.c_str());
    EXPECT_EQ(loc.switchType, 0);
    EXPECT_EQ(loc.noSpid1, 0);
    // The packet-only number becomes the X.25 address.
    EXPECT_STREQ(loc.x25DteAddress, "5145550103");
    EXPECT_EQ(loc.aodi, 1);
    EXPECT_EQ(loc.portSettings, 21);
    EXPECT_EQ(loc.vmwiRefreshTime, 30);
    EXPECT_STREQ(loc.callDropKey, "62");
    EXPECT_EQ(connection, ConnectionMLPPP);
    EXPECT_TRUE(dialogs.messageIds().empty());
}

TEST_F(NaWizardTest, Online5essWithTypedSpidsTestsThemWithTheNetwork) {
    sim::Scenario scenario = naBox();
    scenario.line.switchType = "AT&T 5ESS Custom";
    scenario.line.spidsSupported = "Yes";
    // The switch is busy once for the first SPID, then takes it.
    scenario.line.spidResults = {{"01555010100", "BUSY,OK"}, {"01555010200", "OK"}};
    ASSERT_TRUE(startSim(scenario));
    FinishRows finish;
    WizardUser user(steps({
        {IDD_WIZ_ATT_SWITCH,
         [](QWidget* p) {
             // 5ESS lines are in-house as far as the wizard can tell.
             EXPECT_TRUE(ui::findControl<QRadioButton>(p, IDC_NA_PRIVATE)->isChecked());
         }},
        {IDD_WIZ_ONLY_NUMBERS,
         [](QWidget* p) {
             type(p, IDC_NA_NUMBER1, "555-0101");
             type(p, IDC_NA_NUMBER2, "555-0102");
         }},
        {IDD_WIZ_SPID_MODE, {}},
        {IDD_WIZ_KNOW_SPIDS,
         [](QWidget* p) {
             type(p, IDC_NA_SPID1, "01555010100");
             type(p, IDC_NA_SPID2, "01555010200");
         }},
        {IDD_WIZ_FINISH, [&](QWidget* p) { finish = readFinish(p); }, ui::SheetButton::Finish},
    }));
    ASSERT_EQ(run(user), kWizFinished);

    EXPECT_EQ(finish.number1, "5550101");
    EXPECT_EQ(finish.spid1, "01555010100");
    EXPECT_EQ(finish.spid2, "01555010200");
    EXPECT_STREQ(loc.number1, finish.number1.c_str());
    EXPECT_STREQ(loc.number2, finish.number2.c_str());
    EXPECT_STREQ(loc.spid1, finish.spid1.c_str());
    EXPECT_STREQ(loc.spid2, finish.spid2.c_str());
    EXPECT_EQ(loc.switchType, 1);
    EXPECT_STREQ(loc.x25DteAddress, "");
    EXPECT_TRUE(dialogs.messageIds().empty());
}

TEST_F(NaWizardTest, OfflineRunKeepsEntriesGoingBackAndForth) {
    FinishRows finish;
    const QWidget* spidPage = nullptr;
    WizardUser user({
        {wizard::IDD_WIZ_WELCOME, {}},
        {IDD_WIZ_REGION_NA,
         [](QWidget* p) {
             ui::findControl<QComboBox>(p, wizard::IDC_WIZ_REGION)->setCurrentIndex(0);
         }},
        {IDD_WIZ_PROTOCOL, {}},
        {IDD_WIZ_ON_OFF_LINE,
         [](QWidget* p) { ui::findControl<QRadioButton>(p, IDC_NA_OFFLINE)->click(); }},
        {IDD_WIZ_OFF_SWITCH_TYPE,
         [](QWidget* p) { ui::findControl<QRadioButton>(p, IDC_NA_PUBLIC)->click(); }},
        {IDD_WIZ_NUMBERS_AND_NPA,
         [](QWidget* p) {
             type(p, IDC_NA_AREA_CODE, "514");
             type(p, IDC_NA_NUMBER1, "5550101");
             type(p, IDC_NA_NUMBER2, "5550102");
         }},
        {IDD_WIZ_SPID_MODE, {}},
        {IDD_WIZ_KNOW_SPIDS,
         [&](QWidget* p) {
             spidPage = p;
             type(p, IDC_NA_SPID1, "51455501010101");
             type(p, IDC_NA_SPID2, "51455501020101");
         }},
        {IDD_WIZ_FINISH, {}, ui::SheetButton::Back},
        {IDD_WIZ_KNOW_SPIDS,
         [&](QWidget* p) {
             EXPECT_EQ(p, spidPage);
             EXPECT_EQ(ui::findControl<QLineEdit>(p, IDC_NA_SPID2)->text(),
                       QStringLiteral("51455501020101"));
         },
         ui::SheetButton::Back},
        {IDD_WIZ_SPID_MODE, {}},
        {IDD_WIZ_KNOW_SPIDS, [&](QWidget* p) { EXPECT_EQ(p, spidPage); }},
        {IDD_WIZ_FINISH, [&](QWidget* p) { finish = readFinish(p); }, ui::SheetButton::Finish},
    });
    ASSERT_EQ(run(user), kWizFinished);

    EXPECT_EQ(finish.region, "Canada");
    EXPECT_STREQ(loc.number1, "5550101");
    EXPECT_STREQ(loc.number2, "5550102");
    EXPECT_STREQ(loc.spid1, finish.spid1.c_str());
    EXPECT_STREQ(loc.spid2, "51455501020101");
    EXPECT_EQ(loc.switchType, 9);
    EXPECT_EQ(loc.regionCode, 25);
    EXPECT_STREQ(loc.callConferenceKey, "3");
    EXPECT_TRUE(dialogs.messageIds().empty());
}

TEST_F(NaWizardTest, CancelDuringDetectionClosesThePortAndTheSheet) {
    sim::Scenario scenario = naBox();
    scenario.line.inProgressPolls = 100000;  // the line never comes up
    ASSERT_TRUE(startSim(scenario));
    dialogs.answer(ui::IDYES);
    WizardUser user(steps({
        // Once the sequence waits for the line, Cancel asks and stops it.
        {IDD_WIZ_CONNECT,
         {},
         ui::SheetButton::Cancel,
         [](QWidget* p) { return shown(p, IDC_NA_STATUS) == wizard::kTextDetectingType; }},
    }));
    ASSERT_EQ(run(user), kWizCancelled);
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{wizard::IDS_CONFIRM_CANCEL});
    // The worker closed the port before the sheet went.
    wizard::CLineDetector detector(kPort);
    EXPECT_EQ(detector.Open(), 0);
}

}  // namespace
