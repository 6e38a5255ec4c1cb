#pragma once
// The General pages: the country, the data protocol (which decides the
// protocol, bandwidth and packet pages the sheet shows), the telephone ports
// on or off, and -- by region family -- the numbers, SPIDs and switch type.
#include <string>

#include "config/pages/profile_page.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace config::pages {

// Values of the data protocol list.
enum ProtocolChoice : std::int32_t {
    kChoiceV110 = 0,
    kChoiceV120 = 1,
    kChoicePpp = 2,
    kChoiceMultilink = 3,
    kChoiceMultilinkBacp = 4,
    kChoiceMultilinkAodi = 5,
};
std::int32_t ProtocolChoiceOf(std::int32_t connectType, std::int32_t aodi, std::int32_t bacp);
std::int32_t ConnectTypeOfChoice(std::int32_t choice);

// Asks whether to check the port for Multilink PPP and tells what the
// stored port speed allows.
void MultilinkSpeedCheck(QWidget* owner, const char* port);

class CPageGeneral : public CProfilePage {
    Q_OBJECT
public:
    CPageGeneral(int dialogId, int ports);

    // Set when the user pressed Apply (or OK): the profile has new values.
    bool applied() const { return applied_; }
    void SetSheet(ui::PropertySheet* sheet) { ownerSheet_ = sheet; }
    void SetV110(bool v110) { v110_ = v110; }
    std::int32_t protocolChoice() const { return choice_; }

    bool onApply() override;

protected:
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

    void buildCountry(QFormLayout* form);
    void buildProtocol(QFormLayout* form);
    void buildPorts(QFormLayout* form);

    int ports_;
    bool v110_ = false;
    bool applied_ = false;
    ui::PropertySheet* ownerSheet_ = nullptr;
    std::int32_t region_ = 0;
    std::int32_t choice_ = kChoiceMultilink;
    std::int32_t port1_ = 0, port2_ = 0;

private:
    void protocolChosen();
};

class CPageGeneralNA : public CPageGeneral {
    Q_OBJECT
public:
    CPageGeneralNA();

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

private:
    bool checkNumbers(ui::DataExchange& dx);
    void showNumberTabs();

    std::int32_t useTwo_ = 0;
    std::string number1_, number2_, spid1_, spid2_;
    std::int32_t switchType_ = 0;
    QTabWidget* tabs_ = nullptr;
};

class CPageGeneralRW : public CPageGeneral {
    Q_OBJECT
public:
    CPageGeneralRW();

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

private:
    void fillSwitchTypes();
    std::int32_t switchType_ = 0;
};

class CPageGeneralNoPOTSRW : public CPageGeneral {
    Q_OBJECT
public:
    CPageGeneralNoPOTSRW();

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

private:
    void showNumberLabel();
    std::string number1_, number2_;
};

}  // namespace config::pages
