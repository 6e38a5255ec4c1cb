// ta-folder: the device folder, the program the user starts. It lists the
// installed adapters, detects new ones and starts their configuration.
#include <QApplication>

#include "folder/folder_app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CFolderApp folder;
    // A second folder only wakes the first one.
    if (!folder.InitInstance()) return 0;
    return app.exec();
}
