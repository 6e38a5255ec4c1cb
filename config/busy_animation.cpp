#include "config/busy_animation.h"

#include "config/resource_ids.h"

namespace config {

int ReadAnimation(std::int32_t deviceKind) {
    switch (deviceKind) {
        case 1:
        case 4:
            return IDR_AVI_READ_BOX;
        case 2:
            return IDR_AVI_READ_PRO;
        case 8:
            return IDR_AVI_READ_PCI;
        case 16:
            return IDR_AVI_READ_PCCARD;
        default:
            return IDR_AVI_READ_OTHER;
    }
}

int WriteAnimation(std::int32_t deviceKind) {
    switch (deviceKind) {
        case 1:
        case 4:
            return IDR_AVI_WRITE_BOX;
        case 2:
            return IDR_AVI_WRITE_PRO;
        case 8:
            return IDR_AVI_WRITE_PCI;
        case 16:
            return IDR_AVI_WRITE_PCCARD;
        default:
            return IDR_AVI_WRITE_OTHER;
    }
}

int ImportAnimation(std::int32_t deviceKind) {
    switch (deviceKind) {
        case 1:
        case 4:
            return IDR_AVI_WRITE_BOX;
        case 2:
            return IDR_AVI_WRITE_PRO;
        case 8:
            return IDR_AVI_WRITE_PCI;
        default:
            return IDR_AVI_WRITE_OTHER;  // the PC card too
    }
}

}  // namespace config
