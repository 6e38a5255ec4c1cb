#pragma once
// An adapter installed as a modem, as the system keeps it in the store: an
// enumeration instance ("Class" = "Modem", "Driver", the port in
// "AttachedTo" for boxes or "PORTNAME" for cards, "FriendlyName") and the
// driver key that "Driver" names below kModemDriverRoot ("DriverDesc",
// "Model", "AttachedTo"). On the NT line the modem
// class key under SYSTEM\CurrentControlSet\Control\Class holds one sub-key
// per modem with those values instead.
//
// The modem panel (ta-modems) and the simulator's installation write these
// records; the folder reads them to tell which adapters are installed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace device {

inline constexpr const char* kModemDriverRoot = "System\\CurrentControlSet\\Services\\Class";
inline constexpr const char* kModemClassRootNt = "SYSTEM\\CurrentControlSet\\Control\\Class";
inline constexpr const char* kModemClassKeyNt = "{4D36E96D-E325-11CE-BFC1-08002BE10318}";

// The model an installation of this kind carries ("Velka Tamo T-A ISDN
// Modem", ...); nullptr for a kind that is no adapter of the family.
const char* ModemModelName(std::int32_t kind);

struct ModemInstall {
    std::string port;          // "COM3"
    std::int32_t kind = 0;     // _DeviceType
    bool plugAndPlay = false;  // a box found by the serial enumerator, not added by hand
};

struct InstalledModem {
    std::string instanceKey;  // below the local-machine root
    std::string driverKey;    // empty when "Driver" names none
    std::string port;         // "AttachedTo", else "PORTNAME"
    std::string friendlyName;
    std::string model;  // the driver's "Model", else its "DriverDesc"
};

// Installs the adapter on `modem.port` as a modem, in one store
// transaction. Modems already attached to that port are removed first, so
// installing twice leaves one installation. kInvalidParameter for a kind
// outside the family or an empty port.
std::int32_t InstallModem(const ModemInstall& modem, InstalledModem* installed = nullptr);

// Every modem installation of the platform line, in store order.
std::int32_t ListModems(std::vector<InstalledModem>& modems);

// Removes every modem attached to `port` (port names compare without
// regard to case) with its driver key; kFileNotFound when there was none.
std::int32_t RemoveModem(std::string_view port);

// Port names, classes and key names of the store compare without regard to case.
bool SameText(std::string_view a, std::string_view b);

}  // namespace device
