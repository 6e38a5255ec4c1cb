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

// Typed text to a number of either width; a refused text leaves the variable
// alone, shows the framework's message and names the edit for the focus.
TEST(DataExchange, NumbersAreReadStrictlyOrRefusedWithTheFrameworkMessage) {
    uitest::app();
    const struct {
        const char* typed;
        bool isUnsigned;
        bool ok;
        std::int64_t value;  // when ok
    } rows[] = {{"12", false, true, 12},
                {" 7 ", false, true, 7},
                {"-60", false, true, -60},
                {"2147483647", false, true, 2147483647},
                {"-2147483648", false, true, -2147483648LL},
                {"2147483648", false, false, 0},
                {"1x", false, false, 0},
                {"", false, false, 0},
                {"0x10", false, false, 0},
                {"1 2", false, false, 0},
                {"0", true, true, 0},
                {"4294967295", true, true, 4294967295LL},
                {"4294967296", true, false, 0},
                {"-1", true, false, 0}};
    for (const auto& row : rows) {
        ui::ScriptedDialogs dialogs;
        QWidget dialog;
        auto* edit = new QLineEdit(QString::fromUtf8(row.typed), &dialog);
        ui::setResourceId(edit, 10);
        ui::DataExchange dx(dialog, true);
        std::int64_t got = 0;
        if (row.isUnsigned) {
            std::uint32_t value = 777;
            dx.number(10, value);
            got = value;
        } else {
            std::int32_t value = 777;
            dx.number(10, value);
            got = value;
        }
        EXPECT_EQ(dx.failed(), !row.ok) << row.typed;
        EXPECT_EQ(got, row.ok ? row.value : 777) << row.typed;
        if (row.ok) {
            EXPECT_TRUE(dialogs.messages().empty()) << row.typed;
            continue;
        }
        ASSERT_EQ(dialogs.messages().size(), 1u) << row.typed;
        EXPECT_EQ(dialogs.messages()[0].text, row.isUnsigned
                                                  ? "Bitte geben Sie eine positive ganze Zahl ein."
                                                  : "Bitte geben Sie eine ganze Zahl ein.");
        EXPECT_EQ(dx.preparedControl(), edit) << row.typed;
    }
}

template <typename Control>
Control* add(QWidget& dialog, int id) {
    auto* control = new Control(&dialog);
    ui::setResourceId(control, id);
    return control;
}

TEST(DataExchange, RoundTripsEveryKindOfControlAndStopsAfterTheFirstFailure) {
    uitest::app();
    ui::ScriptedDialogs dialogs;
    QWidget dialog;
    auto* edit = add<QLineEdit>(dialog, 1);
    auto* combo = add<QComboBox>(dialog, 2);
    combo->addItems({"V110", "V120", "PPP"});
    auto* r0 = add<QRadioButton>(dialog, 3);
    auto* r1 = add<QRadioButton>(dialog, 4);
    auto* r2 = add<QRadioButton>(dialog, 5);
    auto* slider = add<QSlider>(dialog, 6);
    slider->setRange(0, 100);

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
    // A control the dialog does not have is skipped, not a crash or a failure.
    std::string untouched = "x";
    again.text(99, untouched);
    again.number(98, protocol);
    EXPECT_FALSE(again.failed());
    EXPECT_EQ(untouched, "x");
    again.range(threshold, 0, 5);
    EXPECT_TRUE(again.failed());
    EXPECT_EQ(name.size(), 80u) << "40 umlauts, two bytes each";
    EXPECT_EQ(protocol, 0);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(threshold, 10);
    EXPECT_EQ(dialogs.messages().back().text,
              "Bitte geben Sie eine ganze Zahl zwischen 0 und 5 ein.");
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

TEST(Animation, EveryShippedNumberOpensAtTheBusyDialogSizeAndAnUnknownOneNothing) {
    uitest::app();
    ui::AnimationControl control;
    for (int n : {1381, 1382, 1383, 1384, 1385, 1386, 1388, 1389, 1189, 1192, 1194, 1196, 1322,
                  1375, 182, 2823}) {
        ASSERT_TRUE(control.open(n)) << n;
        EXPECT_EQ(control.frameSize(), QSize(144, 83)) << n;
    }
    EXPECT_FALSE(control.open(4711));
    EXPECT_FALSE(control.isOpen()) << "a failed open closes the one before";
    EXPECT_FALSE(control.play());
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
    control.stop();
    EXPECT_FALSE(control.isPlaying());
}

// -------------------------------------------------------------- wait cursor

TEST(WaitCursor, NestsAndIgnoresAnEndWithoutABegin) {
    uitest::app();
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
        // A refused text leaves the version untouched.
        EXPECT_EQ(v.major, c.ok ? c.major : 1) << c.text;
        EXPECT_EQ(v.minor, c.ok ? c.minor : 2) << c.text;
    }
    setenv("VELKA_TA_COMCTL_VERSION", "junk", 1);
    EXPECT_EQ(ui::commonControlsVersion().minor, 81) << "a bad value means the default";
    unsetenv("VELKA_TA_COMCTL_VERSION");
}

}  // namespace
