#include "folder/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "folder/about_dlg.h"
#include "folder/folder_doc.h"
#include "folder/folder_strings.h"
#include "folder/folder_view.h"
#include "folder/help_menu.h"
#include "folder/resource_ids.h"
#include "folder/terminal_connection.h"
#include "folder/tip_dlg.h"
#include "platform/messages.h"
#include "platform/registry_store.h"
#include "platform/text_format.h"
#include "registry/registry.h"
#include "ui/help.h"
#include "ui/main_window.h"
#include "ui/resource_id.h"
#include "ui/system_info.h"

using namespace folder;

namespace {

// The frame's bar state, as the framework keeps it per program.
constexpr const char* kBarStateKey = "Software\\Velka\\ta-folder\\Toolbar State";

struct CommandInfo {
    std::uint32_t id;
    const char* text;
    QStyle::StandardPixmap icon;
};

// Menu and toolbar texts of the commands.
constexpr CommandInfo kCommands[] = {
    {ID_DELETE, "&Löschen", QStyle::SP_TrashIcon},
    {ID_INFORMATION, "&Information", QStyle::SP_MessageBoxInformation},
    {ID_INSTALL, "In Windows &installieren", QStyle::SP_DriveHDIcon},
    {ID_REFRESH, "&Aktualisieren", QStyle::SP_BrowserReload},
    {ID_DETAILS, "&Eigenschaften", QStyle::SP_FileDialogInfoView},
    {ID_QUICK_CONFIG, "&Konfigurieren", QStyle::SP_FileDialogContentsView},
    {ID_CONFIGURE_PROFILES, "&Profile konfigurieren", QStyle::SP_FileDialogDetailedView},
    {ID_WIZARD, "Setup-&Assistent", QStyle::SP_ArrowForward},
    {ID_RESET, "Auf &Werkseinstellungen zurücksetzen", QStyle::SP_DialogResetButton},
    {ID_IMPORT, "Profil i&mportieren...", QStyle::SP_DialogOpenButton},
    {ID_EXPORT, "Profil e&xportieren...", QStyle::SP_DialogSaveButton},
    {ID_FIRMWARE, "&Firmware laden...", QStyle::SP_ArrowUp},
    {ID_DIALUP, "&DFÜ-Netzwerk", QStyle::SP_DriveNetIcon},
    {ID_MODEM_PANEL, "&Modems", QStyle::SP_ComputerIcon},
    {ID_TERMINAL, "&Terminal", QStyle::SP_DesktopIcon},
    {ID_VIEW_LARGE, "&Große Symbole", QStyle::SP_FileDialogListView},
    {ID_VIEW_SMALL, "&Kleine Symbole", QStyle::SP_FileDialogListView},
    {ID_VIEW_LIST, "&Liste", QStyle::SP_FileDialogListView},
    {ID_VIEW_DETAILS, "&Details", QStyle::SP_FileDialogDetailedView},
    {ID_SETTINGS, "&Einstellungen...", QStyle::SP_FileDialogDetailedView},
    {ID_HELP_FINDER, "&Hilfethemen", QStyle::SP_DialogHelpButton},
    {ID_APP_ABOUT, "&Info über den Geräteordner...", QStyle::SP_MessageBoxQuestion},
};

QString plain(const char* text) {
    return QString::fromUtf8(text).remove(QLatin1Char('&')).remove(QStringLiteral("..."));
}

}  // namespace

namespace folder {

QString CommandText(std::uint32_t id) {
    for (const auto& c : kCommands)
        if (c.id == id) return QString::fromUtf8(c.text);
    return {};
}

const std::array<CMainFrame::Button, 22>& CMainFrame::Buttons() {
    // Section 0 keeps the list, 1 the everyday commands, 2 the adapter's
    // maintenance, 3 the connections, 4 the view styles, 5 settings and help.
    static constexpr std::array<Button, 22> kButtons{{
        {ID_DELETE, 0},
        {ID_INFORMATION, 0},
        {ID_INSTALL, 0},
        {ID_REFRESH, 1},
        {ID_DETAILS, 1},
        {ID_QUICK_CONFIG, 1},
        {ID_CONFIGURE_PROFILES, 1},
        {ID_WIZARD, 2},
        {ID_RESET, 2},
        {ID_IMPORT, 2},
        {ID_EXPORT, 2},
        {ID_FIRMWARE, 2},
        {ID_DIALUP, 3},
        {ID_MODEM_PANEL, 3},
        {ID_TERMINAL, 3},
        {ID_VIEW_LARGE, 4},
        {ID_VIEW_SMALL, 4},
        {ID_VIEW_LIST, 4},
        {ID_VIEW_DETAILS, 4},
        {ID_SETTINGS, 5},
        {ID_HELP_FINDER, 5},
        {ID_APP_ABOUT, 5},
    }};
    return kButtons;
}

CMainFrame::CMainFrame(CFolderDoc& doc) : doc_(doc) {
    ui::setResourceId(this, static_cast<int>(IDR_MAINFRAME));
    setWindowTitle(Text(IDS_PRODUCT));
    resize(640, 320);

    for (const auto& c : kCommands) {
        auto* action = new QAction(style()->standardIcon(c.icon), QString::fromUtf8(c.text), this);
        action->setToolTip(plain(c.text));
        action->setStatusTip(plain(c.text));
        const std::uint32_t id = c.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions_.emplace_back(id, action);
    }
    auto* styles = new QActionGroup(this);
    for (std::uint32_t id : {ID_VIEW_LARGE, ID_VIEW_SMALL, ID_VIEW_LIST, ID_VIEW_DETAILS}) {
        Action(id)->setCheckable(true);
        styles->addAction(Action(id));
    }

    view_ = new CFolderView(doc_, this);
    setCentralWidget(view_);
    CreateMenus();
    CreateToolBar();
    view_->DialUp().entriesChanged = [this](const auto& names) { RebuildDialUpMenu(names); };
    RebuildDialUpMenu(view_->DialUp().Entries());
    view_->commandsChanged = [this] { UpdateCommandStates(); };
    UpdateCommandStates();

    statusPane_ = new QLabel(this);
    statusPane_->setMinimumWidth(275);
    statusBar()->addPermanentWidget(statusPane_);
    statusBar()->showMessage(Text(IDS_READY));
    view_->statusText = [this](const QString& text) { statusBar()->showMessage(text); };
    view_->setHelpContext = [this](std::uint32_t context) { helpContext_ = context; };
    view_->terminalAvailable = TerminalAvailable;
    view_->rowsShown = [this](int rows) {
        statusPane_->setText(QString::fromStdString(platform::formatInserts(
            Strings().text(IDS_ITEMS), {platform::FormatArg(std::int64_t{rows})})));
    };

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    LoadBarState();
    toolbarSettings_.Load();
    if (toolbarSettings_.flatButtons == 1) {
        const ui::CommonControlsVersion v = ui::commonControlsVersion();
        if (!FlatButtonsSupported(v.major, v.minor)) {
            toolbarSettings_.flatButtons = 0;
            toolbarSettings_.Save();
        }
    }
    LayoutSections();
}

// The configurator's failure notices find this window through the shared endpoint.
CMainFrame::~CMainFrame() {
    if (window_) ui::setMainWindowEndpoint({});
}

bool CMainFrame::OnCreate() {
    suiteMessage_ = platform::registerMessage(platform::kSuiteMessageName);
    window_ = platform::MessageWindow::create("folder", [this](const platform::Message& m) {
        if (m.message == suiteMessage_) return OnSuiteMessage(m.wParam, m.lParam);
        return std::int64_t{0};
    });
    if (!window_) return false;
    ui::setMainWindowEndpoint(window_->name());
    return true;
}

const std::string& CMainFrame::Endpoint() const {
    static const std::string none;
    return window_ ? window_->name() : none;
}

QAction* CMainFrame::Action(std::uint32_t id) const {
    for (const auto& [command, action] : actions_)
        if (command == id) return action;
    return nullptr;
}

void CMainFrame::CreateMenus() {
    auto* file = menuBar()->addMenu(Text(IDS_MENU_FILE));
    auto* exit = file->addAction(QStringLiteral("&Beenden"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    auto* device = deviceMenu_ = menuBar()->addMenu(Text(IDS_MENU_DEVICE));
    for (std::uint32_t id : {ID_QUICK_CONFIG, ID_CONFIGURE_PROFILES, ID_WIZARD, ID_RESET, ID_IMPORT,
                             ID_EXPORT, ID_FIRMWARE, ID_INSTALL, ID_DELETE, ID_DETAILS})
        device->addAction(Action(id));
    device->addSeparator();
    for (std::uint32_t id : {ID_DIALUP, ID_MODEM_PANEL, ID_TERMINAL}) device->addAction(Action(id));
    // Dial-up networking may come or go while the folder runs.
    connect(device, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

    auto* view = menuBar()->addMenu(Text(IDS_MENU_VIEW));
    auto* toolbarMenu = view->addMenu(Text(IDS_MENU_TOOLBAR));
    auto* show = toolbarMenu->addAction(Text(IDS_MENU_TOOLBAR).remove(QLatin1Char('&')));
    show->setCheckable(true);
    connect(show, &QAction::toggled, this, [this](bool on) {
        toolbarSettings_.enable = on;
        LayoutSections();
    });
    toolbarMenu->addSeparator();
    for (int s = 0; s < ToolbarSettings::kSections; ++s) {
        auto* section =
            toolbarMenu->addAction(Text(IDS_MENU_SECTION_0 + static_cast<std::uint32_t>(s)));
        section->setCheckable(true);
        connect(section, &QAction::toggled, this, [this, s](bool on) {
            toolbarSettings_.sections[s] = on;
            LayoutSections();
        });
    }
    toolbarMenu->addSeparator();
    auto* flat = toolbarMenu->addAction(Text(IDS_MENU_FLAT));
    flat->setCheckable(true);
    connect(flat, &QAction::toggled, this, [this](bool on) {
        const ui::CommonControlsVersion v = ui::commonControlsVersion();
        toolbarSettings_.flatButtons = on && FlatButtonsSupported(v.major, v.minor);
        LayoutSections();
    });
    connect(toolbarMenu, &QMenu::aboutToShow, this, [this, toolbarMenu] {
        const auto entries = toolbarMenu->actions();
        QSignalBlocker blockShow(entries[0]);
        entries[0]->setChecked(toolbarSettings_.enable);
        for (int s = 0; s < ToolbarSettings::kSections; ++s) {
            QSignalBlocker block(entries[2 + s]);
            entries[2 + s]->setChecked(toolbarSettings_.sections[s]);
        }
        QSignalBlocker blockFlat(entries.back());
        entries.back()->setChecked(toolbarSettings_.flatButtons);
    });
    auto* bar = view->addAction(Text(IDS_MENU_STATUS_BAR));
    bar->setCheckable(true);
    bar->setChecked(true);
    connect(bar, &QAction::toggled, statusBar(), &QWidget::setVisible);
    view->addSeparator();
    for (std::uint32_t id : {ID_VIEW_LARGE, ID_VIEW_SMALL, ID_VIEW_LIST, ID_VIEW_DETAILS})
        view->addAction(Action(id));
    view->addSeparator();
    view->addAction(Action(ID_REFRESH));
    view->addAction(Action(ID_SETTINGS));

    auto* help = menuBar()->addMenu(Text(IDS_MENU_HELP));
    help->addAction(Action(ID_HELP_FINDER));
    help->addSeparator();
    AddProductHelp(*help, doc_.Products(), [this](std::uint32_t id) { OnCommand(id); });
    connect(help->addAction(QStringLiteral("&Tipp des Tages...")), &QAction::triggered, this,
            [this] { OnCommand(ID_TIP_OF_DAY); });
    help->addSeparator();
    help->addAction(Action(ID_APP_ABOUT));
}

// One item per phone-book entry right below the dial-up command.
void CMainFrame::RebuildDialUpMenu(const std::vector<std::string>& names) {
    for (QAction* entry : dialUpEntries_) delete entry;
    dialUpEntries_.clear();
    std::uint32_t id = ID_DIALUP_ENTRY_FIRST;
    for (const std::string& name : names) {
        if (id > ID_DIALUP_ENTRY_LAST) break;
        auto* entry = new QAction(
            Text(IDS_DIALUP_ENTRY).replace(QStringLiteral("%s"), QString::fromStdString(name)),
            this);
        entry->setData(id);
        connect(entry, &QAction::triggered, this, [this, id] { OnCommand(id); });
        deviceMenu_->insertAction(Action(ID_MODEM_PANEL), entry);
        dialUpEntries_.push_back(entry);
        ++id;
    }
}

void CMainFrame::CreateToolBar() {
    // The caption is a printf pattern of the string table.
    QString caption = Text(IDS_TOOLBAR_CAPTION);
    caption.replace(QStringLiteral("%s"), Text(IDS_PRODUCT));
    toolBar_ = new QToolBar(caption, this);
    ui::setResourceId(toolBar_, static_cast<int>(IDR_TOOLBAR));
    toolBar_->setObjectName(ui::resourceName(static_cast<int>(IDR_TOOLBAR)));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setIconSize(QSize(16, 16));
    int section = 0;
    for (const auto& button : Buttons()) {
        if (button.section != section) {
            sectionActions_[static_cast<std::size_t>(button.section)].push_back(
                toolBar_->addSeparator());
            section = button.section;
        }
        // A button of its own, so hiding a section leaves the menus whole.
        const QAction* command = Action(button.command);
        auto* tool = toolBar_->addAction(command->icon(), command->toolTip());
        tool->setStatusTip(command->statusTip());
        const std::uint32_t id = button.command;
        connect(tool, &QAction::triggered, this, [this, id] { OnCommand(id); });
        buttons_.emplace_back(id, tool);
        sectionActions_[static_cast<std::size_t>(button.section)].push_back(tool);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::UpdateCommandStates() {
    for (const auto* list : {&actions_, &buttons_})
        for (const auto& [id, action] : *list) action->setEnabled(view_->IsEnabled(id));
}

// A section's separator goes with it, so hidden sections leave no gaps.
void CMainFrame::LayoutSections() {
    for (int s = 0; s < ToolbarSettings::kSections; ++s) {
        for (QAction* action : sectionActions_[static_cast<std::size_t>(s)])
            action->setVisible(toolbarSettings_.sections[s]);
    }
    for (QAction* action : toolBar_->actions())
        if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(action)))
            button->setAutoRaise(toolbarSettings_.flatButtons == 1);
    toolBar_->setVisible(toolbarSettings_.enable);
    raise();
}

void CMainFrame::LoadBarState() {
    platform::RegKey key;
    std::string state;
    if (platform::RegKey::open(platform::RegRoot::CurrentUser, kBarStateKey, key) !=
            platform::kOk ||
        key.readString("State", state) != platform::kOk)
        return;
    restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void CMainFrame::SaveBarState() {
    platform::RegKey key;
    if (platform::RegKey::create(platform::RegRoot::CurrentUser, kBarStateKey, key) !=
        platform::kOk)
        return;
    key.setString("State", saveState().toBase64().toStdString());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveBarState();
    toolbarSettings_.enable = toolBar_->isVisible();
    toolbarSettings_.Save();
    QMainWindow::closeEvent(event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OnHelp();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

std::int64_t CMainFrame::OnSuiteMessage(std::uint64_t wParam, std::int64_t lParam) {
    view_->Trace("message " + std::to_string(wParam));
    switch (wParam) {
        case kSuiteAdapterRemoved:
        case kSuiteAdapterArrived:
            QMetaObject::invokeMethod(
                view_, [this] { view_->OnCommand(ID_REFRESH_QUIET); }, Qt::QueuedConnection);
            break;
        case kSuiteShowFolder:
            showNormal();
            raise();
            activateWindow();
            break;
        case kSuiteHelpContext:
            helpContext_ = static_cast<std::uint32_t>(lParam);
            break;
        case kSuiteHelpGone:
            helpContext_ = 0;
            break;
        default:
            break;
    }
    return 0;
}

void CMainFrame::OnHelp() {
    if (sheetOpen_) return;
    std::string dir;
    if (CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString("Help", dir) != 0) return;
    if (helpContext_ != 0)
        ui::openHelp(dir + "trouble.hlp", ui::HelpCommand::Topic, helpContext_ + 0x10000);
    else
        ui::openHelp(dir + "folder.hlp", ui::HelpCommand::Contents, 0);
}

void CMainFrame::OnCommand(std::uint32_t id) {
    switch (id) {
        case ID_APP_ABOUT: {
            CFolderAboutDlg about(this);
            view_->runDialog(about);
            return;
        }
        case ID_HELP_FINDER:
            OnHelp();
            return;
        case ID_TIP_OF_DAY: {
            CTipDlg tip(doc_.Products(), this);
            view_->runDialog(tip);
            return;
        }
        case ID_SETTINGS:
            sheetOpen_ = true;
            view_->OnCommand(id);
            sheetOpen_ = false;
            return;
        default:
            if (ProductHelpFile(id)) {
                OpenProductHelp(id);
                return;
            }
            view_->OnCommand(id);
    }
}

}  // namespace folder
