// German texts of the device folder, one entry per line, sorted by id.
#include "folder/folder_strings.h"

namespace folder {

namespace {
// clang-format off
constexpr platform::StringEntry kStrings[] = {
    {102, "Mit \"Aktualisieren\" im Menü \"Ansicht\" sucht der Geräteordner alle Ports nach neu angeschlossenen Terminaladaptern ab."},
    {103, "Ein Doppelklick auf einen Terminaladapter öffnet die Einstellungen seines aktiven Profils."},
    {104, "Jeder Terminaladapter speichert drei Profile. Unter \"Profile konfigurieren\" wählen Sie, welches beim Einschalten aktiv ist."},
    {105, "Über \"Einstellungen\" legen Sie fest, ob die Statusanzeige beim Anmelden startet und im Infobereich den Zustand Ihrer Adapter zeigt."},
    {106, "Sichern Sie Ihre Einstellungen mit \"Exportieren\" in einer Profildatei (*.prf). Mit \"Importieren\" spielen Sie sie wieder ein."},
    {107, "Meldet der Geräteordner \"Schadhafte Firmware\", laden Sie mit \"Firmware laden\" eine neue Firmware in den Adapter."},
    {108, "Der Setup-Assistent erkennt den Anschluss Ihrer ISDN-Leitung und trägt die Rufnummern für Sie ein."},
    {109, "Die Ansicht \"Details\" zeigt zu jedem Adapter Port, Firmware-Version und ISDN-Typ."},
    {110, "Halten Sie beim Tamo T/A ISDN Modem das Netzteil eingesteckt, solange eine neue Firmware geladen wird."},
    {111, "Mit \"Auf Werkseinstellungen zurücksetzen\" stellen Sie den Auslieferungszustand Ihres Adapters wieder her."},
    {114, "Die PC Card erhält ihre Firmware über den Kartensteckplatz. Lassen Sie die Karte stecken, bis das Laden beendet ist."},
    {115, "Ziehen Sie eine Profildatei mit der Maus auf einen Adapter, um sie in den Adapter zu laden."},
    {1003, "Bei Problemen mit der Verbindung hilft die Fehlersuche in der Hilfe weiter (Taste F1)."},
    {1004, "Mit \"Protokoll der AT-Befehle\" in den Einstellungen zeichnen Sie den Austausch mit dem Adapter in einer Datei auf."},
    {2601, "Bitte geben Sie einen Pfad für die Protokolldatei an."},
    {2604, "Einstellungen"},
    {2800, "Velka Tamo Terminal Adapters"},
    {2801, "Tamo T/A ISDN Modem"},
    {2803, "Tamo T/A PC Card"},
    {2804, "Anderes Gerät"},
    {2805, " auf "},
    {2810, "Gerät"},
    {2811, "Port"},
    {2812, "Reagiert"},
    {2814, "Version"},
    {2815, "ISDN-Typ"},
    {2817, "Nordamerika"},
    {2818, "International (exkl. Nordamerika)"},
    {2819, "Unbekannt"},
    {2820, "Ja"},
    {2821, "Nein"},
    {2824, "Symbolleiste - %s"},
    {2826, "Tamo T/A Pro ISDN Modem"},
    {2830, "Tamo T/A PCI Card"},
    {2902, "tray.exe"},
    {2909, "Es wurde kein Tamo Terminal Adapter erkannt.\n\nPrüfen Sie, ob der Adapter eingeschaltet und mit dem Computer verbunden ist, und wählen Sie dann \"Wiederholen\"."},
    {2910, "Es wurde wieder kein Tamo Terminal Adapter erkannt.\n\nHinweise zur Fehlersuche finden Sie in der Hilfe (Taste F1)."},
    {2919, "Unbekannt"},
    {2923, "Velka"},
    {2924, "trace.txt"},
    {2925, "Einstellungen"},
    {2927, "Keine Geräte erkannt"},
    {2932, "Der Geräteordner zeigt Ihre Tamo Terminal Adapter, erkennt neue Adapter und startet ihre Konfiguration."},
    {2934, "Dieses Gerät ist verfügbar."},
    {2935, "Dieses Gerät ist neu im System."},
    {2936, "Dieses Gerät reagiert nicht."},
    {2937, "Schadhafte Firmware - Herunterladen notwendig."},
    {2942, "Die Geräte werden gerade von einem anderen Programm benutzt. Bitte versuchen Sie es in einigen Sekunden noch einmal."},
    {2943, "Geräte belegt"},
    {2945, "Gerät"},
    {2946, "Aktuelles"},
    {2947, "Neuestes"},
    {20800, "Geräte werden erkannt..."},
    {20801, "Bereit"},
    {20802, "%1!d! Gerät(e)"},
    {20803, "Info über den Geräteordner"},
    {20804, "Velka Tamo Terminal Adapters"},
    {20805, "Velka Technology Corporation"},
    {20806, "Tipp des Tages"},
    {20807, "Wussten Sie schon..."},
    {20808, "&Tipps beim Start anzeigen"},
    {20809, "&Nächster Tipp"},
    {20810, "Neue Geräte"},
    {20811, "Diese Terminaladapter sind noch nicht konfiguriert. Wählen Sie einen Adapter, um ihn jetzt zu konfigurieren."},
    {20812, "Gerät nicht installiert"},
    {20813, "Für diese Terminaladapter ist kein Modem im System installiert. Wählen Sie einen Adapter, um ihn jetzt zu installieren."},
    {20814, "Neuere Firmware"},
    {20815, "Für diese Terminaladapter liegt eine neuere Firmware vor. Wählen Sie einen Adapter, um sie jetzt zu laden."},
    {20816, "&Nicht mehr fragen"},
    {20817, "Prüfungen nach der Geräteerkennung"},
    {20818, "Protokoll"},
    {20819, "&Treiber prüfen"},
    {20820, "Auf &neue Geräte prüfen"},
    {20821, "Auf neuere &Firmware prüfen"},
    {20822, "&Optimale COM-Geschwindigkeit ermitteln"},
    {20823, "&Statusanzeige beim Anmelden starten"},
    {20824, "&AT-Befehle protokollieren"},
    {20825, "&Protokolldatei:"},
    {20826, "&Durchsuchen..."},
    {20830, "&Datei"},
    {20831, "&Ansicht"},
    {20832, "&Gerät"},
    {20833, "&?"},
    {20834, "&Symbolleiste"},
    {20835, "Status&leiste"},
    {20836, "&Flache Schaltflächen"},
    {20840, "Verwaltung"},
    {20841, "Konfiguration"},
    {20842, "Erweitert"},
    {20843, "Kommunikation"},
    {20844, "Ansicht"},
    {20845, "Einstellungen und Hilfe"},
    {20870, "Firmware laden"},
    {20871, "Neue Firmware in „%1!s!“ laden?"},
    {20872, "Anschluss:"},
    {20873, "Installierte Version:"},
    {20874, "Das Laden dauert einige Minuten. Schalten Sie in dieser Zeit weder das Gerät noch den Computer aus und trennen Sie die Verbindung nicht. Die im Gerät gespeicherten Profile können dabei verloren gehen: Exportieren Sie sie vorher, wenn Sie sie behalten möchten."},
    {20875, "Firmware &laden"},
    {61204, "Für das Tamo T/A Pro ISDN Modem wird jetzt eine neuere Firmware geladen. Schalten Sie das Gerät während des Ladens nicht aus."},
    {61205, "Für das Tamo T/A ISDN Modem wird jetzt eine neuere Firmware geladen. Schalten Sie das Gerät während des Ladens nicht aus."},
    {61207, "Neue Firmware für Ihren Adapter legen Sie in das Firmware-Verzeichnis; der Geräteordner bietet sie nach der nächsten Erkennung an."},
    {61208, "Für die Tamo T/A PCI Card wird jetzt eine neuere Firmware geladen. Starten Sie den Computer während des Ladens nicht neu."},
};
// clang-format on
}  // namespace

const platform::StringTable& Strings() {
    static const platform::StringTable table(kStrings);
    return table;
}

std::string Utf8(std::uint32_t id) {
    return std::string(Strings().text(id));
}

QString Text(std::uint32_t id) {
    return QString::fromStdString(Utf8(id));
}

}  // namespace folder
