#include "shellext/details_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "shellext/profile_details.h"
#include "shellext/quillet_ids.h"
#include "shellext/quillet_strings.h"
#include "ui/dialog_units.h"
#include "ui/resource_id.h"

using namespace quillet;

namespace {

constexpr int kPageWidthDlu = 227;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// A value the user may want to copy (a number to dial, a name), so its text
// can be selected.
QLabel* addValue(QFormLayout* form, const char* label, int id) {
    auto* value = new QLabel(QString::fromUtf8(kValueUnknown));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    ui::setResourceId(value, id);
    auto* caption = new QLabel(QString::fromUtf8(label));
    caption->setBuddy(value);
    form->addRow(caption, value);
    return value;
}

void setControlText(QWidget* page, int id, const std::string& text) {
    if (auto* label = ui::findControl<QLabel>(page, id)) label->setText(qText(text));
}

}  // namespace

CDetailsPage::CDetailsPage(std::string path)
    : PropertyPage(IDD_DETAILS, QString::fromUtf8(kPageCaption)), path_(std::move(path)) {}

void CDetailsPage::createControls() {
    auto* column = new QVBoxLayout(this);
    auto* device = new QFormLayout;
    addValue(device, kDeviceTypeLabel, IDC_DEVICE_TYPE);
    addValue(device, kIsdnTypeLabel, IDC_ISDN_TYPE);
    column->addLayout(device);
    for (std::size_t n = 0; n < kProfileControls.size(); ++n) {
        auto* group = new QGroupBox(qText(ProfileGroupCaption(n)), this);
        ui::setResourceId(group, kProfileControls[n].group);
        auto* form = new QFormLayout(group);
        addValue(form, kNumber1Label, kProfileControls[n].number1);
        addValue(form, kNumber2Label, kProfileControls[n].number2);
        column->addWidget(group);
    }
    column->addStretch(1);
    // The width of the file manager's own property pages, so the sheet's
    // title (the file's name) fits as well as the longest device text.
    setMinimumWidth(ui::dialogUnitsToPixels(font(), QSize(kPageWidthDlu, 0)).width());
}

bool CDetailsPage::onInitDialog() {
    const FileDetails details = ReadFileDetails(path_);
    setControlText(this, IDC_ISDN_TYPE, details.isdnType);
    setControlText(this, IDC_DEVICE_TYPE, details.deviceType);
    for (std::size_t n = 0; n < kProfileControls.size(); ++n) {
        const ProfileDetails& profile = details.profiles[n];
        if (auto* group = ui::findControl<QGroupBox>(this, kProfileControls[n].group))
            group->setTitle(qText(profile.caption));
        setControlText(this, kProfileControls[n].number1, profile.number1);
        setControlText(this, kProfileControls[n].number2, profile.number2);
    }
    return PropertyPage::onInitDialog();
}
