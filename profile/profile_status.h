#pragma once
// Status codes of the profile engine and the profile file. The serial link's
// own codes (serial/link_status.h) and the wait's 258 pass through unchanged.
#include <cstdint>

namespace profile {

inline constexpr std::int32_t kProfileOk = 0;
inline constexpr std::int32_t kProfileNoAnswer = 258;          // no complete answer in 5000 ms
inline constexpr std::int32_t kProfileKindsDiffer = 5003;      // import into another device kind
inline constexpr std::int32_t kProfileFileWriteFailed = 5004;  // a key could not be written
inline constexpr std::int32_t kProfileFileEmptyGeneral =
    5005;  // a "General" key is present but empty
inline constexpr std::int32_t kProfileListingIncomplete =
    8001;                                                     // a section start or end is missing
inline constexpr std::int32_t kProfileNamesNotBound = 14000;  // names record has no device key

}  // namespace profile
