#include "config/profile_select.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/busy_animation.h"
#include "config/config_strings.h"
#include "config/entry_steps.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "profile/profile_settings.h"
#include "ui/dialog_facility.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

// CRenameDlg --------------------------------------------------------------

CRenameDlg::CRenameDlg(const QString& name, QWidget* parent) : QDialog(parent) {
    ui::setResourceId(this, config::IDD_RENAME);
    setWindowTitle(QStringLiteral("Umbenennen"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    edit_ = new QLineEdit(this);
    edit_->setMaxLength(kMaxNameLength);
    // As wide as forty average characters, so a long name shows whole.
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * (kMaxNameLength + 2));
    edit_->setText(name.left(kMaxNameLength));
    edit_->selectAll();
    ui::setResourceId(edit_, config::IDC_PROFILE_NAME);
    auto* label = new QLabel(QStringLiteral("&Profilname:"), this);
    label->setBuddy(edit_);
    form->addRow(label, edit_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CRenameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRenameDlg::reject);
    layout->addWidget(buttons);
}

QString CRenameDlg::Name() const {
    return edit_->text();
}

void CRenameDlg::accept() {
    if (edit_->text().isEmpty()) {
        ui::messageBox(this, config::Strings(), config::IDS_EMPTY_PROFILE_NAME, ui::Icon::Warning);
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}

// CPageProfileSelect ------------------------------------------------------

CPageProfileSelect::CPageProfileSelect()
    : PropertyPage(config::IDD_PAGE_PROFILE_SELECT, QStringLiteral("Profile")) {}

void CPageProfileSelect::SetContext(CProfileSettings& settings, const char* title,
                                    CDeviceInfo& device) {
    settings_ = &settings;
    title_ = QString::fromUtf8(title ? title : "");
    device_ = &device;
}

void CPageProfileSelect::createControls() {
    auto* grid = new QGridLayout(this);
    list_ = new QListWidget(this);
    ui::setResourceId(list_, config::IDC_PROFILE_LIST);
    list_->setMinimumWidth(list_->fontMetrics().averageCharWidth() * 44);
    auto* listLabel = new QLabel(QStringLiteral("&Profile:"), this);
    listLabel->setBuddy(list_);
    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(list_, 1, 0, 4, 1);

    const struct {
        const char* text;
        int id;
        void (CPageProfileSelect::*run)();
    } commands[] = {
        {"&Konfigurieren", config::IDC_CONFIGURE_PROFILE, &CPageProfileSelect::ConfigureSelected},
        {"&Umbenennen", config::IDC_RENAME_PROFILE, &CPageProfileSelect::RenameSelected},
        {"&Assistent", config::IDC_PROFILE_WIZARD, &CPageProfileSelect::RunWizardOnSelected},
    };
    int row = 1;
    for (const auto& command : commands) {
        auto* button = new QPushButton(QString::fromUtf8(command.text), this);
        ui::setResourceId(button, command.id);
        connect(button, &QPushButton::clicked, this, command.run);
        grid->addWidget(button, row++, 1);
    }
    grid->setRowStretch(row, 1);

    active_ = new QComboBox(this);
    ui::setResourceId(active_, config::IDC_ACTIVE_PROFILE);
    auto* activeLabel = new QLabel(QStringLiteral("&Aktives Profil:"), this);
    activeLabel->setBuddy(active_);
    auto* activeRow = new QHBoxLayout;
    activeRow->addWidget(activeLabel);
    activeRow->addWidget(active_, 1);
    grid->addLayout(activeRow, 5, 0, 1, 2);
    connect(active_, &QComboBox::activated, this, &CPageProfileSelect::ActiveChosen);
    // A double click configures, as the button does.
    connect(list_, &QListWidget::itemDoubleClicked, this, &CPageProfileSelect::ConfigureSelected);
}

bool CPageProfileSelect::onInitDialog() {
    if (settings_) settings_->Load();
    activeAtOpening_ = profiles_.activeProfile;
    FillNames();
    list_->setCurrentRow(profiles_.activeProfile);
    return PropertyPage::onInitDialog();
}

void CPageProfileSelect::FillNames() {
    const int current = list_->currentRow();
    const int active = active_->count() > 0 ? active_->currentIndex() : profiles_.activeProfile;
    list_->clear();
    active_->clear();
    for (std::int32_t i = 0; i < CDeviceProfiles::kProfileCount; ++i) {
        const QString name = settings_ ? Utf8(settings_->names[static_cast<std::size_t>(i)])
                                       : QStringLiteral("Profil %1").arg(i);
        list_->addItem(name);
        active_->addItem(name);
    }
    list_->setCurrentRow(current);
    active_->setCurrentIndex(active);
}

int CPageProfileSelect::SelectedProfile() {
    const int row = list_ ? list_->currentRow() : -1;
    if (row < 0 || row >= CDeviceProfiles::kProfileCount) {
        ui::messageBox(this, config::Strings(), config::IDS_SELECT_PROFILE, ui::Icon::Information);
        return -1;
    }
    return row;
}

void CPageProfileSelect::MarkPending(bool changed) {
    pending_ = pending_ || changed;
    setModified(pending_);
}

void CPageProfileSelect::ConfigureSelected() {
    const int n = SelectedProfile();
    if (n < 0 || device_ == nullptr) return;
    const auto index = static_cast<std::size_t>(n);
    const std::string name = settings_ ? settings_->names[index] : std::string();
    const QString caption = Utf8(config::Text(config::IDS_CONFIGURED_CAPTION) + name);
    CProfile& profile = profiles_.profiles[index];
    configure_.changed = 0;
    const std::int32_t result =
        configure_.ConfigureProfile(this, profile, n, *device_, caption, name.c_str());
    const bool changed = configure_.changed != 0;
    if ((result == 1 || result == 2) && changed && settings_) {
        settings_->EnableVoiceForBox[index] = profile.EnableVoiceForBox;
        settings_->EnableModemForPro[index] = profile.EnableModemForPro;
    }
    MarkPending(changed);
}

void CPageProfileSelect::RenameSelected() {
    const int n = SelectedProfile();
    if (n < 0 || settings_ == nullptr) return;
    const auto index = static_cast<std::size_t>(n);
    CRenameDlg dialog(Utf8(settings_->names[index]), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string name = dialog.Name().toStdString();
    if (name == settings_->names[index]) return;
    // Names belong to the folder's record; they are saved after the sheet
    // and send nothing to the adapter.
    settings_->names[index] = name;
    profiles_.profiles[index].name = name;
    FillNames();
    setModified(true);
}

void CPageProfileSelect::RunWizardOnSelected() {
    const int n = SelectedProfile();
    if (n < 0 || !wizardRun_) return;
    if (wizardRun_(this, n) != 0) return;
    configure_.changed = 1;
    MarkPending(true);
}

void CPageProfileSelect::ActiveChosen(int index) {
    if (index != activeAtOpening_) MarkPending(true);
}

bool CPageProfileSelect::onApply() {
    if (pending_ && device_ != nullptr) {
        profiles_.activeProfile = active_ ? active_->currentIndex() : profiles_.activeProfile;
        config::WriteAllProfiles(this, profiles_, *device_, config::WriteAnimation(device_->type));
    }
    configured_ = configured_ || pending_;
    pending_ = false;
    return PropertyPage::onApply();
}
