#pragma once
// The base of every wizard page: the picture at the left, the header in the
// title font, the sheet's title and buttons, moving on and back, the cancel
// question and help.
//
// Pages move the sheet themselves. A page that leads to page class P calls
// goNext<P>() from onWizardNext: the page of P's slot is created on first use
// (and then kept, with its entries, until the run ends), linked back to this
// page, added to the sheet when it is not in it yet, and made active; the
// answer -1 keeps the sheet from moving by its own page order. Back returns
// to the page that led here.
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <typeindex>
#include <utility>

#include "platform/text_format.h"
#include "ui/dialog_facility.h"
#include "ui/property_page.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_state.h"

#include "wizard/wizard_export.h"

class QComboBox;
class QLabel;
class QVBoxLayout;

namespace wizard {

// Which buttons a page enables: the welcome pages Next only, the pages in the
// middle Back and Next, the finish pages Back and Finish.
enum class PageRole { First, Middle, Last };

class VELKA_WIZARD_EXPORT CWizardPage : public ui::PropertyPage {
    Q_OBJECT
public:
    CWizardPage(int dialogId, QString header, PageRole role);

    CWizardSheet* wizardSheet() const;
    bool created() const { return created_; }
    void markCreated() { created_ = true; }
    CWizardPage* nextPage() const { return next_; }
    CWizardPage* backPage() const { return back_; }

    bool onSetActive() override;
    int onWizardBack() override;
    bool onWizardFinish() override;
    bool onQueryCancel() override;
    void onHelp() override;
    bool onHelpInfo(QWidget* control, int controlId, ui::HelpTrigger trigger) override;

    // Moves to the page of class P (instance `instance`), creating it with
    // `args` on first use. Returns the answer for onWizardNext (-1).
    template <class P, class... Args>
    int goNext(int instance, Args&&... args);
    template <class P>
    int goNext() {
        return goNext<P>(0);
    }
    int goTo(CWizardPage& page);
    int goBack();

    // A box of the wizard's string table with the wizard's caption.
    int messageBox(std::uint32_t stringId, ui::Icon icon, ui::Buttons buttons = ui::Buttons::Ok,
                   std::initializer_list<platform::FormatArg> inserts = {});
    // A page is missing where the sequence needs one.
    void applicationError();

protected:
    // The page's own controls, below the header.
    virtual void buildBody(QVBoxLayout* body) = 0;
    // The sheet's title while the page is shown.
    virtual SheetTitle title() const { return SheetTitle::Wizard; }

    QLabel* addText(QVBoxLayout* body, int id, const QString& text);
    // A drop-down list with its label (the label is its buddy).
    QComboBox* addCombo(QVBoxLayout* body, int id, const QString& label);

private:
    void createControls() final;

    QString header_;
    PageRole role_;
    bool created_ = false;
    CWizardPage* next_ = nullptr;
    CWizardPage* back_ = nullptr;
};

// The page in the slot of class P, created with `args` when the run has none.
template <class P, class... Args>
P& PageInSlot(int instance, Args&&... args) {
    std::unique_ptr<CWizardPage>& slot = State().pages.slot(typeid(P), instance);
    if (!slot || !slot->created()) {
        slot = std::make_unique<P>(std::forward<Args>(args)...);
        slot->markCreated();
    }
    return static_cast<P&>(*slot);
}

template <class P, class... Args>
int CWizardPage::goNext(int instance, Args&&... args) {
    return goTo(PageInSlot<P>(instance, std::forward<Args>(args)...));
}

}  // namespace wizard
