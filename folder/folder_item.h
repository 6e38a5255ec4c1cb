#pragma once
// CFolderItem: one adapter as the folder shows it -- a remembered entry of
// Devices\DeviceNN, a record found on a port, or both matched together.
#include <cstdint>
#include <string>

#include "device/device_info.h"
#include "profile/profile_settings.h"
#include "registry/registry.h"

// The newest firmware file on disk for an item, for the newer-firmware check.
struct FirmwareCheck {
    std::string file;
    std::int32_t type = 0;
    std::int32_t region = 0;
    std::string version;
};

// Configuration state of an item (`notConfigured`).
inline constexpr std::int32_t kItemConfigured = 0;
inline constexpr std::int32_t kItemNotConfigured = 1;
inline constexpr std::int32_t kItemConfiguredUnknown = 2;

struct CFolderItem {
    CDeviceInfo* device = nullptr;
    CProfileSettings profileNames;
    FirmwareCheck firmwareCheck;
    std::string label;
    std::string portName;
    std::int32_t type = 0;
    std::int32_t notConfigured = kItemConfiguredUnknown;
    std::int32_t responding = 0;
    std::string installedAs;
    std::int32_t installedInWindows = 0;
    CRegistry installKey;
    std::string statusText;
    std::int32_t flag = 0;  // unused; kept for the record's shape

    bool IsEmpty() const {
        return label.empty() && portName.empty() && device == nullptr && type == 0 &&
               notConfigured == kItemConfiguredUnknown && responding == 0;
    }
    // An adapter of the family (the list shows it, the save keeps it).
    bool IsFamily() const { return (type & 0x1F) != 0; }
    // Answered at the last detection, running its firmware.
    bool Responds() const { return responding == 1 && device != nullptr; }
    void Reset() { *this = CFolderItem(); }
};
