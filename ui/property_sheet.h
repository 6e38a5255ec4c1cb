#pragma once
// A tabbed property sheet: pages in the order they were added, OK, Cancel,
// Apply and Help buttons (each optional), pages added and removed while the
// sheet runs, context help on controls, and the modal result 1 (OK) or
// 2 (Cancel). Pages are owned by the caller; the sheet never deletes one.
//
// Buttons carry the classic control ids (IDOK, IDCANCEL, ID_APPLY_NOW,
// IDHELP) as their object names, so tests press them like a user would.
#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/property_page.h"

#include "ui/ui_export.h"

class QPushButton;
class QStackedWidget;
class QTabBar;
class QBoxLayout;

namespace ui {

class MultiRowTabBar;

enum class TabLayout { SingleRow, Stacked };

// The buttons that can be pressed for a page, as a posted request.
enum class SheetButton { Back, Next, Finish, Ok, Apply, Cancel, Help };

class VELKA_UI_EXPORT PropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit PropertySheet(const QString& caption, QWidget* parent = nullptr, int startPage = 0);
    ~PropertySheet() override;

    // Pages ---------------------------------------------------------------
    // Appends the page; a page already in the sheet stays where it is.
    void addPage(PropertyPage* page);
    // Takes the page out (its controls go); the page object stays. Removing
    // the active page shows the one before it (or the next one).
    void removePage(PropertyPage* page);
    void removePage(int index);
    int pageCount() const { return int(pages_.size()); }
    PropertyPage* page(int index) const;
    int pageIndex(const PropertyPage* page) const;  // -1 when not in the sheet
    const std::vector<PropertyPage*>& pages() const { return pages_; }

    PropertyPage* activePage() const;
    int activeIndex() const { return active_; }
    // Leaves the active page (its checks may refuse) and shows the other.
    // Before the sheet runs it chooses the page it starts with.
    bool setActivePage(PropertyPage* page);
    bool setActivePage(int index);

    // Look --------------------------------------------------------------
    void setTitle(const QString& title) { setWindowTitle(title); }
    // Which buttons exist; set before the sheet runs.
    void setOkButton(bool shown);
    void setCancelButton(bool shown);
    void setApplyButton(bool shown);
    void setHelpButton(bool shown);
    // The first showing moves the sheet 60 px right and 25 px down from its
    // default place (and clears the flag).
    void setCascade(bool cascade) { cascade_ = cascade; }
    bool cascade() const { return cascade_; }
    // Decided before the sheet runs.
    void setTabLayout(TabLayout layout);
    TabLayout tabLayout() const { return tabLayout_; }
    bool isWizard() const { return wizard_; }

    // Running -----------------------------------------------------------
    // Runs modally; 1 for OK, 2 for Cancel (a wizard: ID_WIZFINISH or 2).
    int doModal();
    // Shows the sheet without a modal loop (tests, screenshots); the result
    // is in result() once it has ended.
    void create();
    bool isRunning() const { return running_; }
    // Presses a button as the user would, after the current event is done
    // (pages call this from their own handlers).
    void pressButton(SheetButton button);
    // Ends the sheet with a result; the pages' controls go with it.
    void done(int result) override;
    QPushButton* button(int id) const;
    bool isApplyEnabled() const;

    // Help --------------------------------------------------------------
    // Context help opens `file` as a pop-up at the control's id + offset.
    void setContextHelp(const std::string& file, std::uint32_t offset);
    const std::string& helpFile() const { return helpFile_; }
    std::uint32_t helpOffset() const { return helpOffset_; }
    // Help for a control (F1 on it, or a context-help click): the active page
    // may handle it, else onContextHelp runs with the nearest id.
    void requestContextHelp(QWidget* control, HelpTrigger trigger = HelpTrigger::ContextClick);
    // A help topic of the sheet's help file.
    void openHelpTopic(std::uint32_t context);

    // Called by pages.
    void pageCaptionChanged(PropertyPage* page);
    // A page that is being destroyed: out of the sheet, no other page shown.
    void forgetPage(PropertyPage* page);
    void updateButtons();

signals:
    void activePageChanged(int index);

protected:
    // The wizard sheet's constructor.
    PropertySheet(const QString& caption, QWidget* parent, bool wizard);

    // A control's help; default: the pop-up of the help file at id + offset.
    virtual void onContextHelp(QWidget* control, int controlId);
    // The file help opens at the moment of the request; default helpFile().
    virtual std::string currentHelpFile() const { return helpFile_; }
    // The sheet's first showing, after the pages were built and the start
    // page shown.
    virtual void onInitDialog();

    // The buttons' work; true when it went through.
    bool okPressed();
    bool applyPressed();
    bool cancelPressed();
    void helpPressed();
    virtual void backPressed() {}
    virtual void nextPressed() {}
    virtual void finishPressed() {}

    void setVisible(bool visible) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void accept() override;

    QBoxLayout* buttonRow() const { return buttonRow_; }
    QPushButton* addButton(int id, const QString& text);
    // Shows page index without leaving the old page (it is gone or has been
    // left already).
    void showPage(int index);

private:
    void build();
    void firstShow();
    bool applyPages(bool closing);
    void refreshTabs();
    void watchForHelp(QWidget* root);

    std::vector<PropertyPage*> pages_;
    int active_ = -1;
    int startPage_ = 0;
    bool wizard_ = false;
    bool cascade_ = false;
    bool shownOnce_ = false;
    bool initPending_ = false;
    bool running_ = false;
    TabLayout tabLayout_ = TabLayout::Stacked;
    bool showOk_ = true, showCancel_ = true, showApply_ = true, showHelp_ = true;
    std::string helpFile_;
    std::uint32_t helpOffset_ = 0;

    QTabBar* singleRow_ = nullptr;
    MultiRowTabBar* stacked_ = nullptr;
    QWidget* pageFrame_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QBoxLayout* buttonRow_ = nullptr;
    QBoxLayout* tabHolder_ = nullptr;
};

}  // namespace ui
