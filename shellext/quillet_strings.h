#pragma once
// The string table of the profile-file extension, and the texts of its
// "Details" page that the page and the file manager's properties share.
#include <string>

#include "platform/string_table.h"

namespace quillet {

// The text of a string id; empty when the table has no such id.
std::string Text(int id);

inline constexpr const char* kPageCaption = "Details";
inline constexpr const char* kDeviceTypeLabel = "Gerätetyp:";
inline constexpr const char* kIsdnTypeLabel = "ISDN-Typ:";
inline constexpr const char* kNumber1Label = "Rufnummer 1:";
inline constexpr const char* kNumber2Label = "Rufnummer 2:";
inline constexpr const char* kValueUnknown = "Unbekannt.";

}  // namespace quillet
