// tactl read / write / export / import / reset: the adapter's stored
// profiles from the command line, in the name=value form scripts read.
//   tactl read   COMn [Optionen]
//   tactl write  COMn P<n>.<Schlüssel>=<Wert> ... ["Default Profile=<n>"] [Optionen]
//   tactl export COMn DATEI [Optionen]
//   tactl import COMn DATEI [Optionen]
//   tactl reset  COMn [--wait SEKUNDEN]
// Every command holds the device-access mutex while it talks to the adapter,
// so folder and monitor never query the same adapter in between. Every
// value is checked against its field's rule before the port is opened: a
// text goes into a command line, and must not be able to add commands.
#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "device/device_info.h"
#include "device/device_status.h"
#include "platform/event.h"
#include "platform/ini_file.h"
#include "platform/named_mutex.h"
#include "platform/status_codes.h"
#include "platform/text_format.h"
#include "profile/device_profiles.h"
#include "profile/field_rules.h"
#include "profile/listing_parser.h"
#include "profile/profile_file.h"
#include "profile/profile_settings.h"
#include "registry/registry.h"
#include "serial/com_link.h"

namespace cli {

namespace {

constexpr const char* kOptionsUsage =
    "Optionen:\n"
    "  --kind N --region R  Gerätetyp (1, 2, 4, 8, 16) und Region (0 international,\n"
    "                       1 Nordamerika) des Adapters; die Zustandsabfrage entfällt.\n"
    "  --wait SEKUNDEN      Wartezeit auf den Gerätezugriff (Voreinstellung 60).\n";
constexpr const char* kReadUsage = "Aufruf: tactl read COMn [Optionen]\n";
constexpr const char* kWriteUsage =
    "Aufruf: tactl write COMn P<n>.<Schlüssel>=<Wert> ... [\"Default Profile=<n>\"] [Optionen]\n"
    "  n ist 0, 1 oder 2; die Schlüssel sind die der Profildatei, z. B.\n"
    "  \"P0.Primary Number1=5551234\" oder \"P2.Connect Type=10\".\n"
    "  --force schreibt auch, wenn das Gerät Gruppen eines Profils nicht vollständig\n"
    "  gemeldet hat. \"tactl write help\" listet die Schlüssel und ihre Werte.\n";
constexpr const char* kExportUsage = "Aufruf: tactl export COMn DATEI [Optionen]\n";
constexpr const char* kImportUsage = "Aufruf: tactl import COMn DATEI [Optionen] [--force]\n";
constexpr const char* kResetUsage = "Aufruf: tactl reset COMn [--wait SEKUNDEN]\n";

constexpr std::int32_t kFolderItems = 15;

bool validPort(const std::string& port) {
    return !port.empty() && port.size() < CDeviceInfo::kTextSize;
}

bool wantsHelp(const Args& args) {
    return args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "/?");
}

int usage(const char* text, bool withOptions = true) {
    std::fputs(text, stderr);
    if (withOptions) std::fputs(kOptionsUsage, stderr);
    return kExitUsage;
}

int usageError(const std::string& error, const char* text) {
    std::fprintf(stderr, "FEHLER: %s\n\n", error.c_str());
    return usage(text);
}

int help(const char* text) {
    std::fputs(text, stdout);
    std::fputs(kOptionsUsage, stdout);
    return kExitOk;
}

// The options every profile command shares, and what is left.
struct Options {
    Args rest;
    std::optional<std::int32_t> kind;
    std::optional<std::int32_t> region;
    std::uint32_t waitMs = kCliDeviceWaitMs;
    bool force = false;
};

// "--name VALUE" or "--name=VALUE"; false when `arg` is not that option.
bool takeOption(const Args& args, std::size_t& i, const char* name, std::string& value,
                bool& missing) {
    const std::string& arg = args[i];
    const std::string flag = std::string("--") + name;
    if (arg == flag) {
        missing = i + 1 >= args.size();
        if (!missing) value = args[++i];
        return true;
    }
    if (arg.rfind(flag + "=", 0) == 0) {
        value = arg.substr(flag.size() + 1);
        return true;
    }
    return false;
}

std::optional<std::string> parseOptions(const Args& args, bool forceAllowed, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        bool missing = false;
        if (takeOption(args, i, "kind", value, missing)) {
            const auto kind = profile::ParseFieldNumber(value);
            if (missing || !kind || !isFamilyDevice(*kind) || (*kind & (*kind - 1)) != 0)
                return std::string("--kind erwartet 1, 2, 4, 8 oder 16.");
            options.kind = *kind;
        } else if (takeOption(args, i, "region", value, missing)) {
            const auto region = profile::ParseFieldNumber(value);
            if (missing || !region || *region < 0 || *region > 1)
                return std::string("--region erwartet 0 (international) oder 1 (Nordamerika).");
            options.region = *region;
        } else if (takeOption(args, i, "wait", value, missing)) {
            const auto seconds = profile::ParseFieldNumber(value);
            if (missing || !seconds || *seconds < 0 || *seconds > 3600)
                return std::string("--wait erwartet Sekunden von 0 bis 3600.");
            options.waitMs = static_cast<std::uint32_t>(*seconds) * 1000u;
        } else if (forceAllowed && args[i] == "--force") {
            options.force = true;
        } else {
            options.rest.push_back(args[i]);
        }
    }
    if (options.kind.has_value() != options.region.has_value())
        return std::string("--kind und --region gehören zusammen.");
    return std::nullopt;
}

// Says in German what a failing code means. A port that cannot be opened is
// told apart by the record's open state: in use by another program, or not
// there at all.
void reportFailure(std::int32_t result, const std::string& port, std::int32_t openState) {
    if (result == device::kDeviceOpenFailed || result == serial::kLinkPortInUse ||
        result == serial::kLinkOpenFailed) {
        const bool busy = openState == device::kOpenBusy || result == serial::kLinkPortInUse;
        std::fprintf(stderr,
                     busy ? "FEHLER: Der Anschluss %s wird von einem anderen Programm benutzt.\n"
                          : "FEHLER: Der Anschluss %s kann nicht geöffnet werden; gibt es ihn?\n",
                     port.c_str());
        return;
    }
    std::fprintf(stderr, "FEHLER: %s (Code %d).\n", status::statusText(result).c_str(),
                 static_cast<int>(result));
}

int finish(std::int32_t result, const std::string& port,
           std::int32_t openState = device::kOpenNotTried) {
    std::printf("result=%d\n", static_cast<int>(result));
    if (result == 0) return kExitOk;
    reportFailure(result, port, openState);
    return kExitFailed;
}

// The folder item of the port (Devices\DeviceNN with a matching "Port"), so
// the profile names and flags are the ones the folder shows; without one the
// record keeps its defaults and stays unbound.
void findFolderItem(const std::string& port, CProfileSettings& settings) {
    const CRegistry devices(std::string(kSuiteKey) + "\\Devices");
    for (std::int32_t n = 1; n <= kFolderItems; ++n) {
        char name[24];
        std::snprintf(name, sizeof name, "Device%.2d", static_cast<int>(n));
        const CRegistry item = devices.SubKey(name);
        std::string itemPort;
        if (item.ReadString("Port", itemPort) != registry::kRegOk) continue;
        if (strcasecmp(itemPort.c_str(), port.c_str()) != 0) continue;
        settings.Bind(item);
        settings.Load();
        return;
    }
}

// One command's view of an adapter: its record, its profiles and the folder
// item's settings.
struct Adapter {
    explicit Adapter(const std::string& portName) : port(portName) {
        device->SetPort(port.c_str());
        findFolderItem(port, settings);
    }
    std::string port;
    std::unique_ptr<CDeviceInfo> device = std::make_unique<CDeviceInfo>();
    std::unique_ptr<CDeviceProfiles> model = std::make_unique<CDeviceProfiles>();
    CProfileSettings settings;
};

// Kind and region of the adapter: as the script gave them, or from one
// status query that serves the whole command. 0 or the failing code.
std::int32_t learnAdapter(const Options& options, Adapter& adapter) {
    CDeviceInfo& device = *adapter.device;
    if (options.kind) {
        device.type = *options.kind;
        device.region = *options.region;
        return 0;
    }
    const std::int32_t result = device.QueryStatus();
    if (result != 0) return result;
    // Only the boot loader runs: there are no profiles to ask for.
    if (device.firmwareState == device::kFirmwareBootOnly) return profile::kProfileBootLoaderOnly;
    return 0;
}

// The profiles, under the names the folder shows. 0 or the failing code.
std::int32_t readProfiles(Adapter& adapter) {
    const std::int32_t result = adapter.model->ReadProfiles(adapter.port, adapter.device->region,
                                                            adapter.device->type, adapter.settings);
    if (result != 0) return result;
    for (std::size_t i = 0; i < adapter.model->profiles.size(); ++i)
        adapter.model->profiles[i].name = adapter.settings.names[i];
    return 0;
}

// The groups the adapter did not list whole, as "P1: Leitung; P2: Bandbreite".
std::string incompleteGroups(const CDeviceProfiles& model) {
    std::string text;
    for (std::size_t i = 0; i < model.IncompleteGroups().size(); ++i) {
        const std::uint32_t groups = model.IncompleteGroups()[i];
        if (groups == 0) continue;
        if (!text.empty()) text += "; ";
        text += "P" + std::to_string(i) + ": " + profile::ListingGroupNames(groups);
    }
    return text;
}

// Writing back values the adapter never listed would send cleared values as
// if they were its own. 0, or kProfileListingGroupsMissing with the groups
// named.
std::int32_t refuseIncompleteListing(const CDeviceProfiles& model, bool force) {
    const std::string groups = incompleteGroups(model);
    if (groups.empty() || force) return 0;
    std::fprintf(stderr,
                 "FEHLER: Das Gerät hat diese Gruppen nicht vollständig gemeldet: %s.\n"
                 "Es wird nichts geschrieben; mit --force werden dort die leeren Werte "
                 "geschrieben.\n",
                 groups.c_str());
    return profile::kProfileListingGroupsMissing;
}

// Writes the model back. An "ERROR" answer does not stop the write, but a
// script must not take the command for a success: each refused line is
// printed and the exit code is 1 while the result stays as the writer gave it.
int writeBack(Adapter& adapter) {
    const std::int32_t result = adapter.model->WriteProfiles(adapter.port);
    if (result == 0 && adapter.settings.IsBound()) {
        for (std::size_t i = 0; i < adapter.model->profiles.size(); ++i)
            adapter.settings.names[i] = adapter.model->profiles[i].name;
        adapter.settings.Save();
    }
    const int exit = finish(result, adapter.port);
    const auto& refused = adapter.model->RefusedLines();
    for (const std::string& line : refused)
        std::printf("refused=%s\n", platform::escapeControl(line).c_str());
    if (refused.empty()) return exit;
    std::fprintf(stderr,
                 "FEHLER: Das Gerät hat %zu Befehlszeile(n) mit \"ERROR\" abgelehnt; diese "
                 "Einstellungen wurden nicht übernommen.\n",
                 refused.size());
    return kExitFailed;
}

void printModel(const CDeviceProfiles& model) {
    std::printf("%s=%d\n", profile::kKeyDeviceType, static_cast<int>(model.deviceKind));
    std::printf("%s=%d\n", profile::kKeyDefaultProfile, static_cast<int>(model.activeProfile));
    std::printf("%s=%d\n", profile::kKeyIsdnType, static_cast<int>(model.northAmerica));
    for (std::size_t i = 0; i < model.profiles.size(); ++i)
        for (const profile::ProfileFileKey& key : profile::ProfileFileKeys())
            std::printf(
                "P%zu.%s=%s\n", i, key.name,
                platform::escapeControl(profile::ProfileKeyText(model.profiles[i], key)).c_str());
}

struct Change {
    std::int32_t profile = -1;  // -1: the default profile
    const profile::ProfileFileKey* key = nullptr;
    std::string value;
};

// "P<n>.<key>=<value>" or "Default Profile=<n>", checked against the field's
// rule; an error text on failure.
std::optional<std::string> parseChange(const std::string& arg, Change& change) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos) return "\"" + arg + "\": \"=\" fehlt.";
    const std::string name = arg.substr(0, eq);
    change.value = arg.substr(eq + 1);
    const profile::FieldInfo* field = nullptr;
    if (strcasecmp(name.c_str(), profile::kKeyDefaultProfile) == 0) {
        field = profile::FindGeneralField(profile::kKeyDefaultProfile);
    } else {
        if (name.size() < 4 || (name[0] != 'P' && name[0] != 'p') || name[1] < '0' ||
            name[1] > '2' || name[2] != '.')
            return "\"" + arg + "\": Erwartet wird P<n>.<Schlüssel>=<Wert> mit n = 0, 1 oder 2.";
        change.profile = name[1] - '0';
        change.key = profile::FindProfileKey(name.substr(3));
        field = profile::FindProfileField(name.substr(3));
        if (change.key == nullptr || field == nullptr)
            return "\"" + arg + "\": Unbekannter Schlüssel.";
    }
    const profile::FieldFault fault = profile::CheckFieldValue(*field, change.value);
    if (fault == profile::FieldFault::None) return std::nullopt;
    return "Schlüssel \"" + name + "\": " + profile::FieldFaultText(fault) +
           ". Erlaubt: " + profile::FieldRuleText(*field) + ".";
}

void applyChange(const Change& change, CDeviceProfiles& model) {
    const std::int32_t number = profile::ParseFieldNumber(change.value).value_or(0);
    if (change.profile < 0) {
        model.activeProfile = number;
        return;
    }
    profile::SetProfileKeyText(model.profiles[static_cast<std::size_t>(change.profile)],
                               *change.key, change.value);
}

// The keys `tactl write` takes, with what each may hold.
int writeHelp() {
    help(kWriteUsage);
    std::puts("\nSchlüssel (P<n>.<Schlüssel>) und ihre Werte:");
    for (const profile::FieldInfo& field : profile::ProfileFieldList())
        std::printf("  %-46s %s\n", field.key, profile::FieldRuleText(field).c_str());
    const profile::FieldInfo* active = profile::FindGeneralField(profile::kKeyDefaultProfile);
    std::printf("  %-46s %s (ohne P<n>.)\n", active->key, profile::FieldRuleText(*active).c_str());
    return kExitOk;
}

// Import accepts a file of the adapter's own kind; the two variants of the
// external box take each other's files.
bool kindsMatch(std::int32_t fileKind, std::int32_t deviceKind) {
    return fileKind == deviceKind || (IsBox(fileKind) && IsBox(deviceKind));
}

int refuseKinds(std::int32_t fileKind, std::int32_t deviceKind) {
    std::fprintf(stderr, "FEHLER: Gerätetypen stimmen nicht überein (Datei %d, Gerät %d).\n",
                 static_cast<int>(fileKind), static_cast<int>(deviceKind));
    std::printf("result=%d\n", static_cast<int>(profile::kProfileKindsDiffer));
    return kExitFailed;
}

std::string fileProblemText(platform::ini::FileProblem problem) {
    using platform::ini::FileProblem;
    switch (problem) {
        case FileProblem::Missing:
            return "gibt es nicht";
        case FileProblem::NoPermission:
            return "darf nicht gelesen werden (keine Berechtigung)";
        case FileProblem::NotAFile:
            return "ist keine gewöhnliche Datei (Ordner, FIFO oder Gerät)";
        case FileProblem::TooLarge:
            return "ist zu groß für eine Profildatei";
        case FileProblem::Unreadable:
        case FileProblem::None:
            break;
    }
    return "kann nicht gelesen werden";
}

// The profile file, read and checked whole before any port is opened. 0 with
// the document and the file's device kind, or the failing code (reported).
std::int32_t loadImportFile(const std::string& path, platform::ini::Document& doc,
                            std::int32_t& fileKind) {
    std::string text;
    const platform::ini::FileProblem problem = platform::ini::readFileText(path, text);
    if (problem != platform::ini::FileProblem::None || text.empty()) {
        std::fprintf(stderr, "FEHLER: Die Datei \"%s\" %s.\n", path.c_str(),
                     problem == platform::ini::FileProblem::None
                         ? "ist leer"
                         : fileProblemText(problem).c_str());
        return profile::kProfileFileUnreadable;
    }
    doc = platform::ini::Document::parse(text);
    if (const auto fault = profile::CheckProfileFile(doc)) {
        const profile::FieldInfo* field = fault->section == profile::kGeneralSection
                                              ? profile::FindGeneralField(fault->key)
                                              : profile::FindProfileField(fault->key);
        std::fprintf(stderr,
                     "FEHLER: Datei \"%s\", Abschnitt [%s], Schlüssel \"%s\": %s. Erlaubt: %s. "
                     "Es wurde nichts geschrieben.\n",
                     path.c_str(), fault->section.c_str(), fault->key.c_str(),
                     profile::FieldFaultText(fault->fault).c_str(),
                     profile::FieldRuleText(*field).c_str());
        return profile::kProfileFileBadValue;
    }
    const std::string* kind = doc.find(profile::kGeneralSection, profile::kKeyDeviceType);
    if (kind == nullptr || kind->empty()) {
        std::fprintf(stderr, "FEHLER: Der Datei \"%s\" fehlt der Gerätetyp ([General] %s).\n",
                     path.c_str(), profile::kKeyDeviceType);
        return profile::kProfileFileEmptyGeneral;
    }
    fileKind = profile::ParseFieldNumber(*kind).value_or(0);
    return 0;
}

// The factory reset: "at>f", and only when that was answered, "atz". Returns
// the open code; the two waits are reported beside it, and whether "at>f"
// was answered "OK".
std::int32_t factoryReset(const std::string& port, std::int32_t& resetWait,
                          std::int32_t& restartWait, bool& resetDone) {
    constexpr std::uint32_t kWaitMs = 5000;
    CComLink link;
    resetWait = restartWait = -1;
    resetDone = false;
    const std::int32_t opened = link.Open(port.c_str(), 57600, 1, 1);
    if (opened != 0) {
        link.Close();
        return opened;
    }
    platform::Event event;
    std::int32_t status = 0;
    std::vector<char> buffer(4096);
    link.ArmResponse(buffer.data(), static_cast<std::int32_t>(buffer.size()), &event, &status,
                     CComLink::kModeResultCode);
    auto exchange = [&](const char* text) {
        event.reset();
        status = 0;
        buffer.assign(buffer.size(), '\0');
        link.Write(text, static_cast<std::uint32_t>(std::char_traits<char>::length(text)));
        const bool answered = event.wait(kWaitMs) == platform::WaitResult::Signaled;
        event.reset();
        return answered ? status : profile::kProfileNoAnswer;
    };
    resetWait = exchange("at>f\r");
    if (resetWait == 0) {
        std::string answer(buffer.data());
        while (!answer.empty() && (answer.back() == '\r' || answer.back() == '\n'))
            answer.pop_back();
        resetDone = answer.ends_with("OK");
        restartWait = exchange("atz\r");
    }
    link.DisarmResponse();
    link.Close();
    return 0;
}

}  // namespace

int runRead(const Args& args) {
    if (wantsHelp(args)) return help(kReadUsage);
    Options options;
    if (const auto error = parseOptions(args, false, options))
        return usageError(*error, kReadUsage);
    if (options.rest.size() != 1 || !validPort(options.rest[0])) return usage(kReadUsage);
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock, options.waitMs)) return kExitFailed;
    Adapter adapter(options.rest[0]);
    std::int32_t result = learnAdapter(options, adapter);
    if (result == 0) result = readProfiles(adapter);
    if (result != 0) return finish(result, adapter.port, adapter.device->openState);
    finish(result, adapter.port);
    printModel(*adapter.model);
    return kExitOk;
}

int runWrite(const Args& args) {
    if (wantsHelp(args)) return writeHelp();
    Options options;
    if (const auto error = parseOptions(args, true, options))
        return usageError(*error, kWriteUsage);
    const Args& rest = options.rest;
    if (rest.size() < 2 || !validPort(rest[0])) return usage(kWriteUsage);
    std::vector<Change> changes(rest.size() - 1);
    bool names = false;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (const auto error = parseChange(rest[i], changes[i - 1]))
            return usageError(*error, kWriteUsage);
        names = names || (changes[i - 1].key && changes[i - 1].key->text == &CProfile::name);
    }
    Adapter adapter(rest[0]);
    if (names && !adapter.settings.IsBound()) {
        // The adapter has no names; they belong to the device folder's item.
        std::fprintf(stderr,
                     "FEHLER: Profilnamen werden beim Eintrag des Anschlusses im Geräteordner "
                     "gespeichert; für %s gibt es keinen. Bitte das Gerät zuerst im Geräteordner "
                     "aufnehmen.\n",
                     adapter.port.c_str());
        std::printf("result=%d\n", static_cast<int>(profile::kProfileNamesNotBound));
        return kExitFailed;
    }
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock, options.waitMs)) return kExitFailed;
    std::int32_t result = learnAdapter(options, adapter);
    if (result == 0) result = readProfiles(adapter);
    if (result == 0) result = refuseIncompleteListing(*adapter.model, options.force);
    if (result != 0) return finish(result, adapter.port, adapter.device->openState);
    for (const Change& c : changes) applyChange(c, *adapter.model);
    return writeBack(adapter);
}

int runExport(const Args& args) {
    if (wantsHelp(args)) return help(kExportUsage);
    Options options;
    if (const auto error = parseOptions(args, false, options))
        return usageError(*error, kExportUsage);
    if (options.rest.size() != 2 || !validPort(options.rest[0]) || options.rest[1].empty())
        return usage(kExportUsage);
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock, options.waitMs)) return kExitFailed;
    Adapter adapter(options.rest[0]);
    std::int32_t result = learnAdapter(options, adapter);
    if (result == 0) result = readProfiles(adapter);
    lock.unlock();
    if (result == 0)
        result = CProfileFile().Save(options.rest[1], *adapter.model, 7, adapter.device->type);
    return finish(result, adapter.port, adapter.device->openState);
}

int runImport(const Args& args) {
    if (wantsHelp(args)) return help(kImportUsage);
    Options options;
    if (const auto error = parseOptions(args, true, options))
        return usageError(*error, kImportUsage);
    if (options.rest.size() != 2 || !validPort(options.rest[0]) || options.rest[1].empty())
        return usage(kImportUsage);
    platform::ini::Document doc;
    std::int32_t fileKind = 0;
    if (const std::int32_t result = loadImportFile(options.rest[1], doc, fileKind); result != 0) {
        std::printf("result=%d\n", static_cast<int>(result));
        return kExitFailed;
    }
    Adapter adapter(options.rest[0]);
    if (options.kind && !kindsMatch(fileKind, *options.kind))
        return refuseKinds(fileKind, *options.kind);

    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock, options.waitMs)) return kExitFailed;
    std::int32_t result = learnAdapter(options, adapter);
    if (result != 0) return finish(result, adapter.port, adapter.device->openState);
    if (!kindsMatch(fileKind, adapter.device->type))
        return refuseKinds(fileKind, adapter.device->type);
    // The file lies over what the adapter holds: what it lacks stays.
    result = readProfiles(adapter);
    if (result == 0) result = refuseIncompleteListing(*adapter.model, options.force);
    if (result != 0) return finish(result, adapter.port, adapter.device->openState);
    profile::OverlayProfileFile(doc, *adapter.model);
    return writeBack(adapter);
}

int runReset(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kResetUsage, stdout), kExitOk;
    Options options;
    if (const auto error = parseOptions(args, false, options))
        return usageError(*error, kResetUsage);
    if (options.rest.size() != 1 || !validPort(options.rest[0]) || options.kind)
        return usage(kResetUsage, false);
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock, options.waitMs)) return kExitFailed;
    const std::string& port = options.rest[0];
    std::int32_t resetWait = -1, restartWait = -1;
    bool resetDone = false;
    const std::int32_t result = factoryReset(port, resetWait, restartWait, resetDone);
    if (result != 0) return finish(result, port);
    std::printf("result=%d\n", static_cast<int>(result));
    std::printf("factoryReset=%d\n", static_cast<int>(resetWait));
    if (restartWait >= 0) std::printf("restart=%d\n", static_cast<int>(restartWait));
    if (resetDone) return kExitOk;
    std::fputs(resetWait == 0
                   ? "FEHLER: Das Gerät hat das Zurücksetzen abgelehnt (keine Antwort \"OK\").\n"
                   : "FEHLER: Das Gerät hat auf das Zurücksetzen nicht geantwortet.\n",
               stderr);
    return kExitFailed;
}

}  // namespace cli
