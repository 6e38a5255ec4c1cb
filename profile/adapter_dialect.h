#pragma once
// What the profile reader and the profile writer must agree on about the
// adapter's dialect: which device kinds carry which parameters, and the
// protocol numbers behind the connect types. Kept in one place so that a
// kind the writer sends a parameter to is also one the reader reads it from.
#include <cstdint>
#include <string_view>

#include "platform/device_type.h"
#include "profile/profile.h"

namespace profile {

// Only the boxes have analogue ports: two on the external boxes, one on the Pro.
constexpr bool HasAnaloguePorts(std::int32_t kind) {
    return IsBox(kind) || IsPro(kind);
}
// "!O" is data over voice on North-American boxes and cards; on the Pro box
// it is the Pro option instead.
constexpr bool HasDataOverVoice(std::int32_t northAmerica, std::int32_t kind) {
    return northAmerica == 1 && (IsBox(kind) || IsCard(kind));
}

// The "%A2=" protocol number of each connect type the adapter knows.
struct ConnectCode {
    std::int32_t connectType;
    std::string_view code;
};
inline constexpr ConnectCode kConnectCodes[] = {
    {kConnectV110, "4"}, {kConnectV120, "2"}, {kConnectPpp, "95"}, {kConnectMultilinkPpp, "96"}};

// Empty for a connect type the adapter does not know.
inline std::string_view ConnectTypeCode(std::int32_t connectType) {
    for (const ConnectCode& c : kConnectCodes)
        if (c.connectType == connectType) return c.code;
    return {};
}
// false for a protocol number this suite does not know.
inline bool ConnectTypeOfCode(std::string_view code, std::int32_t& connectType) {
    for (const ConnectCode& c : kConnectCodes) {
        if (c.code != code) continue;
        connectType = c.connectType;
        return true;
    }
    return false;
}

}  // namespace profile
