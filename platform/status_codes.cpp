#include "platform/status_codes.h"

namespace status {

std::string statusText(std::int32_t code) {
    std::string text;
    for (const Entry& e : kTable) {
        if (e.code != code) continue;
        if (!text.empty()) text += " / ";
        text += e.text;
    }
    return text.empty() ? std::string("Unbekannter Fehler") : text;
}

}  // namespace status
