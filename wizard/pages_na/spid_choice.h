#pragma once
// Which SPID of the line's list each directory number gets, which numbers
// the automatic number pages preselect, the packet-only number for X.25,
// and the texts of the SPID details box. Pure.
#include <cstdint>
#include <string>
#include <vector>

namespace wizard::na {

inline constexpr std::int32_t kServiceData = 1;
inline constexpr std::int32_t kServiceVoice = 16;
inline constexpr std::int32_t kServicePacket = 256;

struct SpidOffer {
    std::string spid;
    std::int32_t services = 0;
    bool available = false;
};

struct ListedNumber {
    std::string number;
    std::vector<SpidOffer> offers;
};

// The services a device of this kind needs from its SPID: data and voice for
// the boxes with telephone ports (kinds 1, 2, 4), data for the others.
std::int32_t NeededServices(std::int32_t deviceKind);

// For every number the index of the first offer that is available, has the
// needed services and is not taken by an earlier number; -1 when none (the
// number is then not usable).
std::vector<int> ChooseSpids(const std::vector<ListedNumber>& numbers, std::int32_t needed);

// The number preselected on the page for number 1 (`taken` -1) or number 2
// (`taken` the index number 1 got); -1 for none.
int PreselectedNumber(const std::vector<int>& choice, int taken);

// The number whose first offer is packet service alone, with a SPID no
// other number lists; empty when there is none.
std::string PacketOnlyNumber(const std::vector<ListedNumber>& numbers);

// The details box.
std::string AvailabilityText(bool available);
std::string ServicesText(std::int32_t services);  // "Daten, Sprache, Paket"
std::uint32_t VerdictText(const SpidOffer& offer, std::int32_t needed);

}  // namespace wizard::na
