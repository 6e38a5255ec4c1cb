#pragma once
// The device kind as a bit value. The five family kinds fill the low five
// bits; a record may also carry 32 (one of our devices whose model we could
// not tell) or 64 (a modem of another maker). Free of dependencies, so that
// every library tests kinds by name rather than by number.
#include <cstdint>
#include <initializer_list>

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

// One of the values above, as a stored record may carry them.
constexpr bool IsDeviceTypeValue(std::int64_t value) {
    for (const std::int32_t kind :
         {kDeviceNone, kDeviceExternal, kDevicePro, kDeviceExternal6F, kDevicePci, kDevicePcCard,
          kDeviceUnknownModel, kDeviceOtherMaker})
        if (value == kind) return true;
    return false;
}

// The two variants of the external box (1 and 4) behave alike.
constexpr bool IsBox(std::int32_t kind) {
    return kind == kDeviceExternal || kind == kDeviceExternal6F;
}
constexpr bool IsPro(std::int32_t kind) {
    return kind == kDevicePro;
}
constexpr bool IsCard(std::int32_t kind) {
    return kind == kDevicePci || kind == kDevicePcCard;
}
