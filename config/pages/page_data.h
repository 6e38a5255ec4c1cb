#pragma once
// The data pages, one per connection protocol and region family: which
// number the data port answers; Multilink PPP also dynamic bandwidth.
#include "config/pages/profile_page.h"

namespace config::pages {

class CPageData : public CProfilePage {
    Q_OBJECT
public:
    CPageData(int dialogId, const char* caption, bool multilink);

    // kFirstNumber, kSecondNumber or kBothNumbers.
    std::int32_t numberChoice() const { return number_; }

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    bool multilink_;
    std::int32_t number_ = 0;
    std::int32_t dynamicBandwidth_ = 0;
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
