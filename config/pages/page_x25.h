#pragma once
// CPageX25: the packet service over the D channel -- the X.25 DTE address,
// the X.25 version and the facilities, shown as lists where the page knows
// them and as hexadecimal text ("Andere") where it does not.
#include "config/pages/profile_page.h"
#include "config/pages/x25_facilities.h"

namespace config::pages {

class CPageX25 : public CProfilePage {
    Q_OBJECT
public:
    CPageX25();

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    std::string dte_;
    std::int32_t version_ = 0;
    X25Choices facilities_;
};

}  // namespace config::pages
