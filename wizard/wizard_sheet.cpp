#include "wizard/wizard_sheet.h"

#include "ui/framework_ids.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_state.h"
#include "wizard/wizard_strings.h"

namespace wizard {

CWizardSheet::CWizardSheet(QWidget* parent) : ui::WizardSheet(QString(), parent) {
    State().helpFile = WizardHelpFile();
    setContextHelp(State().helpFile, kWizardContextHelpBase);
}

void CWizardSheet::setWizardTitle(SheetTitle title) {
    const std::uint32_t id = title == SheetTitle::Online    ? IDS_TITLE_ONLINE
                             : title == SheetTitle::Offline ? IDS_TITLE_OFFLINE
                                                            : IDS_TITLE_WIZARD;
    QString text = Tr(id);
    if (!State().profileName.empty())
        text += QStringLiteral(" - ") + QString::fromStdString(State().profileName);
    setTitle(text);
}

void CWizardSheet::closeAsCancelled() {
    // The end code is set, so the cancel query lets the sheet go unasked.
    setEndCode(kEndManualConfig);
    pressButton(ui::SheetButton::Cancel);
}

}  // namespace wizard
