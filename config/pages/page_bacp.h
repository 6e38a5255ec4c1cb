#pragma once
// CPageBACP: bandwidth allocation control -- the start and repeat interval
// and, per B channel, the delay before opening and the open and close
// thresholds. The open threshold never goes below the close threshold.
#include "config/pages/profile_page.h"

class QLabel;
class QSlider;
class QTabBar;

namespace config::pages {

class CPageBACP : public CProfilePage {
    Q_OBJECT
public:
    CPageBACP();

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    struct Channel {
        std::int32_t delay = 0;
        std::int32_t open = 0;
        std::int32_t close = 0;
    };
    void showChannel(int channel);
    void updateLabels();
    void sliderMoved(QSlider* slider);

    std::uint32_t start_ = 0, repeat_ = 0;
    Channel channels_[2];
    int channel_ = 0;
    QTabBar* tabs_ = nullptr;
    QSlider* open_ = nullptr;
    QSlider* close_ = nullptr;
    QLabel* openLabel_ = nullptr;
    QLabel* closeLabel_ = nullptr;
};

}  // namespace config::pages
