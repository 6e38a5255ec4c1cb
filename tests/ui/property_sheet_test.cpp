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
using Log = std::vector<std::string>;

struct SheetFixture : uitest::WithApp, ::testing::Test {
    void TearDown() override { uitest::pump(); }

    // A sheet holding `pages`, not yet shown.
    ui::PropertySheet& make(std::initializer_list<TestPage*> pages) {
        sheets.push_back(std::make_unique<ui::PropertySheet>(QStringLiteral("Sheet")));
        for (TestPage* p : pages) sheets.back()->addPage(p);
        return *sheets.back();
    }
    ui::PropertySheet& start(std::initializer_list<TestPage*> pages) {
        ui::PropertySheet& sheet = make(pages);
        sheet.create();
        return sheet;
    }

    Log log;
    TestPage general{1331, QStringLiteral("Allgemein"), &log};
    TestPage phone{1115, QStringLiteral("Telefonport 1"), &log};
    TestPage data{1329, QStringLiteral("Daten (MLPPP)"), &log};
    TestPage bacp{1223, QStringLiteral("Kontrollprotokoll für Bandbreite"), &log};
    std::vector<std::unique_ptr<TestPage>> morePages;
    ui::ScriptedDialogs dialogs;
    std::vector<std::unique_ptr<ui::PropertySheet>> sheets;  // end before the pages
};

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST_F(SheetFixture, PagesAddedAndRemovedWhileRunningKeepTheOrderOfAdding) {
    ui::PropertySheet& sheet = start({&general, &phone, &data});
    ASSERT_EQ(sheet.activePage(), &general);

    // The protocol changes: its page goes, the new one and a second page come.
    sheet.removePage(&data);
    sheet.addPage(&bacp);
    sheet.addPage(&data);
    sheet.addPage(&phone);  // a second time: changes nothing
    EXPECT_EQ(sheet.pages(), (std::vector<ui::PropertyPage*>{&general, &phone, &bacp, &data}));
    EXPECT_EQ(sheet.activePage(), &general);
    EXPECT_NE(data.delayEdit(), nullptr) << "a page joining a running sheet gets its controls";

    // Removing the active page shows the one before it, without asking the
    // removed page whether it may be left.
    ASSERT_TRUE(sheet.setActivePage(&bacp));
    log.clear();
    sheet.removePage(&bacp);
    EXPECT_EQ(sheet.activePage(), &phone);
    EXPECT_EQ(log, (Log{"Telefonport 1:init", "Telefonport 1:set"}));
    EXPECT_EQ(bacp.sheet(), nullptr);
    EXPECT_EQ(bacp.parent(), nullptr) << "the caller still owns the removed page";
    EXPECT_EQ(bacp.delayEdit(), nullptr) << "a removed page loses its controls";

    // Removing the first page while it is active shows the next one.
    sheet.setActivePage(&general);
    sheet.removePage(&general);
    EXPECT_EQ(sheet.activePage(), &phone);
    EXPECT_EQ(sheet.activeIndex(), 0);

    // A page added again starts from its variables, not from old controls.
    sheet.setActivePage(&data);
    typeInto(data.delayEdit(), QStringLiteral("42"));
    sheet.setActivePage(&phone);  // data saves 42 into its variable on leaving
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
    ui::PropertySheet& sheet = start({&general, &bacp});
    typeInto(general.delayEdit(), QStringLiteral("61"));

    EXPECT_FALSE(sheet.setActivePage(&bacp));
    EXPECT_EQ(sheet.activePage(), &general);
    ASSERT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{uitest::kDelayMessage});
    EXPECT_EQ(dialogs.messages()[0].text,
              "Verzögerungswert vor Öffnen muß zwischen 0 und 60 liegen.");
    EXPECT_EQ(dialogs.messages()[0].icon, ui::Icon::Warning);
    EXPECT_EQ(sheet.focusWidget(), general.delayEdit());
    EXPECT_EQ(general.delay, 61) << "the number was read before the range check refused it";

    // OK refuses the same way and the sheet stays.
    sheet.button(ui::IDOK)->click();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(general.applyCount, 0);

    // OK leaves the active page, then applies every page shown, in order.
    typeInto(general.delayEdit(), QStringLiteral("60"));
    ASSERT_TRUE(sheet.setActivePage(&bacp));
    log.clear();
    sheet.button(ui::IDOK)->click();
    EXPECT_EQ(log, (Log{"Kontrollprotokoll für Bandbreite:kill", "Allgemein:apply",
                        "Kontrollprotokoll für Bandbreite:apply"}));
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ui::IDOK);
    EXPECT_EQ(general.appliedDelay, 60);
    EXPECT_EQ(general.delayEdit(), nullptr) << "the controls end with the sheet";
}

TEST_F(SheetFixture, ApplyThenCancelKeepsWhatWasApplied) {
    general.voice = 1;
    ui::PropertySheet& sheet = start({&general, &phone});
    // Loading the controls is no user change.
    EXPECT_TRUE(general.voiceCheck()->isChecked());
    EXPECT_FALSE(general.isModified());
    EXPECT_FALSE(sheet.button(ui::ID_APPLY_NOW)->isEnabled());

    typeInto(general.delayEdit(), QStringLiteral("12"));
    EXPECT_TRUE(general.isModified());
    EXPECT_TRUE(sheet.button(ui::ID_APPLY_NOW)->isEnabled());

    log.clear();
    sheet.button(ui::ID_APPLY_NOW)->click();
    EXPECT_EQ(general.appliedDelay, 12);
    EXPECT_EQ(phone.applyCount, 0) << "a page never shown has nothing to apply";
    EXPECT_FALSE(sheet.button(ui::ID_APPLY_NOW)->isEnabled());
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(log, (Log{"Allgemein:kill", "Allgemein:apply", "Allgemein:set"}));

    typeInto(general.delayEdit(), QStringLiteral("30"));
    general.voiceCheck()->click();
    general.refuseCancel = true;  // a page may refuse; the sheet then stays
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(general.cancelCount, 0);
    general.refuseCancel = false;
    sheet.button(ui::IDCANCEL)->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ui::IDCANCEL);
    EXPECT_EQ(general.appliedDelay, 12);
    EXPECT_EQ(general.cancelCount, 1);
    EXPECT_EQ(phone.cancelCount, 0);
    EXPECT_TRUE(general.changed()) << "the page still reports that the user changed it";
}

TEST_F(SheetFixture, ModalRunReturnsOneForOkAndTwoForCancel) {
    ui::PropertySheet& sheet = make({&general});
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

TEST_F(SheetFixture, HelpFollowsThePageAndContextHelpOpensAtTheControlIdPlusTheOffset) {
    phone.setHasHelp(true);
    ui::PropertySheet& sheet = make({&phone, &data});
    sheet.setContextHelp("/help/cfgTAPCI.hlp", 0x30000);
    sheet.create();
    ui::clearRecordedHelpRequests();

    sheet.button(ui::IDHELP)->click();
    sheet.requestContextHelp(phone.voiceCheck());
    phone.delayEdit()->setFocus();
    QTest::keyClick(phone.delayEdit(), Qt::Key_F1);
    QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(1, 1), QPoint(1, 1));
    QCoreApplication::sendEvent(phone.voiceCheck(), &whatsThis);
    // The page itself has an id but is no control: nothing opens.
    sheet.requestContextHelp(&phone);
    sheet.setActivePage(&data);
    EXPECT_FALSE(sheet.button(ui::IDHELP)->isEnabled()) << "the page has no Help button";

    const std::pair<ui::HelpCommand, std::uint32_t> expected[] = {
        {ui::HelpCommand::Topic, ui::HID_BASE_RESOURCE + 1115},
        {ui::HelpCommand::ContextPopup, 0x30000u + uitest::kVoiceCheck},
        {ui::HelpCommand::ContextPopup, 0x30000u + uitest::kDelayEdit},
        {ui::HelpCommand::ContextPopup, 0x30000u + uitest::kVoiceCheck}};
    const auto requests = ui::recordedHelpRequests();
    ASSERT_EQ(requests.size(), std::size(expected));
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].file, "/help/cfgTAPCI.hlp") << i;
        EXPECT_EQ(requests[i].command, expected[i].first) << i;
        EXPECT_EQ(requests[i].context, expected[i].second) << i;
    }
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
    EXPECT_EQ(cascaded.pos() - plain.pos(), QPoint(60, 25));
    EXPECT_FALSE(cascaded.cascade()) << "only the first showing moves";
}

TEST_F(SheetFixture, TabsAreOneRowOrStackedWithTheSelectedRowAtTheBottom) {
    ui::PropertySheet& stacked = make({});
    ui::PropertySheet& single = make({});
    single.setTabLayout(ui::TabLayout::SingleRow);
    for (const char* n :
         {"Allgemein", "Telefonport 1", "Telefonport 2", "Daten (MLPPP)",
          "Kontrollprotokoll für Bandbreite", "X25", "Sonstige Funktionen", "Sprache zu PC"}) {
        for (ui::PropertySheet* sheet : {&stacked, &single}) {
            morePages.push_back(std::make_unique<TestPage>(1, QString::fromUtf8(n)));
            sheet->addPage(morePages.back().get());
        }
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
    for (int i = 0; i < bar->count(); ++i) EXPECT_LE(bar->tabRect(i).right(), bar->width());

    auto* tabs = ui::findControl<QTabBar>(&single, ui::ID_TAB_CONTROL);
    ASSERT_NE(tabs, nullptr);
    EXPECT_LT(single.width(), tabs->sizeHint().width())
        << "one row scrolls instead of widening the sheet";
    // A tab click refused by the page's check leaves the tab on the page.
    auto* first = static_cast<TestPage*>(single.page(0));
    typeInto(first->delayEdit(), QStringLiteral("99"));
    tabs->setCurrentIndex(3);
    EXPECT_EQ(single.activeIndex(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    typeInto(first->delayEdit(), QStringLiteral("9"));
    tabs->setCurrentIndex(3);
    EXPECT_EQ(single.activeIndex(), 3);
}

}  // namespace
