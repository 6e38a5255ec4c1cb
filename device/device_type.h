#pragma once
// The device kind as a bit value. The five family kinds fill the low five
// bits; a record may also carry 32 (one of our devices whose model we could
// not tell) or 64 (a modem of another maker).
#include <cstdint>

enum _DeviceType : std::int32_t {
    kDeviceNone = 0,
    kDeviceExternal = 1,    // external box "Tamo T/A ISDN Modem"
    kDevicePro = 2,         // "Pro" box with analogue port and modem
    kDeviceExternal6F = 4,  // external box whose identification carries "6F"
    kDevicePci = 8,         // PCI card
    kDevicePcCard = 16,     // PC card
    kDeviceUnknownModel = 32,
    kDeviceOtherMaker = 64,
};

// Bits that mark an adapter of the family.
inline constexpr std::int32_t kDeviceFamilyMask = 0x1F;

constexpr bool isFamilyDevice(std::int32_t type) {
    return (type & kDeviceFamilyMask) != 0;
}

// The model name stored as "DeviceString" for a record of this kind; the
// folder recognises the kind again from it. Empty for the non-family values.
const char* deviceModelName(std::int32_t type);
