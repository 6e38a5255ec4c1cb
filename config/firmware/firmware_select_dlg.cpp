#include "config/firmware/firmware_select_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "config/config_strings.h"
#include "config/firmware/elm_version.h"
#include "config/firmware/firmware_check.h"
#include "config/firmware/firmware_kind.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "platform/text_format.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "ui/ui_strings.h"

namespace {

QString text(std::uint32_t id) {
    return QString::fromStdString(config::Text(id));
}

QString regionOf(char regionByte) {
    return text(firmware::imageRegionText(regionByte));
}

// The folder "&Habe Firmware..." opened last, while the library is loaded.
std::string& lastFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string& CFirmwareSelectDlg::LastAdded() {
    static std::string path;
    return path;
}

CFirmwareSelectDlg::CFirmwareSelectDlg(std::int32_t kind, std::int32_t region,
                                       std::string currentVersion, std::string storeDirectory,
                                       std::string proposed, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      store_(std::move(storeDirectory)),
      proposed_(std::move(proposed)) {
    ui::setResourceId(this, config::IDD_FIRMWARE_SELECT);
    setWindowTitle(QStringLiteral("Vorhandene Firmware"));

    auto* caption = new QLabel(QString::fromStdString(platform::formatPrintf(
        config::Text(config::IDS_FW_CURRENT).c_str(),
        config::Text(firmware::deviceRegionText(region)).c_str(), currentVersion.c_str())));

    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({text(config::IDS_FW_COLUMN_DEVICE), text(config::IDS_FW_COLUMN_REGION),
                            text(config::IDS_FW_COLUMN_VERSION)});
    list_->setColumnWidth(0, 130);
    list_->setColumnWidth(1, 180);
    list_->setColumnWidth(2, 60);
    list_->header()->setStretchLastSection(true);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { showDetails(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* details = new QGroupBox(QStringLiteral("Firmware-Details"));
    ui::setResourceId(details, config::IDD_FIRMWARE_DETAILS);
    auto* form = new QFormLayout(details);
    device_ = new QLabel;
    regionText_ = new QLabel;
    version_ = new QLabel;
    form->addRow(QStringLiteral("Für Gerät:"), device_);
    form->addRow(QStringLiteral("ISDN-Bereich:"), regionText_);
    form->addRow(QStringLiteral("Version:"), version_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QString::fromStdString(ui::uiText(ui::IDS_BUTTON_CANCEL)));
    auto* add =
        buttons->addButton(QStringLiteral("&Habe Firmware..."), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, [this] { addImage(); });

    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addWidget(details);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    fill();
}

int CFirmwareSelectDlg::RowCount() const {
    return list_->topLevelItemCount();
}

void CFirmwareSelectDlg::fill() {
    list_->clear();
    rows_.clear();
    for (firmware::StoredImage& image : firmware::listImages(store_))
        if (firmware::typeListedForDevice(image.type, kind_)) rows_.push_back(std::move(image));
    const std::string& selected = LastAdded().empty() ? proposed_ : LastAdded();
    for (const firmware::StoredImage& image : rows_) {
        auto* item =
            new QTreeWidgetItem({text(firmware::deviceNameOfTypeCode(image.type)),
                                 regionOf(image.region), QString::fromStdString(image.version)});
        list_->addTopLevelItem(item);
        if (image.path == selected) list_->setCurrentItem(item);
    }
    // The documented widths are the least; longer names and regions get room.
    int width = 0;
    for (int column = 0; column < 3; ++column) {
        const int least = list_->columnWidth(column);
        list_->resizeColumnToContents(column);
        list_->setColumnWidth(column, std::max(least, list_->columnWidth(column)));
        width += list_->columnWidth(column);
    }
    list_->setMinimumWidth(width + 2 * list_->frameWidth() + 4);
    showDetails();
}

void CFirmwareSelectDlg::showDetails() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0) {
        const QString none = text(config::IDS_FW_NOT_APPLICABLE);
        device_->setText(none);
        regionText_->setText(none);
        version_->setText(none);
        return;
    }
    const firmware::StoredImage& image = rows_[static_cast<std::size_t>(row)];
    device_->setText(text(firmware::deviceNameOfTypeCode(image.type)));
    regionText_->setText(regionOf(image.region));
    version_->setText(QString::fromStdString(image.version));
}

void CFirmwareSelectDlg::accept() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0) {
        ui::messageBox(this, config::Strings(), config::IDS_FW_NONE_SELECTED, ui::Icon::Information,
                       ui::Buttons::Ok, config::Text(config::IDS_FW_CAPTION));
        return;
    }
    chosen_ = rows_[static_cast<std::size_t>(row)].path;
    QDialog::accept();
}

void CFirmwareSelectDlg::addImage() {
    ui::FileRequest request;
    request.caption = config::Text(config::IDS_FW_FILE_TITLE);
    request.filter = config::Text(config::IDS_FW_FILE_FILTER) + " (*.elm)|*.elm||";
    request.initialDir = lastFolder();
    request.flags = ui::FileMustExist | ui::FileHideReadOnly;
    request.owner = this;
    const ui::FileAnswer answer = ui::fileDialog(request);
    if (answer.result != ui::IDOK || answer.path.empty()) return;
    lastFolder() = std::filesystem::path(answer.path).parent_path().string();

    std::string stored;
    if (!std::ifstream(answer.path, std::ios::binary) ||
        firmware::addImage(store_, answer.path, stored) != firmware::kOk) {
        ui::messageBox(this, config::Strings(), config::IDS_FW_SHARING_VIOLATION,
                       ui::Icon::Information, ui::Buttons::Ok,
                       config::Text(config::IDS_FW_SHARING_CAPTION));
        return;
    }
    LastAdded() = stored;
    chosen_ = stored;
    QDialog::accept();
}

std::int32_t ConfirmFirmwareVersion(QWidget* owner, const std::string& path,
                                    std::int32_t deviceRegion, const std::string& versionText) {
    CElmVersion image;
    if (const std::int32_t rc = image.ReadFile(path); rc != firmware::kOk) return rc;
    const std::string question =
        firmware::confirmationText(image, deviceRegion, firmware::deviceVersion(versionText));
    const int answer = ui::messageBox(owner, question, config::Text(config::IDS_FW_CAPTION),
                                      ui::Icon::Warning, ui::Buttons::YesNo);
    return answer == ui::IDYES ? 1 : 2;
}
