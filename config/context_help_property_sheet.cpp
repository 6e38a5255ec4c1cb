#include "config/context_help_property_sheet.h"

#include "config/help_path.h"
#include "config/resource_ids.h"
#include "ui/system_info.h"

CContextHelpPropertySheet::CContextHelpPropertySheet(const QString& caption, QWidget* parent,
                                                     int startPage)
    : ui::PropertySheet(caption, parent, startPage) {
    const ui::CommonControlsVersion version = ui::commonControlsVersion();
    setTabLayout(ChooseTabLayout(ui::servicePackText(), version.major, version.minor));
    setContextHelp({}, config::kContextHelpBase);
}

ui::TabLayout CContextHelpPropertySheet::ChooseTabLayout(std::string_view servicePack, int,
                                                         int comctlMinor) {
    if (servicePack.find_first_of("bB") != std::string_view::npos) return ui::TabLayout::Stacked;
    return comctlMinor < 70 ? ui::TabLayout::SingleRow : ui::TabLayout::Stacked;
}

void CContextHelpPropertySheet::onContextHelp(QWidget* control, int controlId) {
    config::SetHelpShown(true);
    ui::PropertySheet::onContextHelp(control, controlId);
}

std::string CContextHelpPropertySheet::currentHelpFile() const {
    return config::HelpPath();
}
