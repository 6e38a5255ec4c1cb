#include "folder/help_menu.h"

#include <QMenu>

#include "folder/folder_doc.h"
#include "folder/resource_ids.h"
#include "ui/help.h"

using namespace folder;

const std::array<ProductHelp, 5>& ProductHelpTable() {
    static constexpr std::array<ProductHelp, 5> kTable{{
        {"Tamo T/A ISDN &Modem", &InstalledProducts::isdnModem, ID_HELP_USER_TA, "userTA.hlp",
         ID_HELP_REF_TA, "refTA.hlp"},
        {"Tamo T/A P&ro ISDN Modem", &InstalledProducts::pro, ID_HELP_USER_TAPR, "userTAPR.hlp",
         ID_HELP_REF_TAPR, "refTAPR.hlp"},
        {"Tamo T/A P&CI Card", &InstalledProducts::pci, ID_HELP_USER_TAPCI, "usrTAPCI.hlp",
         ID_HELP_REF_TAPCI, "refTAPCI.hlp"},
        {"Tamo T/A &PC Card", &InstalledProducts::pcCard, ID_HELP_USER_TAPC, "userTAPC.hlp",
         ID_HELP_REF_TAPC, "refTAPC.hlp"},
        {"Tamo T/A M&obile", &InstalledProducts::mobile, ID_HELP_USER_MOB, "userMOB.hlp",
         ID_HELP_REF_MOB, "refMOB.hlp"},
    }};
    return kTable;
}

const char* ProductHelpFile(std::uint32_t command) {
    for (const auto& p : ProductHelpTable()) {
        if (command == p.userCommand) return p.userFile;
        if (command == p.referenceCommand) return p.referenceFile;
    }
    return nullptr;
}

void AddProductHelp(QMenu& menu, const InstalledProducts& products,
                    const std::function<void(std::uint32_t)>& run) {
    bool any = false;
    for (const auto& p : ProductHelpTable()) {
        if (!(products.*p.key)) continue;
        QMenu* product = menu.addMenu(QString::fromUtf8(p.product));
        for (const auto& [command, text] : {std::pair{p.userCommand, "&Benutzerhandbuch"},
                                            std::pair{p.referenceCommand, "&Referenz"}}) {
            QAction* entry = product->addAction(QString::fromUtf8(text));
            QObject::connect(entry, &QAction::triggered, &menu, [run, id = command] { run(id); });
        }
        any = true;
    }
    if (any) menu.addSeparator();
}

bool OpenProductHelp(std::uint32_t command) {
    const char* file = ProductHelpFile(command);
    const std::string dir = folderkeys::DirectoryFolder("Help");
    if (!file || dir.empty()) return false;
    ui::openHelp(dir + file, ui::HelpCommand::Contents, 0);
    return true;
}
