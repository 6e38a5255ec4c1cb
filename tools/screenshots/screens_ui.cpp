// The framework pieces themselves: a sheet with sample pages (both tab
// layouts), a wizard page and the message boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QVBoxLayout>

#include "tools/screenshots/screens.h"
#include "ui/framework_ids.h"
#include "ui/native_dialogs.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"
#include "ui/wizard_sheet.h"

namespace {

// A page with the kinds of controls the configurator's pages are made of.
class SamplePage : public ui::PropertyPage {
public:
    SamplePage(int id, const char* caption) : PropertyPage(id, QString::fromUtf8(caption)) {}

protected:
    void createControls() override {
        auto* form = new QFormLayout(this);
        auto* country = new QComboBox(this);
        country->addItems({QStringLiteral("Deutschland"), QStringLiteral("Österreich"),
                           QStringLiteral("Schweiz")});
        ui::setResourceId(country, 1211);
        form->addRow(QStringLiteral("&Land:"), country);
        auto* protocol = new QComboBox(this);
        protocol->addItems({QStringLiteral("MultiLink PPP mit BACP")});
        form->addRow(QStringLiteral("&Datenprotokoll:"), protocol);
        auto* number = new QLineEdit(QStringLiteral("0 123 45"), this);
        form->addRow(QStringLiteral("&ISDN-Rufnummer:"), number);
        auto* open = new QSlider(Qt::Horizontal, this);
        open->setRange(0, 100);
        open->setValue(80);
        form->addRow(QStringLiteral("Ö&ffnungsschwelle: (80%)"), open);
        auto* close = new QSlider(Qt::Horizontal, this);
        close->setRange(0, 100);
        close->setValue(40);
        form->addRow(QStringLiteral("&Schließungsschwelle: (40%)"), close);
        auto* ports = new QGroupBox(QStringLiteral("Analoge Anschlüsse"), this);
        auto* box = new QVBoxLayout(ports);
        box->addWidget(new QCheckBox(QStringLiteral("Telefonport &1 benutzen"), ports));
        box->addWidget(new QCheckBox(QStringLiteral("Telefonport &2 benutzen"), ports));
        form->addRow(ports);
    }
};

void sampleSheet(screenshots::Scene& s, ui::TabLayout layout) {
    auto sheet = std::make_unique<ui::PropertySheet>(
        QStringLiteral("Konfiguriert aktive - Tamo T/A ISDN Modem (Büro)"));
    sheet->setTabLayout(layout);
    const char* captions[] = {"Allgemein",
                              "Telefonport 1",
                              "Telefonport 2",
                              "Daten (MLPPP)",
                              "Kontrollprotokoll für Bandbreite",
                              "X25",
                              "Sonstige Funktionen",
                              "Sprache zu PC"};
    int id = 1331;
    for (const char* caption : captions) {
        auto* page = s.make<SamplePage>(id++, caption);
        page->setHasHelp(true);
        sheet->addPage(page);
    }
    s.dialog = std::move(sheet);
}

class WelcomePage : public ui::PropertyPage {
public:
    WelcomePage() : PropertyPage(1000) {}

    bool onSetActive() override {
        auto* wizard = static_cast<ui::WizardSheet*>(sheet());
        wizard->setWizardButtons(ui::WIZB_NEXT);
        wizard->setTitle(QStringLiteral("Konfigurations-Assistent - Profil 0"));
        return true;
    }

protected:
    void createControls() override {
        auto* layout = new QVBoxLayout(this);
        auto* header = new QLabel(QStringLiteral("Willkommen im Konfigurations-Assistenten"), this);
        QFont title = header->font();
        title.setPointSizeF(title.pointSizeF() * 5 / 4);
        title.setBold(true);
        header->setFont(title);
        layout->addWidget(header);
        auto* text = new QLabel(
            QStringLiteral("Der Assistent führt Sie durch die Einstellungen Ihres Tamo Terminal "
                           "Adapters. Halten Sie Ihre ISDN-Rufnummern bereit; die Prüfung der "
                           "Leitung dauert nur wenige Sekunden."),
            this);
        text->setWordWrap(true);
        text->setMinimumWidth(360);
        layout->addWidget(text);
        layout->addStretch(1);
    }
};

std::unique_ptr<QWidget> box(const char* text, const char* caption, ui::Icon icon,
                             ui::Buttons buttons) {
    ui::MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.icon = icon;
    request.buttons = buttons;
    return ui::makeMessageBox(request);
}

}  // namespace

VELKA_SCREEN("sample_sheet_stacked_tabs",
             [](screenshots::Scene& s) { sampleSheet(s, ui::TabLayout::Stacked); });
VELKA_SCREEN("sample_sheet_single_row",
             [](screenshots::Scene& s) { sampleSheet(s, ui::TabLayout::SingleRow); });
VELKA_SCREEN("sample_wizard", [](screenshots::Scene& s) {
    auto wizard = std::make_unique<ui::WizardSheet>();
    wizard->addPage(s.make<WelcomePage>());
    s.dialog = std::move(wizard);
});
VELKA_SCREEN("message_yes_no", [](screenshots::Scene& s) {
    s.dialog =
        box("Diese Aktion setzt die Einstellungen auf die Standardeinstellungen zurück. "
            "Wirklich zurücksetzen?",
            "Zu Standardeinstellungen zurücksetzen", ui::Icon::Error, ui::Buttons::YesNo);
});
VELKA_SCREEN("message_ok_help", [](screenshots::Scene& s) {
    s.dialog =
        box("Konnte Profile von Tamo Terminal Adapter nicht lesen. Bitte prüfen:\n\n"
            "1. Alle Geräte angeschlossen und gestartet?\n"
            "2. Alle Kommunikationsprogramme geschlossen?\n"
            "3. RAS-Service gestoppt? (Nur bei Windows NT).",
            "Tamo TA", ui::Icon::Information, ui::Buttons::OkHelp);
});
