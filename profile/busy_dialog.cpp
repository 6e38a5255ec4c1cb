#include "profile/busy_dialog.h"

namespace profile {

const char* BusyText(std::uint32_t stringId) {
    switch (stringId) {
        case kBusyConnecting:
            return "Verbindet mit Gerät...";
        case kBusyReading:
            return "Liest von Gerät...";
        case kBusyWriting:
            return "Schreibt zu Gerät...";
        case kBusyRestarting:
            return "Gerät wird gestartet...";
        default:
            return "";
    }
}

}  // namespace profile
