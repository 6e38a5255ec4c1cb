#include "wizard/pages_na/spid_choice.h"

#include <algorithm>

namespace wizard::na {

namespace {
bool offersAll(std::int32_t services, std::int32_t needed) {
    return (services & needed) == needed;
}
}  // namespace

std::vector<int> ChooseSpids(const std::vector<NumberEntry>& numbers, std::int32_t needed) {
    std::vector<int> choice(numbers.size(), -1);
    std::vector<std::string> taken;
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const auto& offers = numbers[n].spids;
        for (std::size_t i = 0; i < offers.size(); ++i) {
            const SpidRecord& offer = offers[i];
            if (!offer.available || !offersAll(offer.services, needed) ||
                std::find(taken.begin(), taken.end(), offer.spid) != taken.end())
                continue;
            choice[n] = static_cast<int>(i);
            taken.push_back(offer.spid);
            break;
        }
    }
    return choice;
}

int PreselectedNumber(const std::vector<int>& choice, int taken) {
    for (std::size_t n = 0; n < choice.size(); ++n)
        if (choice[n] >= 0 && static_cast<int>(n) != taken) return static_cast<int>(n);
    if (taken >= 0 && choice.size() > 1) return 1;
    return -1;
}

std::string PacketOnlyNumber(const std::vector<NumberEntry>& numbers) {
    for (const NumberEntry& entry : numbers) {
        if (entry.spids.empty() || entry.spids.front().services != kServicePacket) continue;
        const std::string& spid = entry.spids.front().spid;
        const bool repeated = std::any_of(numbers.begin(), numbers.end(), [&](const auto& other) {
            return &other != &entry &&
                   std::any_of(other.spids.begin(), other.spids.end(),
                               [&](const SpidRecord& o) { return o.spid == spid; });
        });
        if (!repeated) return entry.number;
    }
    return {};
}

std::string AvailabilityText(bool available) {
    return available ? "Ja" : "Nein. Wird von einem anderen Gerät benutzt.";
}

std::string ServicesText(std::int32_t services) {
    std::string text;
    const auto add = [&](std::int32_t bit, const char* name) {
        if (!(services & bit)) return;
        if (!text.empty()) text += ", ";
        text += name;
    };
    add(kServiceData, "Daten");
    add(kServiceVoice, "Sprache");
    add(kServicePacket, "Paket");
    return text;
}

std::uint32_t VerdictText(const SpidRecord& offer, std::int32_t needed) {
    const bool matches = offersAll(offer.services, needed);
    if (offer.available) return matches ? 1300 : 1297;
    return matches ? 1296 : 1299;
}

}  // namespace wizard::na
