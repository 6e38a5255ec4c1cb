#include "folder/folder_view.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QTimerEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "config/config.h"
#include "device/device_status.h"
#include "folder/command_rules.h"
#include "folder/context_menu.h"
#include "folder/drop_target.h"
#include "folder/firmware_catalogue.h"
#include "folder/folder_commands.h"
#include "folder/folder_strings.h"
#include "folder/follow_up_dlgs.h"
#include "folder/list_row.h"
#include "folder/resource_ids.h"
#include "folder/settings_page.h"
#include "folder/tip_dlg.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/serial_port.h"
#include "platform/status_codes.h"
#include "ui/animation_control.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "ui/wait_cursor.h"

using namespace folder;

namespace {

constexpr int kColumnWidths[] = {265, 70, 90, 85, 115};
constexpr std::uint32_t kColumnHeaders[] = {IDS_COL_DEVICE, IDS_COL_PORT, IDS_COL_RESPONDS,
                                            IDS_COL_VERSION, IDS_COL_REGION};
constexpr int kItemRole = Qt::UserRole + 1;
constexpr std::uint32_t kTroubleNoAdapter = 1400;

QIcon rowIcon(std::uint32_t id) {
    QIcon icon;
    icon.addFile(QStringLiteral(":/velka/folder/%1-16.png").arg(id), QSize(16, 16));
    icon.addFile(QStringLiteral(":/velka/folder/%1-32.png").arg(id), QSize(32, 32));
    return icon;
}

}  // namespace

CFolderView::CFolderView(CFolderDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), deviceAccess_(platform::kDeviceAccessMutex) {
    ui::setResourceId(this, static_cast<int>(IDC_LIST));
    runDialog = [](QDialog& dialog) { return dialog.exec(); };

    report_ = new QTreeWidget(this);
    report_->setRootIsDecorated(false);
    report_->setColumnCount(5);
    QStringList headers;
    for (auto id : kColumnHeaders) headers << Text(id);
    report_->setHeaderLabels(headers);
    for (int c = 0; c < 5; ++c) report_->setColumnWidth(c, kColumnWidths[c]);
    report_->setIconSize(QSize(16, 16));
    icons_ = new QListWidget(this);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setMovement(QListView::Static);

    auto* detecting = new QWidget(this);
    animation_ = new ui::AnimationControl(detecting);
    ui::setResourceId(animation_, static_cast<int>(IDC_ANIMATION));
    auto* detectingText = new QLabel(Text(IDS_DETECTING), detecting);
    detectingText->setAlignment(Qt::AlignHCenter);
    auto* detectingLayout = new QVBoxLayout(detecting);
    detectingLayout->addStretch();
    detectingLayout->addWidget(animation_, 0, Qt::AlignHCenter);
    detectingLayout->addWidget(detectingText);
    detectingLayout->addStretch();

    stack_ = new QStackedWidget(this);
    stack_->addWidget(report_);
    stack_->addWidget(icons_);
    stack_->addWidget(detecting);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stack_);

    dialUp_.runDialog = [this](QDialog& dialog) { return runDialog(dialog); };
    dialUp_.adapters = [this] { return DialAdapters(); };
    dialUpAvailable = [this] { return dialUp_.Available(); };
    runMenu = [](QMenu& menu, const QPoint& at) { return menu.exec(at); };
    connect(report_, &QTreeWidget::itemActivated, this, [this] { OnActivated(); });
    connect(icons_, &QListWidget::itemActivated, this, [this] { OnActivated(); });
    connect(report_, &QTreeWidget::itemSelectionChanged, this, [this] { CommandsChanged(); });
    connect(icons_, &QListWidget::itemSelectionChanged, this, [this] { CommandsChanged(); });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(report_), static_cast<QAbstractItemView*>(icons_)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& pos) { OnContextMenu(view, pos); });
    }
    new CDropTarget(*this, doc_);
    ApplyStyle(doc_.Settings().style);
    commands_ = std::make_unique<CFolderCommands>(*this, doc_);
    itemCommand = [this](std::uint32_t id, int item) { commands_->Run(id, item); };
    commands_->openDialUp = [this] { return dialUp_.Open(this); };
}

CFolderView::~CFolderView() {
    // The lists outlive this part of the view; their last signals find nobody.
    report_->disconnect(this);
    icons_->disconnect(this);
    if (worker_.joinable()) worker_.join();
}

void CFolderView::Trace(const std::string& line) const {
    const char* path = std::getenv("VELKA_TA_FOLDER_TRACE");
    if (path && *path) platform::appendToFile(path, line + "\n");
}

void CFolderView::Post(std::uint32_t command) {
    QMetaObject::invokeMethod(
        this, [this, command] { OnCommand(command); }, Qt::QueuedConnection);
}

void CFolderView::OnInitialUpdate() {
    ShowDetecting(true);
    worker_ = std::jthread([this] {
        const bool full = doc_.NeedsFullDetection();
        QMetaObject::invokeMethod(
            this,
            [this, full] {
                ShowDetecting(false);
                if (full) folderkeys::SetDeviceAbsent("0");
                Trace(full ? "start full" : "start quick");
                const int id = startTimer(std::chrono::milliseconds(platform::scaled(1000)));
                if (id == 0) {
                    ui::messageBox(
                        this,
                        "The resources available to this application are low.\nIf you "
                        "continue you may get unpredictable results.\nTry quitting some "
                        "other applications or restarting Windows to free some resources.",
                        "", ui::Icon::Warning, ui::Buttons::Ok);
                    return;
                }
                (full ? fullTimer_ : quickTimer_) = id;
            },
            Qt::QueuedConnection);
    });
}

void CFolderView::timerEvent(QTimerEvent* event) {
    const int id = event->timerId();
    killTimer(id);
    if (id == fullTimer_) {
        fullTimer_ = 0;
        StartDetection(ID_DETECTION_DONE);
    } else if (id == quickTimer_) {
        quickTimer_ = 0;
        OnQuickStart();
    }
}

void CFolderView::OnQuickStart() {
    doc_.LoadFromRegistry();
    UpdateList();
    NewerFirmwareCheck();
}

void CFolderView::OnCommand(std::uint32_t id) {
    switch (id) {
        case ID_REFRESH:
            if (detecting_) return;
            tipFlag_ = false;
            StartDetection(ID_DETECTION_DONE);
            return;
        case ID_REFRESH_QUIET:
            if (detecting_) return;
            tipFlag_ = false;
            tellMonitor_ = false;
            StartDetection(ID_DETECTION_DONE);
            return;
        case ID_DETECTION_DONE:
            OnDetectionDone();
            return;
        case ID_DETECTION_RETRY_DONE:
            OnRetryDone();
            return;
        case ID_UPGRADE_DONE:
            ShowDetecting(false);
            UpdateList();
            for (int i = 0; i < CFolderDoc::kMaxItems && !reselectPort_.empty(); ++i)
                if (doc_.Item(i).IsFamily() && doc_.Item(i).portName == reselectPort_)
                    SelectItem(i);
            reselectPort_.clear();
            return;
        case ID_VIEW_LARGE:
        case ID_VIEW_SMALL:
        case ID_VIEW_LIST:
        case ID_VIEW_DETAILS: {
            static constexpr std::int32_t kStyles[] = {kStyleIcon, kStyleSmallIcon, kStyleList,
                                                       kStyleReport};
            doc_.Settings().style = kStyles[id - ID_VIEW_LARGE];
            ApplyStyle(doc_.Settings().style);
            doc_.Settings().Save();
            return;
        }
        case ID_SETTINGS:
            RunSettingsSheet(this, doc_.Settings(), [this] { doc_.Save(); });
            return;
        case ID_DIALUP:
            OnDialUpCommand(id);
            return;
        case ID_MODEM_PANEL:
            // Needs no selected adapter.
            if (itemCommand) itemCommand(id, SelectedIndex());
            return;
        default:
            if (CDialUpNetworking::IsEntryCommand(id)) {
                OnDialUpCommand(id);
                return;
            }
            if (itemCommand && IsEnabled(id)) itemCommand(id, SelectedIndex());
    }
}

bool CFolderView::IsEnabled(std::uint32_t id) const {
    CommandState state;
    const int index = SelectedIndex();
    if (index >= 0) {
        const CFolderItem& item = doc_.Item(index);
        state.selected = true;
        state.responding = item.Responds();
        state.bootState = item.device && item.device->firmwareState == device::kFirmwareBootOnly;
        state.installedInWindows = item.installedInWindows != 0;
    }
    state.dialUpAvailable = dialUpAvailable && dialUpAvailable();
    state.terminalAvailable = terminalAvailable && terminalAvailable();
    state.modemPanelPlatform = CurrentEnumPlatform() != EnumPlatform::Other;
    state.products = doc_.Products();
    return CommandEnabled(id, state);
}

void CFolderView::CommandsChanged() {
    if (commandsChanged) commandsChanged();
}

void CFolderView::OnActivated() {
    const int index = SelectedIndex();
    if (index < 0) return;
    const CFolderItem& item = doc_.Item(index);
    if (!item.Responds())
        OnCommand(ID_DETAILS);
    else
        OnCommand(item.notConfigured == kItemConfigured ? ID_QUICK_CONFIG : ID_CONFIGURE_PROFILES);
}

void CFolderView::OnContextMenu(QAbstractItemView* view, const QPoint& pos) {
    if (const QModelIndex at = view->indexAt(pos); at.isValid()) view->setCurrentIndex(at);
    const int index = SelectedIndex();
    if (index < 0) return;
    CContextMenu menu(
        doc_.Item(index).Responds(), [this](std::uint32_t id) { return IsEnabled(id); }, this);
    if (const QAction* chosen = runMenu(menu, view->viewport()->mapToGlobal(pos)))
        OnCommand(CContextMenu::CommandOf(chosen));
}

void CFolderView::StartDetection(std::uint32_t doneCommand) {
    ShowDetecting(true);
    if (worker_.joinable()) worker_.join();
    worker_ = std::jthread([this, doneCommand] {
        const std::int32_t result = doc_.Refresh();
        Trace("refresh " + std::to_string(result));
        Post(doneCommand);
    });
}

void CFolderView::ShowDetecting(bool on) {
    detecting_ = on;
    if (on) {
        report_->clear();
        icons_->clear();
        stack_->setCurrentIndex(2);
        animation_->open(IDC_ANIMATION);
        animation_->play();
        if (statusText) statusText(Text(IDS_DETECTING));
        CommandsChanged();
        return;
    }
    animation_->stop();
    animation_->close();
    ApplyStyle(doc_.Settings().style);
    if (statusText) statusText(Text(IDS_READY));
}

void CFolderView::OnDetectionDone() {
    ShowDetecting(false);
    if (doc_.CountAdapters() == 0) {
        if (setHelpContext) setHelpContext(kTroubleNoAdapter);
        const int answer = ui::messageBox(
            this, Strings(), IDS_NO_ADAPTER, ui::Icon::Warning, ui::Buttons::RetryCancel,
            Strings().text(IDS_NO_DEVICES_CAPTION), {}, kTroubleNoAdapter);
        if (answer == ui::IDRETRY) {
            StartDetection(ID_DETECTION_RETRY_DONE);
            return;
        }
    }
    UpdateList();
    FollowUpChecks();
}

void CFolderView::OnRetryDone() {
    ShowDetecting(false);
    UpdateList();
    if (doc_.CountAdapters() == 0)
        ui::messageBox(this, Strings(), IDS_NO_ADAPTER_AGAIN, ui::Icon::Information,
                       ui::Buttons::Ok, Strings().text(IDS_NO_DEVICES_CAPTION), {},
                       kTroubleNoAdapter);
    FollowUpChecks();
}

void CFolderView::FollowUpChecks() {
    const bool adapters = doc_.CountAdapters() > 0;
    bool dialogShown = adapters && NewerFirmwareCheck();
    folderkeys::SetFreshInstall("0");
    dialogShown = NewDeviceCheck() || dialogShown;
    dialogShown = DriverCheck() || dialogShown;
    TellMonitor();
    if (!dialogShown && adapters && tipFlag_) ShowTip();
}

bool CFolderView::NewerFirmwareCheck() {
    if (!doc_.Settings().checkForNewerFirmware) return false;
    const bool freshInstall = folderkeys::FreshInstall() != 0;
    std::vector<CatalogueEntry> catalogue;
    BuildCatalogue(catalogue);
    std::vector<int> collected;
    std::vector<CItemChoiceDlg::Row> rows;
    for (int i = 0; i < CFolderDoc::kMaxItems; ++i) {
        CFolderItem& item = doc_.Item(i);
        if (!item.IsFamily() || !item.responding || !item.device) continue;
        CatalogueEntry newest;
        if (NewestFile(catalogue, item.type, item.device->region, newest) != 0) continue;
        const std::string current = item.device->versionText[0] ? item.device->versionText + 1 : "";
        if (!VersionNewer(newest.version, current)) continue;
        item.firmwareCheck = {newest.file, newest.type, newest.region, newest.version};
        collected.push_back(i);
        rows.push_back({QString::fromStdString(item.label), QString::fromStdString(current),
                        QString::fromStdString(newest.version)});
    }
    if (collected.empty()) return false;
    Trace("newer firmware " + std::to_string(collected.size()));
    if (freshInstall) {
        for (int index : collected) {
            const CFolderItem& item = doc_.Item(index);
            if (!LockDevices()) continue;
            SelectItem(index);
            const std::uint32_t notice = item.type == kDevicePro   ? IDS_NOTICE_PRO
                                         : item.type == kDevicePci ? IDS_NOTICE_PCI
                                                                   : IDS_NOTICE_BOX;
            ui::messageBox(this, Strings(), notice, ui::Icon::Information);
            UpgradeItem(index, item.firmwareCheck.file);
            UnlockDevices();
        }
        StartDetection(ID_UPGRADE_DONE);
        return true;
    }
    CNewerFirmwareDlg dialog(rows, this);
    if (runDialog(dialog) == QDialog::Accepted && dialog.Chosen() >= 0) {
        const int index = collected[static_cast<std::size_t>(dialog.Chosen())];
        SelectItem(index);
        if (LockDevices()) {
            const std::int32_t result = UpgradeItem(index, doc_.Item(index).firmwareCheck.file);
            UnlockDevices();
            if (result != firmware::kUpgradeCancelled) StartDetection(ID_UPGRADE_DONE);
        }
    }
    if (dialog.DontAskAgain()) {
        doc_.Settings().checkForNewerFirmware = 0;
        doc_.Save();
    }
    return true;
}

std::int32_t CFolderView::UpgradeItem(int index, const std::string& file) {
    CFolderItem& item = doc_.Item(index);
    CConfig config;
    Trace("upgrade " + item.portName);
    return config.UpgradeFirmware(this, *item.device, item.label.c_str(), item.profileNames,
                                  file.c_str(), 0);
}

bool CFolderView::NewDeviceCheck() {
    return OfferItems(
        doc_.Settings().checkNewDevices,
        [](const CFolderItem& item) { return item.notConfigured != kItemConfigured; },
        [this](const auto& rows) { return std::make_unique<CNotConfiguredDlg>(rows, this); },
        ID_CONFIGURE_PROFILES, "not configured");
}

bool CFolderView::DriverCheck() {
    return OfferItems(
        doc_.Settings().checkDriver,
        [](const CFolderItem& item) { return !item.installedInWindows; },
        [this](const auto& rows) { return std::make_unique<CWrongDriverDlg>(rows, this); },
        ID_INSTALL, "not installed");
}

// Lists the responding items that `listed` picks; the one the user chooses
// gets `command`. "Do not ask again" switches the check off for good.
bool CFolderView::OfferItems(
    std::int32_t& setting, const std::function<bool(const CFolderItem&)>& listed,
    const std::function<std::unique_ptr<CItemChoiceDlg>(const std::vector<CItemChoiceDlg::Row>&)>&
        makeDialog,
    std::uint32_t command, const std::string& traceName) {
    if (!setting) return false;
    std::vector<int> indexes;
    std::vector<CItemChoiceDlg::Row> rows;
    for (int i = 0; i < CFolderDoc::kMaxItems; ++i) {
        const CFolderItem& item = doc_.Item(i);
        if (item.IsFamily() && item.responding && listed(item)) {
            indexes.push_back(i);
            rows.push_back({QString::fromStdString(item.label)});
        }
    }
    if (indexes.empty()) return false;
    Trace(traceName + " " + std::to_string(indexes.size()));
    const auto dialog = makeDialog(rows);
    if (runDialog(*dialog) == QDialog::Accepted && dialog->Chosen() >= 0) {
        const int index = indexes[static_cast<std::size_t>(dialog->Chosen())];
        SelectItem(index);
        if (itemCommand) itemCommand(command, index);
    }
    if (dialog->DontAskAgain()) {
        setting = 0;
        doc_.Save();
    }
    return true;
}

// The first detection after the view was created tells nobody: the monitor
// queried the adapters itself when it started.
void CFolderView::TellMonitor() {
    const std::string tray = doc_.Info().GetTrayWnd();
    if (tellMonitor_ && !tray.empty() && platform::isWindow(tray)) {
        const std::uint32_t message = platform::registerMessage(platform::kSuiteMessageName);
        if (platform::postMessage(tray, {message, kSuiteDetectionDone, 0}) == platform::kOk)
            Trace("posted 32");
    }
    tellMonitor_ = true;
}

void CFolderView::ShowTip() {
    TipSettings tips;
    tips.Load();
    if (tips.enable != 1) return;
    Trace("tip");
    CTipDlg dialog(doc_.Products(), this);
    runDialog(dialog);
}

void CFolderView::UpdateList() {
    report_->clear();
    icons_->clear();
    for (int i = 0; i < CFolderDoc::kMaxItems; ++i) {
        CFolderItem& item = doc_.Item(i);
        if (!item.IsFamily()) continue;
        const RowTexts row = FillRow(item);
        if (StateOfItem(item) == RowState::NotResponding &&
            ProductInstalledForType(doc_.Products(), item.type))
            folderkeys::SetDeviceAbsentDword(1);
        const QIcon icon = rowIcon(row.icon);
        auto* line = new QTreeWidgetItem(report_);
        for (int c = 0; c < 5; ++c) line->setText(c, QString::fromStdString(row.columns[c]));
        line->setIcon(0, icon);
        line->setData(0, kItemRole, i);
        line->setToolTip(0, QString::fromStdString(item.statusText));
        auto* entry = new QListWidgetItem(icon, QString::fromStdString(row.columns[0]), icons_);
        entry->setData(kItemRole, i);
        entry->setToolTip(QString::fromStdString(item.statusText));
    }
    if (rowsShown) rowsShown(report_->topLevelItemCount());
    CommandsChanged();
}

std::int32_t CFolderView::Style() const {
    return doc_.Settings().style;
}

void CFolderView::ApplyStyle(std::int32_t style) {
    if (detecting_) return;
    if (style == kStyleReport || style < 0 || style > kStyleList) {
        stack_->setCurrentWidget(report_);
        CommandsChanged();
        return;
    }
    const bool large = style == kStyleIcon;
    icons_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    icons_->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    icons_->setFlow(style == kStyleList ? QListView::TopToBottom : QListView::LeftToRight);
    icons_->setWrapping(true);
    icons_->setGridSize(large ? QSize(150, 70) : QSize());
    icons_->setWordWrap(large);
    icons_->setSpacing(large ? 0 : 4);
    stack_->setCurrentWidget(icons_);
    CommandsChanged();
}

int CFolderView::SelectedIndex() const {
    if (stack_->currentWidget() == report_) {
        const auto* current = report_->currentItem();
        return current && current->isSelected() ? current->data(0, kItemRole).toInt() : -1;
    }
    const auto* current = icons_->currentItem();
    return current && current->isSelected() ? current->data(kItemRole).toInt() : -1;
}

int CFolderView::ItemAt(const QPoint& pos) const {
    if (stack_->currentWidget() == report_) {
        const auto* line = report_->itemAt(pos);
        return line ? line->data(0, kItemRole).toInt() : -1;
    }
    const auto* entry = icons_->itemAt(pos);
    return entry && stack_->currentWidget() == icons_ ? entry->data(kItemRole).toInt() : -1;
}

void CFolderView::RefreshAfterUpgrade(const std::string& port) {
    reselectPort_ = port;
    StartDetection(ID_UPGRADE_DONE);
}

void CFolderView::SelectItem(int index) {
    for (int r = 0; r < report_->topLevelItemCount(); ++r) {
        auto* line = report_->topLevelItem(r);
        if (line->data(0, kItemRole).toInt() == index) report_->setCurrentItem(line);
    }
    for (int r = 0; r < icons_->count(); ++r)
        if (icons_->item(r)->data(kItemRole).toInt() == index) icons_->setCurrentRow(r);
}

bool CFolderView::LockDevices() {
    if (deviceAccess_.tryLock()) return true;
    ui::WaitCursor wait;
    if (deviceAccess_.lock(platform::kDeviceAccessWaitMs) == platform::WaitResult::Signaled)
        return true;
    ui::messageBox(this, Strings(), IDS_DEVICES_BUSY, ui::Icon::Warning, ui::Buttons::Ok,
                   Strings().text(IDS_DEVICES_BUSY_CAPTION));
    return false;
}

std::int32_t CFolderView::OnDialUpCommand(std::uint32_t id) {
    const std::int32_t result = id == ID_DIALUP ? dialUp_.Open(this) : dialUp_.OpenEntry(this, id);
    if (result == kDialUpFolderMissing) dialUp_.WarnMissing(this);
    return result;
}

// The adapters of the list that a dial-up entry can use: their port's device.
std::vector<DialAdapter> CFolderView::DialAdapters() const {
    std::vector<DialAdapter> adapters;
    for (int i = 0; i < CFolderDoc::kMaxItems; ++i) {
        const CFolderItem& item = doc_.Item(i);
        std::string device;
        if (item.IsFamily() && platform::resolvePortName(item.portName, device) == platform::kOk)
            adapters.push_back({QString::fromStdString(item.label), device});
    }
    return adapters;
}

void CFolderView::UnlockDevices() {
    deviceAccess_.unlock();
}
