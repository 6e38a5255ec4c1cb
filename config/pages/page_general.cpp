#include "config/pages/page_general.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "config/config_strings.h"
#include "config/pages/region_list.h"
#include "config/pages/sheet_state.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "profile/field_rules.h"
#include "profile/profile.h"
#include "serial/com_speed.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/data_files.h"
#include "wizard/region_data.h"
#include "wizard/switch_types.h"

namespace config::pages {

namespace {

constexpr std::uint32_t kProtocolTexts[] = {57371, 57372, 57373, 57374, 57375, 57376};
// North-American switch types and their texts.
constexpr std::pair<std::int32_t, std::uint32_t> kSwitchTypesNA[] = {
    {0, 57364}, {1, 57365}, {2, 57366}, {3, 57367}, {4, 57368}, {9, 57369}, {11, 57370}};
constexpr std::int32_t kFastPortSpeed = 115000;

std::string withoutSpaces(const std::string& text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char c) { return c != ' '; });
    return out;
}

void setMode(std::int32_t& mode, bool on) {
    if (!on)
        mode = 0;
    else if (mode == 0)
        mode = 3;
}

}  // namespace

std::int32_t ProtocolChoiceOf(std::int32_t connectType, std::int32_t aodi, std::int32_t bacp) {
    switch (connectType) {
        case kConnectV110:
            return kChoiceV110;
        case kConnectV120:
            return kChoiceV120;
        case kConnectPpp:
            return kChoicePpp;
        default:
            if (aodi) return kChoiceMultilinkAodi;
            return bacp ? kChoiceMultilinkBacp : kChoiceMultilink;
    }
}

std::int32_t ConnectTypeOfChoice(std::int32_t choice) {
    switch (choice) {
        case kChoiceV110:
            return kConnectV110;
        case kChoiceV120:
            return kConnectV120;
        case kChoicePpp:
            return kConnectPpp;
        default:
            return kConnectMultilinkPpp;
    }
}

void MultilinkSpeedCheck(QWidget* owner, const char* port) {
    if (ui::messageBox(owner, config::Strings(), 1522, ui::Icon::Question, ui::Buttons::YesNo) !=
        ui::IDYES)
        return;
    const std::uint32_t speed = serial::StoredComSpeed(port);
    if (speed == 0) return;
    if (speed >= std::uint32_t(kFastPortSpeed))
        ui::messageBox(owner, config::Strings(), 1521, ui::Icon::Warning);
    else
        ui::messageBox(owner, config::Strings(), 1316, ui::Icon::Information, ui::Buttons::Ok, {},
                       {std::int64_t(speed / 1000)});
}

// CPageGeneral ------------------------------------------------------------

CPageGeneral::CPageGeneral(int dialogId, int ports)
    : CProfilePage(dialogId, QStringLiteral("Allgemein")), ports_(ports) {}

void CPageGeneral::load() {
    region_ = profile_->region;
    choice_ = ProtocolChoiceOf(profile_->connectType, profile_->aodi, profile_->bacp);
    port1_ = profile_->modePots1 != 0;
    port2_ = profile_->modePots2 != 0;
    // The Pro box has one telephone port, a profile without ports none.
    if (ports_ != 0) ports_ = !profile_->potsAvailable ? 0 : Sheet().isPro() ? 1 : 2;
}

void CPageGeneral::store() {
    profile_->region = region_;
    profile_->connectType = ConnectTypeOfChoice(choice_);
    profile_->bacp = choice_ >= kChoiceMultilinkBacp ? 1 : 0;
    profile_->aodi = choice_ == kChoiceMultilinkAodi ? 1 : 0;
    if (ports_ >= 1) setMode(profile_->modePots1, port1_);
    if (ports_ >= 2) setMode(profile_->modePots2, port2_);
}

bool CPageGeneral::onApply() {
    applied_ = true;
    return CProfilePage::onApply();
}

void CPageGeneral::buildCountry(QFormLayout* form) {
    auto* country = addCombo(form, IDC_COUNTRY, QStringLiteral("&Land:"));
    for (const RegionEntry& entry : ParseRegionList(profile_ ? profile_->i100Reply : ""))
        country->addItem(QString::fromStdString(entry.name), entry.code);
    if (country->findData(region_) < 0) country->addItem(QString::number(region_), region_);
}

void CPageGeneral::buildProtocol(QFormLayout* form) {
    auto* protocol = addCombo(form, IDC_DATA_PROTOCOL, QStringLiteral("&Datenprotokoll:"));
    for (std::int32_t value = kChoiceV110; value <= kChoiceMultilinkAodi; ++value) {
        // V.110 only where the line offers it; AODI only where the adapter has it.
        if (value == kChoiceV110 && !v110_ && choice_ != kChoiceV110) continue;
        if (value == kChoiceMultilinkAodi && !Sheet().x25 && choice_ != value) continue;
        protocol->addItem(Tr(kProtocolTexts[value]), value);
    }
}

void CPageGeneral::buildPorts(QFormLayout* form) {
    if (ports_ >= 1)
        addCheck(form, IDC_PORT1_ON,
                 ports_ == 1 ? QStringLiteral("&Telefonport benutzen")
                             : QStringLiteral("Telefonport &1 benutzen"));
    if (ports_ >= 2) addCheck(form, IDC_PORT2_ON, QStringLiteral("Telefonport &2 benutzen"));
}

void CPageGeneral::doDataExchange(ui::DataExchange& dx) {
    exchangeItem(dx, IDC_COUNTRY, region_);
    exchangeItem(dx, IDC_DATA_PROTOCOL, choice_);
    if (ports_ >= 1) dx.check(IDC_PORT1_ON, port1_);
    if (ports_ >= 2) dx.check(IDC_PORT2_ON, port2_);
}

void CPageGeneral::onControlChanged(QWidget* control) {
    CProfilePage::onControlChanged(control);
    SheetState& sheet = Sheet();
    const int id = ui::resourceId(control);
    if (id == IDC_DATA_PROTOCOL) {
        protocolChosen();
    } else if (id == IDC_PORT1_ON || id == IDC_PORT2_ON) {
        const bool on = qobject_cast<QCheckBox*>(control)->isChecked();
        (id == IDC_PORT1_ON ? port1_ : port2_) = on;
        (id == IDC_PORT1_ON ? sheet.port1On : sheet.port2On) = on;
        sheet.arrange();
    }
}

void CPageGeneral::protocolChosen() {
    auto* combo = ui::findControl<QComboBox>(this, IDC_DATA_PROTOCOL);
    choice_ = combo->currentData().toInt();
    SheetState& sheet = Sheet();
    sheet.connectType = ConnectTypeOfChoice(choice_);
    sheet.bacpOn = choice_ >= kChoiceMultilinkBacp;
    sheet.x25On = choice_ == kChoiceMultilinkAodi;
    if (choice_ >= kChoiceMultilink) MultilinkSpeedCheck(this, device_ ? device_->port : "");
    sheet.arrange();
}

// CPageGeneralNA ------------------------------------------------------------

CPageGeneralNA::CPageGeneralNA() : CPageGeneral(IDD_PAGE_GENERAL_NA, 2) {}

void CPageGeneralNA::load() {
    CPageGeneral::load();
    number1_ = profile_->number1;
    number2_ = profile_->number2;
    spid1_ = profile_->spid1;
    spid2_ = profile_->spid2;
    switchType_ = profile_->switchType;
    useTwo_ = !profile_->number2.empty() &&
              withoutSpaces(profile_->number2) != withoutSpaces(profile_->number1);
}

void CPageGeneralNA::store() {
    CPageGeneral::store();
    profile_->number1 = number1_;
    profile_->spid1 = spid1_;
    profile_->switchType = switchType_;
    if (useTwo_) {
        profile_->number2 = number2_;
        profile_->spid2 = spid2_;
    } else {
        profile_->number2 = number1_;
        profile_->spid2 = spid1_;
        profile_->terminalMode2 = profile_->terminalMode1;
    }
}

void CPageGeneralNA::createControls() {
    auto* form = new QFormLayout(this);
    buildCountry(form);
    buildProtocol(form);
    auto* switchType = addCombo(form, IDC_SWITCH_TYPE, QStringLiteral("&Vermittlungstyp:"));
    for (const auto& [code, text] : kSwitchTypesNA) switchType->addItem(Tr(text), code);
    if (switchType->findData(switchType_) < 0) switchType->addItem(QString(), switchType_);
    buildPorts(form);
    addCheck(form, IDC_USE_TWO_NUMBERS, QStringLiteral("&Zwei Nummern benutzen"));

    tabs_ = new QTabWidget(this);
    ui::setResourceId(tabs_, IDC_NUMBER_TABS);
    const int ids[2][2] = {{IDC_NUMBER1, IDC_SPID1}, {IDC_NUMBER2, IDC_SPID2}};
    for (int tab = 0; tab < 2; ++tab) {
        auto* page = new QWidget(tabs_);
        auto* numbers = new QFormLayout(page);
        for (int field = 0; field < 2; ++field) {
            auto* edit = new QLineEdit(page);
            edit->setMaxLength(40);
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 26);
            ui::setResourceId(edit, ids[tab][field]);
            numbers->addRow(field == 0 ? Tr(57415) : QStringLiteral("&SPID:"), edit);
        }
        tabs_->addTab(page, Tr(tab == 0 ? 1526 : 1527));
    }
    form->addRow(tabs_);
}

void CPageGeneralNA::showNumberTabs() {
    if (!tabs_) return;
    const bool packet = choice_ == kChoiceMultilinkAodi;
    tabs_->setTabEnabled(1, useTwo_ || packet);
    // The label names what the number is for in the mode chosen.
    setLabelOf(IDC_NUMBER1, Tr(useTwo_ || packet ? 57415 : 1532));
    setLabelOf(IDC_NUMBER2, Tr(packet ? 1537 : 57415));
}

void CPageGeneralNA::doDataExchange(ui::DataExchange& dx) {
    CPageGeneral::doDataExchange(dx);
    exchangeItem(dx, IDC_SWITCH_TYPE, switchType_);
    dx.check(IDC_USE_TWO_NUMBERS, useTwo_);
    const bool packet = choice_ == kChoiceMultilinkAodi;
    using profile::FieldRule;
    exchangeChecked(dx, IDC_NUMBER1, number1_, FieldRule::IsdnNumber, profile::CheckIsdnNumber);
    exchangeChecked(dx, IDC_SPID1, spid1_, FieldRule::Spid, profile::CheckSpid);
    if (packet)
        exchangeChecked(dx, IDC_NUMBER2, number2_, FieldRule::PacketNumber,
                        profile::CheckX25Address);
    else
        exchangeChecked(dx, IDC_NUMBER2, number2_, FieldRule::IsdnNumber, profile::CheckIsdnNumber);
    exchangeChecked(dx, IDC_SPID2, spid2_, FieldRule::Spid, profile::CheckSpid);
    if (!dx.saving()) {
        showNumberTabs();
        return;
    }
    if (!dx.failed() && changed()) checkNumbers(dx);
}

// Whether the numbers make sense together; only asked once the user changed
// something, so a profile shown and confirmed as it is stays as it is.
bool CPageGeneralNA::checkNumbers(ui::DataExchange& dx) {
    auto focusTab = [this](int tab) {
        if (tabs_) tabs_->setCurrentIndex(tab);
    };
    if (number1_.empty() && !number2_.empty()) {
        focusTab(0);
        failAt(dx, IDC_NUMBER1, 1307);
    } else if (number1_.empty() && spid1_.empty()) {
        focusTab(0);
        failAt(dx, IDC_NUMBER1, 57358);
    } else if (useTwo_ && (number2_.empty() || spid2_.empty())) {
        focusTab(1);
        failAt(dx, number2_.empty() ? IDC_NUMBER2 : IDC_SPID2, 1176);
    } else if (useTwo_ && withoutSpaces(number1_) == withoutSpaces(number2_)) {
        focusTab(1);
        failAt(dx, IDC_NUMBER2, 1170);
    }
    return !dx.failed();
}

void CPageGeneralNA::onControlChanged(QWidget* control) {
    CPageGeneral::onControlChanged(control);
    const int id = ui::resourceId(control);
    if (id == IDC_USE_TWO_NUMBERS) useTwo_ = qobject_cast<QCheckBox*>(control)->isChecked();
    if (id == IDC_USE_TWO_NUMBERS || id == IDC_DATA_PROTOCOL) showNumberTabs();
}

// CPageGeneralRW ------------------------------------------------------------

CPageGeneralRW::CPageGeneralRW() : CPageGeneral(IDD_PAGE_GENERAL_RW, 2) {}

void CPageGeneralRW::load() {
    CPageGeneral::load();
    switchType_ = profile_->switchType;
}

void CPageGeneralRW::store() {
    CPageGeneral::store();
    profile_->switchType = switchType_;
}

void CPageGeneralRW::createControls() {
    auto* form = new QFormLayout(this);
    buildCountry(form);
    addCombo(form, IDC_SWITCH_TYPE, QStringLiteral("ISDN-&Protokoll:"));
    fillSwitchTypes();
    buildProtocol(form);
    buildPorts(form);
}

// The switch types the country offers, as REGION.INI lists them.
void CPageGeneralRW::fillSwitchTypes() {
    auto* combo = ui::findControl<QComboBox>(this, IDC_SWITCH_TYPE);
    const std::string path = wizard::DataFilePath(wizard::kRegionFile);
    combo->clear();
    for (std::int32_t code : wizard::SwitchTypesOfRegion(path, region_)) {
        if (*wizard::SwitchTypeNameRW(code) == '\0') continue;
        combo->addItem(QString::fromUtf8(wizard::SwitchTypeNameRW(code)), code);
    }
    if (combo->findData(switchType_) < 0)
        combo->addItem(QString::fromUtf8(wizard::SwitchTypeNameRW(switchType_)), switchType_);
    combo->setCurrentIndex(combo->findData(switchType_));
}

void CPageGeneralRW::doDataExchange(ui::DataExchange& dx) {
    CPageGeneral::doDataExchange(dx);
    exchangeItem(dx, IDC_SWITCH_TYPE, switchType_);
}

void CPageGeneralRW::onControlChanged(QWidget* control) {
    CPageGeneral::onControlChanged(control);
    const int id = ui::resourceId(control);
    if (id == IDC_COUNTRY) {
        region_ = qobject_cast<QComboBox*>(control)->currentData().toInt();
        Sheet().region = region_;
        fillSwitchTypes();
    } else if (id == IDC_SWITCH_TYPE) {
        switchType_ = qobject_cast<QComboBox*>(control)->currentData().toInt();
        Sheet().switchType10 = switchType_ == kBritishTelecom;
    }
}

// CPageGeneralNoPOTSRW --------------------------------------------------------

CPageGeneralNoPOTSRW::CPageGeneralNoPOTSRW() : CPageGeneral(IDD_PAGE_GENERAL_NOPOTS_RW, 0) {}

void CPageGeneralNoPOTSRW::load() {
    CPageGeneral::load();
    number1_ = profile_->number1;
    number2_ = profile_->number2;
}

void CPageGeneralNoPOTSRW::store() {
    CPageGeneral::store();
    profile_->number1 = number1_;
    profile_->number2 = number2_;
}

void CPageGeneralNoPOTSRW::createControls() {
    auto* form = new QFormLayout(this);
    buildCountry(form);
    buildProtocol(form);
    addEdit(form, IDC_NUMBER1, QStringLiteral("&1. ISDN-Rufnummer:"), 40);
    addEdit(form, IDC_NUMBER2, QStringLiteral("&2. ISDN-Rufnummer:"), 40);
}

// With Multilink PPP over AODI the second number is the packet number.
void CPageGeneralNoPOTSRW::showNumberLabel() {
    setLabelOf(IDC_NUMBER2,
               choice_ == kChoiceMultilinkAodi ? Tr(1537) : QStringLiteral("&2. ISDN-Rufnummer:"));
}

void CPageGeneralNoPOTSRW::doDataExchange(ui::DataExchange& dx) {
    CPageGeneral::doDataExchange(dx);
    using profile::FieldRule;
    exchangeChecked(dx, IDC_NUMBER1, number1_, FieldRule::IsdnNumber, profile::CheckIsdnNumber);
    if (choice_ == kChoiceMultilinkAodi)
        exchangeChecked(dx, IDC_NUMBER2, number2_, FieldRule::PacketNumber,
                        profile::CheckX25Address);
    else
        exchangeChecked(dx, IDC_NUMBER2, number2_, FieldRule::IsdnNumber, profile::CheckIsdnNumber);
    if (!dx.saving()) showNumberLabel();
    if (dx.saving() && !dx.failed() && changed() && number1_.empty() && !number2_.empty())
        failAt(dx, IDC_NUMBER1, 1307);
}

void CPageGeneralNoPOTSRW::onControlChanged(QWidget* control) {
    CPageGeneral::onControlChanged(control);
    if (ui::resourceId(control) == IDC_DATA_PROTOCOL) showNumberLabel();
}

}  // namespace config::pages
