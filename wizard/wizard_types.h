#pragma once
// The values and the record the configurator and the wizard exchange. The
// record crosses two shared libraries, so its field order and widths are
// fixed: NUL-terminated 8-bit texts in 80-byte arrays, signed 32-bit
// integers, one byte of port settings and the caller's region list.
#include <cstddef>
#include <cstdint>

#include "platform/device_type.h"

// How the caller starts the wizard.
enum _WizardCalled : std::int32_t {
    WizCalledConfigure = 1,        // the configurator's Configure command; profile 0
    WizCalledProfilePage = 2,      // from a profile's page; profile index 0..2
    WizCalledKnownConnection = 3,  // the caller fixed the connection type
};

// The protocol of a profile, as far as the wizard offers it.
enum _ConnectionType : std::int32_t {
    ConnectionV110 = 9,
    ConnectionPPP = 10,
    ConnectionV120 = 11,
    ConnectionMLPPP = 12,
};

inline constexpr std::size_t kWizTextSize = 80;

struct _WizLocation {
    char number1[kWizTextSize];
    char number2[kWizTextSize];
    char spid1[kWizTextSize];
    char spid2[kWizTextSize];
    char x25DteAddress[kWizTextSize];
    std::int32_t switchType;
    std::int32_t noSpid1;
    std::int32_t noSpid2;
    std::int32_t v110Available;
    std::int32_t aodi;
    std::int32_t hasPhonePorts;
    std::int32_t port1Mode;  // 0 not used, 3 used
    std::int32_t port2Mode;
    std::int32_t regionCode;
    const char* regionList;  // owned by the caller, never freed by the wizard
    std::int32_t vmwiRefreshTime;
    char callConferenceKey[kWizTextSize];
    char callDropKey[kWizTextSize];
    char vmwiKey[kWizTextSize];
    std::uint8_t portSettings;
    std::int32_t modemInUse;  // Pro box: the internal modem is used
};

// Results of CWizardNA::Start and CWizardRW::Start besides the status codes
// 13000 (set-up failed, port or line unusable) and 13017 (profile index).
inline constexpr std::int32_t kWizFinished = 0;
inline constexpr std::int32_t kWizCancelled = 2;
inline constexpr std::int32_t kWizManualConfig = 50;
inline constexpr std::int32_t kWizKeptConfig = 51;
