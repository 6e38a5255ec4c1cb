// ta-tray: the status monitor. It shows the adapters' state in the
// desktop's notification area and runs once per session.
#include <QApplication>

#include "platform/os_version.h"
#include "tray/main_frame.h"

int main(int argc, char** argv) {
    // The monitor belongs to the consumer line of the system.
    if (platform::osVersion().platformId != platform::kPlatformConsumer) return 0;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CMainFrame frame;
    // A second monitor ends here, silently.
    if (!frame.OnCreate()) return 0;
    return app.exec();
}
