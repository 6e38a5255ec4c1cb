#pragma once
// The network (public or in-house) and how many numbers the line has:
// CWizOffSwitchType offline, CWizATTSwitch online when the line handed out
// no SPID list and says which network it detected.
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT NetworkPage : public CWizPageNA {
    Q_OBJECT
public:
    NetworkPage(int dialogId, QString header);
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;
    // The text above the choices; none by default.
    virtual QString explanation() const { return {}; }
    // The network changed on this visit.
    virtual void networkChanged() {}

private:
    std::int32_t network_ = 0;  // 0 public, 1 in-house
    std::int32_t count_ = 1;    // index: 0 one number, 1 two
};

class VELKA_WIZARD_EXPORT CWizOffSwitchType : public NetworkPage {
    Q_OBJECT
public:
    CWizOffSwitchType();
};

class VELKA_WIZARD_EXPORT CWizATTSwitch : public NetworkPage {
    Q_OBJECT
public:
    CWizATTSwitch();
    bool onSetActive() override;

protected:
    QString explanation() const override;
    void networkChanged() override;
};

}  // namespace wizard::na
