#pragma once
// CWizAutoSPID: the numbers of the line's SPID list, one page for number 1
// and, with two numbers, one for number 2. Each number gets the first SPID
// that is free, has the services the device needs and is not taken by
// another number; the details box lets the user choose another.
#include <vector>

#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizAutoSPID : public CWizPageNA {
    Q_OBJECT
public:
    explicit CWizAutoSPID(int numberIndex);  // 1 or 2
    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    void load();
    void details();
    int selected() const;
    bool usable(int entry) const;
    void markRows();

    int numberIndex_;
    std::vector<std::string> loaded_;  // the numbers the list was built from
    std::vector<int> choice_;          // SPID record per number, -1 none
};

}  // namespace wizard::na
