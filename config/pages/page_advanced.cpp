#include "config/pages/page_advanced.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "config/pages/routing_panel.h"
#include "config/pages/sheet_state.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "profile/profile.h"
#include "ui/resource_id.h"
#include "wizard/data_files.h"

namespace config::pages {

CPageAdvanced::CPageAdvanced(int dialogId, const QString& caption)
    : CProfilePage(dialogId, caption) {}

namespace {
// The Pro option's values for the line of outgoing calls.
constexpr std::int32_t kLineNumber1 = 0;
constexpr std::int32_t kLineNumber2 = 1;
constexpr std::int32_t kLineAutomatic = 6;
}  // namespace

void CPageAdvanced::load() {
    dialTone_ = profile_->dialAccessPots1 != 0;
}

void CPageAdvanced::store() {
    profile_->t1Setting = Sheet().t1;
    profile_->t2Setting = Sheet().t2;
    // Only a change of the option itself touches the ports' settings, which
    // may hold other values than 0 and 1.
    if (hasDialTone_ && dialTone_ != (profile_->dialAccessPots1 != 0)) {
        profile_->dialAccessPots1 = dialTone_;
        if (!Sheet().isPro()) profile_->dialAccessPots2 = dialTone_;
    }
}

void CPageAdvanced::addDialToneWorkaround(QGridLayout* grid, int row) {
    hasDialTone_ = true;
    auto* check = new QCheckBox(
        QStringLiteral("Ohne &Wählton wählen (bei Telefonanlagen ohne Wählton)"), this);
    ui::setResourceId(check, IDC_DIAL_TONE_WORKAROUND);
    // The setting belongs to the telephone ports: without them it is not sent.
    check->setEnabled(profile_ && profile_->potsAvailable);
    grid->addWidget(check, row, 0, 1, 3);
}

void CPageAdvanced::doDataExchange(ui::DataExchange& dx) {
    if (hasDialTone_) dx.check(IDC_DIAL_TONE_WORKAROUND, dialTone_);
}

QGridLayout* CPageAdvanced::buildRouting() {
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Bitte Ziel für alle eingehenden Anrufe für jede Nummer einrichten."), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    routing_ = new RoutingPanel(this, grid, 0);
    layout->addStretch();
    return grid;
}

bool CPageAdvanced::onSetActive() {
    // The numbers of the ports, the modem and data may have changed on
    // their pages since this page was last shown.
    if (routing_ && profile_)
        routing_->setUp(*profile_, device_ ? device_->type : 0,
                        wizard::DataFilePath(wizard::kRoutingFile));
    return CProfilePage::onSetActive();
}

// CPageAdvancedBox --------------------------------------------------------------

CPageAdvancedBox::CPageAdvancedBox(int dialogId, bool dataOverVoice)
    : CPageAdvanced(dialogId, QStringLiteral("Sonstige Funktionen")),
      dataOverVoice_(dataOverVoice) {}

void CPageAdvancedBox::load() {
    CPageAdvanced::load();
    voiceToPc_ = profile_->EnableVoiceForBox;
    dov_ = profile_->dataOverVoice;
}

void CPageAdvancedBox::store() {
    CPageAdvanced::store();
    profile_->EnableVoiceForBox = voiceToPc_;
    if (dataOverVoice_) profile_->dataOverVoice = dov_;
}

void CPageAdvancedBox::createControls() {
    QGridLayout* grid = buildRouting();
    auto* voice = new QCheckBox(QStringLiteral("Sprachanrufe zum &PC leiten"), this);
    ui::setResourceId(voice, IDC_VOICE_TO_PC);
    grid->addWidget(voice, 3, 0, 1, 3);
    if (dataOverVoice_) {
        auto* dov =
            new QCheckBox(QStringLiteral("&Daten über Sprachkanal (Data over Voice)"), this);
        ui::setResourceId(dov, IDC_DATA_OVER_VOICE);
        grid->addWidget(dov, 4, 0, 1, 3);
    } else {
        addDialToneWorkaround(grid, 4);
    }
}

void CPageAdvancedBox::doDataExchange(ui::DataExchange& dx) {
    CPageAdvanced::doDataExchange(dx);
    dx.check(IDC_VOICE_TO_PC, voiceToPc_);
    if (dataOverVoice_) dx.check(IDC_DATA_OVER_VOICE, dov_);
}

void CPageAdvancedBox::onControlChanged(QWidget* control) {
    CPageAdvanced::onControlChanged(control);
    if (ui::resourceId(control) != IDC_VOICE_TO_PC) return;
    // The voice page comes and goes with the option.
    voiceToPc_ = qobject_cast<QCheckBox*>(control)->isChecked();
    SheetState& sheet = Sheet();
    sheet.enableVoiceForBox = voiceToPc_;
    sheet.voicePageOn = voiceToPc_ != 0;
    sheet.arrange(this);
}

CPageAdvancedBoxNA::CPageAdvancedBoxNA() : CPageAdvancedBox(IDD_PAGE_ADVANCED_BOX_NA, true) {}
CPageAdvancedBoxRW::CPageAdvancedBoxRW() : CPageAdvancedBox(IDD_PAGE_ADVANCED_BOX_RW, false) {}

CPageAdvancedPro::CPageAdvancedPro()
    : CPageAdvanced(IDD_PAGE_ADVANCED_PRO, QStringLiteral("Sonstige Funktionen")) {}

void CPageAdvancedPro::load() {
    CPageAdvanced::load();
    line_ = profile_->proOption;
}

void CPageAdvancedPro::store() {
    CPageAdvanced::store();
    profile_->proOption = line_;
}

void CPageAdvancedPro::createControls() {
    QGridLayout* grid = buildRouting();
    auto* label = new QLabel(QStringLiteral("&Leitung für abgehende Anrufe:"), this);
    auto* line = new QComboBox(this);
    label->setBuddy(line);
    ui::setResourceId(line, IDC_OUTGOING_LINE);
    const QStringList numbers = numberChoices(false);
    line->addItem(numbers.value(0), kLineNumber1);
    if (numbers.size() > 1) line->addItem(numbers.value(1), kLineNumber2);
    line->addItem(QStringLiteral("Automatisch (freie Leitung)"), kLineAutomatic);
    if (line->findData(line_) < 0) line->addItem(QString::number(line_), line_);
    line->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(label, 3, 0);
    grid->addWidget(line, 3, 1, 1, 2);
    addDialToneWorkaround(grid, 4);
}

void CPageAdvancedPro::doDataExchange(ui::DataExchange& dx) {
    CPageAdvanced::doDataExchange(dx);
    exchangeItem(dx, IDC_OUTGOING_LINE, line_);
}

CPageRouting::CPageRouting() : CPageAdvanced(IDD_PAGE_ROUTING, QStringLiteral("Rufleitweg")) {}

void CPageRouting::createControls() {
    buildRouting();
}

}  // namespace config::pages
