#include "profile/listing_parser.h"

#include <initializer_list>
#include <string>

#include "profile/adapter_dialect.h"
#include "profile/profile_keys.h"  // DecimalValue

namespace profile {

namespace {

constexpr std::string_view kValueEnds = "!%& \r";

// Walks the parameters of one group in order; the first one that is missing
// or has no value ends the group.
class GroupReader {
public:
    GroupReader(std::string_view section) : section_(section) {}

    bool ok() const { return ok_; }

    bool number(std::string_view parameter, std::int32_t& field) {
        std::string_view value;
        if (!take(parameter, value)) return false;
        field = DecimalValue(value);
        return true;
    }
    bool byte(std::string_view parameter, std::uint8_t& field) {
        std::string_view value;
        if (!take(parameter, value)) return false;
        field = static_cast<std::uint8_t>(DecimalValue(value));
        return true;
    }
    bool text(std::string_view parameter, std::string& field) {
        std::string_view value;
        if (!take(parameter, value)) return false;
        field.assign(value);
        return true;
    }
    bool take(std::string_view parameter, std::string_view& value) {
        if (ok_ && !FindValue(section_, parameter, value)) ok_ = false;
        return ok_;
    }
    void stop() { ok_ = false; }

private:
    std::string_view section_;
    bool ok_ = true;
};

bool ParseLineGroup(std::string_view section, const ListingContext& context, CProfile& p) {
    GroupReader g(section);
    g.number("*P", p.region);

    std::string_view a2;
    // A protocol this suite does not know keeps the rest of the group as cleared.
    if (g.take("%A2=", a2) && !ConnectTypeOfCode(a2, p.connectType)) g.stop();
    g.number("!C1=", p.switchType);
    g.text("!N1=", p.number1);
    g.text("!N2=", p.number2);
    if (context.northAmerica == 0 && !IsCard(context.deviceKind)) g.text("!N5=", p.n5Text);
    g.byte("!T1=", p.t1Setting);
    g.byte("!T2=", p.t2Setting);
    g.byte("!A", p.portSettings);
    if (context.northAmerica == 1) {
        g.number("!C4=", p.terminalMode1);
        g.number("!C5=", p.terminalMode2);
        g.text("!C6=", p.spid1);
        g.text("!C7=", p.spid2);
    }
    return g.ok();
}

bool ParseAodiGroup(std::string_view section, CProfile& p) {
    if (section.find("!X22=") == std::string_view::npos) return true;
    p.aodiSupported = 1;
    GroupReader g(section);
    g.number("!X22=", p.aodi);
    g.text("!X3=", p.x25Facilities);
    g.number("!X1=", p.x25Version);
    g.text("!X2=", p.x25DteAddress);
    return g.ok();
}

bool ParseBandwidthGroup(std::string_view section, CProfile& p) {
    GroupReader g(section);
    g.number("%P5=", p.bacp);
    g.number("%P6=", p.bapStartInterval);
    g.number("%P7=", p.bapRepeatInterval);
    if (p.aodiSupported == 1) {
        g.number("!X10=", p.delayOpenB1);
        g.number("!X13=", p.delayOpenB2);
        g.number("!X11=", p.thresholdOpenB1);
        g.number("!X14=", p.thresholdOpenB2);
        g.number("!X12=", p.thresholdCloseB1);
        g.number("!X15=", p.thresholdCloseB2);
    }
    return g.ok();
}

void ParseOptionGroup(std::string_view section, const ListingContext& context, std::int32_t index,
                      CProfile& p) {
    p.EnableVoiceForBox = context.enableVoiceForBox[static_cast<std::size_t>(index)];
    p.EnableModemForPro = context.enableModemForPro[static_cast<std::size_t>(index)];

    const std::int32_t kind = context.deviceKind;
    std::string_view value;
    if (HasDataOverVoice(context.northAmerica, kind)) {
        if (FindValue(section, "!O", value)) p.dataOverVoice = DecimalValue(value) == 3 ? 1 : 0;
    } else if (IsPro(kind)) {
        if (FindValue(section, "!O", value)) {
            const std::int32_t option = DecimalValue(value);
            p.proOption = (option == 0 || option == 1 || option == 6) ? option : 6;
        }
    }
}

bool ParseAnalogueGroup(std::string_view section, const ListingContext& context, CProfile& p) {
    const std::int32_t kind = context.deviceKind;
    const bool twoPorts = IsBox(kind);
    if (!HasAnaloguePorts(kind)) return true;
    if (section.find("*R1=") == std::string_view::npos) return true;
    p.potsAvailable = 1;

    GroupReader g(section);
    g.number("*R1=", p.distinctRingPots1);
    if (twoPorts) g.number("*R2=", p.distinctRingPots2);
    g.number("*B1=", p.audioPots1);
    if (twoPorts) g.number("*B2=", p.audioPots2);
    g.number("*S1=", p.supplementaryServicesPots1);
    if (twoPorts) g.number("*S2=", p.supplementaryServicesPots2);
    g.number("*D1=", p.dialAccessPots1);
    if (twoPorts) g.number("*D2=", p.dialAccessPots2);
    g.number("*E1=", p.modePots1);
    if (twoPorts) g.number("*E2=", p.modePots2);
    if (context.northAmerica == 1) {
        g.number("*V1=", p.voiceMailPots1);
        if (twoPorts) g.number("*V2=", p.voiceMailPots2);
        g.number("*A1=", p.abbreviatedRingPots1);
        if (twoPorts) g.number("*A2=", p.abbreviatedRingPots2);
        g.text("*K1=", p.callConferenceKey);
        g.text("*K3=", p.callDropKey);
        g.text("*K5=", p.vmwiKey);
        g.number("*M=", p.vmwiRefreshTime);
    } else if (context.northAmerica == 0) {
        g.number("*W1=", p.callWaitingPots1);
        if (twoPorts) g.number("*W2=", p.callWaitingPots2);
    }
    return g.ok();
}

// The text from `start` up to `end`; false when either is missing.
bool CutSection(std::string_view listing, std::string_view start, std::string_view end,
                std::string_view& section) {
    const std::size_t from = listing.find(start);
    if (from == std::string_view::npos) return false;
    const std::size_t to = listing.find(end, from + start.size());
    if (to == std::string_view::npos) return false;
    section = listing.substr(from, to - from);
    return true;
}

}  // namespace

bool FindValue(std::string_view text, std::string_view parameter, std::string_view& value) {
    if (parameter.empty()) return false;
    const std::size_t at = text.find(parameter);
    if (at == std::string_view::npos) return false;
    const std::size_t begin = at + parameter.size();
    const std::size_t end = text.find_first_of(kValueEnds, begin);
    if (end == std::string_view::npos) return false;
    value = text.substr(begin, end - begin);
    return true;
}

std::uint32_t ParseProfileSection(std::string_view section, const ListingContext& context,
                                  std::int32_t index, CProfile& profile) {
    if (index < 0 || index > 2) return 0;
    profile.potsAvailable = 0;
    std::uint32_t incomplete = 0;
    if (!ParseLineGroup(section, context, profile)) incomplete |= kGroupLine;
    if (!ParseAodiGroup(section, profile)) incomplete |= kGroupAodi;
    if (!ParseBandwidthGroup(section, profile)) incomplete |= kGroupBandwidth;
    ParseOptionGroup(section, context, index, profile);
    std::string_view value;
    if (FindValue(section, "%P8=", value)) profile.dynamicBandwidthAllocation = DecimalValue(value);
    if (!ParseAnalogueGroup(section, context, profile)) incomplete |= kGroupAnalogue;
    return incomplete;
}

std::string ListingGroupNames(std::uint32_t groups) {
    static constexpr std::pair<ListingGroup, const char*> kNames[] = {
        {kGroupLine, "Leitung"},
        {kGroupAodi, "X.25/AODI"},
        {kGroupBandwidth, "Bandbreite"},
        {kGroupAnalogue, "Telefonanschlüsse"},
    };
    std::string text;
    for (const auto& [group, name] : kNames) {
        if ((groups & group) == 0) continue;
        if (!text.empty()) text += ", ";
        text += name;
    }
    return text;
}

ListingResult ParseProfileListing(std::string_view listing, const ListingContext& context,
                                  std::array<CProfile, 3>& profiles) {
    static constexpr std::string_view kMarks[] = {
        "STORED PROFILE 0:", "STORED PROFILE 1:", "STORED PROFILE 2:", "TELEPHONE NUMBERS"};
    ListingResult result;
    for (std::int32_t i = 0; i < 3; ++i) {
        std::string_view section;
        if (!CutSection(listing, kMarks[i], kMarks[i + 1], section)) {
            result.status = 8001;
            return result;
        }
        result.incompleteGroups[static_cast<std::size_t>(i)] =
            ParseProfileSection(section, context, i, profiles[static_cast<std::size_t>(i)]);
    }

    std::string_view active;
    if (FindValue(listing, "&Y", active)) {
        result.activeProfileFound = true;
        const std::int32_t value = DecimalValue(active);
        result.activeProfile = (value >= 0 && value <= 2) ? value : 0;
    }
    return result;
}

}  // namespace profile
