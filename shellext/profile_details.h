#pragma once
// What a profile file's "Details" show: the device type, the ISDN region and
// per profile its name and two primary numbers, as display texts. Shared by
// the property page, the viewer and the file manager's properties.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillet {

struct ProfileDetails {
    std::string name;
    std::string caption;  // "Profil 1", or "Profil 1 ( Büro )" for a named profile
    std::string number1;
    std::string number2;
};

struct FileDetails {
    std::string deviceType;
    std::string isdnType;
    std::array<ProfileDetails, 3> profiles;
};

// Reads the file with the suite's profile-file reader. A file that cannot be
// read (missing, unreadable, empty) gives the texts of a cleared model.
FileDetails ReadFileDetails(const std::string& path);

// "Profil 0" .. "Profil 2", the caption of a profile's group.
std::string ProfileGroupCaption(std::size_t profile);

// The device type text of a device kind.
std::string DeviceTypeText(std::int32_t deviceKind);

// The rows of the file manager's properties: label and value, in page order.
std::vector<std::pair<std::string, std::string>> DetailRows(const FileDetails& details);

// The value "Index" of the section "IconImage"; 0 when there is none.
std::int32_t IconIndex(const std::string& path);

}  // namespace quillet
