#include "config/pages/page_properties.h"

#include <QFormLayout>
#include <QLabel>

#include "config/resource_ids.h"
#include "ui/resource_id.h"

namespace config::pages {

CPageProperties::CPageProperties()
    : PropertyPage(IDD_PAGE_PROPERTIES, QStringLiteral("Allgemein")) {}

void CPageProperties::createControls() {
    auto* form = new QFormLayout(this);
    auto* title = new QLabel(this);
    // A title's "&" is a character here, never a mnemonic.
    title->setTextFormat(Qt::PlainText);
    title->setText(facts_.title);
    ui::setResourceId(title, IDC_PROPERTIES_TITLE);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    form->addRow(title);
    const std::pair<const char*, const QString*> rows[] = {
        {"Gefunden auf :", &facts_.port},  {"Version :", &facts_.version},
        {"ISDN-Typ :", &facts_.region},    {"Port-Geschwindigkeit :", &facts_.speed},
        {"Produktnummer:", &facts_.extra},
    };
    int id = IDC_PROPERTIES_TITLE + 1;
    for (const auto& [label, value] : rows) {
        auto* field = new QLabel(*value, this);
        field->setTextFormat(Qt::PlainText);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ui::setResourceId(field, id++);
        form->addRow(QString::fromUtf8(label), field);
    }
}

}  // namespace config::pages
