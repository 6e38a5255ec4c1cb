#include "config/firmware/firmware_kind.h"

#include "config/resource_ids.h"
#include "device/device_status.h"
#include "platform/device_type.h"

namespace firmware {
namespace {

using namespace config;

constexpr KindTexts kBox{IDS_FW_SENDING_BOX, IDS_FW_TIMEOUT_BOX,   IDS_FW_ERROR_BOX,
                         IDS_FW_NOT_FOR_BOX, IDR_AVI_FIRMWARE_BOX, false};
constexpr KindTexts kPro{IDS_FW_SENDING_PRO, IDS_FW_TIMEOUT_PRO,   IDS_FW_ERROR_PRO,
                         IDS_FW_NOT_FOR_PRO, IDR_AVI_FIRMWARE_PRO, false};
constexpr KindTexts kPci{IDS_FW_SENDING_PCI, IDS_FW_TIMEOUT_PCI,   IDS_FW_ERROR_PCI,
                         IDS_FW_NOT_FOR_PCI, IDR_AVI_FIRMWARE_PCI, true};
constexpr KindTexts kPcCard{IDS_FW_SENDING_PCCARD, IDS_FW_TIMEOUT_PCCARD,   IDS_FW_ERROR_PCCARD,
                            IDS_FW_NOT_FOR_PCCARD, IDR_AVI_FIRMWARE_PCCARD, true};

struct TypeCode {
    std::string_view code;
    std::int32_t kind;
    std::uint32_t name;
};
constexpr TypeCode kTypeCodes[] = {
    {"TBX", kDeviceExternal, IDS_FW_NAME_BOX},  {"TBL", kDeviceExternal6F, IDS_FW_NAME_BOX},
    {"T2B", kDevicePro, IDS_FW_NAME_PRO},       {"T71", kDevicePci, IDS_FW_NAME_PCI},
    {"T3M", kDevicePcCard, IDS_FW_NAME_PCCARD},
};

const TypeCode* findType(std::string_view code) {
    for (const TypeCode& t : kTypeCodes)
        if (t.code == code) return &t;
    return nullptr;
}

// The kinds that have images of their own; every other kind counts as a PC card.
bool hasOwnImages(std::int32_t kind) {
    return kind == kDeviceExternal || kind == kDeviceExternal6F || kind == kDevicePro ||
           kind == kDevicePci;
}

}  // namespace

const KindTexts& kindTexts(std::int32_t kind) {
    switch (kind) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            return kBox;
        case kDevicePro:
            return kPro;
        case kDevicePci:
            return kPci;
        default:
            return kPcCard;
    }
}

std::int32_t kindOfTypeCode(std::string_view code) {
    const TypeCode* t = findType(code);
    return t ? t->kind : 0;
}

std::uint32_t deviceNameOfTypeCode(std::string_view code) {
    const TypeCode* t = findType(code);
    return t ? t->name : IDS_REGION_UNKNOWN;
}

bool typeFitsDevice(std::string_view code, std::int32_t kind) {
    return !hasOwnImages(kind) || kindOfTypeCode(code) == kind;
}

bool typeListedForDevice(std::string_view code, std::int32_t kind) {
    return kindOfTypeCode(code) == (hasOwnImages(kind) ? kind : kDevicePcCard);
}

std::uint32_t imageRegionText(char regionByte) {
    return regionByte == 'R' ? IDS_REGION_INTERNATIONAL : IDS_REGION_NORTH_AMERICA;
}

std::uint32_t deviceRegionText(std::int32_t region) {
    if (region == device::kRegionInternational) return IDS_REGION_INTERNATIONAL;
    if (region == device::kRegionNorthAmerica) return IDS_REGION_NORTH_AMERICA;
    return IDS_REGION_UNKNOWN;
}

}  // namespace firmware
