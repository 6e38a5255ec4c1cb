// German texts of the North-American pages, one entry per line, sorted by id.
#include "wizard/pages_na/na_strings.h"

namespace wizard::na {

namespace {
// clang-format off
constexpr platform::StringEntry kStrings[] = {
    {1150, "Für die meisten ISDN-Leitungen in Nordamerika sind SPIDs (Service Profile Identifier) erforderlich. Ihr ISDN-Dienstanbieter teilt Ihnen die SPIDs zusammen mit Ihren Rufnummern mit.\n\nBitte wählen Sie aus, was auf Sie zutrifft:"},
    {1151, "Der Konfig.Assistent arbeitet Offline und kann die SPIDs nicht beim ISDN-Netzwerk erfragen. Ihr ISDN-Dienstanbieter teilt Ihnen die SPIDs zusammen mit Ihren Rufnummern mit.\n\nBitte wählen Sie aus, was auf Sie zutrifft:"},
    {1153, "Ohne SPIDs bekommen Sie vielleicht nur einen begrenzten Service. Fragen Sie den ISDN-Dienstanbieter, ob SPIDs erforderlich sind, und starten Sie den Konfig.Assistenten erneut, wenn Sie Ihre SPIDs kennen."},
    {1154, "Ein ungültiges Zeichen wurde in das Nummernfeld eingegeben. Es sind nur Ziffern erlaubt."},
    {1155, "Ihr Nummernfeld wurde leer gelassen.\n\nWollen Sie wirklich keine Nummer konfigurieren?"},
    {1157, "Ungültiger Bereich für die erste Zahl in der Nummer. Erlaubter Bereich ist 2-9.."},
    {1158, "Die beiden konfigurierten Nummern sind dieselben. Wollen Sie wirklich fortfahren?"},
    {1159, "Nur die letzten vier Zahlen der Nummern sollten verschieden sein. Wollen Sie wirklich fortfahren?"},
    {1161, "Das Format der Nummer ist falsch. Die Nummer muß sieben Zahlen enthalten."},
    {1165, "Sie hätten die SPIDs konfigurieren sollen. Wenn Sie die SPIDs nicht kennen, klicken Sie auf Zurück und wählen eine andere Option."},
    {1166, "Ein ungültiges Zeichen wurde im SPID-Feld eingegeben. Es sind nur Ziffern erlaubt."},
    {1167, "Der Konfig.Assistent ist fertig mit dem Konfigurieren Ihres Tamo Terminal Adapter.\n\nSie können jetzt Ihre ISDN-Verbindungen herstellen."},
    {1168, "Der Konfig.Assistent hat die Konfiguration erfolgreich Offline ausgeführt.\n\nSie müssen am ISDN-Netzwerk angeschlossen sein, bevor Sie versuchen, die Verbindung herzustellen."},
    {1169, "Der Konfig.Assistent hat erkannt, daß Ihr Gerät mit einem nationalen ISDN-Netzwerk (National ISDN) verbunden ist."},
    {1170, "Der Konfig.Assistent hat erkannt, daß Ihr Gerät mit einem kundenangepaßten ISDN-Netzwerk (AT&T 5ESS Custom) verbunden ist."},
    {1171, "Bitte geben Sie die ISDN-Rufnummer ein, die Ihnen Ihr ISDN-Dienstanbieter zugewiesen hat."},
    {1172, "Bitte geben Sie die beiden ISDN-Rufnummern ein, die Ihnen Ihr ISDN-Dienstanbieter zugewiesen hat."},
    {1173, "Bitte geben Sie Ihre Vorwahl und die ISDN-Rufnummer ein, die Ihnen Ihr ISDN-Dienstanbieter zugewiesen hat (sieben Ziffern ohne Vorwahl)."},
    {1174, "Bitte geben Sie Ihre Vorwahl und die beiden ISDN-Rufnummern ein, die Ihnen Ihr ISDN-Dienstanbieter zugewiesen hat (je sieben Ziffern ohne Vorwahl)."},
    {1175, "Ihr zweites Nummernfeld wurde leer gelassen.\n\nWollen Sie wirklich keine Nummer konfigurieren?"},
    {1176, "Falls Ihre Leitung SPIDs erfordert und Sie diese nicht konfigurieren, bekommen Sie nur einen begrenzten Service. Fragen Sie den ISDN-Dienstanbieter, ob SPIDs erforderlich sind."},
    {1179, "Diese SPID wird bereits von einem anderen Gerät benutzt. Mit ihr bekommen Sie vielleicht nur einen begrenzten Service.\n\nWollen Sie diese SPID wirklich auswählen?"},
    {1180, "Diese SPID benutzt der Konfig.Assistent bereits für die andere Rufnummer.\n\nWollen Sie diese SPID wirklich auswählen?"},
    {1205, "Bitte wählen Sie die Nummer aus, die als ISDN-Rufnummer 2 benutzt werden soll."},
    {1206, "Bitte wählen Sie die Nummer aus, die als ISDN-Rufnummer 1 benutzt werden soll."},
    {1208, "Sie müssen eine Nummer aus der Liste wählen."},
    {1225, "Lädt die SPID-Formate ..."},
    {1227, "Verbindet mit dem ISDN-Netzwerk ..."},
    {1233, "Der Konfig.Assistent konnte die Art Ihres ISDN-Netzwerks nicht feststellen."},
    {1234, "Da die ausgewählte Nummer evtl. nicht verfügbar ist, bekommen Sie vielleicht nur einen begrenzten Service.\n\nWollen Sie wirklich fortfahren?"},
    {1235, "Die SPID-Formate konnten nicht geladen werden."},
    {1236, "Prüft SPID für : "},
    {1237, "SPID-Erkennung ist abgeschlossen."},
    {1240, "Der Konfig.Assistent hat nur für eine Ihrer Rufnummern eine SPID gefunden. Für die andere Rufnummer ist evtl. eine eigene SPID erforderlich.\n\nBitte wählen Sie aus, was auf Sie zutrifft:"},
    {1244, "Das Vorwahlnummernfeld ist leer geblieben. Der Konfig.Assistent kann Ihnen möglicherweise ohne diesen Parameter nicht mit dem Auffinden helfen. Wollen Sie wirklich fortfahren? "},
    {1266, "Sie sind im Begriff, den Konfig.Assistenten zu schließen. Dabei sollten Sie alle Ihre ISDN-Parameter kennen. Ist dies nicht der Fall, empfiehlt es sich, die Parameter mit Hilfe des Konfig.Assistenten festzustellen. \n\nWollen Sie wirklich fortfahren?"},
    {1279, "Sie sind im Begriff, die SPID-Erkennung zu stoppen.\n\nWollen Sie wirklich stoppen?"},
    {1280, "SPID-Erkennung wurde gestoppt."},
    {1285, "Die SPID-Erkennung wurde gestoppt. Bitte geben Sie die SPIDs ein, die der Konfig.Assistent noch nicht gefunden hat."},
    {1287, "Bitte geben Sie die SPIDs ein, die Ihnen Ihr ISDN-Dienstanbieter mitgeteilt hat."},
    {1288, "Keine Verbindung zum ISDN-Netzwerk."},
    {1291, "Ein ungültiges Zeichen wurde im Nummernfeld eingegeben. Es sind nur Ziffern erlaubt."},
    {1295, "Der Konfig.Assistent hat Ihr Tamo Terminal Adapter fertig konfiguriert.\n\nDie SPIDs wurden nicht konfiguriert. Sie können erst dann Ihre ISDN-Verbindungen herstellen, wenn die korrekten SPIDs konfiguriert wurden.\n"},
    {1296, "Diese SPID wird von einem anderen Gerät benutzt."},
    {1297, "Diese SPID bietet nicht die Dienste, die Ihr Gerät benötigt."},
    {1298, "Der Konfig.Assistant erkannte, daß Ihr Gerät mit einem öffentlichen ISDN-Netzwerk mit AutoSPID Support verbunden ist. AutoSPID Support befähigt Tamo Terminal Adapter, Ihre ISDN-Parameter festzustellen und reduziert folglich die Nutzer-Interaktion stark."},
    {1299, "Diese SPID wird von einem anderen Gerät benutzt und bietet nicht die Dienste, die Ihr Gerät benötigt."},
    {1300, "Diese SPID ist verfügbar und bietet die Dienste, die Ihr Gerät benötigt."},
    {1306, "Der Konfig.Assistent hat erkannt, daß Sie mit einem nationalen ISDN-Netzwerk verbunden sind. Bei dieser Art Netzwerk sind Sie evtl. an einem öffentlichen ISDN-Netzwerk oder einem firmeninternen ISDN-Netzwerk angeschlossen."},
    {1307, "Der Konfig.Assistent hat erkannt, daß Sie mit einem kundenangepaßten ISDN-Netzwerk verbunden sind. Bei dieser Art Netzwerk kann es sein, daß Sie mit einem öffentlichen ISDN- oder einem firmeninternen Netzwerk verbunden sind."},
    {1310, "Das ISDN-Netzwerk hat für Ihre Leitung nur eine Rufnummer gemeldet. Diese Nummer wird beiden ISDN-Kanälen zugewiesen."},
    {1311, "Das ISDN-Netzwerk hat für Ihre Leitung die folgenden Rufnummern gemeldet. Nummern mit einem Warnsymbol sind nicht verfügbar oder bieten nicht alle Dienste, die Ihr Gerät benötigt."},
    {1313, "Bitte wählen Sie Ihre ISDN-Rufnummer aus der Liste aus."},
    {1314, "Sie haben ausgewählt, nur eine Nummer bei Ihrem Gerät zu benutzen. Erfordert Ihre Konfiguration zwei Nummern, wird diese Nummer beiden ISDN-Kanälen zugewiesen."},
    {1315, "Der Wert in Ihrer SPID ist zu lang.\nMaximallänge für SPID ist 20 Zahlen."},
};
// clang-format on

const platform::StringTable kTable{kStrings};
}  // namespace

const platform::StringTable& Strings() {
    return kTable;
}
std::string Text(std::uint32_t id) {
    return std::string(kTable.text(id));
}
QString QText(std::uint32_t id) {
    const std::string_view text = kTable.text(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace wizard::na
