#include "device/modem_records.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>

#include "platform/device_type.h"
#include "platform/os_version.h"
#include "platform/registry_store.h"
#include "serial/com_speed.h"

namespace device {

namespace {

using platform::RegKey;
using platform::RegRoot;

constexpr RegRoot kMachine = RegRoot::LocalMachine;
// The buses the consumer line enumerates modems on.
constexpr const char* kBuses[] = {"Enum\\Root", "Enum\\SERENUM", "Enum\\PCMCIA", "Enum\\MF",
                                  "Enum\\PCI"};

bool ntLine() {
    return platform::osVersion().platformId == platform::kPlatformNt;
}

std::string join(std::string_view parent, std::string_view child) {
    return std::string(parent) + "\\" + std::string(child);
}

std::string readText(const RegKey& key, const char* name) {
    std::string text;
    return key.readString(name, text) == platform::kOk ? text : std::string();
}

// The device key an instance of this kind is added below.
std::string deviceKeyOf(const ModemInstall& modem) {
    if (modem.kind == kDevicePci) return "Enum\\PCI\\VELKA_TA_PCI";
    if (modem.kind == kDevicePcCard) return "Enum\\PCMCIA\\VELKA-TAMO_T-A";
    return modem.plugAndPlay ? "Enum\\SERENUM\\VELKA_TA" : "Enum\\Root\\MODEM";
}

// The smallest four-digit sub-key name that is still free.
std::int32_t freeSubKey(const RegKey& parent, std::string& name) {
    std::vector<std::string> names;
    if (const std::int32_t rc = parent.subKeyNames(names); rc != platform::kOk) return rc;
    for (unsigned n = 0; n < 10000; ++n) {
        char candidate[8];
        std::snprintf(candidate, sizeof candidate, "%04u", n);
        bool taken = false;
        for (const std::string& existing : names) taken = taken || SameText(existing, candidate);
        if (!taken) {
            name = candidate;
            return platform::kOk;
        }
    }
    return platform::kNoMoreItems;
}

// Creates parent\<free number> and hands back its path.
std::int32_t createNumbered(const std::string& parentPath, RegKey& key, std::string& path) {
    RegKey parent;
    std::int32_t rc = RegKey::create(kMachine, parentPath, parent);
    std::string name;
    if (rc == platform::kOk) rc = freeSubKey(parent, name);
    if (rc != platform::kOk) return rc;
    path = join(parentPath, name);
    return RegKey::create(kMachine, path, key);
}

std::int32_t setValues(RegKey& key,
                       std::initializer_list<std::pair<const char*, std::string_view>> values) {
    for (const auto& [name, text] : values)
        if (const std::int32_t rc = key.setString(name, text); rc != platform::kOk) return rc;
    return platform::kOk;
}

InstalledModem readInstance(const RegKey& instance, std::string driverKey) {
    InstalledModem modem;
    modem.instanceKey = instance.path();
    modem.port = readText(instance, "AttachedTo");
    if (modem.port.empty()) modem.port = readText(instance, "PORTNAME");
    modem.friendlyName = readText(instance, "FriendlyName");
    modem.driverKey = std::move(driverKey);
    RegKey driver;
    if (!modem.driverKey.empty() &&
        RegKey::open(kMachine, modem.driverKey, driver) == platform::kOk) {
        modem.model = readText(driver, "Model");
        if (modem.model.empty()) modem.model = readText(driver, "DriverDesc");
        if (modem.port.empty()) modem.port = readText(driver, "AttachedTo");
    }
    return modem;
}

bool isModemClass(const RegKey& key) {
    return SameText(readText(key, "Class"), "Modem");
}

void listConsumer(std::vector<InstalledModem>& modems) {
    for (const char* bus : kBuses) {
        RegKey busKey;
        std::vector<std::string> devices;
        if (RegKey::open(kMachine, bus, busKey) != platform::kOk) continue;
        busKey.subKeyNames(devices);
        for (const std::string& device : devices) {
            RegKey deviceKey;
            std::vector<std::string> instances;
            if (RegKey::open(kMachine, join(bus, device), deviceKey) != platform::kOk) continue;
            deviceKey.subKeyNames(instances);
            for (const std::string& name : instances) {
                RegKey instance;
                if (RegKey::open(kMachine, join(deviceKey.path(), name), instance) !=
                        platform::kOk ||
                    !isModemClass(instance))
                    continue;
                std::string driver;
                if (instance.readString("Driver", driver) != platform::kOk) continue;
                const std::size_t cut = driver.find('\\');
                const std::string driverKey =
                    cut == std::string::npos
                        ? std::string()
                        : join(join(kModemDriverRoot, "Modem"), driver.substr(cut + 1));
                modems.push_back(readInstance(instance, driverKey));
            }
        }
    }
}

void listNt(std::vector<InstalledModem>& modems) {
    RegKey root;
    std::vector<std::string> classes;
    if (RegKey::open(kMachine, kModemClassRootNt, root) != platform::kOk) return;
    root.subKeyNames(classes);
    for (const std::string& name : classes) {
        RegKey classKey;
        if (RegKey::open(kMachine, join(kModemClassRootNt, name), classKey) != platform::kOk ||
            !isModemClass(classKey))
            continue;
        std::vector<std::string> entries;
        classKey.subKeyNames(entries);
        for (const std::string& entry : entries) {
            RegKey key;
            if (RegKey::open(kMachine, join(classKey.path(), entry), key) == platform::kOk)
                modems.push_back(readInstance(key, key.path()));
        }
        return;
    }
}

std::string parentOf(const std::string& path) {
    const std::size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Deletes the key at `path` with everything below it.
void deleteKey(const std::string& path) {
    RegKey parent;
    if (RegKey::open(kMachine, parentOf(path), parent) == platform::kOk)
        parent.deleteTree(path.substr(path.rfind('\\') + 1));
}

std::int32_t removeAttached(std::string_view port) {
    std::vector<InstalledModem> modems;
    if (const std::int32_t rc = ListModems(modems); rc != platform::kOk) return rc;
    bool found = false;
    for (const InstalledModem& modem : modems) {
        if (!SameText(modem.port, port)) continue;
        found = true;
        if (!modem.driverKey.empty() && modem.driverKey != modem.instanceKey)
            deleteKey(modem.driverKey);
        deleteKey(modem.instanceKey);
        // A device key of the enumeration goes with its last instance.
        const std::string device = parentOf(modem.instanceKey);
        RegKey deviceKey;
        std::vector<std::string> rest;
        if (device.rfind("Enum\\", 0) == 0 &&
            RegKey::open(kMachine, device, deviceKey) == platform::kOk &&
            deviceKey.subKeyNames(rest) == platform::kOk && rest.empty())
            deleteKey(device);
    }
    return found ? platform::kOk : platform::kFileNotFound;
}

std::int32_t installConsumer(const ModemInstall& modem, const char* model,
                             std::string_view friendly, InstalledModem& out) {
    RegKey driver;
    std::string driverPath;
    std::int32_t rc = createNumbered(join(kModemDriverRoot, "Modem"), driver, driverPath);
    if (rc == platform::kOk)
        rc = setValues(driver,
                       {{"DriverDesc", model}, {"Model", model}, {"AttachedTo", modem.port}});
    RegKey instance;
    std::string instancePath;
    if (rc == platform::kOk) rc = createNumbered(deviceKeyOf(modem), instance, instancePath);
    if (rc != platform::kOk) return rc;
    const std::string driverValue = "Modem\\" + driverPath.substr(driverPath.rfind('\\') + 1);
    rc = setValues(instance, {{"Class", "Modem"},
                              {"Driver", driverValue},
                              {IsCard(modem.kind) ? "PORTNAME" : "AttachedTo", modem.port},
                              {"FriendlyName", friendly},
                              {"DeviceDesc", model}});
    out = {instancePath, driverPath, modem.port, std::string(friendly), model};
    return rc;
}

std::int32_t installNt(const ModemInstall& modem, const char* model, std::string_view friendly,
                       InstalledModem& out) {
    const std::string classPath = join(kModemClassRootNt, kModemClassKeyNt);
    RegKey classKey;
    std::int32_t rc = RegKey::create(kMachine, classPath, classKey);
    if (rc == platform::kOk) rc = classKey.setString("Class", "Modem");
    RegKey key;
    std::string path;
    if (rc == platform::kOk) rc = createNumbered(classPath, key, path);
    if (rc == platform::kOk)
        rc = setValues(key, {{"AttachedTo", modem.port},
                             {"FriendlyName", friendly},
                             {"DriverDesc", model},
                             {"Model", model}});
    out = {path, path, modem.port, std::string(friendly), model};
    return rc;
}

}  // namespace

const char* ModemModelName(std::int32_t kind) {
    const std::span<const char* const> names = serial::ModemEntriesOfKind(kind);
    return names.empty() ? nullptr : names[0];
}

std::int32_t InstallModem(const ModemInstall& modem, InstalledModem* installed) {
    const std::span<const char* const> names = serial::ModemEntriesOfKind(modem.kind);
    if (names.empty() || modem.port.empty()) return platform::kInvalidParameter;
    // A box the serial enumerator found carries the plug-and-play name.
    const bool pnp = modem.plugAndPlay && !IsCard(modem.kind) && !ntLine();
    InstalledModem out;
    const std::int32_t rc = platform::regBatch(platform::RegBatch::Write, [&] {
        const std::int32_t removed = removeAttached(modem.port);
        if (removed != platform::kOk && removed != platform::kFileNotFound) return removed;
        return ntLine() ? installNt(modem, names[0], names[0], out)
                        : installConsumer(modem, names[0], pnp ? names[1] : names[0], out);
    });
    if (rc == platform::kOk && installed) *installed = std::move(out);
    return rc;
}

std::int32_t ListModems(std::vector<InstalledModem>& modems) {
    modems.clear();
    return platform::regBatch(platform::RegBatch::Read, [&] {
        if (ntLine())
            listNt(modems);
        else
            listConsumer(modems);
        return platform::kOk;
    });
}

std::int32_t RemoveModem(std::string_view port) {
    return platform::regBatch(platform::RegBatch::Write, [&] { return removeAttached(port); });
}

bool SameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace device
