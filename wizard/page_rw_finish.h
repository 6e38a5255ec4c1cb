#pragma once
// The summaries that end the rest-of-world wizard. They differ in what they
// list: the Region variants (region 22) also name the connection type; the
// plain ones show two telephone ports, the Pro ones the telephone port and
// the modem, the NoPOTS ones the modem alone.
#include <QString>

#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard {

enum class FinishPorts { Two, PhoneAndModem, ModemOnly };

// The text of a port's summary line: "Deaktiviert" for a port not used,
// "Alle Anrufe beantworten" for one without a number, else its number.
VELKA_WIZARD_EXPORT QString PortSummary(bool notUsed, const std::string& number);

class VELKA_WIZARD_EXPORT FinishPageRW : public CWizardPage {
    Q_OBJECT
public:
    FinishPageRW(int dialogId, bool namesSwitch, FinishPorts ports);
    bool onSetActive() override;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    void setValue(int id, const QString& text);

    bool namesSwitch_;
    FinishPorts ports_;
};

#define VELKA_RW_FINISH_PAGE(Name)                         \
    class VELKA_WIZARD_EXPORT Name : public FinishPageRW { \
    public:                                                \
        Name();                                            \
    };
VELKA_RW_FINISH_PAGE(CWizFinishROW)
VELKA_RW_FINISH_PAGE(CWizFinishROWRegion)
VELKA_RW_FINISH_PAGE(CWizFinishROWPro)
VELKA_RW_FINISH_PAGE(CWizFinRWRegPro)
VELKA_RW_FINISH_PAGE(CWizFinRWProNoPOTS)
VELKA_RW_FINISH_PAGE(CWizFinRwRegProNoPOTS)
#undef VELKA_RW_FINISH_PAGE

}  // namespace wizard
