#include "wizard/pages_na/wiz_region_na.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/wiz_on_off_line.h"
#include "wizard/pages_na/wiz_protocol.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

namespace {
constexpr std::int32_t kRegionCanada = 25;
constexpr std::int32_t kRegionUnitedStates = 0;
constexpr std::int32_t kVmwiRefresh = 30;
}  // namespace

CWizRegionNA::CWizRegionNA()
    : CWizardPage(IDD_WIZ_REGION_NA, QStringLiteral("Bitte Land auswählen"), PageRole::Middle) {}

void CWizRegionNA::buildBody(QVBoxLayout* body) {
    auto* form = new QFormLayout;
    auto* list = new QComboBox(this);
    ui::setResourceId(list, IDC_WIZ_REGION);
    int selected = 0;
    for (const RegionItem& item : ParseRegionItems(State().regionList, 'C')) {
        if (item.code == State().regionCode) selected = list->count();
        list->addItem(QString::fromStdString(item.name), item.code);
    }
    list->setCurrentIndex(selected);
    auto* label = new QLabel(QStringLiteral("&Land:"), this);
    label->setBuddy(list);
    form->addRow(label, list);
    body->addLayout(form);
}

int CWizRegionNA::onWizardNext() {
    WizardState& s = State();
    if (auto* list = ui::findControl<QComboBox>(this, IDC_WIZ_REGION); list && list->count() > 0) {
        s.regionCode = list->currentData().toInt();
        s.regionName = list->currentText().toStdString();
    }
    if (s.regionCode == kRegionCanada) {
        s.vmwiRefreshTime = kVmwiRefresh;
        s.callConferenceKey = "3";
        s.callDropKey = "6";
        s.vmwiKey = "9";
    } else if (s.regionCode == kRegionUnitedStates) {
        s.vmwiRefreshTime = kVmwiRefresh;
        s.callConferenceKey = "60";
        s.callDropKey = "62";
        s.vmwiKey = "63";
    }
    if (s.called == WizCalledKnownConnection) return goNext<CWizSelectionOnOffLine>();
    return goNext<CWizProtocol>();
}

}  // namespace wizard::na
