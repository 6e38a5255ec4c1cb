#include "wizard/pages_na/spid_details_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_page_support.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/spid_choice.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard::na {

namespace {
constexpr std::uint32_t kAskInUse = 1179;
constexpr std::uint32_t kAskUsedByWizard = 1180;

QLabel* valueLabel(QWidget* parent, int id) {
    auto* label = new QLabel(parent);
    ui::setResourceId(label, id);
    label->setWordWrap(true);
    return label;
}
}  // namespace

CSpidDetailsDlg::CSpidDetailsDlg(const NumberEntry& entry, int chosen, std::int32_t deviceKind,
                                 std::function<bool(const std::string&)> usedElsewhere,
                                 QWidget* parent)
    : QDialog(parent),
      entry_(entry),
      needed_(NeededServices(deviceKind)),
      usedElsewhere_(std::move(usedElsewhere)),
      chosen_(chosen) {
    ui::setResourceId(this, IDD_SPID_DETAILS);
    setWindowTitle(wizard::Tr(IDS_TITLE_WIZARD));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Rufnummer:"),
                 new QLabel(QString::fromStdString(FormatDirectoryNumber(entry.number)), this));
    spids_ = new QComboBox(this);
    ui::setResourceId(spids_, IDC_NA_DETAILS_SPID);
    for (const SpidRecord& record : entry.spids)
        spids_->addItem(QString::fromStdString(record.spid));
    auto* spidLabel = new QLabel(QStringLiteral("&SPID:"), this);
    spidLabel->setBuddy(spids_);
    form->addRow(spidLabel, spids_);
    available_ = valueLabel(this, IDC_NA_DETAILS_AVAILABLE);
    form->addRow(QStringLiteral("Verfügbar:"), available_);
    services_ = valueLabel(this, IDC_NA_DETAILS_SERVICES);
    form->addRow(QStringLiteral("Dienste:"), services_);
    auto* needed = valueLabel(this, IDC_NA_DETAILS_NEEDED);
    needed->setText(QString::fromStdString(ServicesText(needed_)));
    form->addRow(QStringLiteral("Ihr Gerät benötigt:"), needed);
    layout->addLayout(form);
    verdict_ = valueLabel(this, IDC_NA_DETAILS_VERDICT);
    layout->addWidget(verdict_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const int first = chosen_ >= 0 ? chosen_ : (entry.spids.empty() ? -1 : 0);
    spids_->setCurrentIndex(first);
    show(first);
    connect(spids_, &QComboBox::currentIndexChanged, this, [this](int index) { picked(index); });
    // OK keeps what the box shows.
    connect(this, &QDialog::accepted, this, [this] { chosen_ = spids_->currentIndex(); });
}

void CSpidDetailsDlg::show(int index) {
    if (index < 0 || index >= int(entry_.spids.size())) return;
    shown_ = index;
    const SpidRecord& record = entry_.spids[std::size_t(index)];
    available_->setText(QString::fromStdString(AvailabilityText(record.available)));
    services_->setText(QString::fromStdString(ServicesText(record.services)));
    verdict_->setText(QText(VerdictText(record, needed_)));
}

void CSpidDetailsDlg::picked(int index) {
    if (index < 0 || index >= int(entry_.spids.size())) return;
    const SpidRecord& record = entry_.spids[std::size_t(index)];
    bool take = true;
    if (!record.available) take = Ask(this, kAskInUse);
    if (take && usedElsewhere_ && usedElsewhere_(record.spid)) take = Ask(this, kAskUsedByWizard);
    if (!take) {
        const QSignalBlocker quiet(spids_);
        spids_->setCurrentIndex(shown_);
        return;
    }
    show(index);
}

}  // namespace wizard::na
