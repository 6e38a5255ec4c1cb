#pragma once
// The number pages: CWizOnlyNumbers (an in-house network, or no area code
// needed) and CWizNumbersAndNPA (a public network: area code and numbers of
// seven digits, from which the SPID search builds its candidates).
#include "wizard/pages_na/na_checks.h"
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

class QLineEdit;

namespace wizard::na {

class VELKA_WIZARD_EXPORT NumbersPage : public CWizPageNA {
    Q_OBJECT
public:
    NumbersPage(int dialogId, bool withAreaCode);
    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;
    // Where the page leads once the numbers are stored.
    virtual int next() = 0;

    bool withAreaCode() const { return withAreaCode_; }

private:
    void showFields();

    bool withAreaCode_;
    std::string areaCode_, number1_, number2_;
};

class VELKA_WIZARD_EXPORT CWizOnlyNumbers : public NumbersPage {
    Q_OBJECT
public:
    CWizOnlyNumbers();

protected:
    int next() override;
};

class VELKA_WIZARD_EXPORT CWizNumbersAndNPA : public NumbersPage {
    Q_OBJECT
public:
    CWizNumbersAndNPA();

protected:
    int next() override;

private:
    std::string visited1_, visited2_;  // the numbers when the page was last left
    bool visited_ = false;
};

}  // namespace wizard::na
