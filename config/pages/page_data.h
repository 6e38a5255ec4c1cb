#pragma once
// The data pages, one per connection protocol and region family: which
// number the data port answers; Multilink PPP also dynamic bandwidth.
// Outside North America the data port may answer a number of its own
// instead (a packet number while Multilink PPP runs with AODI).
#include <string>

#include "config/pages/profile_page.h"

namespace config::pages {

class CPageData : public CProfilePage {
    Q_OBJECT
public:
    CPageData(int dialogId, const char* caption, bool multilink, bool ownNumber);

    // kFirstNumber, kSecondNumber or kBothNumbers.
    std::int32_t numberChoice() const { return number_; }

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;
    bool onSetActive() override;

private:
    bool packetMode() const;
    void enableNumbers();

    bool multilink_;
    bool ownNumber_;
    std::int32_t number_ = 0;
    std::int32_t dynamicBandwidth_ = 0;
    std::int32_t useOwn_ = 0;
    std::string own_;
};

#define VELKA_DATA_PAGE(Name)       \
    class Name : public CPageData { \
    public:                         \
        Name();                     \
    };
VELKA_DATA_PAGE(CPageMLPPPNA)
VELKA_DATA_PAGE(CPageMLPPPRW)
VELKA_DATA_PAGE(CPagePPPNA)
VELKA_DATA_PAGE(CPagePPPRW)
VELKA_DATA_PAGE(CPageV110NA)
VELKA_DATA_PAGE(CPageV110RW)
VELKA_DATA_PAGE(CPageV120NA)
VELKA_DATA_PAGE(CPageV120RW)
#undef VELKA_DATA_PAGE

}  // namespace config::pages
