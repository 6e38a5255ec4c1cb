// ta-modems: installs adapters as modems and removes them. The folder starts
// it through the ".cpl" command of the classes root with "modem.cpl" as its
// argument, which needs no handling here.
#include <QApplication>

#include "folder/modems/modem_panel.h"
#include "folder/modems/modems_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    modems::CModemPanel panel;
    panel.Refresh();
    modems::CModemsWindow window(panel);
    window.resize(600, 420);
    window.show();
    return app.exec();
}
