#include "folder/modem_enumerator.h"

#include <algorithm>
#include <cctype>

#include "platform/os_version.h"
#include "platform/registry_store.h"

namespace {

constexpr const char* kEnumRoot = "Enum";
constexpr const char* kModemDrivers = "System\\CurrentControlSet\\Services\\Class\\Modem";
constexpr const char* kNtClassRoot = "SYSTEM\\CurrentControlSet\\Control\\Class";

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::vector<std::string> subKeys(const std::string& path) {
    std::vector<std::string> names;
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, path, key) == platform::kOk)
        key.subKeyNames(names);
    return names;
}

}  // namespace

EnumPlatform CurrentEnumPlatform() {
    const platform::OsVersion v = platform::osVersion();
    if (v.platformId == platform::kPlatformConsumer) return EnumPlatform::Consumer;
    if (v.platformId == platform::kPlatformNt && v.major == 4) return EnumPlatform::Nt4;
    return EnumPlatform::Other;
}

void CModemEnumerator::Clear() {
    for (auto& list : lists_) list.clear();
}

// Every <bus>\<device>\<instance> whose "Class" is "Modem" and that names a
// driver; the driver key joins E2.
void CModemEnumerator::WalkBuses(std::initializer_list<const char*> buses, KeyList& into) {
    for (const char* bus : buses) {
        const std::string busPath = std::string(kEnumRoot) + "\\" + bus;
        for (const auto& device : subKeys(busPath)) {
            const std::string devicePath = busPath + "\\" + device;
            for (const auto& instance : subKeys(devicePath)) {
                const CRegistry key(devicePath + "\\" + instance);
                std::string cls, driver;
                if (key.ReadString("Class", cls) != 0 || !equalsNoCase(cls, "Modem")) continue;
                if (key.ReadString("Driver", driver) != 0) continue;
                into.push_back(key);
                const auto slash = driver.find('\\');
                if (slash == std::string::npos || slash + 1 >= driver.size()) continue;
                lists_[kListDrivers].emplace_back(std::string(kModemDrivers) + "\\" +
                                                  driver.substr(slash + 1));
            }
        }
    }
}

void CModemEnumerator::EnumerateConsumer() {
    WalkBuses({"Root", "SERENUM"}, lists_[kListBoxes]);
    WalkBuses({"MF", "PCI"}, lists_[kListPci]);
    WalkBuses({"PCMCIA"}, lists_[kListPcCards]);
}

void CModemEnumerator::EnumeratePorts() {
    const std::string ports = std::string(kSuiteKey) + "\\Ports";
    for (const auto& name : subKeys(ports)) lists_[kListPorts].emplace_back(ports + "\\" + name);
}

void CModemEnumerator::EnumerateNt() {
    for (const auto& name : subKeys(kNtClassRoot)) {
        const std::string path = std::string(kNtClassRoot) + "\\" + name;
        std::string cls;
        if (CRegistry(path).ReadString("Class", cls) != 0 || !equalsNoCase(cls, "Modem")) continue;
        for (const auto& instance : subKeys(path))
            lists_[kListNt].emplace_back(path + "\\" + instance);
        return;
    }
}

void CModemEnumerator::EnumerateAll(EnumPlatform platform) {
    Clear();
    if (platform == EnumPlatform::Consumer) EnumerateConsumer();
    if (platform == EnumPlatform::Nt4) EnumerateNt();
    if (platform != EnumPlatform::Other) EnumeratePorts();
}

ModelKind ModelKindOfText(std::string_view text) {
    const auto has = [&](std::string_view part) {
        return text.find(part) != std::string_view::npos;
    };
    if (has("Tamo T/A ISDN Modem") || has("Velka Tamo T-A ISDN Modem")) return kModelBox;
    if (has("Tamo T/A Pro ISDN Modem") || has("Velka Tamo T-A Pro ISDN Modem")) return kModelPro;
    if (has("Tamo T/A PCI ISDN Modem") || has("Velka Tamo T-A PCI Card")) return kModelPci;
    if (endsWith(text, "Tamo T/A") || endsWith(text, "Velka Tamo T-A")) return kModelPcCard;
    return kModelNone;
}

std::string ModelTextOfKey(const CRegistry& key) {
    std::string text;
    for (const char* name : {"DeviceString", "FriendlyName", "Model"})
        if (key.ReadString(name, text) == 0) return text;
    return {};
}

InstalledProducts InstalledProducts::Read() {
    const auto exists = [](const char* path) { return CRegistry(path).Exists() == 0; };
    InstalledProducts p;
    p.isdnModem = exists(kProductIsdnModem);
    p.pro = exists(kProductPro);
    p.pci = exists(kProductPci);
    p.pcCard = exists(kProductPcCard);
    p.mobile = exists(kProductMobile);
    return p;
}

bool InstalledProducts::Has(ModelKind kind) const {
    switch (kind) {
        case kModelBox:
            return isdnModem;
        case kModelPro:
            return pro;
        case kModelPci:
            return pci;
        case kModelPcCard:
            return pcCard;
        default:
            return false;
    }
}

CModemEnumerator::KeyList FilterByModel(const CModemEnumerator::KeyList& from,
                                        const InstalledProducts& products) {
    CModemEnumerator::KeyList kept;
    for (const auto& key : from)
        if (products.Has(ModelKindOfText(ModelTextOfKey(key)))) kept.push_back(key);
    return kept;
}
