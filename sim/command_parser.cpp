#include "sim/command_parser.h"

#include <array>
#include <cctype>

namespace sim {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool endsTextValue(char prefix, char c) {
    if (prefix == '@') return c == '@';
    return c == '!' || c == '%' || c == '&';
}

// Cursor over the line; every read is checked against the end.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    char take() { return atEnd() ? '\0' : text_[pos_++]; }
    void skipSpaces() {
        while (!atEnd() && text_[pos_] == ' ') ++pos_;
    }
    std::string takeDigits() {
        std::string out;
        while (!atEnd() && isDigit(text_[pos_])) out.push_back(text_[pos_++]);
        return out;
    }
    std::string takeWord() {
        std::string out;
        while (!atEnd() && isAlpha(text_[pos_])) out.push_back(upper(text_[pos_++]));
        return out;
    }
    std::string takeText(char prefix) {
        std::string out;
        while (!atEnd() && !endsTextValue(prefix, text_[pos_])) {
            if (text_[pos_] != ' ') out.push_back(text_[pos_]);
            ++pos_;
        }
        return out;
    }
    bool takeNumber(std::string& out) {
        out.clear();
        if (peek() == '-' || peek() == '+') out.push_back(take());
        std::string digits = takeDigits();
        if (digits.empty()) return false;
        out += digits;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool parseValue(Cursor& in, Command& cmd) {
    if (in.peek() != '=') return true;
    in.take();
    cmd.hasValue = true;
    if (isTextParameter(cmd.prefix, cmd.name, cmd.digits)) {
        cmd.value = in.takeText(cmd.prefix);
        return true;
    }
    // An empty numeric value ("S0=") reads as a query-less zero on real modems;
    // here it is refused so a writer bug shows as ERROR.
    return in.takeNumber(cmd.value);
}

bool parseOne(Cursor& in, Command& cmd) {
    char c = in.take();
    if (isAlpha(c)) {
        cmd.name = std::string(1, upper(c));
        cmd.digits = in.takeDigits();
        if (cmd.name == "S") {
            // S registers: "S0=2" sets, "S0?" asks.
            if (cmd.digits.empty()) return false;
            if (in.peek() == '?') {
                in.take();
                cmd.hasValue = true;
                cmd.value.assign(1, '?');  // not = "?": GCC 12 warns falsely at -O2
                return true;
            }
            return parseValue(in, cmd);
        }
        return true;
    }
    switch (c) {
        case '&':
        case '$':
        case '!':
        case '%':
        case '*':
            // A letter and its digits; only the parameters ("!C1=5") take a value.
            cmd.prefix = c;
            if (!isAlpha(in.peek())) return false;
            cmd.name = std::string(1, upper(in.take()));
            cmd.digits = in.takeDigits();
            return c == '&' || c == '$' || parseValue(in, cmd);
        case '@':
        case '>':
            cmd.prefix = c;
            cmd.name = in.takeWord();
            if (cmd.name.empty()) return false;
            return parseValue(in, cmd);
        default:
            return false;
    }
}

}  // namespace

std::string Command::key() const {
    std::string k;
    if (prefix) k.push_back(prefix);
    k += name;
    // Parameters of the ! % * families are told apart by their number;
    // basic and & commands carry an argument in it instead.
    if ((prefix == '!' || prefix == '%' || prefix == '*') && hasValue) k += digits;
    return k;
}

bool isTextParameter(char prefix, std::string_view name, std::string_view digits) {
    struct Entry {
        char prefix;
        std::string_view name, digits;
    };
    static constexpr std::array<Entry, 10> kText{{{'!', "N", "1"},
                                                  {'!', "N", "2"},
                                                  {'!', "N", "5"},
                                                  {'!', "X", "2"},
                                                  {'!', "X", "3"},
                                                  {'!', "C", "6"},
                                                  {'!', "C", "7"},
                                                  {'*', "K", "1"},
                                                  {'*', "K", "3"},
                                                  {'*', "K", "5"}}};
    if (prefix == '@') return true;
    for (const auto& e : kText) {
        if (e.prefix == prefix && e.name == name && e.digits == digits) return true;
    }
    return false;
}

bool parseCommandLine(std::string_view body, std::vector<Command>& out) {
    out.clear();
    if (body.size() > kMaxCommandLine) return false;
    std::vector<Command> cmds;
    Cursor in(body);
    for (;;) {
        in.skipSpaces();
        if (in.atEnd()) break;
        Command cmd;
        if (!parseOne(in, cmd)) return false;
        cmds.push_back(std::move(cmd));
    }
    out = std::move(cmds);
    return true;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upper(c);
    return out;
}

}  // namespace sim
