#include "sim/profile_store.h"

#include <algorithm>
#include <charconv>

#include "sim/command_parser.h"

namespace sim {
namespace {

// Where a parameter exists.
enum Cond : std::uint32_t {
    kAll = 0,
    kNa = 1u << 0,         // North-American devices only
    kIntl = 1u << 1,       // international devices only
    kBoxListed = 1u << 2,  // listed by boxes only; cards take it but never list it
    kAodi = 1u << 3,       // devices with AODI
    kPort1 = 1u << 4,      // at least one analogue port
    kPort2 = 1u << 5,      // two analogue ports
    kOption = 1u << 6,     // the "!O" option: Pro boxes, and North-American boxes and cards
};

struct ParamDef {
    const char* key;
    bool text;
    std::uint32_t cond;
    std::int32_t max;  // numbers: highest value; texts: longest text
    const char* factoryNa;
    const char* factoryIntl;
};

// Listing order. "*P" leads every section and the text values come last,
// the "*K" keys at the very end: the host finds each parameter by its
// first occurrence, and a text value may hold '*' or '#'.
constexpr ParamDef kParams[] = {
    {"*P", false, kAll, 255, "0", "2"},
    {"%A2", false, kAll, 96, "96", "96"},
    {"!C1", false, kAll, 255, "0", "2"},
    {"!T1", false, kAll, 255, "0", "0"},
    {"!T2", false, kAll, 255, "0", "0"},
    {"!A", false, kAll, 255, "0", "0"},
    {"!C4", false, kNa, 255, "0", "0"},
    {"!C5", false, kNa, 255, "0", "0"},
    {"!X22", false, kAodi, 1, "0", "0"},
    {"!X1", false, kAodi, 255, "0", "0"},
    {"%P5", false, kAll, 255, "0", "0"},
    {"%P6", false, kAll, 65535, "0", "0"},
    {"%P7", false, kAll, 65535, "0", "0"},
    {"!X10", false, kAodi, 255, "0", "0"},
    {"!X11", false, kAodi, 255, "0", "0"},
    {"!X12", false, kAodi, 255, "0", "0"},
    {"!X13", false, kAodi, 255, "0", "0"},
    {"!X14", false, kAodi, 255, "0", "0"},
    {"!X15", false, kAodi, 255, "0", "0"},
    {"!O", false, kOption, 255, "0", "0"},
    {"%P8", false, kAll, 255, "0", "0"},
    {"*E1", false, kPort1, 255, "3", "3"},
    {"*E2", false, kPort2, 255, "3", "3"},
    {"*R1", false, kPort1, 255, "0", "0"},
    {"*R2", false, kPort2, 255, "0", "0"},
    {"*B1", false, kPort1, 255, "0", "0"},
    {"*B2", false, kPort2, 255, "0", "0"},
    {"*S1", false, kPort1, 255, "0", "0"},
    {"*S2", false, kPort2, 255, "0", "0"},
    {"*D1", false, kPort1, 255, "0", "0"},
    {"*D2", false, kPort2, 255, "0", "0"},
    {"*V1", false, kPort1 | kNa, 255, "0", "0"},
    {"*V2", false, kPort2 | kNa, 255, "0", "0"},
    {"*A1", false, kPort1 | kNa, 255, "0", "0"},
    {"*A2", false, kPort2 | kNa, 255, "0", "0"},
    {"*M", false, kPort1 | kNa, 255, "30", "30"},
    {"*W1", false, kPort1 | kIntl, 255, "0", "0"},
    {"*W2", false, kPort2 | kIntl, 255, "0", "0"},
    {"!N1", true, kAll, 24, "", ""},
    {"!N2", true, kAll, 24, "", ""},
    {"!N5", true, kIntl | kBoxListed, 24, "", ""},
    {"!C6", true, kNa, 24, "", ""},
    {"!C7", true, kNa, 24, "", ""},
    {"!X2", true, kAodi, 24, "", ""},
    {"!X3", true, kAodi, 40, "", ""},
    {"*K1", true, kPort1 | kNa, 8, "60", "60"},
    {"*K3", true, kPort1 | kNa, 8, "62", "62"},
    {"*K5", true, kPort1 | kNa, 8, "63", "63"},
};

const ParamDef* findDef(std::string_view key) {
    for (const auto& d : kParams) {
        if (key == d.key) return &d;
    }
    return nullptr;
}

bool applies(const ParamDef& d, const Scenario& s) {
    if (s.kind == Kind::Other) return false;
    const int ports = s.potsPortCount();
    if ((d.cond & kNa) && !s.northAmerica) return false;
    if ((d.cond & kIntl) && s.northAmerica) return false;
    if ((d.cond & kAodi) && !s.hasAodi()) return false;
    if ((d.cond & kPort1) && ports < 1) return false;
    if ((d.cond & kPort2) && ports < 2) return false;
    if ((d.cond & kOption) && !(s.kind == Kind::Pro || s.northAmerica)) return false;
    return true;
}

bool textCharAllowed(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '*' ||
           c == '#' || c == ',' || c == ';' || c == '.' || c == '-' || c == '+' || c == '/' ||
           c == ':';
}

bool parseNumber(std::string_view text, std::int64_t& out) {
    if (text.empty() || text.size() > 12) return false;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+') ++b;
    auto [p, ec] = std::from_chars(b, e, out);
    return ec == std::errc() && p == e;
}

bool isProfileIndex(std::int64_t index) {
    return index >= 0 && index <= 2;
}

// The value `key` has in `profile`; empty when it has none.
std::string valueIn(const Profile& profile, const std::string& key) {
    const auto it = profile.find(key);
    return it == profile.end() ? std::string() : it->second;
}

// Texts that the listing prints with their parameter, no '=' in between.
bool bareKey(std::string_view key) {
    return key == "*P" || key == "!A" || key == "!O";
}

void appendWrapped(std::string& out, std::size_t& lineLen, const std::string& token) {
    constexpr std::size_t kWidth = 78;
    if (lineLen > 0 && lineLen + 1 + token.size() > kWidth) {
        out += "\r\n";
        lineLen = 0;
    } else if (lineLen > 0) {
        out += ' ';
        ++lineLen;
    }
    out += token;
    lineLen += token.size();
}

}  // namespace

ProfileStore::ProfileStore(const Scenario& scenario) {
    for (const auto& d : kParams) {
        if (!applies(d, scenario)) continue;
        keys_.emplace_back(d.key);
        // The cards' firmware shares the boxes' command table, so "!N5=" is
        // taken (the host's writer sends it to every international device,
        // and a refusal would cost the rest of its line chain), but a card
        // has no use for it and leaves it out of its listing.
        if ((d.cond & kBoxListed) && scenario.isCard()) unlisted_.emplace_back(d.key);
        factory_[d.key] = scenario.northAmerica ? d.factoryNa : d.factoryIntl;
    }
    for (const auto& [k, v] : scenario.factory) {
        if (has(k) && valid(k, v)) factory_[k] = v;
    }
    for (auto& p : stored_) p = factory_;
    for (int i = 0; i < 3; ++i) {
        for (const auto& [k, v] : scenario.profile[i]) {
            if (has(k) && valid(k, v)) stored_[i][k] = v;
        }
    }
    default_ = isProfileIndex(scenario.activeProfile) ? scenario.activeProfile : 0;
    working_ = stored_[default_];
}

bool ProfileStore::has(std::string_view key) const {
    return std::find(keys_.begin(), keys_.end(), key) != keys_.end();
}

bool ProfileStore::listed(std::string_view key) const {
    return has(key) && std::find(unlisted_.begin(), unlisted_.end(), key) == unlisted_.end();
}

bool ProfileStore::isText(std::string_view key) const {
    const ParamDef* d = findDef(key);
    return d && d->text;
}

bool ProfileStore::valid(const std::string& key, const std::string& value) const {
    const ParamDef* d = findDef(key);
    if (!d) return false;
    if (d->text) {
        return value.size() <= static_cast<std::size_t>(d->max) &&
               std::all_of(value.begin(), value.end(), textCharAllowed);
    }
    std::int64_t n = 0;
    if (!parseNumber(value, n) || n < 0 || n > d->max) return false;
    // The protocols this firmware knows: V.120, V.110, PPP, Multilink PPP.
    if (key == "%A2") return n == 2 || n == 4 || n == 95 || n == 96;
    return true;
}

bool ProfileStore::set(const std::string& key, const std::string& value) {
    if (!has(key) || !valid(key, value)) return false;
    if (isText(key)) {
        working_[key] = value;
    } else {
        std::int64_t n = 0;
        parseNumber(value, n);
        working_[key] = std::to_string(n);  // "+007" is stored as "7"
    }
    return true;
}

std::string ProfileStore::working(const std::string& key) const {
    return valueIn(working_, key);
}

std::string ProfileStore::stored(std::int32_t index, const std::string& key) const {
    return isProfileIndex(index) ? valueIn(stored_[index], key) : std::string();
}

bool ProfileStore::store(std::int32_t index) {
    if (!isProfileIndex(index)) return false;
    stored_[index] = working_;
    return true;
}

bool ProfileStore::restore(std::int32_t index) {
    if (!isProfileIndex(index)) return false;
    working_ = stored_[index];
    return true;
}

bool ProfileStore::setDefault(std::int32_t index) {
    if (!isProfileIndex(index)) return false;
    default_ = index;
    return true;
}

void ProfileStore::factoryReset() {
    working_ = factory_;
    for (auto& p : stored_) p = factory_;
    default_ = 0;
}

std::string ProfileStore::section(const Profile& p, bool dropA2, bool badA2) const {
    std::string out;
    std::size_t lineLen = 0;
    for (const auto& key : keys_) {
        if (key == "%A2" && dropA2) continue;
        if (std::find(unlisted_.begin(), unlisted_.end(), key) != unlisted_.end()) continue;
        const std::string value = valueIn(p, key);
        std::string token = key;
        if (!bareKey(key)) token += '=';
        token += (key == "%A2" && badA2) ? std::string("3") : value;
        appendWrapped(out, lineLen, token);
    }
    return out;
}

std::string ProfileStore::listing(const Faults& faults) const {
    const bool bad = faults.malformedListing;
    std::string out = "ACTIVE PROFILE:\r\n";
    out += bad ? "E1 Q0 V1 &K3" : "E1 Q0 V1 &K3 &Y" + std::to_string(default_);
    out += "\r\n" + section(working_, false, false) + "\r\n";
    for (int i = 0; i < 3; ++i) {
        out += "\r\nSTORED PROFILE " + std::to_string(i) + ":\r\n";
        out += section(stored_[i], bad && i == 1, bad && i == 2) + "\r\n";
    }
    if (!faults.truncatedListing) {
        out += "\r\nTELEPHONE NUMBERS:\r\n0=                    1=\r\n2=                    3=";
    }
    return out;
}

std::string ProfileStore::saveState() const {
    std::string out = "active=" + std::to_string(default_) + "\n";
    for (int i = 0; i < 3; ++i) {
        for (const auto& key : keys_) {
            auto it = stored_[i].find(key);
            if (it == stored_[i].end()) continue;
            out += std::to_string(i) + " " + key + "=" + it->second + "\n";
        }
    }
    return out;
}

std::int32_t ProfileStore::loadState(std::string_view text) {
    std::array<Profile, 3> stored = stored_;
    std::int32_t active = default_;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (line.substr(0, 7) == "active=") {
            std::int64_t n = 0;
            if (!parseNumber(line.substr(7), n) || !isProfileIndex(n)) return 1;
            active = static_cast<std::int32_t>(n);
            continue;
        }
        // "<profile> <key>=<value>"
        if (line.size() < 4 || line[0] < '0' || line[0] > '2' || line[1] != ' ') return 1;
        const int index = line[0] - '0';
        std::string_view rest = line.substr(2);
        std::size_t eq = rest.find('=');
        if (eq == std::string_view::npos) return 1;
        std::string key(rest.substr(0, eq));
        std::string value(rest.substr(eq + 1));
        // A parameter this device does not have (the scenario changed) is
        // skipped; a bad value means the file is not ours.
        if (!has(key)) continue;
        if (!valid(key, value)) return 1;
        stored[index][key] = value;
    }
    stored_ = stored;
    default_ = active;
    working_ = stored_[default_];
    return 0;
}

}  // namespace sim
