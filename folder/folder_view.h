#pragma once
// CFolderView: the list of adapters, one row per folder item, in one of four
// styles, and the detections that keep it current with their follow-up
// checks. The commands on a selected adapter are handed to an item-command
// handler (the folder's command set plugs in there).
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "folder/dialup/dial_up_networking.h"
#include "folder/folder_doc.h"
#include "platform/named_mutex.h"

class CFolderCommands;
class CItemChoiceDlg;
class QDialog;
class QAbstractItemView;
class QAction;
class QLabel;
class QMenu;
class QPoint;
class QListWidget;
class QStackedWidget;
class QTreeWidget;
namespace ui {
class AnimationControl;
}

// The classic list-view styles, as "Style" stores them.
enum ListStyle : std::int32_t {
    kStyleIcon = 0,
    kStyleReport = 1,
    kStyleSmallIcon = 2,
    kStyleList = 3
};

class CFolderView : public QWidget {
public:
    explicit CFolderView(CFolderDoc& doc, QWidget* parent = nullptr);
    ~CFolderView() override;

    // The first update after the frame is shown: decides on a worker between
    // a full detection and the quick start.
    void OnInitialUpdate();
    // Item commands run only when enabled; they reach `itemCommand` with the
    // selected item, or -1 for those that need none (the modem panel).
    void OnCommand(std::uint32_t id);
    bool IsEnabled(std::uint32_t id) const;

    void UpdateList();
    std::int32_t Style() const;
    int SelectedIndex() const;
    void SelectItem(int index);
    bool Detecting() const { return detecting_; }
    // The item of the row at `pos` of the shown list's viewport, -1 for none.
    int ItemAt(const QPoint& pos) const;
    // Detects afresh after a firmware download, without the follow-up
    // checks, and selects the adapter on `port` again.
    void RefreshAfterUpgrade(const std::string& port);

    // Takes the device-access mutex on the user-interface thread: at once when
    // free, else with the wait cursor for up to 20 s; on time-out it says so
    // (2942) and answers false.
    bool LockDevices();
    void UnlockDevices();

    // Commands on an item (configure, install ...); the index is the item's.
    // The view's own command set answers them unless a test puts another here.
    std::function<void(std::uint32_t id, int item)> itemCommand;
    CFolderCommands& Commands() { return *commands_; }
    // The tip of the day, when the user wants it at start.
    void ShowTip();
    // Runs a modal dialog; tests answer it instead.
    std::function<int(QDialog&)> runDialog;
    std::function<void(const QString&)> statusText;
    // The number of rows after each update of the list.
    std::function<void(int)> rowsShown;
    std::function<void(std::uint32_t context)> setHelpContext;
    // Whether dial-up networking and the terminal program are there; unset
    // answers no.
    std::function<bool()> dialUpAvailable;
    std::function<bool()> terminalAvailable;
    // The selection or the list changed: menus and toolbar follow.
    std::function<void()> commandsChanged;
    // Shows the context menu at a global position and answers the chosen
    // entry; tests answer it instead.
    std::function<QAction*(QMenu&, const QPoint&)> runMenu;

    // Dial-up networking (2661) or one of its entries (2700 ... 2799): 0, or
    // kDialUpFolderMissing after its warning.
    std::int32_t OnDialUpCommand(std::uint32_t id);
    CDialUpNetworking& DialUp() { return dialUp_; }

    // Tests follow the folder through this trace (VELKA_TA_FOLDER_TRACE
    // names the file).
    void Trace(const std::string& line) const;

    QTreeWidget* Report() const { return report_; }
    QListWidget* Icons() const { return icons_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void StartDetection(std::uint32_t doneCommand);
    void ShowDetecting(bool on);
    void OnDetectionDone();
    void OnRetryDone();
    void OnQuickStart();
    void FollowUpChecks();
    bool NewerFirmwareCheck();
    std::int32_t UpgradeItem(int index, const std::string& file);
    bool NewDeviceCheck();
    bool DriverCheck();
    bool OfferItems(
        std::int32_t& setting, const std::function<bool(const CFolderItem&)>& listed,
        const std::function<std::unique_ptr<CItemChoiceDlg>(const std::vector<QStringList>&)>&
            makeDialog,
        std::uint32_t command, const std::string& traceName);
    void TellMonitor();
    void ApplyStyle(std::int32_t style);
    void Post(std::uint32_t command);
    std::vector<DialAdapter> DialAdapters() const;
    // Enter and double click: configure a responding item, explain another.
    void OnActivated();
    void OnContextMenu(QAbstractItemView* view, const QPoint& pos);
    void CommandsChanged();

    CFolderDoc& doc_;
    platform::NamedMutex deviceAccess_;
    CDialUpNetworking dialUp_;
    QStackedWidget* stack_ = nullptr;
    QTreeWidget* report_ = nullptr;
    QListWidget* icons_ = nullptr;
    ui::AnimationControl* animation_ = nullptr;
    bool detecting_ = false;
    bool tellMonitor_ = false;
    bool tipFlag_ = true;
    std::string reselectPort_;
    int fullTimer_ = 0;
    int quickTimer_ = 0;
    std::unique_ptr<CFolderCommands> commands_;
    std::jthread worker_;
};
