#pragma once
// CFolderDoc: the list of adapters the folder shows and the settings of the
// view. It combines the items remembered in Devices\DeviceNN, the records
// the device information service finds on the ports, and the modems the
// system has installed, and stores the result again.
//
// Refresh runs on a worker thread under the device-access mutex; the
// user-interface thread reads the items only after it was told the refresh
// ended.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "device/device_info.h"
#include "folder/folder_item.h"
#include "folder/modem_enumerator.h"
#include "info/info.h"
#include "platform/named_mutex.h"

// The five view settings (key View of the suite).
struct FolderSettings {
    std::int32_t style = -1;  // none stored
    std::int32_t checkDriver = 1;
    std::int32_t checkNewDevices = 1;
    std::int32_t checkForNewerFirmware = 1;
    std::int32_t detectOptimalCOMSpeed = 1;

    // A missing "Style" leaves -1; every other missing value keeps its value.
    void Load();
    void Save() const;
};

class CFolderDoc {
public:
    static constexpr int kMaxItems = 15;
    static constexpr int kMaxRecords = CInfo::kMaxSlots;

    CFolderDoc();
    ~CFolderDoc();
    CFolderDoc(const CFolderDoc&) = delete;
    CFolderDoc& operator=(const CFolderDoc&) = delete;

    // The full refresh: polls every port. 9001 when another refresh runs or
    // the device-access mutex cannot be had in 20 s (the list stays as it was).
    std::int32_t Refresh();
    // The quick start: the stored items and records, no port polled.
    void LoadFromRegistry();
    // Items, records and settings.
    void Save();
    // Records of the family.
    int CountAdapters() const;
    // The start-up tests. HardwareChanged saves the list when it changed.
    bool HardwareChanged();
    bool PortsAnswer();
    // Whether the next start must detect afresh; in the order the folder
    // tests it, the last two only on a platform with enumeration keys.
    bool NeedsFullDetection();

    // The steps of a refresh, one by one (tests drive them too).
    void ResetAll();
    void Enumerate();
    void LoadItems();
    void MatchItems();
    void LoadStoredRecords();
    void StoreRecords();
    void FindInstallation(CFolderItem& item) const;
    std::string MakeLabel(const CFolderItem& item) const;

    CFolderItem& Item(int index) { return items_[index]; }
    const CFolderItem& Item(int index) const { return items_[index]; }
    CDeviceInfo& Record(int slot) { return *records_[slot]; }
    int LoadedCount() const { return loadedCount_; }
    FolderSettings& Settings() { return settings_; }
    const InstalledProducts& Products() const { return products_; }
    void SetProducts(const InstalledProducts& products) { products_ = products; }
    const CModemEnumerator::KeyList& List(ModemList list) const { return filtered_[list]; }
    CInfo& Info() { return info_; }

private:
    void FilterLists();
    void AddNewItem(int index, CDeviceInfo& record);
    const CModemEnumerator::KeyList* InstallationList(std::int32_t type,
                                                      const char** portValue) const;

    std::array<CFolderItem, kMaxItems> items_;
    int loadedCount_ = 0;
    std::array<std::unique_ptr<CDeviceInfo>, kMaxRecords> records_;
    std::array<bool, kMaxRecords> matched_{};
    CInfo info_;
    CModemEnumerator enumerator_;
    std::array<CModemEnumerator::KeyList, kListCount> filtered_;
    InstalledProducts products_;
    EnumPlatform platform_;
    platform::NamedMutex deviceAccess_;
    std::atomic<bool> running_{false};
    FolderSettings settings_;
};

// Keys and values of the suite that the folder keeps.
namespace folderkeys {
std::string Devices();
std::string DeviceKey(int number);  // Devices\Device01 .. 15
std::string Ports();
std::string PortKey(int number);  // Ports\Port1 .. 10
std::string DeviceAbsentKey();
std::string FreshInstallKey();
// "DeviceAbsent" is written as the string "0" and as DWORD 0; 1 in either form counts.
bool DeviceAbsent();
void SetDeviceAbsent(const char* text);
void SetDeviceAbsentDword(std::uint32_t value);
// "FreshInstall" is a decimal string; a missing value counts as 0.
int FreshInstall();
void SetFreshInstall(const char* text);
// The Directory value `name` as a folder to append file names to (ending in
// "/"); empty when the value is missing or empty.
std::string DirectoryFolder(const char* name);
}  // namespace folderkeys
