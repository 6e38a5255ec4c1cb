// The firmware dialogs: the selection with several images of a box (the
// details of the highlighted one beside the list), with nothing highlighted,
// and the download half-way.
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>

#include "config/firmware/firmware_load_dlg.h"
#include "config/firmware/firmware_select_dlg.h"
#include "platform/paths.h"
#include "tools/screenshots/screens.h"

namespace {

// A store with four box images of different versions and regions, and one
// image of a card that the box's list leaves out.
std::string store(screenshots::Scene& s) {
    auto* folder = s.make<QTemporaryDir>();
    const std::string dir = folder->path().toStdString() + "/";
    const std::string samples = platform::paths::firmwareDir() + "/";
    const char* copies[][2] = {{"taboxna.elm", "taboxna.elm"},
                               {"taboxint.elm", "taboxint.elm"},
                               {"taboxint.elm", "firm0.elm"},
                               {"taboxna.elm", "firm1.elm"},
                               {"t71na.elm", "t71na.elm"}};
    const char* versions[] = {"2.20", "2.20", "2.31", "1.4.55", "2.20"};
    for (std::size_t i = 0; i < std::size(copies); ++i) {
        std::ifstream in(samples + copies[i][0], std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t at = bytes.find("SYS_VER ") + 8;
        std::string version = versions[i];
        version.resize(13, '\0');
        bytes.replace(at, 13, version);
        std::ofstream(dir + copies[i][1], std::ios::binary) << bytes;
    }
    return dir;
}

void select(screenshots::Scene& s, bool highlighted) {
    auto dialog =
        std::make_unique<CFirmwareSelectDlg>(1, 0, "2.10", store(s), highlighted ? "" : "none");
    if (highlighted) {
        auto* list = dialog->findChild<QTreeWidget*>();
        list->setCurrentItem(list->topLevelItem(1));
    }
    s.dialog = std::move(dialog);
}

}  // namespace

VELKA_SCREEN("firmware_select", [](screenshots::Scene& s) { select(s, false); });
VELKA_SCREEN("firmware_select_details", [](screenshots::Scene& s) { select(s, true); });
VELKA_SCREEN("firmware_load_halfway", [](screenshots::Scene& s) {
    auto dialog = std::make_unique<CFirmwareLoadDlg>();
    dialog->Setup(platform::paths::firmwareDir() + "/taproint.elm", "COM1", "2.20", 2, false);
    dialog->ShowAction(QStringLiteral("Firmware 2.20 wird zum Tamo T/A Pro ISDN Modem übertragen"));
    dialog->ShowProgress(50);
    dialog->ShowTimeLeft(QStringLiteral("Etwa noch 1 Min 12 Sek (128.0 KB kopiert)"));
    dialog->StartAnimation();
    s.dialog = std::move(dialog);
});
