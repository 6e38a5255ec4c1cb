// ta-modems: its window with ports and installed modems, and the add dialog.
// The tool runs on a private store, so the scene installs a modem for real.
#include <QTemporaryDir>
#include <fstream>

#include "folder/modems/modems_window.h"
#include "platform/device_type.h"
#include "platform/serial_port.h"
#include "tools/screenshots/screens.h"

namespace {

modems::CModemPanel* samplePanel(screenshots::Scene& s) {
    auto* dev = s.make<QTemporaryDir>();
    const std::string dir = dev->path().toStdString();
    std::ofstream(dir + "/ttyACM0");
    platform::mapPortName("COM3", "/dev/ttyUSB0");
    platform::mapPortName("COM4", "/dev/pts/3");
    device::InstallModem({"COM3", kDeviceExternal, false});
    auto* panel = s.make<modems::CModemPanel>(dir);
    panel->Refresh();
    return panel;
}

VELKA_SCREEN("modems_window", [](screenshots::Scene& s) {
    auto window = std::make_unique<modems::CModemsWindow>(*samplePanel(s));
    window->resize(600, 420);
    s.dialog = std::move(window);
});

VELKA_SCREEN("modems_add", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<modems::CAddModemDlg>(samplePanel(s)->Ports());
});

}  // namespace
