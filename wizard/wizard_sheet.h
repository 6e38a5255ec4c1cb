#pragma once
// The sheet the wizard's pages run in. Pages leave an end code for the
// driver (cancel confirmed, manual configuration chosen, configuration kept)
// and set the title when they become active.
#include <QString>

#include "ui/wizard_sheet.h"
#include "wizard/wizard_types.h"

#include "wizard/wizard_export.h"

namespace wizard {

// End codes the pages set.
inline constexpr int kEndCancelled = 2;
inline constexpr int kEndManualConfig = 50;
inline constexpr int kEndKeptConfig = 51;

enum class SheetTitle { Wizard, Online, Offline };

class VELKA_WIZARD_EXPORT CWizardSheet : public ui::WizardSheet {
    Q_OBJECT
public:
    explicit CWizardSheet(QWidget* parent = nullptr);

    _WizLocation* location() const { return location_; }
    void setLocation(_WizLocation* location) { location_ = location; }
    _ConnectionType callerConnection() const { return callerConnection_; }
    void setCallerConnection(_ConnectionType type) { callerConnection_ = type; }

    // "Konfigurations-Assistent", "Online-..." or "Offline-Konfig.Assistent",
    // followed by " - " and the profile name when there is one.
    void setWizardTitle(SheetTitle title);

    // Closes the sheet as cancelled without asking (manual configuration).
    void closeAsCancelled();

private:
    _WizLocation* location_ = nullptr;
    _ConnectionType callerConnection_ = ConnectionPPP;
};

}  // namespace wizard
