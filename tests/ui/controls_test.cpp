// The small pieces: data exchange in both directions with its refusals,
// resource ids, the shipped animations, the wait cursor, dialog units.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <set>

#include "tests/ui/ui_test_support.h"
#include "ui/animation_control.h"
#include "ui/data_exchange.h"
#include "ui/resource_id.h"
#include "ui/scripted_dialogs.h"
#include "ui/system_info.h"
#include "ui/wait_cursor.h"

namespace {

// ------------------------------------------------------------ data exchange

struct NumberCase {
    const char* typed;
    bool ok;
    std::int64_t value;  // when ok
};

class SignedNumber : public ::testing::TestWithParam<NumberCase> {};

QWidget& dialogWithEdit(QWidget& dialog, const char* text) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), &dialog);
    ui::setResourceId(edit, 10);
    return dialog;
}

TEST_P(SignedNumber, IsReadOrRefusedWithTheFrameworkMessage) {
    uitest::app();
    ui::ScriptedDialogs dialogs;
    QWidget dialog;
    dialogWithEdit(dialog, GetParam().typed);
    std::int32_t value = 777;
    ui::DataExchange dx(dialog, true);
    dx.number(10, value);
    EXPECT_EQ(dx.failed(), !GetParam().ok);
    if (GetParam().ok) {
        EXPECT_EQ(value, GetParam().value);
        EXPECT_TRUE(dialogs.messages().empty());
    } else {
        EXPECT_EQ(value, 777) << "a refused text leaves the variable alone";
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, "Bitte geben Sie eine ganze Zahl ein.");
        EXPECT_EQ(dx.preparedControl(), dialog.findChild<QLineEdit*>());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, SignedNumber,
                         ::testing::Values(NumberCase{"12", true, 12}, NumberCase{" 7 ", true, 7},
                                           NumberCase{"-60", true, -60},
                                           NumberCase{"2147483647", true, 2147483647},
                                           NumberCase{"2147483648", false, 0},
                                           NumberCase{"1x", false, 0}, NumberCase{"", false, 0},
                                           NumberCase{"0x10", false, 0},
                                           NumberCase{"1 2", false, 0}));

TEST(DataExchange, UnsignedNumbersRefuseSignsAndOverflow) {
    uitest::app();
    const std::pair<const char*, bool> cases[] = {
        {"0", true}, {"4294967295", true}, {"4294967296", false}, {"-1", false}};
    for (const auto& [typed, ok] : cases) {
        ui::ScriptedDialogs dialogs;
        QWidget dialog;
        dialogWithEdit(dialog, typed);
        std::uint32_t value = 9;
        ui::DataExchange dx(dialog, true);
        dx.number(10, value);
        EXPECT_EQ(dx.failed(), !ok) << typed;
        if (!ok) {
            EXPECT_EQ(value, 9u) << typed;
            EXPECT_EQ(dialogs.messages().at(0).text,
                      "Bitte geben Sie eine positive ganze Zahl ein.");
        }
    }
}

TEST(DataExchange, RoundTripsEveryKindOfControlAndStopsAfterTheFirstFailure) {
    uitest::app();
    ui::ScriptedDialogs dialogs;
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    ui::setResourceId(edit, 1);
    auto* combo = new QComboBox(&dialog);
    combo->addItems({"V110", "V120", "PPP"});
    ui::setResourceId(combo, 2);
    auto* r0 = new QRadioButton(&dialog);
    auto* r1 = new QRadioButton(&dialog);
    auto* r2 = new QRadioButton(&dialog);
    ui::setResourceId(r0, 3);
    ui::setResourceId(r1, 4);
    ui::setResourceId(r2, 5);
    auto* slider = new QSlider(&dialog);
    slider->setRange(0, 100);
    ui::setResourceId(slider, 6);

    std::string name = "Büro";
    std::int32_t protocol = 2, mode = 1, threshold = 75;
    {
        ui::DataExchange load(dialog, false);
        load.text(1, name);
        load.maxChars(1, name, 40);
        load.index(2, protocol);
        load.radio({3, 4, 5}, mode);
        load.position(6, threshold);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("Büro"));
    EXPECT_EQ(edit->maxLength(), 40) << "the user cannot type more than the check allows";
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_TRUE(r1->isChecked());
    EXPECT_EQ(slider->value(), 75);

    // Loading "none" into a radio group clears it.
    std::int32_t none = -1;
    ui::DataExchange(dialog, false).radio({3, 4, 5}, none);
    EXPECT_FALSE(r0->isChecked() || r1->isChecked() || r2->isChecked());

    edit->setMaxLength(32767);
    edit->setText(QString(41, QChar(u'ä')));
    combo->setCurrentIndex(0);
    r2->setChecked(true);
    slider->setValue(10);
    ui::DataExchange save(dialog, true);
    save.text(1, name);
    save.maxChars(1, name, 40);
    save.index(2, protocol);  // skipped: the exchange failed already
    EXPECT_TRUE(save.failed());
    EXPECT_EQ(protocol, 2);
    EXPECT_EQ(save.preparedControl(), edit);
    EXPECT_EQ(dialogs.messages().at(0).text, "Bitte geben Sie höchstens 40 Zeichen ein.");

    edit->setText(QString(40, QChar(u'ä')));
    ui::DataExchange again(dialog, true);
    again.text(1, name);
    again.maxChars(1, name, 40);
    again.index(2, protocol);
    again.radio({3, 4, 5}, mode);
    again.position(6, threshold);
    again.range(threshold, 0, 5);
    EXPECT_TRUE(again.failed());
    EXPECT_EQ(name.size(), 80u) << "40 umlauts, two bytes each";
    EXPECT_EQ(protocol, 0);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(threshold, 10);
    EXPECT_EQ(dialogs.messages().back().text,
              "Bitte geben Sie eine ganze Zahl zwischen 0 und 5 ein.");
}

TEST(DataExchange, AMissingControlIsSkippedNotACrash) {
    uitest::app();
    QWidget dialog;
    std::string text = "x";
    std::int32_t n = 3;
    ui::DataExchange dx(dialog, true);
    dx.text(99, text);
    dx.number(98, n);
    dx.check(97, n);
    EXPECT_FALSE(dx.failed());
    EXPECT_EQ(text, "x");
    EXPECT_EQ(n, 3);
}

// ------------------------------------------------------------- resource ids

TEST(ResourceId, OnlyPlainNumbersAfterIdCount) {
    const struct {
        const char* name;
        int id;
    } cases[] = {{"id1552", 1552}, {"id0", 0},    {"id", -1},   {"idx", -1}, {"id-1", -1},
                 {"id+5", -1},     {"id12a", -1}, {"ID12", -1}, {"", -1},    {"x1552", -1}};
    for (const auto& c : cases) {
        QObject o;
        o.setObjectName(QString::fromUtf8(c.name));
        EXPECT_EQ(ui::resourceId(&o), c.id) << c.name;
    }
    EXPECT_EQ(ui::resourceId(nullptr), -1);
}

TEST(ResourceId, FindsControlsAndTheNearestIdUpwards) {
    uitest::app();
    QWidget page;
    ui::setResourceId(&page, 1331);
    auto* combo = new QComboBox(&page);
    combo->setEditable(true);
    ui::setResourceId(combo, 1136);
    EXPECT_EQ(ui::findControl<QComboBox>(&page, 1136), combo);
    EXPECT_EQ(ui::findControl<QLineEdit>(&page, 1136), nullptr) << "wrong type";
    EXPECT_EQ(ui::widgetWithId(combo->lineEdit()), combo);
    QWidget loose;
    EXPECT_EQ(ui::widgetWithId(&loose), nullptr);
}

// --------------------------------------------------------------- animations

TEST(Animation, EveryShippedNumberPlaysItsFramesAtTheBusyDialogSize) {
    uitest::app();
    for (int n : {1381, 1382, 1383, 1384, 1385, 1386, 1388, 1389, 1189, 1192, 1194, 1196, 1322,
                  1375, 182, 2823}) {
        ui::AnimationControl control;
        ASSERT_TRUE(control.open(n)) << n;
        EXPECT_EQ(control.frameSize(), QSize(144, 83)) << n;
        EXPECT_EQ(control.number(), n);
        EXPECT_FALSE(control.isPlaying());
        EXPECT_TRUE(control.play());
        EXPECT_TRUE(control.isPlaying());
        control.stop();
        EXPECT_FALSE(control.isPlaying());
    }
}

TEST(Animation, UnknownNumberOpensNothing) {
    uitest::app();
    ui::AnimationControl control;
    ASSERT_TRUE(control.open(1381));
    EXPECT_FALSE(control.open(4711));
    EXPECT_FALSE(control.isOpen());
    EXPECT_FALSE(control.play());
    EXPECT_FALSE(ui::AnimationControl::exists(4711));
}

TEST(Animation, RunsThroughItsFramesAndRepeats) {
    uitest::app();
    ui::AnimationControl control;
    ASSERT_TRUE(control.open(1384));
    control.play();
    std::set<int> seen;
    for (int i = 0; i < 400 && seen.size() < 8; ++i) {
        QTest::qWait(5);
        seen.insert(control.currentFrame());
    }
    EXPECT_EQ(seen.size(), 8u);
    EXPECT_TRUE(control.isPlaying()) << "repeats until stopped";
}

// -------------------------------------------------------------- wait cursor

TEST(WaitCursor, NestsAndIgnoresAnEndWithoutABegin) {
    uitest::app();
    ASSERT_EQ(ui::waitCursorDepth(), 0);
    ui::endWaitCursor();
    EXPECT_EQ(ui::waitCursorDepth(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        ui::WaitCursor outer;
        ui::beginWaitCursor();
        EXPECT_EQ(ui::waitCursorDepth(), 2);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui::endWaitCursor();
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(ui::waitCursorDepth(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(SystemInfo, CommonControlsVersionTextIsReadStrictly) {
    const struct {
        const char* text;
        bool ok;
        int major, minor;
    } cases[] = {{"4.70", true, 4, 70},         {"6.0", true, 6, 0},    {"4.", false, 0, 0},
                 {".70", false, 0, 0},          {"4.70b", false, 0, 0}, {"-4.70", false, 0, 0},
                 {"99999999999.1", false, 0, 0}};
    for (const auto& c : cases) {
        ui::CommonControlsVersion v{1, 2};
        EXPECT_EQ(ui::parseVersion(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v.major, c.major) << c.text;
            EXPECT_EQ(v.minor, c.minor) << c.text;
        } else {
            EXPECT_EQ(v.major, 1) << "left untouched: " << c.text;
        }
    }
    setenv("VELKA_TA_COMCTL_VERSION", "junk", 1);
    EXPECT_EQ(ui::commonControlsVersion().minor, 81) << "a bad value means the default";
    unsetenv("VELKA_TA_COMCTL_VERSION");
}

}  // namespace
