#include "config/firmware/firmware_check.h"

#include <fstream>
#include <iterator>

#include "config/config_strings.h"
#include "config/firmware/elm_version.h"
#include "config/firmware/firmware_kind.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "device/device_status.h"
#include "platform/text_format.h"

namespace firmware {

std::uint32_t refusalMessage(std::int32_t elmStatus, const CElmVersion& image, std::int32_t kind) {
    if (elmStatus == kOk && typeFitsDevice(image.Type(), kind)) return 0;
    return kindTexts(kind).notForDevice;
}

std::string deviceVersion(std::string_view versionText) {
    return versionText.empty() ? std::string() : std::string(versionText.substr(1));
}

std::string confirmationText(const CElmVersion& image, std::int32_t deviceRegion,
                             std::string_view deviceVersion) {
    const bool imageNorthAmerican = !image.International();
    const bool deviceNorthAmerican = deviceRegion == device::kRegionNorthAmerica;
    const std::string imageRegion = config::Text(imageRegionText(image.Region()));
    if (image.Version() == deviceVersion && imageNorthAmerican == deviceNorthAmerican)
        return platform::formatInserts(config::Text(config::IDS_FW_SAME_VERSION),
                                       {imageRegion, image.Version()});
    const std::string region = config::Text(deviceNorthAmerican ? config::IDS_REGION_NORTH_AMERICA
                                                                : config::IDS_REGION_INTERNATIONAL);
    return platform::formatInserts(
        config::Text(config::IDS_FW_OTHER_VERSION),
        {region, std::string(deviceVersion), imageRegion, image.Version()});
}

std::int32_t readImage(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return kImageOpenFailed;
    std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return kImageOpenFailed;
    bytes = std::move(data);
    return kOk;
}

}  // namespace firmware
