// ta-modems: installs adapters as modems and removes them. The folder starts
// it through the ".cpl" command of the classes root with "modem.cpl" as its
// argument; the options of modems_cli.h do the same without a window.
#include <QApplication>
#include <iostream>

#include "folder/modems/modem_panel.h"
#include "folder/modems/modems_cli.h"
#include "folder/modems/modems_window.h"

int main(int argc, char** argv) {
    const modems::Invocation invocation =
        modems::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (invocation.mode != modems::Invocation::Mode::Window)
        return modems::RunWithoutWindow(invocation, std::cout, std::cerr);

    QApplication app(argc, argv);
    modems::CModemPanel panel;
    panel.Refresh();
    modems::CModemsWindow window(panel);
    window.resize(600, 420);
    window.show();
    return app.exec();
}
