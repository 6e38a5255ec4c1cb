#pragma once
// Which analogue ports are used: two telephone ports, or the Pro box's
// telephone port and internal modem. Both answers start at yes.
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard {

class VELKA_WIZARD_EXPORT PortQuestionsPage : public CWizardPage {
    Q_OBJECT
public:
    struct Question {
        const char* text;   // shown above the answers; may be empty
        const char* label;  // the port's name beside its answers
    };
    PortQuestionsPage(int dialogId, QString header, Question first, Question second);
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;
    // Where the answers lead.
    virtual int next(bool anyUsed) = 0;

private:
    Question questions_[2];
    std::int32_t answers_[2] = {0, 0};  // 0 yes, 1 no
};

class VELKA_WIZARD_EXPORT CWizFeatures : public PortQuestionsPage {
    Q_OBJECT
public:
    CWizFeatures();

protected:
    int next(bool anyUsed) override;
};

class VELKA_WIZARD_EXPORT CWizFeaturesPro : public PortQuestionsPage {
    Q_OBJECT
public:
    CWizFeaturesPro();

protected:
    int next(bool anyUsed) override;
};

}  // namespace wizard
