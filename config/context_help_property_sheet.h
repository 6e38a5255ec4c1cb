#pragma once
// CContextHelpPropertySheet: the configurator's property sheet. It picks its
// tab layout from the system when it is made, offers context help on every
// control (the configurator's help file at the control's id + 0x30000) and
// can open cascaded from its default place.
#include <string_view>

#include "ui/property_sheet.h"

class CContextHelpPropertySheet : public ui::PropertySheet {
    Q_OBJECT
public:
    explicit CContextHelpPropertySheet(const QString& caption, QWidget* parent = nullptr,
                                       int startPage = 0);

    // Stacked tabs when the service-pack text has a "b" in it; otherwise
    // single-row tabs with common controls of a minor version below 70, and
    // stacked tabs with any other.
    static ui::TabLayout ChooseTabLayout(std::string_view servicePack, int comctlMajor,
                                         int comctlMinor);

protected:
    void onContextHelp(QWidget* control, int controlId) override;
    std::string currentHelpFile() const override;
};
