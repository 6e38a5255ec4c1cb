#pragma once
// The voice/modem pages: which number voice calls to the PC (boxes and
// cards) or the Pro box's internal modem answer.
#include <string>

#include "config/pages/profile_page.h"

namespace config::pages {

class CPageVoiceModem : public CProfilePage {
    Q_OBJECT
public:
    // Voice mode for boxes and cards ("Sprache zu PC"), else the modem.
    CPageVoiceModem(int dialogId, bool voice, const QString& caption = {});

    std::int32_t numberChoice() const { return number_; }
    bool voice() const { return voice_; }

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

    // The Pro box's modem outside North America also answers a second number.
    bool withSecondNumber_ = false;

private:
    bool voice_;
    std::int32_t number_ = 0;
    std::string second_;
};

class CPageVoiceModemNA : public CPageVoiceModem {
    Q_OBJECT
public:
    explicit CPageVoiceModemNA(bool voice = true, const QString& caption = {});
};

class CPageVoiceModemRW : public CPageVoiceModem {
    Q_OBJECT
public:
    explicit CPageVoiceModemRW(bool voice = true, const QString& caption = {});
};

class CPageVoiceModemProRW : public CPageVoiceModem {
    Q_OBJECT
public:
    CPageVoiceModemProRW();
};

}  // namespace config::pages
