#pragma once
// CFolderCommands: what the commands on a selected adapter do. The view hands
// every item command here; each one that talks to the adapter calls one entry
// point of the configurator while it holds the device-access mutex.
#include <cstdint>
#include <functional>

#include "config/config.h"
#include "folder/modem_panel_launcher.h"

class CFolderDoc;
class CFolderView;
struct CFolderItem;

class CFolderCommands {
public:
    CFolderCommands(CFolderView& view, CFolderDoc& doc);

    // Runs command `id` on the item with index `item`; an index out of range
    // or an empty item does nothing.
    void Run(std::uint32_t id, int item);

    // Opens dial-up networking: 0, kDialUpFolderMissing (the caller warns),
    // or another code the dial-up component has already explained.
    std::function<std::int32_t()> openDialUp;
    // Opens the modem panel after an install, with a refresh once it closed.
    std::function<void()> openModemPanel;

    // The one configurator the folder calls every entry point on.
    CConfig& Config() { return config_; }

private:
    void AdapterCommand(std::uint32_t id, int index);
    std::int32_t CallEntryPoint(std::uint32_t id, CFolderItem& item);
    void AfterConfiguration(const CFolderItem& item);
    void OpenDialUp();
    void Details(int index);
    void NotAvailable(const CFolderItem& item);
    void Install(const CFolderItem& item);
    void Delete(int index);

    CFolderView& view_;
    CFolderDoc& doc_;
    CConfig config_;
    folder::CModemPanelLauncher modemPanel_;
};
