#pragma once
// CWizKnowSPIDs: the user types the SPIDs; online the network is asked
// whether it takes them before the page is left.
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizKnowSPIDs : public CWizPageNA {
    Q_OBJECT
public:
    CWizKnowSPIDs();
    bool onSetActive() override;
    int onWizardNext() override;
    bool onQueryCancel() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    bool verifyOnline();
    void showFields();

    std::string spid1_, spid2_;
    bool verifying_ = false;
};

// "SPID für (514) 5550101:" and its kin: the label of a SPID field.
QString SpidFieldLabel(const std::string& areaCode, const std::string& number, int index);

}  // namespace wizard::na
