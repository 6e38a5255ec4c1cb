#pragma once
// CMainFrame: the folder's main window -- menu, the toolbar of 22 buttons in
// six sections, the status bar, the view -- and the endpoint on which the
// other programs of the suite reach the folder.
#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "folder/folder_settings.h"
#include "platform/message_window.h"

class CFolderDoc;
class CFolderView;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace folder {

// The menu text of a command, with its mnemonic; empty for an unknown one.
QString CommandText(std::uint32_t id);

// In the folder's namespace: the status monitor has a frame of that name too,
// and the screenshot tool links both.
class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(CFolderDoc& doc);
    ~CMainFrame() override;

    // Creates the endpoint; false when none could be bound.
    bool OnCreate();
    const std::string& Endpoint() const;

    // The suite's message (by wParam); always answered with 0.
    std::int64_t OnSuiteMessage(std::uint64_t wParam, std::int64_t lParam);
    void OnCommand(std::uint32_t id);
    // F1: trouble-shooting help at the configurator's context, else the
    // folder's contents.
    void OnHelp();
    // Enables menu entries and toolbar buttons by the view's rules.
    void UpdateCommandStates();

    CFolderView* View() const { return view_; }
    QToolBar* ToolBar() const { return toolBar_; }
    const ToolbarSettings& Toolbar() const { return toolbarSettings_; }
    std::uint32_t HelpContext() const { return helpContext_; }
    // The button's command ids in toolbar order, with their section.
    struct Button {
        std::uint32_t command;
        int section;
    };
    static const std::array<Button, 22>& Buttons();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void LayoutSections();
    void LoadBarState();
    void SaveBarState();
    QAction* Action(std::uint32_t id) const;
    void RebuildDialUpMenu(const std::vector<std::string>& names);

    CFolderDoc& doc_;
    CFolderView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* statusPane_ = nullptr;
    std::vector<std::pair<std::uint32_t, QAction*>> actions_;
    QMenu* deviceMenu_ = nullptr;
    std::vector<QAction*> dialUpEntries_;
    std::vector<std::pair<std::uint32_t, QAction*>> buttons_;
    std::array<std::vector<QAction*>, ToolbarSettings::kSections> sectionActions_;
    ToolbarSettings toolbarSettings_;
    std::uint32_t suiteMessage_ = 0;
    std::uint32_t helpContext_ = 0;
    bool sheetOpen_ = false;
    std::unique_ptr<platform::MessageWindow> window_;
};

}  // namespace folder
