#include "shellext/profile_details.h"

#include "platform/ini_file.h"
#include "platform/text_format.h"
#include "profile/profile_file.h"
#include "shellext/quillet_ids.h"
#include "shellext/quillet_strings.h"

namespace quillet {

namespace {

std::string labelText(const char* label) {
    std::string text = label;
    if (!text.empty() && text.back() == ':') text.pop_back();
    return text;
}

}  // namespace

std::string ProfileGroupCaption(std::size_t profile) {
    return "Profil " + std::to_string(profile);
}

std::string DeviceTypeText(std::int32_t deviceKind) {
    switch (deviceKind) {
        case 1:
        case 4:
            return Text(IDS_BOX);
        case 2:
            return Text(IDS_PRO_BOX);
        case 8:
            return Text(IDS_PCI_CARD);
        case 16:
            return Text(IDS_PC_CARD);
        default:
            return Text(IDS_UNKNOWN);
    }
}

FileDetails ReadFileDetails(const std::string& path) {
    CDeviceProfiles model;
    std::int32_t deviceKind = 0;
    // The reader takes a file it cannot read as one where every key is
    // missing and fills the model with "Unknown"; here that would name each
    // profile "Unknown", so such a file keeps the cleared model instead.
    const std::string text = platform::ini::fileText(path);
    if (!text.empty()) {
        // Whatever the reader returns, the page shows what it took.
        (void)profile::LoadProfileText(text, model, 7, deviceKind);
    }

    FileDetails details;
    details.deviceType = DeviceTypeText(deviceKind);
    details.isdnType = Text(model.northAmerica == 1 ? IDS_NORTH_AMERICA : IDS_INTERNATIONAL);
    for (std::size_t n = 0; n < details.profiles.size(); ++n) {
        const CProfile& profile = model.profiles[n];
        ProfileDetails& out = details.profiles[n];
        out.name = profile.name;
        out.caption = profile.name.empty()
                          ? ProfileGroupCaption(n)
                          : platform::formatPrintf(Text(IDS_PROFILE0_NAMED + int(n)).c_str(),
                                                   profile.name.c_str());
        out.number1 = profile.number1;
        out.number2 = profile.number2;
    }
    return details;
}

std::vector<std::pair<std::string, std::string>> DetailRows(const FileDetails& details) {
    std::vector<std::pair<std::string, std::string>> rows{
        {labelText(kDeviceTypeLabel), details.deviceType},
        {labelText(kIsdnTypeLabel), details.isdnType},
    };
    for (std::size_t n = 0; n < details.profiles.size(); ++n) {
        const ProfileDetails& profile = details.profiles[n];
        const std::string group = ProfileGroupCaption(n);
        rows.emplace_back(group, profile.name);
        rows.emplace_back(group + ": " + labelText(kNumber1Label), profile.number1);
        rows.emplace_back(group + ": " + labelText(kNumber2Label), profile.number2);
    }
    return rows;
}

std::int32_t IconIndex(const std::string& path) {
    return platform::ini::getPrivateProfileInt("IconImage", "Index", 0, path);
}

}  // namespace quillet
