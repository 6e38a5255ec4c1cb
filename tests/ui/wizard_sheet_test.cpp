// A wizard whose pages move it themselves: each page creates the next one on
// first use, adds it, makes it active and answers -1, the way the setup
// wizard chains its pages; titles and buttons are set by the active page.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>

#include <map>
#include <memory>

#include "tests/ui/test_pages.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/scripted_dialogs.h"
#include "ui/wizard_sheet.h"

namespace {

// One wizard run: the page objects by template id, created on first use.
struct WizardRun {
    ui::WizardSheet sheet{QString()};
    std::map<int, std::unique_ptr<class ChainPage>> pages;
    std::vector<std::string> trail;
    ChainPage* get(int id);
};

class ChainPage : public uitest::TestPage {
public:
    ChainPage(WizardRun& run, int id, QString caption, int next, unsigned buttons)
        : TestPage(id, caption), run_(run), next_(next), buttons_(buttons) {}

    ChainPage* back = nullptr;
    int next() const { return next_; }
    void setNext(int id) { next_ = id; }

    bool onSetActive() override {
        auto* wizard = static_cast<ui::WizardSheet*>(sheet());
        wizard->setWizardButtons(buttons_);
        wizard->setTitle(QStringLiteral("Konfigurations-Assistent - ") + caption());
        run_.trail.push_back("show " + std::to_string(dialogId()));
        return TestPage::onSetActive();
    }

    int onWizardNext() override {
        ChainPage* target = run_.get(next_);
        if (!target) return -1;
        target->back = this;
        if (sheet()->pageIndex(target) < 0) sheet()->addPage(target);
        sheet()->setActivePage(target);
        return -1;  // moved already; the sheet must not move on by itself
    }

    int onWizardBack() override {
        // Back by dialog id rather than by position.
        return back ? back->dialogId() : -1;
    }

    bool onWizardFinish() override {
        run_.trail.push_back("finish");
        return true;
    }

private:
    WizardRun& run_;
    int next_;
    unsigned buttons_;
};

ChainPage* WizardRun::get(int id) {
    auto& slot = pages[id];
    if (!slot) {
        switch (id) {
            case 1000:
                slot = std::make_unique<ChainPage>(*this, 1000, QStringLiteral("Willkommen"), 185,
                                                   ui::WIZB_NEXT);
                break;
            case 185:
                slot = std::make_unique<ChainPage>(*this, 185, QStringLiteral("Land"), 1014,
                                                   ui::WIZB_BACK | ui::WIZB_NEXT);
                break;
            case 1007:
                slot = std::make_unique<ChainPage>(*this, 1007, QStringLiteral("Protokoll"), 1014,
                                                   ui::WIZB_BACK | ui::WIZB_NEXT);
                break;
            case 1014:
                slot = std::make_unique<ChainPage>(*this, 1014, QStringLiteral("Modus"), 1132,
                                                   ui::WIZB_BACK | ui::WIZB_NEXT);
                break;
            case 1132:
                slot = std::make_unique<ChainPage>(*this, 1132, QStringLiteral("Fertig"), 0,
                                                   ui::WIZB_BACK | ui::WIZB_FINISH);
                break;
            default:
                return nullptr;
        }
    }
    return slot.get();
}

struct WizardFixture : uitest::WithApp, ::testing::Test {
    void SetUp() override { uitest::app(); }
    void TearDown() override { uitest::pump(); }
    ui::ScriptedDialogs dialogs;
};

QPushButton* button(ui::WizardSheet& s, int id) {
    return s.button(id);
}

TEST_F(WizardFixture, PagesMoveTheWizardThemselvesAndBackFollowsTheChain) {
    auto run = std::make_unique<WizardRun>();
    ui::WizardSheet& sheet = run->sheet;
    sheet.addPage(run->get(1000));
    sheet.create();

    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Konfigurations-Assistent - Willkommen"));
    EXPECT_FALSE(button(sheet, ui::ID_WIZBACK)->isEnabled());
    EXPECT_TRUE(button(sheet, ui::ID_WIZNEXT)->isVisible());
    EXPECT_FALSE(button(sheet, ui::ID_WIZFINISH)->isVisible());

    button(sheet, ui::ID_WIZNEXT)->click();  // -> 185
    ASSERT_EQ(sheet.activePage()->dialogId(), 185);
    // 185 skips the protocol page: it leads to 1014 straight away.
    button(sheet, ui::ID_WIZNEXT)->click();
    ASSERT_EQ(sheet.activePage()->dialogId(), 1014);
    EXPECT_EQ(run->pages.count(1007), 0u) << "a page never reached is never created";
    button(sheet, ui::ID_WIZNEXT)->click();
    ASSERT_EQ(sheet.activePage()->dialogId(), 1132);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Konfigurations-Assistent - Fertig"));
    EXPECT_FALSE(button(sheet, ui::ID_WIZNEXT)->isVisible());
    EXPECT_TRUE(button(sheet, ui::ID_WIZFINISH)->isVisible());
    EXPECT_TRUE(button(sheet, ui::ID_WIZFINISH)->isEnabled());

    // Back by id, page by page, to where each came from.
    button(sheet, ui::ID_WIZBACK)->click();
    EXPECT_EQ(sheet.activePage()->dialogId(), 1014);
    button(sheet, ui::ID_WIZBACK)->click();
    EXPECT_EQ(sheet.activePage()->dialogId(), 185);

    // Forward again reuses the same page objects and their entries.
    ChainPage* mode = run->get(1014);
    mode->delay = 33;
    button(sheet, ui::ID_WIZNEXT)->click();
    EXPECT_EQ(sheet.activePage(), mode);
    EXPECT_EQ(sheet.pageCount(), 4) << "a page is added to the sheet once";

    button(sheet, ui::ID_WIZNEXT)->click();
    button(sheet, ui::ID_WIZFINISH)->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ui::ID_WIZFINISH);
    EXPECT_EQ(run->trail.back(), "finish");
}

TEST_F(WizardFixture, AFailedCheckKeepsTheWizardOnItsPage) {
    auto run = std::make_unique<WizardRun>();
    run->sheet.addPage(run->get(1000));
    run->sheet.create();
    run->get(1000)->delayEdit()->setText(QStringLiteral("70"));
    button(run->sheet, ui::ID_WIZNEXT)->click();
    EXPECT_EQ(run->sheet.activePage()->dialogId(), 1000);
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{uitest::kDelayMessage});
    EXPECT_EQ(run->sheet.focusWidget(), run->get(1000)->delayEdit());
}

TEST_F(WizardFixture, DisabledButtonsDoNothingEvenWhenPressedFromCode) {
    auto run = std::make_unique<WizardRun>();
    run->sheet.addPage(run->get(1000));
    run->sheet.create();
    run->sheet.pressButton(ui::SheetButton::Back);
    run->sheet.pressButton(ui::SheetButton::Finish);
    uitest::pump();
    EXPECT_TRUE(run->sheet.isVisible());
    EXPECT_EQ(run->sheet.activePage()->dialogId(), 1000);
}

TEST_F(WizardFixture, ModalRunEndsWithFinishOrCancelAndKeepsTheEndCode) {
    {
        auto run = std::make_unique<WizardRun>();
        run->sheet.addPage(run->get(1000));
        uitest::whenModal([&] {
            run->sheet.pressButton(ui::SheetButton::Next);
            run->sheet.pressButton(ui::SheetButton::Next);
            run->sheet.pressButton(ui::SheetButton::Next);
            run->sheet.pressButton(ui::SheetButton::Finish);
        });
        EXPECT_EQ(run->sheet.doModal(), ui::ID_WIZFINISH);
        EXPECT_EQ(run->trail, (std::vector<std::string>{"show 1000", "show 185", "show 1014",
                                                        "show 1132", "finish"}));
    }
    {
        // A page that ends the wizard "as if cancelled" with its own code.
        auto run = std::make_unique<WizardRun>();
        run->sheet.addPage(run->get(1000));
        uitest::whenModal([&] {
            run->sheet.setEndCode(50);
            run->sheet.pressButton(ui::SheetButton::Cancel);
        });
        EXPECT_EQ(run->sheet.doModal(), ui::IDCANCEL);
        EXPECT_EQ(run->sheet.endCode(), 50);
    }
}

}  // namespace
