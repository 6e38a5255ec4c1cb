#include "sim/adapter.h"

#include <algorithm>
#include <cctype>

#include "sim/command_parser.h"

namespace sim {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool startsWithAt(std::string_view line) {
    return line.size() >= 2 && (line[0] == 'A' || line[0] == 'a') &&
           (line[1] == 'T' || line[1] == 't');
}

}  // namespace

// Result of one command: OK, ERROR, or no result code at all (the adapter
// restarts, or stays silent on purpose).
enum class Result { Ok, Error, NoCarrier, Busy, None };

class AdapterState {
public:
    explicit AdapterState(Scenario sc) : scenario(std::move(sc)) { echo = scenario.echo; }

    Scenario scenario;
    Adapter::TranscriptSink transcript;
    Outputs out;
    std::string line;  // command line being collected
    bool lineTooLong = false;
    bool echo = true;
    bool verbose = true;
    bool quiet = false;
    bool silent = false;    // fault: answers nothing any more
    bool gone = false;      // the port vanished
    std::uint32_t commands = 0;
    std::string image;

    void send(std::string bytes) {
        if (bytes.empty()) return;
        if (!out.empty() && out.back().kind == Output::Kind::Send) {
            out.back().bytes += bytes;
        } else {
            out.push_back({Output::Kind::Send, std::move(bytes)});
        }
    }

    void reply(std::string_view text) {
        if (transcript) transcript('>', text);
        send(std::string(text));
    }

    // Reply text lines followed by the final result code, in the form the
    // host's V setting asks for.
    void finish(const std::string& body, Result result) {
        std::string text;
        if (!body.empty()) text += verbose ? "\r\n" + body + "\r\n" : body + "\r\n";
        if (!quiet && result != Result::None) text += resultCode(result);
        if (!text.empty()) reply(text);
    }

    std::string resultCode(Result r) const {
        struct Code {
            const char* word;
            const char* digit;
        };
        static constexpr Code kCodes[] = {{"OK", "0"}, {"ERROR", "4"}, {"NO CARRIER", "3"},
                                          {"BUSY", "7"}};
        const Code& c = kCodes[static_cast<int>(r)];
        return verbose ? std::string("\r\n") + c.word + "\r\n" : std::string(c.digit) + "\r";
    }

    void vanish() {
        gone = true;
        out.push_back({Output::Kind::Vanish, {}});
    }

    void feedCommandMode(std::string_view bytes);
    void runLine(const std::string& text);
    Result runCommand(const Command& cmd, std::string& body);
};

void AdapterState::feedCommandMode(std::string_view bytes) {
    // The adapter echoes in its receive path, before it looks at a command,
    // so a whole line written at once is echoed whole (line feed included)
    // ahead of the answer.
    if (echo) send(std::string(bytes));
    for (char c : bytes) {
        if (gone || silent) return;
        if (c == kLf) continue;  // line feeds only separate lines
        if (c != kCr) {
            if (line.size() < kMaxCommandLine + 2) {
                line.push_back(c);
            } else {
                lineTooLong = true;
            }
            continue;
        }
        std::string text;
        text.swap(line);
        bool tooLong = lineTooLong;
        lineTooLong = false;
        // An empty line (the second CR of "...\r\r") is ignored without a word.
        if (text.empty()) continue;
        if (!startsWithAt(text)) continue;
        if (tooLong) {
            if (transcript) transcript('<', text);
            finish({}, Result::Error);
            continue;
        }
        runLine(text);
    }
}

void AdapterState::runLine(const std::string& text) {
    if (transcript) transcript('<', text);
    const Faults& f = scenario.faults;
    ++commands;
    std::string_view body = std::string_view(text).substr(2);
    if (f.silentAfter >= 0 && commands > static_cast<std::uint32_t>(f.silentAfter)) {
        silent = true;
        return;
    }
    auto hit = [body](const std::vector<CommandPattern>& list) {
        return std::any_of(list.begin(), list.end(),
                           [body](const CommandPattern& p) { return p.matches(body); });
    };
    if (hit(f.vanish)) {
        vanish();
        return;
    }
    if (hit(f.silent)) return;
    if (hit(f.error)) {
        finish({}, Result::Error);
        return;
    }
    if (hit(f.longReply)) {
        std::string longText;
        while (longText.size() < 5000) longText += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n";
        finish(longText, Result::Ok);
        return;
    }
    std::vector<Command> cmds;
    if (!parseCommandLine(body, cmds)) {
        finish({}, Result::Error);
        return;
    }
    std::string reply;
    Result result = Result::Ok;
    for (const Command& cmd : cmds) {
        std::string part;
        result = runCommand(cmd, part);
        if (!part.empty()) {
            if (!reply.empty()) reply += "\r\n";
            reply += part;
        }
        if (result != Result::Ok) break;
    }
    finish(reply, result);
}

Result AdapterState::runCommand(const Command& cmd, std::string& /*body*/) {
    const std::string k = cmd.key();
    auto flag = [&](bool& target) {
        if (cmd.digits.empty() || cmd.digits == "0") {
            target = false;
        } else if (cmd.digits == "1") {
            target = true;
        } else {
            return Result::Error;
        }
        return Result::Ok;
    };
    if (k == "E") return flag(echo);
    if (k == "V") return flag(verbose);
    if (k == "Q") return flag(quiet);
    if (k == "&K") return (cmd.digits.empty() || cmd.digits == "0" || cmd.digits == "3" ||
                           cmd.digits == "4")
                              ? Result::Ok
                              : Result::Error;
    return Result::Error;
}

Adapter::Adapter(Scenario scenario) : s_(std::make_unique<AdapterState>(std::move(scenario))) {}
Adapter::~Adapter() = default;

Outputs Adapter::receive(std::string_view bytes, std::uint32_t lineSpeed, std::uint64_t /*nowMs*/) {
    s_->out.clear();
    if (s_->gone || s_->silent) return {};
    // Faster than its UART can follow, the adapter hears only noise.
    if (lineSpeed > s_->scenario.maxSpeed) {
        s_->line.clear();
        return {};
    }
    s_->feedCommandMode(bytes);
    return std::move(s_->out);
}

Outputs Adapter::poll(std::uint64_t /*nowMs*/) { return {}; }
std::uint64_t Adapter::nextDeadline() const { return kNoDeadline; }
void Adapter::setTranscript(TranscriptSink sink) { s_->transcript = std::move(sink); }
const Scenario& Adapter::scenario() const { return s_->scenario; }
std::string Adapter::saveState() const { return {}; }
std::int32_t Adapter::loadState(std::string_view) { return 0; }
bool Adapter::takeStateChanged() { return false; }
const std::string& Adapter::receivedImage() const { return s_->image; }
std::uint32_t Adapter::commandCount() const { return s_->commands; }
bool Adapter::vanished() const { return s_->gone; }

}  // namespace sim
