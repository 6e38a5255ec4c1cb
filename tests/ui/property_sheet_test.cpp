// The property sheet driven like a user would: pages that come and go while
// it runs, checks that keep a page, Apply then Cancel, buttons, tabs, help.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <memory>

#include "tests/ui/test_pages.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/help.h"
#include "ui/multi_row_tab_bar.h"
#include "ui/property_sheet.h"
#include "ui/scripted_dialogs.h"

namespace {

using uitest::TestPage;

struct SheetFixture : uitest::WithApp, ::testing::Test {
    void SetUp() override { uitest::app(); }
    void TearDown() override { uitest::pump(); }

    std::vector<std::string> log;
    TestPage general{1331, QStringLiteral("Allgemein"), &log};
    TestPage phone{1115, QStringLiteral("Telefonport 1"), &log};
    TestPage data{1329, QStringLiteral("Daten (MLPPP)"), &log};
    TestPage bacp{1223, QStringLiteral("Kontrollprotokoll für Bandbreite"), &log};
    ui::ScriptedDialogs dialogs;
};

std::vector<std::string> captions(const ui::PropertySheet& sheet) {
    std::vector<std::string> out;
    for (auto* p : sheet.pages()) out.push_back(p->caption().toStdString());
    return out;
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST_F(SheetFixture, PagesAddedAndRemovedWhileRunningKeepTheOrderOfAdding) {
    ui::PropertySheet sheet(QStringLiteral("Konfiguriert aktive - Tamo"));
    sheet.addPage(&general);
    sheet.addPage(&phone);
    sheet.addPage(&data);
    sheet.create();
    ASSERT_EQ(sheet.activePage(), &general);

    // The protocol changes: its page goes, the new one and a second page come.
    sheet.removePage(&data);
    sheet.addPage(&bacp);
    sheet.addPage(&data);
    EXPECT_EQ(captions(sheet),
              (std::vector<std::string>{"Allgemein", "Telefonport 1",
                                        "Kontrollprotokoll für Bandbreite", "Daten (MLPPP)"}));
    EXPECT_EQ(sheet.activePage(), &general);
    EXPECT_EQ(data.sheet(), &sheet);
    EXPECT_NE(data.delayEdit(), nullptr) << "a page joining a running sheet gets its controls";

    // Adding a page twice changes nothing.
    sheet.addPage(&phone);
    EXPECT_EQ(sheet.pageCount(), 4);

    // Removing the active page shows the one before it, without asking the
    // removed page whether it may be left.
    ASSERT_TRUE(sheet.setActivePage(&bacp));
    log.clear();
    sheet.removePage(&bacp);
    EXPECT_EQ(sheet.activePage(), &phone);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Kontrollprotokoll für Bandbreite:kill"), 0);
    EXPECT_EQ(bacp.sheet(), nullptr);
    EXPECT_EQ(bacp.parent(), nullptr) << "the caller still owns the removed page";
    EXPECT_EQ(bacp.delayEdit(), nullptr) << "a removed page loses its controls";

    // Removing the first page while it is active shows the next one.
    sheet.setActivePage(&general);
    sheet.removePage(&general);
    EXPECT_EQ(sheet.activePage(), &phone);
    EXPECT_EQ(sheet.activeIndex(), 0);
}

TEST_F(SheetFixture, PageAddedAgainStartsFromItsVariablesNotFromOldControls) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    sheet.addPage(&data);
    sheet.create();
    sheet.setActivePage(&data);
    typeInto(data.delayEdit(), QStringLiteral("42"));
    sheet.setActivePage(&general);  // data saves 42 into its variable on leaving
    EXPECT_EQ(data.delay, 42);
    sheet.setActivePage(&data);
    typeInto(data.delayEdit(), QStringLiteral("7"));  // typed, never saved

    sheet.removePage(&data);
    sheet.addPage(&data);
    sheet.setActivePage(&data);
    EXPECT_EQ(data.initCount, 2);
    EXPECT_EQ(data.delayEdit()->text(), QStringLiteral("42"));
    EXPECT_EQ(sheet.findChildren<QLineEdit*>(ui::resourceName(uitest::kDelayEdit)).size(), 2)
        << "only the two pages' current controls are in the sheet";
}

TEST_F(SheetFixture, FailedCheckKeepsThePageShowsTheMessageAndFocusesTheControl) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    sheet.addPage(&bacp);
    sheet.create();
    typeInto(general.delayEdit(), QStringLiteral("61"));

    EXPECT_FALSE(sheet.setActivePage(&bacp));
    EXPECT_EQ(sheet.activePage(), &general);
    ASSERT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{uitest::kDelayMessage});
    EXPECT_EQ(dialogs.messages()[0].text,
              "Verzögerungswert vor Öffnen muß zwischen 0 und 60 liegen.");
    EXPECT_EQ(dialogs.messages()[0].icon, ui::Icon::Warning);
    EXPECT_EQ(sheet.focusWidget(), general.delayEdit())
        << (sheet.focusWidget() ? sheet.focusWidget()->metaObject()->className() : "none") << " "
        << (sheet.focusWidget() ? sheet.focusWidget()->objectName().toStdString() : "");
    EXPECT_EQ(general.delay, 61) << "the number was read before the range check refused it";

    // OK refuses the same way and the sheet stays.
    sheet.button(ui::IDOK)->click();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(general.applyCount, 0);

    // Not a number at all: the framework's own message.
    typeInto(general.delayEdit(), QStringLiteral("6x"));
    sheet.button(ui::IDOK)->click();
    EXPECT_EQ(dialogs.messages().back().text, "Bitte geben Sie eine ganze Zahl ein.");

    typeInto(general.delayEdit(), QStringLiteral("60"));
    sheet.button(ui::IDOK)->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ui::IDOK);
    EXPECT_EQ(general.appliedDelay, 60);
}

TEST_F(SheetFixture, ApplyThenCancelKeepsWhatWasApplied) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    sheet.addPage(&phone);
    sheet.create();
    EXPECT_FALSE(sheet.button(ui::ID_APPLY_NOW)->isEnabled()) << "nothing changed yet";

    typeInto(general.delayEdit(), QStringLiteral("12"));
    EXPECT_TRUE(general.isModified());
    EXPECT_TRUE(general.changed());
    EXPECT_TRUE(sheet.button(ui::ID_APPLY_NOW)->isEnabled());

    log.clear();
    sheet.button(ui::ID_APPLY_NOW)->click();
    EXPECT_EQ(general.appliedDelay, 12);
    EXPECT_EQ(phone.applyCount, 0) << "a page never shown has nothing to apply";
    EXPECT_FALSE(sheet.button(ui::ID_APPLY_NOW)->isEnabled());
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(log,
              (std::vector<std::string>{"Allgemein:kill", "Allgemein:apply", "Allgemein:set"}));

    typeInto(general.delayEdit(), QStringLiteral("30"));
    general.voiceCheck()->click();
    sheet.button(ui::IDCANCEL)->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ui::IDCANCEL);
    EXPECT_EQ(general.appliedDelay, 12);
    EXPECT_EQ(general.cancelCount, 1);
    EXPECT_EQ(phone.cancelCount, 0);
    EXPECT_TRUE(general.changed()) << "the page still reports that the user changed it";
}

TEST_F(SheetFixture, OkAppliesEveryShownPageInOrderAfterLeavingTheActiveOne) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    sheet.addPage(&phone);
    sheet.addPage(&data);
    sheet.create();
    sheet.setActivePage(&data);
    log.clear();
    sheet.button(ui::IDOK)->click();
    EXPECT_EQ(log, (std::vector<std::string>{"Daten (MLPPP):kill", "Allgemein:apply",
                                             "Daten (MLPPP):apply"}));
    EXPECT_EQ(sheet.result(), ui::IDOK);
    EXPECT_EQ(general.delayEdit(), nullptr) << "the controls end with the sheet";
}

TEST_F(SheetFixture, CancelRefusedByThePageKeepsTheSheet) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    sheet.create();
    general.refuseCancel = true;
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(general.cancelCount, 0);
    general.refuseCancel = false;
    sheet.close();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ui::IDCANCEL);
    EXPECT_EQ(general.cancelCount, 1);
}

TEST_F(SheetFixture, ModalRunReturnsOneForOkAndTwoForCancel) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    uitest::whenModal([&] { sheet.button(ui::IDOK)->click(); });
    EXPECT_EQ(sheet.doModal(), 1);
    // A second run builds the page anew from its variables.
    uitest::whenModal([&] {
        EXPECT_EQ(general.delayEdit()->text(), QStringLiteral("5"));
        sheet.pressButton(ui::SheetButton::Cancel);
    });
    EXPECT_EQ(sheet.doModal(), 2);
    EXPECT_EQ(general.initCount, 2);
}

TEST_F(SheetFixture, ButtonsAreOptionalAndHelpFollowsThePage) {
    ui::PropertySheet sheet(QStringLiteral("Eigenschaften"));
    sheet.setApplyButton(false);
    sheet.setHelpButton(false);
    sheet.addPage(&general);
    sheet.create();
    EXPECT_TRUE(sheet.button(ui::IDOK)->isVisible());
    EXPECT_TRUE(sheet.button(ui::IDCANCEL)->isVisible());
    EXPECT_FALSE(sheet.button(ui::ID_APPLY_NOW)->isVisible());
    EXPECT_FALSE(sheet.button(ui::IDHELP)->isVisible());

    ui::PropertySheet other(QStringLiteral("Sheet"));
    phone.setHasHelp(true);
    other.addPage(&phone);
    other.addPage(&data);
    other.setContextHelp("/help/cfgTA.hlp", 0x30000);
    other.create();
    EXPECT_TRUE(other.button(ui::IDHELP)->isEnabled());
    ui::clearRecordedHelpRequests();
    other.button(ui::IDHELP)->click();
    other.setActivePage(&data);
    EXPECT_FALSE(other.button(ui::IDHELP)->isEnabled()) << "the page has no Help button";
    const auto requests = ui::recordedHelpRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].command, ui::HelpCommand::Topic);
    EXPECT_EQ(requests[0].context, ui::HID_BASE_RESOURCE + 1115);
}

TEST_F(SheetFixture, ContextHelpOpensThePopupAtTheControlIdPlusTheOffset) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.addPage(&general);
    sheet.setContextHelp("/help/cfgTAPCI.hlp", 0x30000);
    sheet.create();
    ui::clearRecordedHelpRequests();

    sheet.requestContextHelp(general.voiceCheck());
    general.delayEdit()->setFocus();
    QTest::keyClick(general.delayEdit(), Qt::Key_F1);
    QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(1, 1), QPoint(1, 1));
    QCoreApplication::sendEvent(general.voiceCheck(), &whatsThis);
    // The page itself has an id but is no control: nothing opens.
    sheet.requestContextHelp(&general);

    const auto requests = ui::recordedHelpRequests();
    ASSERT_EQ(requests.size(), 3u);
    for (const auto& r : requests) {
        EXPECT_EQ(r.file, "/help/cfgTAPCI.hlp");
        EXPECT_EQ(r.command, ui::HelpCommand::ContextPopup);
    }
    EXPECT_EQ(requests[0].context, 0x30000u + uitest::kVoiceCheck);
    EXPECT_EQ(requests[1].context, 0x30000u + uitest::kDelayEdit);
    EXPECT_EQ(requests[2].context, 0x30000u + uitest::kVoiceCheck);
}

TEST_F(SheetFixture, CascadeMovesTheFirstShowing60Right25Down) {
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    TestPage a{1, QStringLiteral("Allgemein")};
    TestPage b{1, QStringLiteral("Allgemein")};
    ui::PropertySheet plain(QStringLiteral("Sheet"), &owner);
    ui::PropertySheet cascaded(QStringLiteral("Sheet"), &owner);
    plain.addPage(&a);
    cascaded.addPage(&b);
    cascaded.setCascade(true);
    plain.create();
    cascaded.create();
    EXPECT_EQ(cascaded.size(), plain.size());
    EXPECT_EQ(cascaded.pos() - plain.pos(), QPoint(60, 25))
        << plain.pos().x() << "," << plain.pos().y() << " " << cascaded.pos().x() << ","
        << cascaded.pos().y();
    EXPECT_FALSE(cascaded.cascade()) << "only the first showing moves";
}

TEST_F(SheetFixture, TabsAreOneRowOrStackedWithTheSelectedRowAtTheBottom) {
    std::vector<std::unique_ptr<TestPage>> pages;
    const char* names[] = {"Allgemein",
                           "Telefonport 1",
                           "Telefonport 2",
                           "Daten (MLPPP)",
                           "Kontrollprotokoll für Bandbreite",
                           "X25",
                           "Sonstige Funktionen",
                           "Sprache zu PC"};
    ui::PropertySheet stacked(QStringLiteral("Sheet"));
    ui::PropertySheet single(QStringLiteral("Sheet"));
    single.setTabLayout(ui::TabLayout::SingleRow);
    for (const char* n : names) {
        pages.push_back(std::make_unique<TestPage>(1, QString::fromUtf8(n)));
        stacked.addPage(pages.back().get());
    }
    for (const char* n : names) {
        pages.push_back(std::make_unique<TestPage>(1, QString::fromUtf8(n)));
        single.addPage(pages.back().get());
    }
    stacked.create();
    single.create();

    auto* bar = ui::findControl<ui::MultiRowTabBar>(&stacked, ui::ID_TAB_CONTROL);
    ASSERT_NE(bar, nullptr);
    ASSERT_GT(bar->rowCount(), 1);
    EXPECT_EQ(bar->rowOf(0), bar->rowCount() - 1);
    stacked.setActivePage(7);
    EXPECT_EQ(bar->rowOf(7), bar->rowCount() - 1) << "the selected tab's row comes down";
    EXPECT_NE(bar->rowOf(0), bar->rowCount() - 1);
    // Clicking a tab in another row selects its page.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(stacked.activeIndex(), 0);
    // Every row spans the page area.
    for (int i = 0; i < bar->count(); ++i) EXPECT_LE(bar->tabRect(i).right(), bar->width());

    auto* tabs = ui::findControl<QTabBar>(&single, ui::ID_TAB_CONTROL);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 8);
    EXPECT_LT(single.width(), tabs->sizeHint().width())
        << "one row scrolls instead of widening the sheet";
    tabs->setCurrentIndex(3);
    EXPECT_EQ(single.activeIndex(), 3);
}

TEST_F(SheetFixture, TabClickRefusedByTheCheckKeepsTheTabOnThePage) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    sheet.setTabLayout(ui::TabLayout::SingleRow);
    sheet.addPage(&general);
    sheet.addPage(&phone);
    sheet.create();
    typeInto(general.delayEdit(), QStringLiteral("99"));
    auto* tabs = ui::findControl<QTabBar>(&sheet, ui::ID_TAB_CONTROL);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(SheetFixture, LoadingControlsIsNoUserChange) {
    ui::PropertySheet sheet(QStringLiteral("Sheet"));
    general.voice = 1;
    sheet.addPage(&general);
    sheet.create();
    EXPECT_TRUE(general.voiceCheck()->isChecked());
    EXPECT_FALSE(general.isModified());
    EXPECT_FALSE(general.changed());
    EXPECT_EQ(general.delayEdit()->text(), QStringLiteral("5"));
}

}  // namespace
