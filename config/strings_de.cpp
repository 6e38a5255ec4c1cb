// German texts of the configurator, exact as the users know them, one entry
// per line, sorted by id.
#include <string>

#include "config/config_strings.h"

namespace config {

namespace {
// One entry per line, whatever its length: the texts are quoted exactly.
// clang-format off
constexpr platform::StringEntry kStrings[] = {
    {1014, "Profile wurden erfolgreich zu Ihrem Gerät importiert."},
    {1017, "Profil  konnte nicht zum Tamo Terminal Adapter geschrieben werden."},
    {1018, "Der Profilimport zu Ihrem Gerät wurde nicht erfolgreich abgeschlossen."},
    {1019, "Konnte Profile von Tamo Terminal Adapter nicht lesen. Bitte prüfen:\n\n1. Alle Geräte angeschlossen und gestartet?\n2. Alle Kommunikationsprogramme geschlossen?\n3. RAS-Service gestoppt? (Nur bei Windows NT)."},
    {1020, "Profil wurde nicht konfiguriert."},
    {1021, "Diese Aktion setzt die Einstellungen auf die Standardeinstellungen zurück. Wirklich zurücksetzen?"},
    {1022, "Zu konfigurierendes Profil auswählen."},
    {1036, "Nordamerika"},
    {1037, "International (exkl. Nordamerika)"},
    {1047, "Importieren fertig"},
    {1049, "*.prf"},
    {1051, "Importieren fehlgeschlagen"},
    {1052, "PRF"},
    {1054, "Profildateien (*.prf)|*.prf||"},
    {1056, "Unbekannt"},
    {1165, "Zu Standardeinstellungen zurücksetzen"},
    {1166, "Konfiguriert - "},
    {1168, "Konfiguriert aktive - "},
    {1170, "You cannot enter the same number for both your 1st and 2nd numbers.\r\nYou should either enter a different 2nd number or disable the \"Use 2 Numbers\" option."},
    {1172, "Ungültige ISDN-Nummer konfiguriert.\nBitte Zahlen im Bereich 0 - 9, '#' oder '*' eingeben."},
    {1173, "Ungültige SPID konfiguriert.\nBitte Zahlen im Bereich 0-9 eingeben."},
    {1174, "Der für SPID eingegebene Wert zu lang.\nMax. Länge der SPID ist 20 Zeichen."},
    {1175, "Der für ISDN-Nummer eingegebene Wert zu lang.\nMax. Länge der ISDN-Nummer ist 20 Zeichen."},
    {1176, "Bitte zweite Ruf-/SPID-Nummer eingeben, wenn Sie eine haben: Falls nicht, deaktivieren Sie das Kontrollkästchen 'Zwei Nummern benutzen'."},
    {1177, "Auf Standardeinstellungen zurückgesetzt. Bitte Tamo Terminal Adapter neu konfigurieren."},
    {1187, "Profilname darf nicht leer sein."},
    {1294, "Liest von Gerät..."},
    {1295, "Schreibt zu Gerät..."},
    {1298, "Gerätetypen stimmen nicht überein."},
    {1307, "Eine erste Nummer muß konfiguriert werden, bevor eine zweite Nummer eingegeben werden kann"},
    {1311, "Ö&ffnungsschwelle: (%1!u!%%)"},
    {1312, "&Schließungsschwelle: (%1!d!%%)"},
    {1313, "1. B-Kanal"},
    {1314, "2. B-Kanal"},
    {1316, "Die max. COMport-Geschwindigkeit ist %1!.1d!kbps. Diese Geschw. gewährleistet keine ausreichende Leistung von MLPPP. Dafür wird die Installation einer schnellen COMport-Karte empfohlen. Näheres darüber in den mit dem Produkt gelieferten Gebrauchsanweisungen."},
    {1521, "Die max. Geschwindigkeit für COM Port gewährleistet genügende Leistung von MLPPP."},
    {1522, "Sie haben Multilink PPP ausgewählt. Zur Gewährleistung ausreichender Leistung mit MLPPP brauchen Sie einen PC mit einem schnellen COMport. Möchten Sie prüfen, ob Ihr COMport die notwendige Geschwindigkeit besitzt?"},
    {1523, "Bitte die von Ihnen als korrekt eingegebenen Leistungsmerkmale prüfen; sie richten sich nicht nach den Standardregeln."},
    {1525, "Bitte eine Kette hexadezimaler Oktetts (acht-Bit Bytes) eingeben."},
    {1526, "1. Nummer"},
    {1527, "2. Nummer"},
    {1530, "Öffnungsschwellenwert muß größer als Schließungsschwellenwert sein."},
    {1531, "Schließungsschwellenwert muß größer als Öffnungsschwellenwert sein."},
    {1532, "&Rufnummer"},
    {1533, "Der für X.25 DTE-Adresse eingegebene Wert ist zu lang.\nMax. erlaubte Länge für X.25 DTE-Adresse ist 15 Zeichen."},
    {1534, "Ungültige X.25 DTE-Addresse konfiguriert.\nBitte Zahlen im Bereich 0 - 9 oder '-' eingeben."},
    {1535, "Alle Leistungsmerkmale müssen bei Ihrer Telekommunikationsgesellschaft bei der Anmeldung registriert sein."},
    {1537, "Paket-&Rufnummer"},
    {1538, "Der für die Paket-Rufnummer eingegebene Wert ist zu lang.\nMax. Länge einer Paket-Rufnummer ist 15 Zeichen."},
    {1539, "Ungültige Rufnummer konfiguriert.\nBitte Zahlen im Bereich 0 - 9 oder '-' eingeben."},
    {1540, "Verzögerungswert vor Öffnen muß zwischen 0 und 60 liegen."},
    {57347, "Nicht erkannt"},
    {57348, "Telefonport 1"},
    {57349, "Telefonport 2"},
    {57350, "Beide Nummern"},
    {57351, "Keine Nummern konfiguriert"},
    {57352, "Nummer 1 (%s)"},
    {57353, "Nummer 2 (%s)"},
    {57355, "Nummer-ID %d (%s)"},
    {57358, "Bitte erste Telefon/SPID-Nummer eingeben, falls Sie eine besitzen."},
    {57361, "Modem"},
    {57364, "National ISDN-1 (NI-1)"},
    {57365, "AT&T (5ESS)"},
    {57366, "EuroISDN"},
    {57367, "Microlink"},
    {57368, "INS-Net64"},
    {57369, "Auto-Detect"},
    {57370, "On Ramp"},
    {57371, "V110"},
    {57372, "V120"},
    {57373, "PPP"},
    {57374, "MultiLink PPP"},
    {57375, "MultiLink PPP mit BACP"},
    {57376, "MultiLink PPP mit AODI"},
    {57388, "Keine Nummer"},
    {57392, "Ungültige Nummer konfiguriert.\nBitte Zahlen im Bereich von '0 - 9' eingeben."},
    {57393, "Der für die Nummer eingegebene Wert ist zu lang.\nMax. Länge einer Zusatzdienstnummer ist 5 Zeichen."},
    {57394, "Dieser Wert darf nicht leer bleiben."},
    {57395, "Ungültige Nummer konfiguriert. Bitte Zahl zwischen 0 und 65535 eingeben."},
    {57396, "Nicht konfiguriert"},
    {57398, "Gerät wird gestartet..."},
    {57399, "Verbindet mit Gerät..."},
    {57400, "Keine Nummer"},
    {57401, "Siehe oben"},
    {57406, "Telefonport"},
    {57412, "&Merkmalschlüssel konfigurieren..."},
    {57415, "&ISDN-Rufnummer"},
    {57416, "Profile von %s"},
};
// clang-format on
}  // namespace

const platform::StringTable& Strings() {
    static const platform::StringTable table{kStrings};
    return table;
}

std::string Text(std::uint32_t id) {
    return std::string(Strings().text(id));
}

}  // namespace config
