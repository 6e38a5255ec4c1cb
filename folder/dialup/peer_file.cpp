#include "folder/dialup/peer_file.h"

#include <algorithm>

#include "platform/status_codes.h"

namespace dialup {
namespace {

constexpr std::string_view kChat = "/usr/sbin/chat";

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isNameChar(char c) {
    return isAsciiAlnum(c) || std::string_view("_-.+@,:=").find(c) != std::string_view::npos ||
           static_cast<unsigned char>(c) >= 0x80;
}

// The words of one line of pppd options: blanks separate them, "#" starts a
// comment, double quotes and a backslash keep blanks and "#" in a word. A
// chat script knows comment lines only: there "#" is a dial character.
enum class Comments { Anywhere, WholeLine };
std::vector<std::string> optionWords(std::string_view line,
                                     Comments comments = Comments::Anywhere) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i == line.size() ||
            (line[i] == '#' && (comments == Comments::Anywhere || words.empty())))
            break;
        std::string word;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '\\' && i + 1 < line.size()) {
                word += line[++i];
            } else if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' ||
                                   (c == '#' && comments == Comments::Anywhere))) {
                break;
            } else {
                word += c;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

// The file after "-f" in a connect command, without shell quotes.
std::string chatFileOf(std::string_view command) {
    const std::vector<std::string> words = optionWords(command);
    const auto f = std::find(words.begin(), words.end(), "-f");
    if (f == words.end() || f + 1 == words.end()) return {};
    std::string file = *(f + 1);
    if (file.size() >= 2 && file.front() == '\'' && file.back() == '\'')
        file = file.substr(1, file.size() - 2);
    return file;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsSafeName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxNameLength && name.front() != '.' &&
           name.front() != '-' && std::all_of(name.begin(), name.end(), isNameChar);
}

bool IsDialNumber(std::string_view number) {
    return !number.empty() && number.size() <= kMaxNumberLength &&
           std::all_of(number.begin(), number.end(), [](char c) {
               return (c >= '0' && c <= '9') ||
                      std::string_view("*#+,W").find(c) != std::string_view::npos;
           });
}

bool IsSafeUser(std::string_view user) {
    return user.size() <= kMaxUserLength && std::all_of(user.begin(), user.end(), [](char c) {
               const auto u = static_cast<unsigned char>(c);
               return u >= 0x20 && u != 0x7F && c != '"' && c != '\\';
           });
}

bool IsSafePath(std::string_view path) {
    return path.size() > 1 && path.size() <= kMaxPathLength && path.front() == '/' &&
           path.find("/.") == std::string_view::npos &&
           std::all_of(path.begin(), path.end(), [](char c) { return c == '/' || isNameChar(c); });
}

bool IsKnownSpeed(std::uint32_t speed) {
    return std::find(std::begin(kSpeeds), std::end(kSpeeds), speed) != std::end(kSpeeds);
}

std::int32_t PeerFile::Parse(std::string_view text, PeerFile& file) {
    if (text.size() > kMaxFileBytes || text.find('\0') != std::string_view::npos)
        return platform::kInvalidData;
    PeerFile parsed;
    parsed.endsWithNewline_ = !text.empty() && text.back() == '\n';
    if (parsed.endsWithNewline_) text.remove_suffix(1);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; !text.empty() || parsed.endsWithNewline_;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + 1;
    }
    for (std::string_view line : lines) {
        const std::vector<std::string> words = optionWords(line);
        Kind kind = Kind::Other;
        PeerSettings& s = parsed.settings_;
        if (words.size() == 1 && !words[0].empty() && words[0].front() == '/') {
            kind = Kind::Device;
            s.device = words[0];
        } else if (words.size() == 1 && allDigits(words[0])) {
            kind = Kind::Speed;
            s.speed = static_cast<std::uint32_t>(std::stoul(words[0]));
        } else if (words.size() == 2 && words[0] == "connect") {
            kind = Kind::Connect;
            s.chatScript = chatFileOf(words[1]);
        } else if (words.size() == 2 && words[0] == "user") {
            kind = Kind::User;
            s.user = words[1];
        }
        parsed.lines_.push_back({kind, std::string(line)});
    }
    parsed.read_ = parsed.settings_;
    file = std::move(parsed);
    return platform::kOk;
}

PeerFile PeerFile::New() {
    PeerFile file;
    // Options of a dial-up connection over an adapter: CTS flow control as
    // the suite sets the port, a lock file so the monitor leaves the port
    // alone, and the provider's addresses and name servers.
    static constexpr const char* kOptions[] = {
        "# DFÜ-Eintrag des Geräteordners",
        "noauth",
        "hide-password",
        "crtscts",
        "lock",
        "defaultroute",
        "noipdefault",
        "usepeerdns",
    };
    for (const char* option : kOptions) file.lines_.push_back({Kind::Other, option});
    file.endsWithNewline_ = true;
    return file;
}

std::int32_t PeerFile::SetSettings(const PeerSettings& settings) {
    if ((!settings.device.empty() && !IsSafePath(settings.device)) ||
        (settings.speed != 0 && !IsKnownSpeed(settings.speed)) ||
        (!settings.chatScript.empty() && !IsSafePath(settings.chatScript)) ||
        !IsSafeUser(settings.user))
        return platform::kInvalidParameter;
    settings_ = settings;
    return platform::kOk;
}

std::string PeerFile::RenderLine(Kind kind) const {
    switch (kind) {
        case Kind::Device:
            return settings_.device;
        case Kind::Speed:
            return std::to_string(settings_.speed);
        case Kind::Connect:
            return "connect \"" + std::string(kChat) + " -v -f " + settings_.chatScript + "\"";
        case Kind::User:
            return "user \"" + settings_.user + "\"";
        case Kind::Other:
            break;
    }
    return {};
}

bool PeerFile::IsSet(Kind kind) const {
    switch (kind) {
        case Kind::Device:
            return !settings_.device.empty();
        case Kind::Speed:
            return settings_.speed != 0;
        case Kind::Connect:
            return !settings_.chatScript.empty();
        case Kind::User:
            return !settings_.user.empty();
        case Kind::Other:
            break;
    }
    return false;
}

bool PeerFile::Changed(Kind kind) const {
    switch (kind) {
        case Kind::Device:
            return settings_.device != read_.device;
        case Kind::Speed:
            return settings_.speed != read_.speed;
        case Kind::Connect:
            return settings_.chatScript != read_.chatScript;
        case Kind::User:
            return settings_.user != read_.user;
        case Kind::Other:
            break;
    }
    return false;
}

std::string PeerFile::Render() const {
    // A field left empty keeps its lines as written, except a user cleared,
    // whose lines go; a line whose value did not change is kept byte for byte.
    std::string text;
    bool seen[5] = {};
    for (const Line& line : lines_) {
        seen[static_cast<int>(line.kind)] = true;
        if (line.kind == Kind::User && !IsSet(Kind::User) && Changed(Kind::User)) continue;
        const bool rewrite = IsSet(line.kind) && Changed(line.kind);
        text += (rewrite ? RenderLine(line.kind) : line.text) + '\n';
    }
    bool appended = false;
    for (Kind kind : {Kind::Device, Kind::Speed, Kind::Connect, Kind::User}) {
        if (seen[static_cast<int>(kind)] || !IsSet(kind)) continue;
        text += RenderLine(kind) + '\n';
        appended = true;
    }
    if (!endsWithNewline_ && !appended && !text.empty()) text.pop_back();
    return text;
}

std::string MakeChatScript(std::string_view number) {
    // A plain "AT" wakes the adapter without ATZ, which would load a stored
    // profile other than the one the user made active.
    return "# Wählskript des Geräteordners\n"
           "ABORT BUSY\n"
           "ABORT 'NO CARRIER'\n"
           "ABORT 'NO DIALTONE'\n"
           "ABORT 'NO ANSWER'\n"
           "ABORT ERROR\n"
           "TIMEOUT 60\n"
           "'' AT\n"
           "OK 'ATD" +
           std::string(number) +
           "'\n"
           "CONNECT ''\n";
}

std::string ChatScriptNumber(std::string_view script) {
    std::size_t start = 0;
    while (start < script.size()) {
        const std::size_t end = std::min(script.find('\n', start), script.size());
        for (const std::string& word :
             optionWords(script.substr(start, end - start), Comments::WholeLine)) {
            std::string bare = word;
            if (bare.size() >= 2 && bare.front() == '\'' && bare.back() == '\'')
                bare = bare.substr(1, bare.size() - 2);
            if (bare.size() > 3 &&
                (bare.compare(0, 3, "ATD") == 0 || bare.compare(0, 3, "atd") == 0)) {
                std::string number = bare.substr(3);
                if (!number.empty() && (number[0] == 'T' || number[0] == 'P')) number.erase(0, 1);
                return IsDialNumber(number) ? number : std::string();
            }
        }
        start = end + 1;
    }
    return {};
}

}  // namespace dialup
