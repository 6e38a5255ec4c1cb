#include "wizard/wizard_state.h"

#include <algorithm>
#include <cstring>

#include "platform/paths.h"
#include "registry/registry.h"
#include "ui/property_sheet.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_page.h"

namespace wizard {

HeaderFonts MakeHeaderFonts(const QFont& dialogFont) {
    HeaderFonts fonts{dialogFont, dialogFont};
    fonts.bold.setWeight(QFont::Weight(600));
    if (dialogFont.pixelSize() > 0)
        fonts.title.setPixelSize(dialogFont.pixelSize() * 5 / 4);
    else
        fonts.title.setPointSizeF(dialogFont.pointSizeF() * 5 / 4);
    fonts.title.setWeight(QFont::Weight(std::min(dialogFont.weight() * 3 / 2, 1000)));
    return fonts;
}

PageSlots::PageSlots() = default;
PageSlots::~PageSlots() {
    clear();
}

std::unique_ptr<CWizardPage>& PageSlots::slot(std::type_index page, int instance) {
    return slots_[{page, instance}];
}

void PageSlots::clear() {
    for (auto& [key, page] : slots_)
        if (page && page->sheet()) page->sheet()->removePage(page.get());
    slots_.clear();
}

WizardState& State() {
    static WizardState state;
    return state;
}

std::string WizardHelpFile() {
    std::string dir;
    const CRegistry key(std::string(kSuiteKey) + "\\Directory");
    if (key.ReadString("Help", dir) != registry::kRegOk || dir.empty())
        dir = platform::paths::helpDir();
    if (dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir + kWizardHelpFile;
}

void CopyField(char (&field)[kWizTextSize], const std::string& text) {
    const std::size_t n = std::min(text.size(), kWizTextSize - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

std::string FieldText(const char (&field)[kWizTextSize]) {
    return std::string(field, strnlen(field, kWizTextSize));
}

}  // namespace wizard
