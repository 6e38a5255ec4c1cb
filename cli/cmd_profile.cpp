// tactl read / write / export / import / reset: the adapter's stored
// profiles from the command line, in the name=value form scripts read.
//   tactl read   COMn
//   tactl write  COMn P<n>.<Schlüssel>=<Wert> ... ["Default Profile=<n>"]
//   tactl export COMn DATEI
//   tactl import COMn DATEI
//   tactl reset  COMn
// Every command holds the device-access mutex while it talks to the adapter,
// so folder and monitor never query the same adapter in between.
#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "device/device_info.h"
#include "platform/event.h"
#include "platform/named_mutex.h"
#include "platform/status_codes.h"
#include "profile/device_profiles.h"
#include "profile/profile_file.h"
#include "profile/profile_settings.h"
#include "registry/registry.h"
#include "serial/com_link.h"

namespace cli {

namespace {

constexpr const char* kReadUsage = "Aufruf: tactl read COMn\n";
constexpr const char* kWriteUsage =
    "Aufruf: tactl write COMn P<n>.<Schlüssel>=<Wert> ... [\"Default Profile=<n>\"]\n"
    "  n ist 0, 1 oder 2; die Schlüssel sind die der Profildatei, z. B.\n"
    "  \"P0.Primary Number1=5551234\" oder \"P2.Connect Type=10\".\n";
constexpr const char* kExportUsage = "Aufruf: tactl export COMn DATEI\n";
constexpr const char* kImportUsage = "Aufruf: tactl import COMn DATEI\n";
constexpr const char* kResetUsage = "Aufruf: tactl reset COMn\n";

constexpr std::int32_t kFolderItems = 15;

bool validPort(const std::string& port) {
    return !port.empty() && port.size() < CDeviceInfo::kTextSize;
}

bool wantsHelp(const Args& args) {
    return args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "/?");
}

int usage(const char* text) {
    std::fputs(text, stderr);
    return kExitUsage;
}

int finish(std::int32_t result) {
    std::printf("result=%d\n", static_cast<int>(result));
    return result == 0 ? kExitOk : kExitFailed;
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
    std::unique_ptr<CDeviceInfo> device = std::make_unique<CDeviceInfo>();
    std::unique_ptr<CDeviceProfiles> model = std::make_unique<CDeviceProfiles>();
    CProfileSettings settings;
};

// Kind and region of the adapter, then its profiles under the names the
// folder shows. 0 or the failing code.
std::int32_t readAdapter(const std::string& port, Adapter& adapter) {
    findFolderItem(port, adapter.settings);
    adapter.device->SetPort(port.c_str());
    std::int32_t result = adapter.device->QueryStatus();
    if (result == 0) result = adapter.model->ReadProfiles(*adapter.device, adapter.settings);
    if (result != 0) return result;
    for (std::size_t i = 0; i < adapter.model->profiles.size(); ++i)
        adapter.model->profiles[i].name = adapter.settings.names[i];
    return 0;
}

// Names live with the folder item, not in the adapter.
void saveNames(const CDeviceProfiles& model, CProfileSettings& settings) {
    if (!settings.IsBound()) return;
    for (std::size_t i = 0; i < model.profiles.size(); ++i)
        settings.names[i] = model.profiles[i].name;
    settings.Save();
}

// Values go out one per line: control characters are shown escaped so a
// value can never start a line of its own.
std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned>(c));
            out += esc;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

void printModel(const CDeviceProfiles& model) {
    std::printf("%s=%d\n", profile::kKeyDeviceType, static_cast<int>(model.deviceKind));
    std::printf("%s=%d\n", profile::kKeyDefaultProfile, static_cast<int>(model.activeProfile));
    std::printf("%s=%d\n", profile::kKeyIsdnType, static_cast<int>(model.northAmerica));
    for (std::size_t i = 0; i < model.profiles.size(); ++i)
        for (const profile::ProfileFileKey& key : profile::ProfileFileKeys())
            std::printf("P%zu.%s=%s\n", i, key.name,
                        printable(profile::ProfileKeyText(model.profiles[i], key)).c_str());
}

// A whole decimal number in the 32-bit range.
bool parseInteger(const std::string& text, std::int32_t& out) {
    if (text.empty() || text.size() > 11) return false;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    const long long value = std::stoll(text);
    if (value < INT32_MIN || value > INT32_MAX) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

struct Change {
    std::int32_t profile = -1;  // -1: the default profile
    const profile::ProfileFileKey* key = nullptr;
    std::string value;
    std::int32_t number = 0;
};

// "P<n>.<key>=<value>" or "Default Profile=<n>"; an error text on failure.
std::optional<std::string> parseChange(const std::string& arg, Change& change) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos) return "\"" + arg + "\": \"=\" fehlt.";
    const std::string name = arg.substr(0, eq);
    change.value = arg.substr(eq + 1);
    if (strcasecmp(name.c_str(), profile::kKeyDefaultProfile) == 0) {
        if (!parseInteger(change.value, change.number) || change.number < 0 || change.number > 2)
            return "\"" + arg + "\": Das Standardprofil muss 0, 1 oder 2 sein.";
        return std::nullopt;
    }
    if (name.size() < 4 || (name[0] != 'P' && name[0] != 'p') || name[1] < '0' || name[1] > '2' ||
        name[2] != '.')
        return "\"" + arg + "\": Erwartet wird P<n>.<Schlüssel>=<Wert> mit n = 0, 1 oder 2.";
    change.profile = name[1] - '0';
    change.key = profile::FindProfileFileKey(name.substr(3));
    if (change.key == nullptr) return "\"" + arg + "\": Unbekannter Schlüssel.";
    if (change.key->text) {
        // The adapter takes a command line up to its carriage return; a line
        // break in a value is never what was meant.
        if (change.value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            return "\"" + arg + "\": Der Wert enthält einen Zeilenumbruch.";
        return std::nullopt;
    }
    if (!parseInteger(change.value, change.number))
        return "\"" + arg + "\": Der Wert ist keine ganze Zahl.";
    if (change.key->byte && (change.number < 0 || change.number > 255))
        return "\"" + arg + "\": Der Wert muss zwischen 0 und 255 liegen.";
    return std::nullopt;
}

void applyChange(const Change& change, CDeviceProfiles& model) {
    if (change.profile < 0) {
        model.activeProfile = change.number;
        return;
    }
    CProfile& p = model.profiles[static_cast<std::size_t>(change.profile)];
    if (change.key->text)
        p.*change.key->text = change.value;
    else if (change.key->number)
        p.*change.key->number = change.number;
    else
        p.*change.key->byte = static_cast<std::uint8_t>(change.number);
}

// Import accepts a file of the adapter's own kind; the two variants of the
// external box take each other's files.
bool kindsMatch(std::int32_t fileKind, std::int32_t deviceKind) {
    return fileKind == deviceKind || (IsBox(fileKind) && IsBox(deviceKind));
}

// The factory reset: "at>f", and only when that was answered, "atz". Returns
// the open code; the two waits are reported beside it.
std::int32_t factoryReset(const std::string& port, std::int32_t& resetWait,
                          std::int32_t& restartWait) {
    constexpr std::uint32_t kWaitMs = 5000;
    CComLink link;
    resetWait = restartWait = -1;
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
        link.Write(text, static_cast<std::uint32_t>(std::char_traits<char>::length(text)));
        const bool answered = event.wait(kWaitMs) == platform::WaitResult::Signaled;
        event.reset();
        return answered ? 0 : profile::kProfileNoAnswer;
    };
    resetWait = exchange("at>f\r");
    if (resetWait == 0) restartWait = exchange("atz\r");
    link.DisarmResponse();
    link.Close();
    return 0;
}

}  // namespace

int runRead(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kReadUsage, stdout), kExitOk;
    if (args.size() != 1 || !validPort(args[0])) return usage(kReadUsage);
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock)) return kExitFailed;
    Adapter adapter;
    const std::int32_t result = readAdapter(args[0], adapter);
    std::printf("result=%d\n", static_cast<int>(result));
    if (result != 0) return kExitFailed;
    printModel(*adapter.model);
    return kExitOk;
}

int runWrite(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kWriteUsage, stdout), kExitOk;
    if (args.size() < 2 || !validPort(args[0])) return usage(kWriteUsage);
    std::vector<Change> changes(args.size() - 1);
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (const auto error = parseChange(args[i], changes[i - 1])) {
            std::fprintf(stderr, "FEHLER: %s\n\n", error->c_str());
            return usage(kWriteUsage);
        }
    }
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock)) return kExitFailed;
    Adapter adapter;
    std::int32_t result = readAdapter(args[0], adapter);
    if (result != 0) return finish(result);
    for (const Change& c : changes) applyChange(c, *adapter.model);
    result = adapter.model->WriteProfiles(*adapter.device);
    if (result == 0) saveNames(*adapter.model, adapter.settings);
    return finish(result);
}

int runExport(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kExportUsage, stdout), kExitOk;
    if (args.size() != 2 || !validPort(args[0]) || args[1].empty()) return usage(kExportUsage);
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock)) return kExitFailed;
    Adapter adapter;
    std::int32_t result = readAdapter(args[0], adapter);
    if (result == 0) result = CProfileFile().Save(args[1], *adapter.model, 7, adapter.device->type);
    return finish(result);
}

int runImport(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kImportUsage, stdout), kExitOk;
    if (args.size() != 2 || !validPort(args[0]) || args[1].empty()) return usage(kImportUsage);
    Adapter adapter;
    std::int32_t fileKind = 0;
    std::int32_t result = CProfileFile().Load(args[1], *adapter.model, 7, fileKind);
    if (result != 0) return finish(result);
    adapter.model->deviceKind = fileKind;

    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock)) return kExitFailed;
    CDeviceInfo& device = *adapter.device;
    device.SetPort(args[0].c_str());
    result = device.QueryStatus();
    if (result != 0) return finish(result);
    if (!kindsMatch(fileKind, device.type)) {
        std::fprintf(stderr, "FEHLER: Gerätetypen stimmen nicht überein (Datei %d, Gerät %d).\n",
                     static_cast<int>(fileKind), static_cast<int>(device.type));
        return finish(profile::kProfileKindsDiffer);
    }
    findFolderItem(args[0], adapter.settings);
    saveNames(*adapter.model, adapter.settings);
    return finish(adapter.model->WriteProfiles(device));
}

int runReset(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kResetUsage, stdout), kExitOk;
    if (args.size() != 1 || !validPort(args[0])) return usage(kResetUsage);
    platform::NamedMutex lock(platform::kDeviceAccessMutex);
    if (!lockDevices(lock)) return kExitFailed;
    std::int32_t resetWait = -1, restartWait = -1;
    const std::int32_t result = factoryReset(args[0], resetWait, restartWait);
    std::printf("result=%d\n", static_cast<int>(result));
    if (result == 0) {
        std::printf("factoryReset=%d\n", static_cast<int>(resetWait));
        if (restartWait >= 0) std::printf("restart=%d\n", static_cast<int>(restartWait));
    }
    return result == 0 ? kExitOk : kExitFailed;
}

}  // namespace cli
