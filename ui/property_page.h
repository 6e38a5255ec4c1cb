#pragma once
// The base of every page of a property sheet or wizard.
//
// A page object lives as long as its owner wants it (the sheet never deletes
// it); its controls exist only while it is in a sheet: they are built by
// createControls() when the page joins a running sheet and thrown away when
// it is removed, so a page that is removed and added again starts from its
// variables, as it would when its window is made anew.
//
// Order of the hooks: createControls, then on first activation onInitDialog
// (which loads the variables into the controls), then onSetActive each time
// the page is shown and onKillActive each time it is left (which reads and
// checks the controls; false keeps the page). OK and Apply call onApply on
// every page that was shown; Cancel asks the active page onQueryCancel and
// then calls onCancel on every page that was shown.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "ui/data_exchange.h"

#include "ui/ui_export.h"

namespace ui {

class PropertySheet;

enum class HelpTrigger { Key, ContextClick };

class VELKA_UI_EXPORT PropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPage(int dialogId, const QString& caption = {});
    ~PropertyPage() override;

    int dialogId() const { return dialogId_; }
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Whether the sheet shows an enabled Help button for this page.
    bool hasHelp() const { return hasHelp_; }
    void setHasHelp(bool hasHelp);

    // The page's own record that the user changed something; read by the
    // code that ran the sheet. Set with every user change.
    bool changed() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }

    // The sheet's "modified" state of this page: enables Apply.
    bool isModified() const { return modified_; }
    void setModified(bool modified = true);

    PropertySheet* sheet() const { return sheet_; }
    bool controlsCreated() const { return controlsCreated_; }
    // The page has been shown since it joined the sheet.
    bool initialised() const { return initialised_; }

    // Runs the data exchange: load (false) or save with checks (true). A
    // failed save focuses the control the failure is about and returns false.
    bool updateData(bool save);

    // Page hooks (see the order above).
    virtual bool onInitDialog();
    virtual bool onSetActive();
    virtual bool onKillActive();
    virtual bool onApply();
    virtual void onOK();
    virtual void onCancel();
    virtual bool onQueryCancel();
    // The sheet's Help button. Default: the topic of the page's dialog.
    virtual void onHelp();
    // F1 or a context-help click on one of the page's controls; true when
    // the page handled it, else the sheet's context help runs.
    virtual bool onHelpInfo(QWidget* control, int controlId, HelpTrigger trigger);
    // Wizard buttons: 0 moves to the neighbour page, -1 stays (the page may
    // have made another page active itself), another value is the dialog id
    // of the page to show.
    virtual int onWizardBack();
    virtual int onWizardNext();
    // true ends the wizard.
    virtual bool onWizardFinish();

protected:
    // Builds the page's controls as children of the page (its template).
    virtual void createControls();
    virtual void doDataExchange(DataExchange& dx);
    // A control of the page was changed by the user. Default: the page
    // becomes modified and changed.
    virtual void onControlChanged(QWidget* control);
    // True while the page loads its variables into the controls, when the
    // controls' change signals are not the user's.
    bool loading() const { return loading_ > 0; }

private:
    friend class PropertySheet;
    void attach(PropertySheet* sheet);
    void detach(bool now = false);
    void buildControls();
    void destroyControls(bool now = false);
    void initialise();
    void watchControls();

    int dialogId_;
    QString caption_;
    bool hasHelp_ = false;
    bool changed_ = false;
    bool modified_ = false;
    bool controlsCreated_ = false;
    bool initialised_ = false;
    int loading_ = 0;
    QPointer<PropertySheet> sheet_;
};

}  // namespace ui
