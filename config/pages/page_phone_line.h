#pragma once
// The telephone port pages, one per analogue port: which number the port
// answers, the kind of calls it takes and its ring and message settings.
#include <string>

#include "config/pages/profile_page.h"

namespace config::pages {

class CPagePhoneLine : public CProfilePage {
    Q_OBJECT
public:
    CPagePhoneLine(int dialogId, const QString& caption, int port);

    int port() const { return port_; }
    // The number the port answers now: kFirstNumber or kSecondNumber.
    std::int32_t numberChoice() const { return number_; }

protected:
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void buildCommon(QFormLayout* form);

    int port_;
    std::int32_t number_ = 0;
    std::int32_t callType_ = 0;  // list position
    std::int32_t mode_ = 0;      // the mode as loaded
    std::int32_t distinctRing_ = 0;
};

class CPagePhoneLineNA : public CPagePhoneLine {
    Q_OBJECT
public:
    CPagePhoneLineNA(const QString& caption, int port);

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    void editCommonFeatures();
    std::int32_t voiceMail_ = 0;
    std::int32_t abbreviatedRing_ = 0;
};

class CPagePhoneLineRW : public CPagePhoneLine {
    Q_OBJECT
public:
    CPagePhoneLineRW(const QString& caption, int port);

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

private:
    std::int32_t callWaiting_ = 0;
    std::string second_;
};

// Call-type list: mode 2 at position 1, mode 1 at position 2, any other at 0.
std::int32_t CallTypePosition(std::int32_t mode);
// The mode a position stands for; position 0 keeps a mode it already shows.
std::int32_t ModeOfCallType(std::int32_t position, std::int32_t loadedMode);

}  // namespace config::pages
