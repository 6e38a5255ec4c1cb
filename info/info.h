#pragma once
// CInfo: the device information service that folder and monitor share.
// It finds the adapters on the COM ports, stores and restores their records
// in the registry, and keeps the few values both programs must see: the
// folder's and the monitor's main-window endpoints and the flag that mutes
// the monitor's device-change handling.
//
// Callers hold the device-access mutex (platform::kDeviceAccessMutex, at most
// platform::kDeviceAccessWaitMs) around GetDeviceInfo and PollPorts.
// Every operation returns 0 on success; nothing is thrown.
#include <cstdint>
#include <string>
#include <vector>

#include "device/device_info.h"
#include "info/info_export.h"
#include "platform/device_type.h"
#include "registry/registry.h"

class VELKA_INFO_EXPORT CInfo {
public:
    // Records have one slot per COM port: COM1 in slot 0 up to COM10.
    static constexpr int kMaxSlots = 10;

    // Resets every record, names it after its slot's COM port and runs the
    // record's status query on every port that exists, all at once, one
    // thread per port. A port without an answering adapter leaves its record
    // at type 0; a missing one also gets openState 2 without being opened.
    std::int32_t GetDeviceInfo(CDeviceInfo* devices[], int count);
    // For each key (a stored record of Ports\PortN), restores the record
    // into devices[i] and checks that its port opens and an adapter answers
    // (CDeviceInfo::CheckPort); openState then says so: 2 when the port could
    // not be opened or nothing answered with a result code -- also a device
    // in its boot state, which needs a full detection anyway. Quick: it does
    // not run the full status query. 7003 when any record got openState 2.
    std::int32_t PollPorts(std::vector<CRegistry>& ports, CDeviceInfo* devices[]);

    std::int32_t GetDeviceInfoFromReg(const CRegistry& key, CDeviceInfo* device);
    // Writes "DeviceString" (model name) and "PortName" and whatever else
    // restores the record. Creates the key when missing.
    std::int32_t StoreDeviceInfoToReg(const CRegistry& key, CDeviceInfo* device);
    // Removes the stored record of that port and kind; returns its 1-based
    // slot (the N of Ports\PortN), 0 when there was none, or the registry's
    // code negated (-2005) when the record was found but not deleted.
    std::int32_t DeleteDeviceInfoFromReg(const std::string& port, _DeviceType type);

    // Main-window endpoints ("window handles"); "" stands for none. Visible to
    // every process of the user's session.
    std::int32_t SetFolderWnd(const std::string& endpoint);
    std::string GetFolderWnd() const;
    std::int32_t SetTrayWnd(const std::string& endpoint);
    std::string GetTrayWnd() const;
    std::int32_t SetIgnoreDeviceChange(int ignore);
    int GetIgnoreDeviceChange() const;
};
