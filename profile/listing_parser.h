#pragma once
// The reader of the adapter's profile listing (its answer to "AT&V\r"), kept
// apart from the port I/O: text in, profiles out. The listing is outside
// input; every search is bounded by the text given.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "profile/profile.h"

namespace profile {

// What the listing alone does not tell.
struct ListingContext {
    std::int32_t northAmerica = 1;
    std::int32_t deviceKind = 0;
    // Copied into each profile by its option group.
    std::array<std::int32_t, 3> enableVoiceForBox{};
    std::array<std::int32_t, 3> enableModemForPro{};
};

// Groups of a profile that the listing did not give whole: a parameter was
// missing or unreadable, and the group's later fields kept cleared values.
enum ListingGroup : std::uint32_t {
    kGroupLine = 1u << 0,       // "*P" to the SPIDs
    kGroupAodi = 1u << 1,       // "!X22=" to "!X2="
    kGroupBandwidth = 1u << 2,  // "%P5=" to the thresholds
    kGroupAnalogue = 1u << 3,   // the analogue ports
};
// German names of the groups in a mask, separated by ", ".
std::string ListingGroupNames(std::uint32_t groups);

struct ListingResult {
    std::int32_t status = 0;                          // 0, or 8001 when a section is missing
    std::array<std::uint32_t, 3> incompleteGroups{};  // per profile, ListingGroup bits
    bool activeProfileFound = false;  // "&Y" with a value; only then is "atI100\r" asked
    std::int32_t activeProfile = 0;
};

// The value that follows the first `parameter` in `text`: it runs up to, not
// including, the first "!", "%", "&", space or carriage return. false when the
// parameter is missing or no such end follows it.
bool FindValue(std::string_view text, std::string_view parameter, std::string_view& value);

// Reads one profile's section into `profile` (which the caller has cleared).
// Returns the groups it could not read whole.
std::uint32_t ParseProfileSection(std::string_view section, const ListingContext& context,
                                  std::int32_t index, CProfile& profile);

// Cuts the listing at "STORED PROFILE 0:", "STORED PROFILE 1:",
// "STORED PROFILE 2:" and "TELEPHONE NUMBERS", parses the sections in order
// (a missing start or end stops there with 8001, the earlier profiles
// filled) and then reads the active profile from the first "&Y". An active
// profile outside 0 to 2 is not taken: it would index past the profiles.
ListingResult ParseProfileListing(std::string_view listing, const ListingContext& context,
                                  std::array<CProfile, 3>& profiles);

}  // namespace profile
