#include "folder/folder_doc.h"

#include <cctype>
#include <cstdio>
#include <thread>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/status_codes.h"
#include "platform/text_format.h"

namespace folderkeys {

std::string Devices() {
    return std::string(kSuiteKey) + "\\Devices";
}
std::string DeviceKey(int number) {
    return Devices() + platform::formatPrintf("\\Device%.2d", number);
}
std::string Ports() {
    return std::string(kSuiteKey) + "\\Ports";
}
std::string PortKey(int number) {
    return Ports() + platform::formatPrintf("\\Port%.1d", number);
}
std::string DeviceAbsentKey() {
    return std::string(kSuiteKey) + "\\DeviceAbsent";
}
std::string FreshInstallKey() {
    return std::string(kSuiteKey) + "\\FreshInstall";
}

bool DeviceAbsent() {
    const CRegistry key(DeviceAbsentKey());
    std::uint32_t value = 0;
    std::string text;
    if (key.ReadDword("DeviceAbsent", value) == 0) return value == 1;
    return key.ReadString("DeviceAbsent", text) == 0 && text == "1";
}

void SetDeviceAbsent(const char* text) {
    const CRegistry key(DeviceAbsentKey());
    key.Create();
    key.WriteString("DeviceAbsent", text);
}

void SetDeviceAbsentDword(std::uint32_t value) {
    const CRegistry key(DeviceAbsentKey());
    key.Create();
    key.WriteDword("DeviceAbsent", value);
}

int FreshInstall() {
    std::string text;
    if (CRegistry(FreshInstallKey()).ReadString("FreshInstall", text) != 0) return 0;
    return std::atoi(text.c_str());
}

void SetFreshInstall(const char* text) {
    const CRegistry key(FreshInstallKey());
    key.Create();
    key.WriteString("FreshInstall", text);
}

std::string DirectoryFolder(const char* name) {
    std::string dir;
    if (CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString(name, dir) != 0) return {};
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace folderkeys

namespace {

const CRegistry& viewKey() {
    static const CRegistry key(std::string(kSuiteKey) + "\\View");
    return key;
}

void readSetting(const char* name, std::int32_t& value) {
    std::uint32_t v = 0;
    if (viewKey().ReadDword(name, v) == 0) value = static_cast<std::int32_t>(v);
}

// The number of a port name from its first digit on ("COM12" -> 12); 0
// when it has none.
int portNumber(const std::string& port) {
    const auto digit = port.find_first_of("0123456789");
    if (digit == std::string::npos) return 0;
    int n = 0;
    for (std::size_t i = digit;
         i < port.size() && std::isdigit(static_cast<unsigned char>(port[i])); ++i) {
        n = n * 10 + (port[i] - '0');
        if (n > 1000) break;  // far beyond any slot
    }
    return n;
}

}  // namespace

void FolderSettings::Load() {
    std::uint32_t v = 0;
    style = viewKey().ReadDword("Style", v) == 0 ? static_cast<std::int32_t>(v) : -1;
    readSetting("CheckDriver", checkDriver);
    readSetting("CheckNewDevices", checkNewDevices);
    readSetting("CheckForNewerFirmware", checkForNewerFirmware);
    readSetting("DetectOptimalCOMSpeed", detectOptimalCOMSpeed);
}

void FolderSettings::Save() const {
    viewKey().Create();
    viewKey().WriteDword("Style", static_cast<std::uint32_t>(style));
    viewKey().WriteDword("CheckDriver", static_cast<std::uint32_t>(checkDriver));
    viewKey().WriteDword("CheckNewDevices", static_cast<std::uint32_t>(checkNewDevices));
    viewKey().WriteDword("CheckForNewerFirmware",
                         static_cast<std::uint32_t>(checkForNewerFirmware));
    viewKey().WriteDword("DetectOptimalCOMSpeed",
                         static_cast<std::uint32_t>(detectOptimalCOMSpeed));
}

CFolderDoc::CFolderDoc()
    : platform_(CurrentEnumPlatform()), deviceAccess_(platform::kDeviceAccessMutex) {
    for (auto& record : records_) record = std::make_unique<CDeviceInfo>();
    products_ = InstalledProducts::Read();
    settings_.Load();
}

CFolderDoc::~CFolderDoc() = default;

std::int32_t CFolderDoc::Refresh() {
    if (running_.exchange(true)) return folder::kFolderDevicesBusy;
    if (deviceAccess_.lock(platform::kDeviceAccessWaitMs) != platform::WaitResult::Signaled) {
        running_ = false;
        return folder::kFolderDevicesBusy;
    }
    // The monitor may just have let go of the adapters; they settle first.
    std::this_thread::sleep_for(platform::scaled(1000));
    ResetAll();
    Enumerate();
    LoadItems();
    CDeviceInfo* pointers[kMaxRecords];
    for (int i = 0; i < kMaxRecords; ++i) pointers[i] = records_[i].get();
    info_.GetDeviceInfo(pointers, kMaxRecords);
    MatchItems();
    deviceAccess_.unlock();
    running_ = false;
    Save();
    return 0;
}

void CFolderDoc::LoadFromRegistry() {
    ResetAll();
    Enumerate();
    LoadItems();
    LoadStoredRecords();
    MatchItems();
    StoreRecords();
}

void CFolderDoc::ResetAll() {
    for (auto& item : items_) item.Reset();
    for (auto& record : records_) record->ResetRecord();
    matched_.fill(false);
    loadedCount_ = 0;
}

void CFolderDoc::Enumerate() {
    enumerator_.EnumerateAll(platform_);
    products_ = InstalledProducts::Read();
    FilterLists();
}

void CFolderDoc::FilterLists() {
    for (int list = 0; list < kListCount; ++list)
        filtered_[list] = FilterByModel(enumerator_.List(static_cast<ModemList>(list)), products_);
}

void CFolderDoc::LoadItems() {
    loadedCount_ = 0;
    while (loadedCount_ < kMaxItems) {
        const CRegistry key(folderkeys::DeviceKey(loadedCount_ + 1));
        if (key.Exists() != 0) break;
        CFolderItem& item = items_[loadedCount_++];
        item.Reset();
        std::uint32_t type = 0, configured = 0;
        std::string port;
        if (key.ReadDword("DeviceType", type) != 0 || key.ReadString("Port", port) != 0 ||
            key.ReadDword("Configured", configured) != 0)
            continue;
        item.type = static_cast<std::int32_t>(type);
        item.portName = port;
        item.notConfigured = configured == 0 ? kItemNotConfigured : kItemConfigured;
        item.profileNames.Bind(key);
        item.profileNames.Load();
        FindInstallation(item);
        item.label = MakeLabel(item);
    }
    settings_.Load();
}

void CFolderDoc::MatchItems() {
    for (int i = 0; i < kMaxItems && !items_[i].IsEmpty(); ++i) {
        CFolderItem& item = items_[i];
        const int n = portNumber(item.portName);
        // COM11 and above have no record: only ten ports are polled.
        if (n <= 0 || n > kMaxRecords) {
            item.device = nullptr;
            continue;
        }
        CDeviceInfo& record = *records_[n - 1];
        item.device = &record;
        if (record.type == item.type) {
            item.responding = record.firmwareState == device::kFirmwareRunning ? 1 : 0;
            matched_[n - 1] = true;
        }
    }
    for (int s = 0; s < kMaxRecords && loadedCount_ + s < kMaxItems; ++s) {
        CDeviceInfo& record = *records_[s];
        if (!matched_[s] && (record.type & 0x1F) != 0) AddNewItem(loadedCount_ + s, record);
    }
}

void CFolderDoc::AddNewItem(int index, CDeviceInfo& record) {
    CFolderItem& item = items_[index];
    item.Reset();
    item.device = &record;
    item.type = record.type;
    item.portName = record.port;
    item.label = record.identification;
    item.responding = record.firmwareState == device::kFirmwareRunning ? 1 : 0;
    FindInstallation(item);
    item.label = MakeLabel(item);
}

void CFolderDoc::LoadStoredRecords() {
    for (int s = 0; s < kMaxRecords; ++s) {
        const CRegistry key(std::string(kSuiteKey) + "\\Ports\\Port" + std::to_string(s + 1));
        if (key.Exists() == 0) info_.GetDeviceInfoFromReg(key, records_[s].get());
    }
}

void CFolderDoc::StoreRecords() {
    platform::RegKey suite;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, kSuiteKey, suite) == platform::kOk)
        suite.deleteTree("Ports");
    for (int s = 0; s < kMaxRecords; ++s)
        if ((records_[s]->type & 0x1F) != 0)
            info_.StoreDeviceInfoToReg(CRegistry(folderkeys::PortKey(s + 1)), records_[s].get());
}

const CModemEnumerator::KeyList* CFolderDoc::InstallationList(std::int32_t type,
                                                              const char** portValue) const {
    *portValue = "AttachedTo";
    if (platform_ == EnumPlatform::Nt4) return &filtered_[kListNt];
    if (platform_ != EnumPlatform::Consumer) return nullptr;
    switch (type) {
        case kDeviceExternal:
        case kDevicePro:
        case kDeviceExternal6F:
            return &filtered_[kListBoxes];
        case kDevicePci:
            *portValue = "PORTNAME";
            return &filtered_[kListPci];
        case kDevicePcCard:
            *portValue = "PORTNAME";
            return &filtered_[kListPcCards];
        default:
            return nullptr;
    }
}

void CFolderDoc::FindInstallation(CFolderItem& item) const {
    item.installedInWindows = 0;
    item.installedAs.clear();
    if (!item.IsFamily()) return;
    const char* portValue = nullptr;
    const auto* list = InstallationList(item.type, &portValue);
    if (!list) return;
    for (const auto& key : *list) {
        std::string attached;
        if (key.ReadString(portValue, attached) != 0 || attached != item.portName) continue;
        std::string friendly, driver, description;
        key.ReadString("FriendlyName", friendly);
        key.ReadString("Driver", driver);
        const CRegistry driverKey("System\\CurrentControlSet\\Services\\Class\\" + driver);
        if (driver.empty() || driverKey.ReadString("DriverDesc", description) != 0)
            description = friendly;
        item.installedAs = description;
        item.installKey = driverKey;
        item.installedInWindows = 1;
        return;
    }
}

std::string CFolderDoc::MakeLabel(const CFolderItem& item) const {
    if (item.installedInWindows && !item.installedAs.empty()) return item.installedAs;
    std::string name;
    switch (item.type) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            name = folder::Utf8(folder::IDS_BOX);
            break;
        case kDevicePro:
            name = folder::Utf8(folder::IDS_PRO_BOX);
            break;
        case kDevicePci:
            name = folder::Utf8(folder::IDS_PCI_CARD);
            break;
        case kDevicePcCard:
            name = folder::Utf8(folder::IDS_PC_CARD);
            break;
        default:
            name = platform::formatPrintf(
                "%s (Code %d)", folder::Utf8(folder::IDS_OTHER_DEVICE).c_str(), item.type);
    }
    return name + folder::Utf8(folder::IDS_ON_PORT) + item.portName;
}

void CFolderDoc::Save() {
    platform::RegKey suite;
    if (platform::RegKey::create(platform::RegRoot::LocalMachine, kSuiteKey, suite) ==
        platform::kOk)
        suite.deleteTree("Devices");
    int k = 0;
    for (auto& item : items_) {
        if (!item.IsFamily()) continue;
        const CRegistry key(folderkeys::DeviceKey(++k));
        if (key.Create() != 0) {
            --k;
            continue;
        }
        key.WriteDword("DeviceType", static_cast<std::uint32_t>(item.type));
        key.WriteString("Port", item.portName.c_str());
        // Only a configured item is stored as configured: an unknown state
        // would otherwise come back as "configured" at the next start.
        key.WriteDword("Configured", item.notConfigured == kItemConfigured ? 1 : 0);
        item.profileNames.Bind(key);
        item.profileNames.Save();
    }
    StoreRecords();
    folderkeys::SetDeviceAbsentDword(0);
    settings_.Save();
}

int CFolderDoc::CountAdapters() const {
    int count = 0;
    for (const auto& record : records_)
        if ((record->type & 0x1F) != 0) ++count;
    return count;
}

namespace {

// A stored record's model name as the driver keys name it.
std::string normalisedBoxName(const std::string& text) {
    if (text.find("Velka Tamo T-A Pro ISDN Modem") != std::string::npos ||
        text.find("Tamo T/A Pro ISDN Modem") != std::string::npos)
        return "Tamo T/A Pro ISDN Modem";
    if (text.find("Velka Tamo T-A ISDN Modem") != std::string::npos ||
        text.find("Tamo T/A ISDN Modem") != std::string::npos)
        return "Tamo T/A ISDN Modem";
    return {};
}

std::string read(const CRegistry& key, const char* name) {
    std::string text;
    key.ReadString(name, text);
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool CFolderDoc::HardwareChanged() {
    if (platform_ == EnumPlatform::Other) return false;
    Enumerate();
    const auto& ports = filtered_[kListPorts];
    const auto& drivers = filtered_[kListDrivers];
    int matches = 0;
    for (const auto& port : ports) {
        const std::string model = read(port, "DeviceString");
        const std::string portName = read(port, "PortName");
        const auto attachedHere = [&](const CModemEnumerator::KeyList& list, const char* value,
                                      auto fits) {
            for (const auto& key : list)
                if (fits(key) && read(key, value) == portName) return true;
            return false;
        };
        bool found = false;
        if (platform_ == EnumPlatform::Nt4) {
            found = attachedHere(filtered_[kListNt], "AttachedTo", [&](const CRegistry& k) {
                return ModelKindOfText(ModelTextOfKey(k)) == ModelKindOfText(model);
            });
        } else if (const std::string box = normalisedBoxName(model); !box.empty()) {
            found = attachedHere(drivers, "AttachedTo", [&](const CRegistry& k) {
                return normalisedBoxName(read(k, "Model")) == box;
            });
        } else if (model.find("Tamo T/A PCI ISDN Modem") != std::string::npos) {
            found = attachedHere(filtered_[kListPci], "PORTNAME", [&](const CRegistry& k) {
                return read(k, "FriendlyName").find("Velka Tamo T-A PCI Card") != std::string::npos;
            });
        } else if (endsWith(model, "Tamo T/A")) {
            found = attachedHere(filtered_[kListPcCards], "PORTNAME", [&](const CRegistry& k) {
                return endsWith(read(k, "FriendlyName"), "Velka Tamo T-A");
            });
        }
        if (found) ++matches;
    }
    const auto& installed = platform_ == EnumPlatform::Nt4 ? filtered_[kListNt] : drivers;
    const bool unchanged =
        matches == static_cast<int>(ports.size()) && ports.size() == installed.size();
    if (!unchanged) Save();
    return !unchanged;
}

bool CFolderDoc::PortsAnswer() {
    auto ports = filtered_[kListPorts];
    if (ports.empty()) return true;
    std::vector<std::unique_ptr<CDeviceInfo>> fresh;
    std::vector<CDeviceInfo*> pointers;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        fresh.push_back(std::make_unique<CDeviceInfo>());
        pointers.push_back(fresh.back().get());
    }
    if (deviceAccess_.lock(platform::kDeviceAccessWaitMs) != platform::WaitResult::Signaled)
        return false;
    info_.PollPorts(ports, pointers.data());
    deviceAccess_.unlock();
    for (const auto* record : pointers)
        if (record->openState == device::kOpenFailed) return false;
    return true;
}

bool CFolderDoc::NeedsFullDetection() {
    ResetAll();
    Enumerate();
    LoadItems();
    if (loadedCount_ == 0) return true;
    if (folderkeys::FreshInstall() == 1) return true;
    if (folderkeys::DeviceAbsent()) return true;
    if (HardwareChanged()) return true;
    return !PortsAnswer();
}
