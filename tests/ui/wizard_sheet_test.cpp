// A wizard whose pages move it themselves: each page creates the next one on
// first use, adds it, makes it active and answers -1, the way the setup
// wizard chains its pages; titles and buttons are set by the active page.
#include <gtest/gtest.h>
#include <QPushButton>

#include <map>
#include <memory>

#include "tests/ui/test_pages.h"
#include "tests/ui/ui_test_support.h"
#include "ui/framework_ids.h"
#include "ui/scripted_dialogs.h"
#include "ui/wizard_sheet.h"

namespace {

struct ChainLink {
    int id;
    const char* caption;
    int next;  // 0: the last page
    unsigned buttons;
};

// 185 skips the protocol page 1007, which is therefore never reached.
constexpr unsigned kMiddle = ui::WIZB_BACK | ui::WIZB_NEXT;
constexpr ChainLink kChain[] = {{1000, "Willkommen", 185, ui::WIZB_NEXT},
                                {185, "Land", 1014, kMiddle},
                                {1007, "Protokoll", 1014, kMiddle},
                                {1014, "Modus", 1132, kMiddle},
                                {1132, "Fertig", 0, ui::WIZB_BACK | ui::WIZB_FINISH}};

// One wizard run: the page objects by template id, created on first use.
struct WizardRun {
    WizardRun();
    ui::WizardSheet sheet{QString()};
    std::map<int, std::unique_ptr<class ChainPage>> pages;
    std::vector<std::string> trail;
    ChainPage* get(int id);
    QPushButton* button(int id) { return sheet.button(id); }
    int activeId() const { return sheet.activePage()->dialogId(); }
};

class ChainPage : public uitest::TestPage {
public:
    ChainPage(WizardRun& run, const ChainLink& link)
        : TestPage(link.id, QString::fromUtf8(link.caption)), run_(run), link_(link) {}

    ChainPage* back = nullptr;

    bool onSetActive() override {
        auto* wizard = static_cast<ui::WizardSheet*>(sheet());
        wizard->setWizardButtons(link_.buttons);
        wizard->setTitle(QStringLiteral("Konfigurations-Assistent - ") + caption());
        run_.trail.push_back("show " + std::to_string(dialogId()));
        return TestPage::onSetActive();
    }

    int onWizardNext() override {
        ChainPage* target = run_.get(link_.next);
        if (!target) return -1;
        target->back = this;
        if (sheet()->pageIndex(target) < 0) sheet()->addPage(target);
        sheet()->setActivePage(target);
        return -1;  // moved already; the sheet must not move on by itself
    }

    // Back by dialog id rather than by position.
    int onWizardBack() override { return back ? back->dialogId() : -1; }

    bool onWizardFinish() override {
        run_.trail.push_back("finish");
        return true;
    }

private:
    WizardRun& run_;
    const ChainLink& link_;
};

WizardRun::WizardRun() {
    sheet.addPage(get(1000));
}

ChainPage* WizardRun::get(int id) {
    auto& slot = pages[id];
    for (const ChainLink& link : kChain)
        if (!slot && link.id == id) slot = std::make_unique<ChainPage>(*this, link);
    return slot.get();
}

struct WizardFixture : uitest::WithApp, ::testing::Test {
    void TearDown() override { uitest::pump(); }
    ui::ScriptedDialogs dialogs;
};

TEST_F(WizardFixture, PagesMoveTheWizardThemselvesAndBackFollowsTheChain) {
    WizardRun run;
    run.sheet.create();
    EXPECT_EQ(run.sheet.windowTitle(), QStringLiteral("Konfigurations-Assistent - Willkommen"));
    EXPECT_FALSE(run.button(ui::ID_WIZBACK)->isEnabled());
    EXPECT_FALSE(run.button(ui::ID_WIZFINISH)->isVisible());
    // Disabled buttons do nothing, even when pressed from code.
    run.sheet.pressButton(ui::SheetButton::Back);
    run.sheet.pressButton(ui::SheetButton::Finish);
    uitest::pump();
    EXPECT_TRUE(run.sheet.isVisible());
    // A failed check keeps the wizard on its page.
    run.get(1000)->delayEdit()->setText(QStringLiteral("70"));
    run.button(ui::ID_WIZNEXT)->click();
    EXPECT_EQ(run.activeId(), 1000);
    EXPECT_EQ(dialogs.messageIds(), std::vector<std::uint32_t>{uitest::kDelayMessage});
    EXPECT_EQ(run.sheet.focusWidget(), run.get(1000)->delayEdit());
    run.get(1000)->delayEdit()->setText(QStringLiteral("7"));

    for (int expected : {185, 1014, 1132}) {
        run.button(ui::ID_WIZNEXT)->click();
        ASSERT_EQ(run.activeId(), expected);
    }
    EXPECT_EQ(run.pages.count(1007), 0u) << "a page never reached is never created";
    EXPECT_EQ(run.sheet.windowTitle(), QStringLiteral("Konfigurations-Assistent - Fertig"));
    EXPECT_FALSE(run.button(ui::ID_WIZNEXT)->isVisible());
    EXPECT_TRUE(run.button(ui::ID_WIZFINISH)->isVisible());
    EXPECT_TRUE(run.button(ui::ID_WIZFINISH)->isEnabled());

    // Back by id, page by page, to where each came from.
    for (int expected : {1014, 185}) {
        run.button(ui::ID_WIZBACK)->click();
        EXPECT_EQ(run.activeId(), expected);
    }

    // Forward again reuses the same page objects.
    run.button(ui::ID_WIZNEXT)->click();
    EXPECT_EQ(run.sheet.activePage(), run.get(1014));
    EXPECT_EQ(run.sheet.pageCount(), 4) << "a page is added to the sheet once";

    run.button(ui::ID_WIZNEXT)->click();
    run.button(ui::ID_WIZFINISH)->click();
    EXPECT_FALSE(run.sheet.isVisible());
    EXPECT_EQ(run.sheet.result(), ui::ID_WIZFINISH);
    EXPECT_EQ(run.trail.back(), "finish");
}

TEST_F(WizardFixture, ModalRunEndsWithFinishOrCancelAndKeepsTheEndCode) {
    {
        WizardRun run;
        uitest::whenModal([&] {
            for (int i = 0; i < 3; ++i) run.sheet.pressButton(ui::SheetButton::Next);
            run.sheet.pressButton(ui::SheetButton::Finish);
        });
        EXPECT_EQ(run.sheet.doModal(), ui::ID_WIZFINISH);
        EXPECT_EQ(run.trail, (std::vector<std::string>{"show 1000", "show 185", "show 1014",
                                                       "show 1132", "finish"}));
    }
    {
        // A page that ends the wizard "as if cancelled" with its own code.
        WizardRun run;
        uitest::whenModal([&] {
            run.sheet.setEndCode(50);
            run.sheet.pressButton(ui::SheetButton::Cancel);
        });
        EXPECT_EQ(run.sheet.doModal(), ui::IDCANCEL);
        EXPECT_EQ(run.sheet.endCode(), 50);
    }
}

}  // namespace
