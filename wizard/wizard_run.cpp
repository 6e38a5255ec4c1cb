#include "wizard/wizard_run.h"

#include "ui/framework_ids.h"
#include "wizard/wizard_page.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_state.h"

namespace wizard {

std::int32_t RunWizardSheet(CWizardSheet& sheet, CWizardPage& first,
                            const std::function<void()>& writeBack) {
    WizardState& state = State();
    state.fonts = MakeHeaderFonts(sheet.font());
    sheet.addPage(&first);
    const int modal = sheet.doModal();
    std::int32_t result = modal;
    const int end = sheet.endCode();
    if (end == kEndKeptConfig || end == kEndManualConfig || end == kEndCancelled) {
        result = end;
    } else if (modal == ui::ID_WIZFINISH) {
        writeBack();
        result = kWizFinished;
    }
    state.fonts.reset();
    state.pages.clear();
    return result;
}

}  // namespace wizard
