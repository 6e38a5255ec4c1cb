#include "wizard/switch_types.h"

namespace wizard {

const char* SwitchTypeNameRW(std::int32_t code) {
    switch (code) {
        case kSwitchEuroIsdn:
            return "EuroISDN";
        case 3:
            return "Microlink";
        case 4:
            return "INS-Net64";
        case 5:
            return "China";
        case 6:
            return "Singapore";
        case kSwitchBritishTelecom:
            return "British Telecom";
        case kSwitchOnRamp:
            return "OnRamp";
        default:
            return "";
    }
}

}  // namespace wizard
