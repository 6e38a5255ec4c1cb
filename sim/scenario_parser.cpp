// Scenario files: INI text through the platform's INI document. Every key is
// known and checked, so a typo in a test's scenario shows as an error and
// not as an adapter that quietly behaves differently.
#include <charconv>
#include <functional>

#include "platform/ini_file.h"
#include "sim/command_parser.h"
#include "sim/profile_store.h"
#include "sim/scenario.h"

namespace sim {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool toInt(std::string_view text, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    if (text.empty()) return false;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size() && out >= lo && out <= hi;
}

bool toBool(std::string_view text, bool& out) {
    const std::string t = lower(text);
    if (t == "1" || t == "yes" || t == "true" || t == "on") {
        out = true;
    } else if (t == "0" || t == "no" || t == "false" || t == "off") {
        out = false;
    } else {
        return false;
    }
    return true;
}

// "\r", "\n" and "\\" in texts that need line ends (the final text).
std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char n = text[++i];
            out.push_back(n == 'r' ? '\r' : n == 'n' ? '\n' : n);
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::vector<CommandPattern> patterns(std::string_view text) {
    std::vector<CommandPattern> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos) break;
        std::size_t end = text.find_first_of(" \t", start);
        if (end == std::string_view::npos) end = text.size();
        out.push_back({std::string(text.substr(start, end - start))});
        pos = end;
    }
    return out;
}

struct KindName {
    const char* name;
    Kind kind;
};
constexpr KindName kKinds[] = {{"box", Kind::Box},       {"box6f", Kind::Box6F},
                               {"pro", Kind::Pro},       {"pci", Kind::Pci},
                               {"pccard", Kind::PcCard}, {"other", Kind::Other}};

using Entries = std::vector<std::pair<std::string, std::string>>;

class Reader {
public:
    explicit Reader(std::string& error) : error_(error) {}

    bool fail(const std::string& section, const std::string& key, const char* why) {
        error_ = "[" + section + "] " + key + ": " + why;
        return false;
    }

    bool device(const Entries& entries, Scenario& s) {
        for (const auto& [key, value] : entries) {
            if (!deviceKey(lower(key), value, s))
                return fail("device", key, "unknown key or bad value");
        }
        return true;
    }

    bool deviceKey(const std::string& k, const std::string& v, Scenario& s) {
        std::int64_t n = 0;
        if (k == "kind" || k == "region") return true;  // read first, see parseScenario
        if (k == "firmware") {
            const std::string f = lower(v);
            if (f == "running")
                s.firmware = Firmware::Running;
            else if (f == "boot")
                s.firmware = Firmware::BootState;
            else if (f == "message")
                s.firmware = Firmware::MessageMode;
            else
                return false;
            return true;
        }
        if (k == "identification") return s.identification = v, true;
        if (k == "model") return s.model = v, true;
        if (k == "version") return s.version = v, true;
        if (k == "line_text") return s.lineText = v, true;
        if (k == "product") return s.productNumber = v, true;
        if (k == "final_text") return s.finalText = unescape(v), true;
        if (k == "max_speed") {
            if (!toInt(v, 300, 921600, n)) return false;
            s.maxSpeed = static_cast<std::uint32_t>(n);
            return true;
        }
        if (k == "pace") return toBool(v, s.pace);
        if (k == "echo") return toBool(v, s.echo);
        if (k == "pots_ports") {
            if (!toInt(v, 0, 2, n)) return false;
            s.potsPorts = static_cast<std::int32_t>(n);
            return true;
        }
        if (k == "aodi") {
            bool b = false;
            if (!toBool(v, b)) return false;
            s.aodi = b ? 1 : 0;
            return true;
        }
        if (k == "xmodem") {
            const std::string m = lower(v);
            if (m != "crc" && m != "checksum") return false;
            s.xmodemCrc = m == "crc";
            return true;
        }
        if (k == "active_profile") {
            if (!toInt(v, 0, 2, n)) return false;
            s.activeProfile = static_cast<std::int32_t>(n);
            return true;
        }
        return false;
    }

    bool line(const Entries& entries, LineStatus& l) {
        for (const auto& [key, value] : entries) {
            const std::string k = lower(key);
            std::int64_t n = 0;
            if (k == "init")
                l.initialisation = value;
            else if (k == "in_progress_polls" && toInt(value, 0, 1000000, n))
                l.inProgressPolls = static_cast<std::int32_t>(n);
            else if (k == "location")
                l.location = value;
            else if (k == "switch_type")
                l.switchType = value;
            else if (k == "spids_supported")
                l.spidsSupported = value;
            else if (k == "channel1" || k == "channel2") {
                const std::size_t i = k == "channel1" ? 0 : 1;
                if (l.activation.size() <= i) l.activation.resize(i + 1, "activated");
                l.activation[i] = value;
            } else if (k == "spid_default")
                l.spidDefault = value;
            else
                return fail("line", key, "unknown key or bad value");
        }
        return true;
    }

    bool faults(const Entries& entries, Faults& f) {
        for (const auto& [key, value] : entries) {
            const std::string k = lower(key);
            std::int64_t n = 0;
            bool ok = true;
            if (k == "silent_after")
                ok = toInt(value, -1, 1000000, n), f.silentAfter = static_cast<std::int32_t>(n);
            else if (k == "silent")
                f.silent = patterns(value);
            else if (k == "error")
                f.error = patterns(value);
            else if (k == "long_reply")
                f.longReply = patterns(value);
            else if (k == "vanish")
                f.vanish = patterns(value);
            else if (k == "truncated_listing")
                ok = toBool(value, f.truncatedListing);
            else if (k == "malformed_listing")
                ok = toBool(value, f.malformedListing);
            else if (k == "nak_storm")
                ok = toInt(value, 0, 1000000, n), f.nakStorm = static_cast<std::int32_t>(n);
            else if (k == "can_after_blocks")
                ok = toInt(value, -1, 1000000, n), f.canAfterBlocks = static_cast<std::int32_t>(n);
            else
                ok = false;
            if (!ok) return fail("faults", key, "unknown key or bad value");
        }
        return true;
    }

private:
    std::string& error_;
};

// Every line is blank, a comment, a section header or a key of a section;
// anything else (a binary file, a key before the first section) would be
// dropped by the INI reader, and a typo must never go unnoticed.
bool strayLine(std::string_view text, std::string& error) {
    bool inSection = false;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[' && line.find(']') != std::string_view::npos) {
            inSection = true;
            continue;
        }
        if (inSection && line.find('=') != std::string_view::npos) continue;
        error = "line " + std::to_string(number) + ": neither a section, a key nor a comment";
        return true;
    }
    return false;
}

}  // namespace

std::int32_t parseScenario(std::string_view iniText, Scenario& out, std::string& error) {
    if (strayLine(iniText, error)) return 1;
    const auto doc = platform::ini::Document::parse(iniText);
    Reader reader(error);

    // Kind and region first: they decide the defaults the rest overrides.
    Kind kind = Kind::Box;
    bool na = false;
    if (const std::string* k = doc.find("device", "kind")) {
        bool found = false;
        for (const auto& e : kKinds) {
            if (lower(*k) == e.name) kind = e.kind, found = true;
        }
        if (!found) return reader.fail("device", "kind", "unknown kind"), 1;
    }
    if (const std::string* r = doc.find("device", "region")) {
        const std::string v = lower(*r);
        if (v != "na" && v != "international")
            return reader.fail("device", "region", "na or international"), 1;
        na = v == "na";
    }
    Scenario s = defaultScenario(kind, na);

    for (const std::string& section : doc.sectionNames()) {
        const std::string sec = lower(section);
        const Entries entries = doc.entries(section);
        bool ok = true;
        if (sec == "device") {
            ok = reader.device(entries, s);
        } else if (sec == "regions" || sec == "spid_list") {
            std::vector<std::string>& lines = sec == "regions" ? s.regions : s.line.spidList;
            lines.clear();
            for (const auto& e : entries) lines.push_back(e.second);
        } else if (sec == "factory" || sec == "profile0" || sec == "profile1" ||
                   sec == "profile2") {
            auto& target = sec == "factory" ? s.factory : s.profile[sec.back() - '0'];
            for (const auto& [key, value] : entries) target[upperAscii(key)] = value;
        } else if (sec == "line") {
            ok = reader.line(entries, s.line);
        } else if (sec == "spid_results") {
            for (const auto& [key, value] : entries) s.line.spidResults[key] = value;
        } else if (sec == "faults") {
            ok = reader.faults(entries, s.faults);
        } else {
            ok = reader.fail(section, "", "unknown section");
        }
        if (!ok) return 1;
    }

    // Profile values must be ones the device itself would take.
    ProfileStore store(s);
    auto verify = [&](const std::map<std::string, std::string>& values, const char* section) {
        for (const auto& [key, value] : values) {
            if (!store.accepts(key, value))
                return reader.fail(section, key, "not a parameter of this device, or a bad value");
        }
        return true;
    };
    if (!verify(s.factory, "factory") || !verify(s.profile[0], "profile0") ||
        !verify(s.profile[1], "profile1") || !verify(s.profile[2], "profile2")) {
        return 1;
    }
    out = std::move(s);
    return 0;
}

}  // namespace sim
