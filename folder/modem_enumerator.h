#pragma once
// CModemEnumerator: the modems the system has installed, found by walking
// the enumeration keys of the registry store, and the suite's own stored
// port records. Six lists of keys:
//   E0 Enum\Root and Enum\SERENUM instances, E1 the suite's Ports\PortN,
//   E2 the driver keys of the modems of E0, E4 and E3, E3 Enum\PCMCIA,
//   E4 Enum\MF and Enum\PCI, E5 the NT line's modem class keys.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"

enum ModemList {
    kListBoxes = 0,
    kListPorts,
    kListDrivers,
    kListPcCards,
    kListPci,
    kListNt,
    kListCount
};

// Which platform family's keys to walk.
enum class EnumPlatform { Consumer, Nt4, Other };
EnumPlatform CurrentEnumPlatform();

class CModemEnumerator {
public:
    using KeyList = std::vector<CRegistry>;

    void Clear();
    // The instances of E0, E3 and E4 and their driver keys (E2).
    void EnumerateConsumer();
    void EnumeratePorts();  // E1
    void EnumerateNt();     // E5
    // What a full pass walks on this platform.
    void EnumerateAll(EnumPlatform platform);

    const KeyList& List(ModemList list) const { return lists_[list]; }

private:
    void WalkBuses(std::initializer_list<const char*> buses, KeyList& into);

    std::array<KeyList, kListCount> lists_;
};

// The kinds of the family a model text names. Product keys below
// SOFTWARE\Velka say which of them are installed.
enum ModelKind { kModelNone = 0, kModelBox, kModelPro, kModelPci, kModelPcCard };
// Pure: the kind a model text ("DeviceString", "FriendlyName" or "Model")
// names, tested in the order box, Pro box, PCI card, PC card.
ModelKind ModelKindOfText(std::string_view text);
// The model text of a key: "DeviceString", else "FriendlyName", else "Model".
std::string ModelTextOfKey(const CRegistry& key);

// Installed products, from the existence of their keys.
struct InstalledProducts {
    bool isdnModem = false;
    bool pro = false;
    bool pci = false;
    bool pcCard = false;
    bool mobile = false;
    static InstalledProducts Read();
    bool Has(ModelKind kind) const;
};
inline constexpr const char* kProductIsdnModem = "SOFTWARE\\Velka\\Tamo TA ISDN Modem";
inline constexpr const char* kProductPro = "SOFTWARE\\Velka\\Tamo TA Pro ISDN Modem";
inline constexpr const char* kProductPci = "SOFTWARE\\Velka\\Tamo TA PCI Card";
inline constexpr const char* kProductPcCard = "SOFTWARE\\Velka\\Tamo TA PC Card";
inline constexpr const char* kProductMobile = "SOFTWARE\\Velka\\Tamo TA Mobile";

// The keys of `from` whose model text names a kind of an installed product.
CModemEnumerator::KeyList FilterByModel(const CModemEnumerator::KeyList& from,
                                        const InstalledProducts& products);
