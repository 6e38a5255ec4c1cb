// The "Details" page of a profile file, as the file manager's property sheet
// shows it: a North-American box file with named profiles, and a file whose
// profiles have no names.
#include <QTemporaryDir>

#include "profile/profile_file.h"
#include "shellext/details_page.h"
#include "tools/screenshots/screens.h"
#include "ui/property_sheet.h"

namespace {

struct Profile {
    const char* name;
    const char* number1;
    const char* number2;
};

void details(screenshots::Scene& s, const char* fileName, std::int32_t kind,
             std::int32_t northAmerica, const std::array<Profile, 3>& profiles) {
    auto* folder = s.make<QTemporaryDir>();
    CDeviceProfiles model;
    model.northAmerica = northAmerica;
    for (std::size_t n = 0; n < profiles.size(); ++n) {
        model.profiles[n].name = profiles[n].name;
        model.profiles[n].number1 = profiles[n].number1;
        model.profiles[n].number2 = profiles[n].number2;
    }
    const std::string path = folder->filePath(QString::fromUtf8(fileName)).toStdString();
    CProfileFile().Save(path, model, 7, kind);

    auto sheet = std::make_unique<ui::PropertySheet>(
        QStringLiteral("Eigenschaften von %1").arg(QString::fromUtf8(fileName)));
    sheet->setApplyButton(false);
    sheet->setHelpButton(false);
    sheet->addPage(s.make<CDetailsPage>(path));
    s.dialog = std::move(sheet);
}

}  // namespace

VELKA_SCREEN("shellext_details_na_named", [](screenshots::Scene& s) {
    details(s, "Büro-Anschluss.prf", 1, 1,
            {{{"Büro", "2125550143", "2125550144"},
              {"Heimarbeit", "2125550187", ""},
              {"Fax und Daten", "2125550199", "2125550198"}}});
});
VELKA_SCREEN("shellext_details_unnamed", [](screenshots::Scene& s) {
    details(s, "Sicherung.prf", 2, 0,
            {{{"", "0301234567", "0301234568"}, {"", "", ""}, {"", "", ""}}});
});
