#pragma once
// The numbers of the analogue ports in use. A ";" in a field separates a
// second number for the same port.
#include <cstdint>
#include <string>
#include <string_view>

#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard {

// What is wrong with a typed port number: 0 when nothing (an empty field
// too), 1154 for a character other than a digit, space, "-" or ";", 1404
// when it begins or ends with ";".
VELKA_WIZARD_EXPORT std::uint32_t PortNumberFault(std::string_view typed);
// The number as stored: digits, spaces and ";" only.
VELKA_WIZARD_EXPORT std::string StoredPortNumber(std::string_view typed);

class VELKA_WIZARD_EXPORT PortNumbersPage : public CWizardPage {
    Q_OBJECT
public:
    PortNumbersPage(int dialogId, const char* label1, const char* label2);
    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;
    virtual int next() = 0;

private:
    bool checkField(int id, const std::string& text);

    const char* labels_[2];
    std::string typed_[2];
};

class VELKA_WIZARD_EXPORT CPortNumbersRW : public PortNumbersPage {
    Q_OBJECT
public:
    CPortNumbersRW();

protected:
    int next() override;
};

class VELKA_WIZARD_EXPORT CWizPortPro : public PortNumbersPage {
    Q_OBJECT
public:
    CWizPortPro();

protected:
    int next() override;
};

}  // namespace wizard
