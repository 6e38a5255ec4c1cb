#include "device/device_model.h"
#include "platform/device_type.h"

const char* deviceModelName(std::int32_t type) {
    switch (type) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            return "Tamo T/A ISDN Modem";
        case kDevicePro:
            return "Tamo T/A Pro ISDN Modem";
        case kDevicePci:
            return "Tamo T/A PCI ISDN Modem";
        // The folder recognises a PC card by a model name that ends in "Tamo T/A".
        case kDevicePcCard:
            return "Tamo T/A";
        default:
            return "";
    }
}
