#pragma once
// The rest-of-world wizard. Start shows the sheet, lets the pages fill in the
// region, protocol, switch type, the ports in use and their numbers, and
// writes them back into the record; it returns 0 (finished), 2 (cancelled),
// 50 (manual configuration chosen), 13000 (set-up failed) or the sheet's own
// result. Only 0 writes anything back.
#include <cstdint>

#include "wizard/wizard_types.h"

#include "wizard/wizard_export.h"

class QWidget;

namespace wizard {
class CWizardSheet;
}

class VELKA_WIZARD_EXPORT CWizardRW {
public:
    CWizardRW() = default;
    CWizardRW(const CWizardRW&) = default;
    CWizardRW& operator=(const CWizardRW&) = default;

    std::int32_t Start(QWidget* parent, _DeviceType type, const char* portName,
                       _WizardCalled called, _ConnectionType& connection, _WizLocation* location,
                       const char* profileName);
    void InitialiseWizardPages();

protected:
    void Initialise(_DeviceType type, const char* portName, _WizardCalled called,
                    _ConnectionType& connection, const char* profileName);
    void InitialiseLocation();
    void UpdateLocation(_WizLocation* location, _ConnectionType& connection);

private:
    wizard::CWizardSheet* sheet_ = nullptr;  // while Start runs
};
