#pragma once
// Every status code of the suite, one line each: the namespace and name the
// code has in the code, its number, where the number comes from, and a short
// German text that the command line and the dialogs show for it.
//
// Where a number comes from decides whether it may be moved:
//   Documented  fixed by the adapter suite's documents; peers, stored data and
//               callers compare with it, so it never changes. The documents
//               give some numbers two meanings (1010, 8001); both are listed.
//   System      a classic operating-system error value that the platform layer
//               keeps because callers compare with it (258 is also the
//               documents' "no answer within a wait").
//   Own         chosen by this suite. Own codes live at 20000 and above, one
//               block of 100 per folder (see kOwnBase below), and must not
//               share a number with any other code: a static_assert checks it.
//
// To add a code, add one line to VELKA_STATUS_CODES in its folder's group.
#include <cstdint>
#include <string>
#include <string_view>

namespace status {

enum class Origin : std::uint8_t { Documented, System, Own };

struct Entry {
    std::int32_t code;
    std::string_view name;  // "namespace::kName"
    Origin origin;
    std::string_view text;  // German, for the user
};

// First number of each folder's block of own codes.
inline constexpr std::int32_t kOwnBase = 20000;
inline constexpr std::int32_t kOwnPlatform = 20000;
inline constexpr std::int32_t kOwnRegistry = 20100;
inline constexpr std::int32_t kOwnSerial = 20200;
inline constexpr std::int32_t kOwnProfile = 20300;
inline constexpr std::int32_t kOwnDevice = 20400;
inline constexpr std::int32_t kOwnInfo = 20500;
inline constexpr std::int32_t kOwnConfig = 20600;
inline constexpr std::int32_t kOwnWizard = 20700;
inline constexpr std::int32_t kOwnFolder = 20800;
inline constexpr std::int32_t kOwnTray = 20900;
inline constexpr std::int32_t kOwnShellExt = 21000;
inline constexpr std::int32_t kOwnCli = 21100;

}  // namespace status

// X(namespace, name, number, origin, text)
// clang-format off
#define VELKA_STATUS_CODES(X) \
    /* platform: classic system values, and the store */ \
    X(platform, kOk, 0, Documented, "Erfolg") \
    X(platform, kUserCancelled, 2, Documented, "Vom Benutzer abgebrochen") \
    X(platform, kFileNotFound, 2, System, /* the same number as a cancel */ "Schlüssel, Wert, Datei oder Gerät nicht gefunden") \
    X(platform, kAccessDenied, 5, System, "Zugriff verweigert oder in Benutzung") \
    X(platform, kInvalidHandle, 6, System, "Das Objekt ist nicht geöffnet") \
    X(platform, kInvalidData, 13, System, "Gespeicherte Daten sind fehlerhaft") \
    X(platform, kInvalidParameter, 87, System, "Ungültiger Parameter") \
    X(platform, kInsufficientBuffer, 122, System, "Der Puffer ist zu klein") \
    X(platform, kMoreData, 234, System, "Weitere Daten vorhanden; der Puffer ist zu klein") \
    X(platform, kWaitTimeout, 258, Documented, "Keine Antwort innerhalb der Wartezeit") \
    X(platform, kNoMoreItems, 259, System, "Keine weiteren Einträge") \
    X(platform, kIoError, 1117, System, "Ein-/Ausgabefehler") \
    X(platform, kStoreError, 20000, Own, "Die Registrierungsdatenbank ist nicht verfügbar") \
    /* serial link */ \
    X(serial, kLinkEventFailed, 1000, Documented, "Ein Ereignis kann nicht angelegt werden") \
    X(serial, kLinkOpenFailed, 1002, Documented, "Der Anschluss kann nicht geöffnet werden") \
    X(serial, kLinkThreadFailed, 1003, Documented, "Der Lese-Thread kann nicht gestartet werden") \
    X(serial, kLinkSettingsRefused, 1004, Documented, "Die Leitungseinstellungen wurden abgelehnt") \
    X(serial, kLinkReadFailed, 1005, Documented, "Lesen vom Anschluss fehlgeschlagen") \
    X(serial, kLinkWriteFailed, 1006, Documented, "Schreiben zum Anschluss fehlgeschlagen oder keine Antwort") \
    X(serial, kLinkCompletionFailed, 1007, Documented, "Lesen oder Schreiben mit Leitungsfehlern abgeschlossen") \
    X(serial, kLinkBadTarget, 1008, Documented, "Ungültiges Antwortziel") \
    X(serial, kLinkResponseTooLong, 1009, Documented, "Die Antwort ist zu lang für den Puffer") \
    X(serial, kLinkIncomplete, 1010, Documented, "Intern: Antwort noch unvollständig") /* also registry:: */ \
    X(serial, kLinkTraceFailed, 1012, Documented, "Die Protokolldatei kann nicht geschrieben werden") \
    X(serial, kLinkTraceNoPath, 1013, Documented, "Protokoll eingeschaltet, aber kein Pfad gesetzt") \
    X(serial, kLinkPortInUse, 1014, Documented, "Der Anschluss wird von einem anderen Programm benutzt") \
    X(serial, kLinkTraceNoKey, 1015, Documented, "Intern: Schlüssel \"Trace\" fehlt") \
    X(serial, kLinkTraceNoPathValue, 1016, Documented, "Intern: Wert \"Path\" fehlt") \
    X(serial, kLinkMatchTooLong, 1017, Documented, "Suchtext länger als 99 Zeichen") \
    X(serial, kLinkMatchListFull, 1018, Documented, "Mehr als 10 Suchtexte") \
    /* registry key wrapper */ \
    X(registry, kRegEmptyName, 1010, Documented, "Schlüssel ohne Namen kann nicht gelöscht werden") /* also serial:: */ \
    X(registry, kRegCannotOpen, 2000, Documented, "Registrierungsschlüssel kann nicht geöffnet werden") \
    X(registry, kRegCannotClose, 2001, Documented, "Registrierungsschlüssel kann nicht geschlossen werden") \
    X(registry, kRegCannotWrite, 2002, Documented, "Registrierungswert kann nicht geschrieben werden") \
    X(registry, kRegCannotRead, 2003, Documented, "Registrierungswert fehlt oder ist zu lang") \
    X(registry, kRegCannotCreate, 2004, Documented, "Registrierungsschlüssel kann nicht angelegt werden") \
    X(registry, kRegCannotDelete, 2005, Documented, "Registrierungsschlüssel kann nicht gelöscht werden") \
    /* firmware upgrade, its download and the version record */ \
    X(firmware, kDeviceCancelled, -2, Documented, "Das Gerät hat die Übertragung abgebrochen") \
    X(firmware, kNoAnswer, -3, Documented, "Das Gerät antwortet nicht auf die Übertragung") \
    X(firmware, kUserCancelled, -7, Documented, "Übertragung vom Benutzer abgebrochen") \
    X(firmware, kImageOpenFailed, 4000, Documented, "Die Firmware-Datei kann nicht geöffnet werden") \
    X(firmware, kEventsFailed, 4001, Documented, "Ereignisse für die Übertragung können nicht angelegt werden") \
    X(firmware, kPortOpenFailed, 4002, Documented, "Der Anschluss kann für die Übertragung nicht geöffnet werden") \
    X(firmware, kRelayFailed, 4003, Documented, "Warten auf die Antwort des Geräts fehlgeschlagen") \
    X(firmware, kStartFailed, 4006, Documented, "Die Übertragung konnte nicht gestartet werden") \
    X(firmware, kStartRefused, 4007, Documented, "Die Übertragung wurde abgelehnt") \
    X(firmware, kUpgradeDone, 4100, Documented, "Firmware wurde geladen") \
    X(firmware, kUpgradeFailed, 4101, Documented, "Laden der Firmware fehlgeschlagen") \
    X(firmware, kUpgradeCancelled, 4102, Documented, "Laden der Firmware abgebrochen oder abgelehnt") \
    X(firmware, kElmNoVersion, 5002, Documented, "Firmware-Datei nicht lesbar oder ohne Versionseintrag") \
    /* profile engine and profile file */ \
    X(profile, kProfileKindsDiffer, 5003, Documented, "Die Profildatei gehört zu einem anderen Gerätetyp") \
    X(profile, kProfileFileWriteFailed, 5004, Documented, "Die Profildatei kann nicht geschrieben werden") \
    X(profile, kProfileFileEmptyGeneral, 5005, Documented, "Die Profildatei enthält einen leeren Eintrag im Abschnitt \"General\"") \
    X(profile, kProfileListingIncomplete, 8001, Documented, "Profilliste des Geräts unvollständig") /* also device:: below */ \
    X(profile, kProfileNamesNotBound, 14000, Documented, "Profilnamen sind keinem Gerät zugeordnet") \
    X(profile, kProfileFileBadValue, 20300, Own, "Ein Wert der Profildatei ist unzulässig; es wurde nichts geschrieben") \
    X(profile, kProfileBootLoaderOnly, 20301, Own, "Auf dem Gerät läuft nur der Urlader; bitte zuerst die Firmware laden") \
    X(profile, kProfileListingGroupsMissing, 20302, Own, "Das Gerät hat seine Profile nicht vollständig gemeldet; es wurde nichts geschrieben") \
    X(profile, kProfileFileUnreadable, 20303, Own, "Die Profildatei kann nicht gelesen werden") \
    /* configurator */ \
    X(config, kNothingConfigured, 6100, Documented, "Es wurde nichts konfiguriert") \
    X(config, kResetRefused, 20600, Own, "Das Gerät hat das Zurücksetzen nicht mit \"OK\" bestätigt") \
    /* status query of the adapter record */ \
    X(device, kDeviceOpenFailed, 7003, Documented, "Der Anschluss des Geräts kann nicht geöffnet werden") \
    X(device, kDeviceNoReply, 7004, Documented, "Das Gerät antwortet nicht") \
    X(device, kDeviceWaitTimeout, 7005, Documented, "Warten auf das Gerät fehlgeschlagen") \
    X(device, kDeviceWriteFailed, 7007, Documented, "Befehl kann nicht zum Gerät geschrieben werden") \
    X(device, kDeviceNoEcho, 8000, Documented, "Echo oder Ergebniszeile fehlt in der Antwort") \
    X(device, kDeviceNoReplyLine, 8001, Documented, "Antwortzeile fehlt") /* also profile:: above */ \
    X(device, kDeviceBadResultCode, 8004, Documented, "Ergebnis weder \"OK\" noch \"ERROR\"") \
    /* device folder and status monitor */ \
    X(folder, kFolderDevicesBusy, 9001, Documented, "Die Geräte werden gerade von einem anderen Programm benutzt") \
    X(tray, kMonitorDevicesBusy, 10000, Documented, "Die Geräte werden gerade von einem anderen Programm benutzt") \
    X(folder, kFolderNoNewerFirmware, 16000, Documented, "Keine Firmware-Datei für dieses Gerät") \
    X(folder, kFolderNoFirmwareStore, 16001, Documented, "Kein Firmware-Verzeichnis eingetragen") \
    X(folder, kDialUpFolderMissing, -20, Documented, "Der Ordner der DFÜ-Verbindungen fehlt") \
    X(folder, kDialUpBadName, 20850, Own, "Der Name ist als DFÜ-Eintrag nicht zulässig") \
    X(folder, kDialUpBadValue, 20851, Own, "Eine Angabe des DFÜ-Eintrags ist nicht zulässig") \
    X(folder, kDialUpEntryExists, 20852, Own, "Ein DFÜ-Eintrag dieses Namens besteht bereits") \
    X(folder, kDialUpBookFull, 20853, Own, "Das Telefonbuch hat bereits 100 Einträge") \
    X(folder, kDialUpToolFailed, 20854, Own, "pon oder poff hat einen Fehler gemeldet") \
    /* setup wizard */ \
    X(wizard, kLineInitInProgress, 30, Documented, "Assistent: Die ISDN-Leitung wird noch initialisiert") \
    X(wizard, kPatternNotApplicable, 200, Documented, "Assistent: Keine Verbindung (NO CARRIER) oder Muster gilt nicht") \
    X(wizard, kWizSetupFailed, 13000, Documented, "Assistent: Einrichtung fehlgeschlagen oder Anschluss bzw. Leitung nicht nutzbar") \
    X(wizard, kWizOpenFailed, 13001, Documented, "Assistent: Der Anschluss kann nicht geöffnet werden") \
    X(wizard, kWizStatusFailed, 13003, Documented, "Assistent: Statusliste kann nicht gelesen werden") \
    X(wizard, kWizStatusIncomplete, 13004, Documented, "Assistent: Statusliste unvollständig") \
    X(wizard, kWizSpidListFailed, 13005, Documented, "Assistent: SPID-Liste kann nicht gelesen werden") \
    X(wizard, kWizSpidTooManyNumbers, 13006, Documented, "Assistent: Mehr als 9 Rufnummern zu einer SPID") \
    X(wizard, kWizSpidListShort, 13007, Documented, "Assistent: SPID-Liste zu kurz") \
    X(wizard, kWizCommandFailed, 13008, Documented, "Assistent: Befehl fehlgeschlagen oder keine Antwort") \
    X(wizard, kWizSpidTestFailed, 13009, Documented, "Assistent: SPID-Test fehlgeschlagen") \
    X(wizard, kAreaCodeListTooLong, 13011, Documented, "Assistent: Eintrag in AREACODE.INI zu lang") \
    X(wizard, kPatternBadMode, 13012, Documented, "Assistent: Ungültiger Eintrag in AREACODE.INI") \
    X(wizard, kWizSpidLineShort, 13013, Documented, "Assistent: SPID-Zeile endet zu früh") \
    X(wizard, kWizCorrectSpid, 13014, Documented, "Assistent: SPID wird korrigiert") \
    X(wizard, kWizBadProfileIndex, 13017, Documented, "Assistent: Ungültige Profilnummer") \
    X(wizard, kWizClearFailed, 13018, Documented, "Assistent: Zurücksetzen der Rufnummern fehlgeschlagen") \
    X(wizard, kWizStoreFailed, 13019, Documented, "Assistent: Speichern des Profils fehlgeschlagen") \
    X(wizard, kWizActivationFailed, 13020, Documented, "Assistent: SPID-Aktivierung kann nicht gelesen werden") \
    X(wizard, kWizNoChannel, 13022, Documented, "Assistent: Kein Kanal aktiviert") \
    X(wizard, kWizSearchStopped, 13100, Documented, "Assistent: Suche vom Benutzer beendet")
// clang-format on

#define VELKA_STATUS_CONSTANT(ns, name, number, origin, text) \
    namespace ns {                                            \
    inline constexpr std::int32_t name = number;              \
    }
VELKA_STATUS_CODES(VELKA_STATUS_CONSTANT)
#undef VELKA_STATUS_CONSTANT

// Other names of codes listed above: the same number with the same meaning.
namespace serial {
inline constexpr std::int32_t kLinkOk = platform::kOk;
inline constexpr std::int32_t kLinkNoAnswer = platform::kWaitTimeout;  // a caller's wait timed out
}  // namespace serial
namespace registry {
inline constexpr std::int32_t kRegOk = platform::kOk;
}
namespace profile {
inline constexpr std::int32_t kProfileOk = platform::kOk;
inline constexpr std::int32_t kProfileNoAnswer =
    platform::kWaitTimeout;  // no complete answer in 5000 ms
}  // namespace profile
namespace device {
inline constexpr std::int32_t kDeviceOk = platform::kOk;
}
namespace firmware {
inline constexpr std::int32_t kOk = platform::kOk;
inline constexpr std::int32_t kLoaded = platform::kOk;  // a download's success
}  // namespace firmware
namespace wizard {
inline constexpr std::int32_t kWizOk = platform::kOk;
}

namespace status {

#define VELKA_STATUS_ENTRY(ns, name, number, origin, text) \
    Entry{number, #ns "::" #name, Origin::origin, text},
inline constexpr Entry kTable[] = {VELKA_STATUS_CODES(VELKA_STATUS_ENTRY)};
#undef VELKA_STATUS_ENTRY

// An own code shares its number with no other code and lies in the own range;
// the documents' and the system's numbers stay where they are.
constexpr bool ownCodesAreUnique() {
    for (const Entry& a : kTable) {
        if (a.origin != Origin::Own) continue;
        if (a.code < kOwnBase) return false;
        for (const Entry& b : kTable)
            if (&a != &b && a.code == b.code) return false;
    }
    return true;
}
static_assert(ownCodesAreUnique(), "an own status code collides or lies outside the own range");

// The German text of a code. A number with two meanings gives both texts,
// joined by " / "; an unknown number gives "Unbekannter Fehler".
std::string statusText(std::int32_t code);

}  // namespace status
