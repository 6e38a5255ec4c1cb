#pragma once
// The first page of both wizards: the introduction and, when the
// configurator's Configure command started the wizard, the way out to manual
// configuration (end code 50, the sheet closes without the cancel question).
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard {

class VELKA_WIZARD_EXPORT WelcomePage : public CWizardPage {
    Q_OBJECT
public:
    explicit WelcomePage(int dialogId);

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    void manualConfiguration();
};

// The page a configured device starts with: keep its configuration or set it
// up anew. Which choice is taken is up to the page of each family.
class VELKA_WIZARD_EXPORT ConfiguredPage : public CWizardPage {
    Q_OBJECT
public:
    ConfiguredPage(int dialogId, QString text, QString useCurrent);

    bool useCurrent() const { return useCurrent_; }
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;
    // The family's steps after the choice was read.
    virtual int next() = 0;

private:
    QString text_;
    QString useCurrentText_;
    bool useCurrent_ = true;
};

}  // namespace wizard
