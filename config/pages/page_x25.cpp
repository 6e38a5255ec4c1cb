#include "config/pages/page_x25.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "config/resource_ids.h"
#include "profile/field_rules.h"
#include "profile/profile.h"
#include "ui/resource_id.h"

namespace config::pages {

namespace {
constexpr std::size_t kGroupDigits = 2;
constexpr std::size_t kBilateralDigits = 4;
}  // namespace

CPageX25::CPageX25() : CProfilePage(IDD_PAGE_X25, QStringLiteral("X25")) {}

void CPageX25::load() {
    dte_ = profile_->x25DteAddress;
    version_ = profile_->x25Version;
    facilities_ = ReadX25Facilities(profile_->x25Facilities);
}

void CPageX25::store() {
    profile_->x25DteAddress = dte_;
    profile_->x25Version = version_;
    profile_->x25Facilities = WriteX25Facilities(facilities_);
}

void CPageX25::createControls() {
    auto* form = new QFormLayout(this);
    addEdit(form, IDC_X25_DTE, Tr(1528), 15);
    auto* dteHint = new QLabel(Tr(1529), this);
    dteHint->setWordWrap(true);
    form->addRow(dteHint);
    auto* version = addCombo(form, IDC_X25_VERSION, QStringLiteral("X.25-&Version:"));
    version->addItem(QStringLiteral("1984"), 0);
    version->addItem(QStringLiteral("1988"), 1);
    if (version->findData(version_) < 0) version->addItem(QString::number(version_), version_);
    addCombo(form, IDC_X25_REVERSE, QStringLiteral("&R-Gespräch anfordern:"),
             {QStringLiteral("Nein"), QStringLiteral("Ja")});
    addCombo(form, IDC_X25_THROUGHPUT, QStringLiteral("&Durchsatzklasse:"),
             {QStringLiteral("Voreinstellung"), QStringLiteral("75"), QStringLiteral("150"),
              QStringLiteral("300"), QStringLiteral("600"), QStringLiteral("1200"),
              QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600")});
    addCombo(form, IDC_X25_GROUP_MODE, QStringLiteral("&Geschlossene Benutzergruppe:"),
             {QStringLiteral("Keine"), QStringLiteral("Standard"),
              QStringLiteral("Ausgehender Zugang"), QStringLiteral("Bilateral")});
    auto* group = addEdit(form, IDC_X25_GROUP_NUMBER, QStringLiteral("Gruppen&nummer:"), 4);
    group->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), group));
    addEdit(form, IDC_X25_OTHER, QStringLiteral("A&ndere:"), 60);
    auto* reminder = new QLabel(Tr(1535), this);
    reminder->setWordWrap(true);
    form->addRow(reminder);
}

void CPageX25::doDataExchange(ui::DataExchange& dx) {
    exchangeChecked(dx, IDC_X25_DTE, dte_, profile::FieldRule::X25Address,
                    profile::CheckX25Address);
    exchangeItem(dx, IDC_X25_VERSION, version_);
    dx.index(IDC_X25_REVERSE, facilities_.reverseCharging);
    dx.index(IDC_X25_THROUGHPUT, facilities_.throughput);
    dx.index(IDC_X25_GROUP_MODE, facilities_.groupMode);
    dx.text(IDC_X25_GROUP_NUMBER, facilities_.groupNumber);
    dx.text(IDC_X25_OTHER, facilities_.other);
    if (!dx.saving() || dx.failed() || !changed()) return;
    const std::size_t digits =
        facilities_.groupMode == kGroupBilateral ? kBilateralDigits : kGroupDigits;
    if (facilities_.groupMode != kGroupNone && facilities_.groupNumber.size() > digits) {
        failAt(dx, IDC_X25_GROUP_NUMBER, 1523);
        return;
    }
    std::string other = facilities_.other;
    const std::uint32_t fault = CheckOtherFacilities(other);
    facilities_.other = other;
    if (auto* edit = ui::findControl<QLineEdit>(this, IDC_X25_OTHER))
        edit->setText(QString::fromStdString(other));
    if (fault != 0) {
        failAt(dx, IDC_X25_OTHER, fault);
        return;
    }
    // The whole field must fit the profile's rule, whatever it is made of.
    const std::string whole = WriteX25Facilities(facilities_);
    const profile::FieldFault wholeFault = profile::CheckX25Facilities(whole);
    if (wholeFault != profile::FieldFault::None)
        failAt(dx, IDC_X25_OTHER,
               profile::FieldMessageId(profile::FieldRule::X25Facilities, wholeFault));
}

}  // namespace config::pages
