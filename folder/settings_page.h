#pragma once
// The settings page (and the sheet around it): the four checks after a
// detection, the monitor's start at log-on, and the AT command trace.
#include <functional>
#include <string>

#include "folder/folder_doc.h"
#include "ui/property_page.h"
#include "ui/property_sheet.h"

class CSettingsPage : public ui::PropertyPage {
public:
    // `changed` runs after OK when one of the four checks changed.
    CSettingsPage(FolderSettings& settings, std::function<void()> changed);

    // The trace path used when none is stored: the data folder, "\" and
    // "trace.txt".
    static std::string DefaultTracePath();

    bool onInitDialog() override;
    bool onKillActive() override;
    bool onApply() override;

protected:
    void createControls() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

private:
    void EnableTraceControls();
    void OnBrowse();

    FolderSettings& settings_;
    std::function<void()> changed_;
    std::int32_t checkDriver_, checkNewDevices_, checkFirmware_, detectSpeed_;
    std::int32_t trayAutostart_ = 0;
    std::int32_t traceEnable_ = 0;
    std::string tracePath_;
    bool trayAvailable_ = true;
};

// Runs the settings sheet (title "Einstellungen", no Apply, context help in
// folder.hlp). True after OK.
bool RunSettingsSheet(QWidget* parent, FolderSettings& settings, std::function<void()> changed);
