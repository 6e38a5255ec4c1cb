#include "wizard/page_welcome.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard {

WelcomePage::WelcomePage(int dialogId)
    : CWizardPage(dialogId, QStringLiteral("Willkommen im Konfigurations-Assistenten"),
                  PageRole::First) {}

void WelcomePage::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT,
            QStringLiteral(
                "Der Konfigurations-Assistent hilft Ihnen, Ihren Tamo Terminal Adapter für Ihre "
                "ISDN-Leitung einzurichten. Er fragt nach den Angaben, die Ihr ISDN-Dienstanbieter "
                "Ihnen mitgeteilt hat, und trägt sie in das Profil ein.\n\n"
                "Klicken Sie auf Weiter, um zu beginnen."));
    if (State().called != WizCalledConfigure) return;
    auto* group = new QGroupBox(QStringLiteral("Manuelle Konfiguration"), this);
    auto* row = new QHBoxLayout(group);
    auto* text = new QLabel(QStringLiteral("Wenn Sie alle Ihre ISDN-Parameter kennen, können Sie "
                                           "das Gerät auch ohne den Assistenten konfigurieren."),
                            group);
    ui::setResourceId(text, IDC_WIZ_MANUAL_TEXT);
    text->setWordWrap(true);
    row->addWidget(text, 1);
    auto* button = new QPushButton(QStringLiteral("&Konfigurieren..."), group);
    ui::setResourceId(button, IDC_WIZ_MANUAL);
    row->addWidget(button, 0, Qt::AlignVCenter);
    connect(button, &QPushButton::clicked, this, &WelcomePage::manualConfiguration);
    body->addSpacing(12);
    body->addWidget(group);
}

void WelcomePage::manualConfiguration() {
    if (messageBox(IDS_CONFIRM_MANUAL, ui::Icon::Information, ui::Buttons::YesNo) != ui::IDYES)
        return;
    if (CWizardSheet* s = wizardSheet()) s->closeAsCancelled();
}

ConfiguredPage::ConfiguredPage(int dialogId, QString text, QString useCurrent)
    : CWizardPage(dialogId, QStringLiteral("Willkommen im Konfigurations-Assistenten"),
                  PageRole::First),
      text_(std::move(text)),
      useCurrentText_(std::move(useCurrent)) {}

void ConfiguredPage::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT, text_);
    body->addSpacing(8);
    auto* current = new QRadioButton(useCurrentText_, this);
    ui::setResourceId(current, IDC_WIZ_USE_CURRENT);
    auto* again = new QRadioButton(
        QStringLiteral("Mit Hilfe des Konfig.Assistenten &neu konfigurieren. "), this);
    ui::setResourceId(again, IDC_WIZ_RECONFIGURE);
    body->addWidget(current);
    body->addWidget(again);
}

void ConfiguredPage::doDataExchange(ui::DataExchange& dx) {
    std::int32_t choice = useCurrent_ ? 0 : 1;
    dx.radio({IDC_WIZ_USE_CURRENT, IDC_WIZ_RECONFIGURE}, choice);
    if (dx.saving()) useCurrent_ = choice == 0;
}

int ConfiguredPage::onWizardNext() {
    if (!updateData(true)) return -1;
    return next();
}

}  // namespace wizard
