#pragma once
// CPageProperties: what the folder knows about an adapter, read only.
#include <QString>

#include "ui/property_page.h"
#include "ui/property_sheet.h"

namespace config::pages {

class CPageProperties : public ui::PropertyPage {
    Q_OBJECT
public:
    struct Facts {
        QString title;  // the device's title; "&" marks are shown as they are
        QString port;
        QString version;
        QString region;
        QString speed;
        QString extra;
    };
    CPageProperties();
    void SetFacts(const Facts& facts) { facts_ = facts; }

protected:
    void createControls() override;

private:
    Facts facts_;
};

}  // namespace config::pages
