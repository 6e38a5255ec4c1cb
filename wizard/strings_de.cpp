#include <QString>
#include <iterator>

#include "wizard/wizard_strings.h"

namespace wizard {

namespace {
// clang-format off
const platform::StringEntry kStrings[] = {
    {1148, u8"Online-Konfig.Assistent"},
    {1149, u8"Offline-Konfig.Assistent"},
    {1154, u8"Ein ungültiges Zeichen wurde in das Nummernfeld eingegeben. Es sind nur Ziffern erlaubt."},
    {1158, u8"Die beiden konfigurierten Nummern sind dieselben. Wollen Sie wirklich fortfahren?"},
    {1266, u8"Sie sind im Begriff, den Konfig.Assistenten zu schließen. Dabei sollten Sie alle Ihre ISDN-Parameter kennen. Ist dies nicht der Fall, empfiehlt es sich, die Parameter mit Hilfe des Konfig.Assistenten festzustellen. \n\nWollen Sie wirklich fortfahren?"},
    {1267, u8"Konfigurations-Assistent"},
    {1268, u8"Sie sind im Begriff den Konfig.Assistenten zu schließen. Ihre Änderungen werden nicht gespeichert.\n\nWollen Sie wirklich schließen?"},
    {1269, u8"Fehler in der Anwendung aufgetreten. Bitte Anwendung neu starten."},
    {1293, u8"Konfigurations-Assistent"},
    {1389, u8"Die Maximalgeschwindigkeit für COM Port ist %1!.1d!kbps . Sie sichert keine ausreichende Leistung von MLPPP und rentiert sich nicht. Um MLPPP besser zu nutzen, wird empfohlen, eine schnelle COM-Port-Karte einzubauen. Lesen Sie die beiliegenden Prospekte."},
    {1404, u8"Sie haben für einen Ihrer Telefonports keine zweite Nummer eingegeben. Soll keine Zweitnummer für diesen Port eingegeben werden, entfernen Sie alle Semikolons aus der Portnummer."},
};
// clang-format on
}  // namespace

const platform::StringTable& Strings() {
    static const platform::StringTable table{std::span(kStrings, std::size(kStrings))};
    return table;
}

QString Tr(std::uint32_t id) {
    const std::string_view text = Strings().text(id);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace wizard
