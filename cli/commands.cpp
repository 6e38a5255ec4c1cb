#include "cli/commands.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>

#include "platform/named_mutex.h"

// One line per group: name, help line, and the group's entry point in its
// cmd_<group>.cpp (declared here by the macro, defined in namespace cli).
#define TACTL_GROUP(name, help, fn)     \
    CommandGroup {                      \
        name, help, [](const Args& a) { \
            int fn(const Args&);        \
            return fn(a);               \
        }                               \
    }

namespace cli {

// Not in an unnamed namespace: the macro declares each entry point in the
// enclosing namespace, which must be cli for the group's definition to match.
// One group per line, however long its help text.
// clang-format off
static const CommandGroup kGroups[] = {
    TACTL_GROUP("reg", "Registrierung lesen und ändern (query, add, delete)", runReg),
    TACTL_GROUP("status", "Zustand eines Adapters abfragen (status COMn)", runStatus),
    TACTL_GROUP("detect", "Adapter an allen Anschlüssen suchen", runDetect),
    TACTL_GROUP("map", "COM-Namen einem Gerät zuordnen (map COMn GERÄT)", runMap),
    TACTL_GROUP("ports", "COM-Namen und ihre Geräte auflisten", runPorts),
    TACTL_GROUP("speed", "Schnellste Übertragungsrate eines Anschlusses ermitteln", runSpeed),
    TACTL_GROUP("read", "Gespeicherte Profile eines Adapters lesen (read COMn)", runRead),
    TACTL_GROUP("write", "Profileinstellungen ändern und schreiben (write COMn P0.Schlüssel=Wert ...)", runWrite),
    TACTL_GROUP("export", "Profile in eine Profildatei exportieren (export COMn DATEI)", runExport),
    TACTL_GROUP("import", "Profile aus einer Profildatei importieren (import COMn DATEI)", runImport),
    TACTL_GROUP("reset", "Adapter auf Standardeinstellungen zurücksetzen (reset COMn)", runReset),
    TACTL_GROUP("elm", "Versionseintrag einer Firmware-Datei lesen (elm DATEI)", runElm),
    TACTL_GROUP("line", "ISDN-Leitung und SPID-Liste erkennen (line COMn [--reset])", runLine),
    TACTL_GROUP("spid", "SPIDs suchen (spid COMn --area VORWAHL RUFNUMMER [RUFNUMMER2])", runSpid),
    TACTL_GROUP("firmware", "Firmware in einen Adapter laden (firmware COMn DATEI [--no-confirm])", runFirmware),
};
// clang-format on

std::span<const CommandGroup> commandGroups() {
    return kGroups;
}

const CommandGroup* findGroup(const std::string& name) {
    const auto it =
        std::find_if(std::begin(kGroups), std::end(kGroups),
                     [&](const CommandGroup& g) { return strcasecmp(g.name, name.c_str()) == 0; });
    return it == std::end(kGroups) ? nullptr : &*it;
}

bool lockDevices(platform::NamedMutex& mutex, std::uint32_t waitMs) {
    if (mutex.lock(waitMs) == platform::WaitResult::Signaled) return true;
    std::fputs("FEHLER: Die Adapter werden gerade von einem anderen Programm abgefragt.\n", stderr);
    return false;
}

bool isSwitch(const std::string& arg, const char* name) {
    return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') &&
           strcasecmp(arg.c_str() + 1, name) == 0;
}

}  // namespace cli
