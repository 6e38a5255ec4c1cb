#pragma once
// The North-American wizard. Start shows the sheet, lets the pages fill in
// the settings of one profile and writes them back into the record; it
// returns 0 (finished), 2 (cancelled), 50 (manual configuration chosen), 51
// (the device's configuration kept), 13000 (set-up failed, or the port or
// line of a configured device unusable), 13017 (profile index out of range)
// or the sheet's own result. Only 0 writes anything back.
#include <cstdint>

#include "wizard/wizard_types.h"

#include "wizard/wizard_export.h"

class QWidget;

namespace wizard {
class CWizardSheet;
}

class VELKA_WIZARD_EXPORT CWizardNA {
public:
    CWizardNA() = default;
    CWizardNA(const CWizardNA&) = default;
    CWizardNA& operator=(const CWizardNA&) = default;

    std::int32_t Start(QWidget* parent, _DeviceType type, const char* portName,
                       _WizardCalled called, _ConnectionType& connection, _WizLocation* location,
                       int profileIndex, const char* profileName);
    void InitialiseWizardPages();

protected:
    std::int32_t Initialise(_DeviceType type, const char* portName, _WizardCalled called,
                            _ConnectionType& connection, _WizLocation* location, int profileIndex,
                            const char* profileName);
    void InitLoc();
    void InitConfiguredLoc(_WizLocation* location);
    void UpdateLocation(_WizLocation* location, _ConnectionType& connection);
    std::int32_t CheckExistingConfig(const char* portName, _WizLocation* location,
                                     int profileIndex);

private:
    wizard::CWizardSheet* sheet_ = nullptr;  // while Start runs
};
