#include "sim/adapter.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "platform/clock.h"
#include "sim/command_parser.h"
#include "sim/firmware_version.h"
#include "sim/profile_store.h"
#include "sim/xmodem_receiver.h"

namespace sim {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kBackspace = '\b';

// Pauses of the loader, scaled like every pause of the suite.
constexpr std::uint32_t kStartDelayMs = 1000;  // "loaded" to the first start character
constexpr std::uint32_t kFinalDelayMs = 500;   // last ACK to the final text

bool startsWithAt(std::string_view line) {
    return line.size() >= 2 && (line[0] == 'A' || line[0] == 'a') &&
           (line[1] == 'T' || line[1] == 't');
}

bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "MM-DD-YY" / "HH:MM:SS": three two-digit fields within the given limits.
bool validClockText(std::string_view text, char sep, int lo0, int hi0, int lo1, int hi1, int hi2) {
    if (text.size() != 8 || text[2] != sep || text[5] != sep) return false;
    auto field = [&](std::size_t at) {
        std::string_view f = text.substr(at, 2);
        return isDigits(f) ? (f[0] - '0') * 10 + (f[1] - '0') : -1;
    };
    const int a = field(0), b = field(3), c = field(6);
    return a >= lo0 && a <= hi0 && b >= lo1 && b <= hi1 && c >= 0 && c <= hi2;
}

std::uint64_t later(std::uint64_t now, std::uint32_t ms) {
    return now + static_cast<std::uint64_t>(platform::scaled(ms).count());
}

// Adds a line to a multi-line reply body.
void appendLine(std::string& text, std::string_view line) {
    if (!text.empty()) text += "\r\n";
    text += line;
}

// "ati", "ati0" and "ati9" ask for the model, in every mode that answers them.
bool isModelQuery(std::string_view upperBody) {
    return upperBody == "I9" || upperBody == "I0" || upperBody == "I";
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(',', pos);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(pos, end - pos);
        while (!item.empty() && item.front() == ' ') item.erase(item.begin());
        while (!item.empty() && item.back() == ' ') item.pop_back();
        if (!item.empty()) out.push_back(item);
        pos = end + 1;
    }
    return out;
}

}  // namespace

enum class Result { Ok, Error, NoCarrier, Busy, None };

// What the adapter is doing with the bytes it receives.
enum class Mode {
    Command,    // the firmware's command interpreter
    Message,    // firmware in its message mode: only ati9, at@msg, at@quit
    Boot,       // boot loader only: ati9 and at@load
    Monitor,    // after AT$Z: the "user" prompt, at@load, at@quit
    Confirm,    // "(y/n)?" asked
    Starting,   // "loaded" sent; the receiver starts shortly
    Transfer,   // the XMODEM receiver has the line
    Finishing,  // transfer over; the final text follows, then a restart
};

class AdapterState {
public:
    explicit AdapterState(Scenario sc)
        : scenario(std::move(sc)), profiles(scenario), firmware(scenario.firmware) {
        version = scenario.version;
        restart();
    }

    Scenario scenario;
    ProfileStore profiles;
    Firmware firmware;
    std::string version;
    Mode mode = Mode::Command;
    Mode loaderReturn = Mode::Command;  // where a refused or failed download goes back to
    Adapter::TranscriptSink transcript;
    Outputs out;
    std::string line;
    bool lineTooLong = false;
    bool echo = true, verbose = true, quiet = false;
    bool silent = false, gone = false;
    bool stateChanged = false;
    std::uint32_t commands = 0;
    std::uint32_t statusPolls = 0;
    std::map<std::string, std::size_t> spidTests;
    std::map<int, int> sRegisters;
    std::string date, time;
    std::string image;
    std::unique_ptr<XmodemReceiver> rx;
    std::uint64_t startAt = kNoDeadline, finalAt = kNoDeadline;
    XmodemReceiver::State transferEnd = XmodemReceiver::State::Done;

    void restart() {
        echo = scenario.echo;
        verbose = true;
        quiet = false;
        line.clear();
        switch (firmware) {
            case Firmware::Running:
                mode = Mode::Command;
                break;
            case Firmware::BootState:
                mode = Mode::Boot;
                break;
            case Firmware::MessageMode:
                mode = Mode::Message;
                break;
        }
    }

    // --- output -----------------------------------------------------------
    void send(std::string bytes) {
        if (bytes.empty()) return;
        if (!out.empty() && out.back().kind == Output::Kind::Send) {
            out.back().bytes += bytes;
        } else {
            out.push_back({Output::Kind::Send, std::move(bytes)});
        }
    }
    void reply(std::string_view text) {
        if (text.empty()) return;
        if (transcript) transcript('>', text);
        send(std::string(text));
    }
    void record(std::string_view text) {
        if (transcript) transcript('<', text);
    }
    std::string resultCode(Result r) const {
        struct Code {
            const char* word;
            const char* digit;
        };
        static constexpr Code kCodes[] = {
            {"OK", "0"}, {"ERROR", "4"}, {"NO CARRIER", "3"}, {"BUSY", "7"}};
        const Code& c = kCodes[static_cast<int>(r)];
        return verbose ? std::string("\r\n") + c.word + "\r\n" : std::string(c.digit) + "\r";
    }
    // Text lines, then the final result code, as V and Q ask.
    void finish(const std::string& body, Result result) {
        std::string text;
        if (!body.empty()) text += verbose ? "\r\n" + body + "\r\n" : body + "\r\n";
        if (!quiet && result != Result::None) text += resultCode(result);
        reply(text);
    }
    void vanish() {
        gone = true;
        out.push_back({Output::Kind::Vanish, {}});
    }

    // --- input ------------------------------------------------------------
    void feed(std::string_view bytes, std::uint64_t now);
    void feedLines(std::string_view bytes, std::uint64_t now);
    void dispatchLine(const std::string& text, std::uint64_t now);
    void feedTransfer(std::string_view bytes, std::uint64_t now);
    void transferEnded(std::uint64_t now);
    void poll(std::uint64_t now);
    std::uint64_t nextDeadline() const;

    // --- modes ------------------------------------------------------------
    void commandLine(const std::string& text, std::uint64_t now);
    Result runCommand(const Command& cmd, std::string& body, std::uint64_t now);
    Result runParameter(const Command& cmd);
    Result runInfo(const Command& cmd, std::string& body);
    Result runLineStatus(const Command& cmd, std::string& body);
    void messageLine(std::string_view body);
    void bootLine(std::string_view body);
    void monitorLine(std::string_view body);
    void confirmLine(std::string_view text, std::uint64_t now);
    void askLoad(Mode from);

    bool faultHit(const std::vector<CommandPattern>& list, std::string_view body) const {
        return std::any_of(list.begin(), list.end(),
                           [body](const CommandPattern& p) { return p.matches(body); });
    }
    std::string listing() const;
    std::string statusListing();
    std::string activationListing() const;
    Result spidTest(const std::string& spid, std::string& body);
    std::string modelLine() const { return scenario.model; }
    std::string finalText() const {
        if (!scenario.finalText.empty()) return scenario.finalText;
        return scenario.isCard() ? "\r\nFlash programmed." : "\r\nProgramming flash...\r\n";
    }
};

// ---------------------------------------------------------------------------

void AdapterState::feed(std::string_view bytes, std::uint64_t now) {
    switch (mode) {
        case Mode::Transfer:
            feedTransfer(bytes, now);
            return;
        case Mode::Starting:
        case Mode::Finishing:
            return;  // the loader is busy; input is noise
        default:
            break;
    }
    // The adapter echoes in its receive path, before it looks at a command:
    // a line written at once comes back whole, line feed included, ahead of
    // the answer.
    if (echo) send(std::string(bytes));
    feedLines(bytes, now);
}

void AdapterState::feedLines(std::string_view bytes, std::uint64_t now) {
    for (char c : bytes) {
        if (gone || silent) return;
        if (mode == Mode::Starting || mode == Mode::Transfer || mode == Mode::Finishing) return;
        if (c == kLf) continue;  // a line feed only separates lines
        if (c == kBackspace) {
            if (!line.empty()) line.pop_back();
            continue;
        }
        // Other control characters (a stray EOT after a download, XON/XOFF)
        // never reach the command buffer.
        if (static_cast<unsigned char>(c) < 0x20 && c != kCr) continue;
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
        const bool tooLong = lineTooLong;
        lineTooLong = false;
        if (text.empty()) continue;  // the second CR of "...\r\r" gets no answer
        if (tooLong) {
            record(text.substr(0, 64) + "...");
            if (mode == Mode::Command) finish({}, Result::Error);
            continue;
        }
        dispatchLine(text, now);
    }
}

void AdapterState::dispatchLine(const std::string& text, std::uint64_t now) {
    if (mode == Mode::Confirm) {
        record(text);
        confirmLine(text, now);
        return;
    }
    if (!startsWithAt(text)) return;  // not for us
    record(text);
    const std::string_view body = std::string_view(text).substr(2);
    switch (mode) {
        case Mode::Command:
            commandLine(text, now);
            break;
        case Mode::Message:
            messageLine(body);
            break;
        case Mode::Boot:
            bootLine(body);
            break;
        case Mode::Monitor:
            monitorLine(body);
            break;
        default:
            break;
    }
}

// --- the command interpreter -------------------------------------------

void AdapterState::commandLine(const std::string& text, std::uint64_t now) {
    const Faults& f = scenario.faults;
    ++commands;
    const std::string_view body = std::string_view(text).substr(2);
    if (f.silentAfter >= 0 && commands > static_cast<std::uint32_t>(f.silentAfter)) {
        silent = true;
        return;
    }
    if (faultHit(f.vanish, body)) {
        vanish();
        return;
    }
    if (faultHit(f.silent, body)) return;
    if (faultHit(f.error, body)) {
        finish({}, Result::Error);
        return;
    }
    if (faultHit(f.longReply, body)) {
        std::string longText;
        while (longText.size() < 5000) longText += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n";
        finish(longText, Result::Ok);
        return;
    }
    // Dialling and answering: there is no call to make on a simulated line.
    if (!body.empty() && (body[0] == 'D' || body[0] == 'd' ||
                          ((body[0] == 'A' || body[0] == 'a') && body.size() == 1))) {
        finish({}, Result::NoCarrier);
        return;
    }
    std::vector<Command> cmds;
    if (!parseCommandLine(body, cmds)) {
        finish({}, Result::Error);
        return;
    }
    std::string replyText;
    Result result = Result::Ok;
    for (const Command& cmd : cmds) {
        std::string part;
        result = runCommand(cmd, part, now);
        if (!part.empty()) appendLine(replyText, part);
        if (result != Result::Ok || mode != Mode::Command) break;
    }
    finish(replyText, result);
}

Result AdapterState::runCommand(const Command& cmd, std::string& body, std::uint64_t /*now*/) {
    const bool other = scenario.kind == Kind::Other;
    auto onOff = [&](bool& target) {
        if (cmd.digits.empty() || cmd.digits == "0") {
            target = false;
        } else if (cmd.digits == "1") {
            target = true;
        } else {
            return Result::Error;
        }
        return Result::Ok;
    };
    auto profileIndex = [&](std::int32_t& n) {
        if (cmd.digits.empty()) {
            n = 0;
            return true;
        }
        if (cmd.digits.size() != 1 || cmd.digits[0] > '2') return false;
        n = cmd.digits[0] - '0';
        return true;
    };

    if (cmd.prefix == '!' || cmd.prefix == '%' || cmd.prefix == '*') {
        return other ? Result::Error : runParameter(cmd);
    }
    const std::string k = cmd.key();
    if (k == "E") return onOff(echo);
    if (k == "V") return onOff(verbose);
    if (k == "Q") return onOff(quiet);
    if (k == "H" || k == "L" || k == "M" || k == "X" || k == "&C" || k == "&D") return Result::Ok;
    if (k == "&K") {
        const std::string& d = cmd.digits;
        return (d.empty() || d == "0" || d == "3" || d == "4") ? Result::Ok : Result::Error;
    }
    if (k == "S") {
        int reg = 0;
        if (cmd.digits.size() > 3) return Result::Error;
        reg = std::stoi(cmd.digits);
        if (reg > 255) return Result::Error;
        if (cmd.value == "?") {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%03d", sRegisters[reg]);
            body = buf;
            return Result::Ok;
        }
        if (cmd.value.empty() || cmd.value.size() > 4 || cmd.value[0] == '-') return Result::Error;
        const int v = std::stoi(cmd.value);
        if (v > 255) return Result::Error;
        sRegisters[reg] = v;
        return Result::Ok;
    }
    if (k == "I") return runInfo(cmd, body);
    if (k == "Z") {
        std::int32_t n = profiles.defaultProfile();
        if (!cmd.digits.empty() && !profileIndex(n)) return Result::Error;
        if (!other) profiles.restore(n);
        restart();
        return Result::Ok;
    }
    if (k == "&F") {
        if (!other) profiles.loadFactory();
        return Result::Ok;
    }
    if (k == "&V") {
        body = listing();
        return Result::Ok;
    }
    if (other) {
        return (k == "&W" || k == "&Y") ? Result::Ok : Result::Error;
    }
    if (k == "&W" || k == "&Y") {
        std::int32_t n = 0;
        if (!profileIndex(n)) return Result::Error;
        if (k == "&W") {
            profiles.store(n);
        } else {
            profiles.setDefault(n);
        }
        stateChanged = true;
        return Result::Ok;
    }
    if (cmd.prefix == '@') {
        if (cmd.name == "DATE") {
            if (!cmd.hasValue || !validClockText(cmd.value, '-', 1, 12, 1, 31, 99))
                return Result::Error;
            date = cmd.value;
            return Result::Ok;
        }
        if (cmd.name == "TIME") {
            if (!cmd.hasValue || !validClockText(cmd.value, ':', 0, 23, 0, 59, 59))
                return Result::Error;
            time = cmd.value;
            return Result::Ok;
        }
        if (cmd.name == "MSG" || cmd.name == "QUIT") return Result::Ok;
        if (cmd.name == "LOAD") {
            askLoad(Mode::Command);
            return Result::None;
        }
        return Result::Error;
    }
    if (cmd.prefix == '>') {
        if (cmd.name == "F" && !cmd.hasValue) {
            profiles.factoryReset();
            stateChanged = true;
            return Result::Ok;
        }
        return runLineStatus(cmd, body);
    }
    if (cmd.prefix == '$') {
        if (cmd.name == "Z" && cmd.digits.empty()) {
            mode = Mode::Monitor;
            body = "Tamo T/A monitor\r\nuser";
            return Result::None;
        }
        if (cmd.name == "I") return runLineStatus(cmd, body);
    }
    return Result::Error;
}

Result AdapterState::runParameter(const Command& cmd) {
    std::string key = cmd.key();
    std::string value;
    if (cmd.hasValue) {
        value = cmd.value;
    } else {
        // "*P2", "!A0", "!O3": the number follows the parameter directly.
        if (key != "*P" && key != "!A" && key != "!O") return Result::Error;
        value = cmd.digits;
    }
    return profiles.set(key, value) ? Result::Ok : Result::Error;
}

Result AdapterState::runInfo(const Command& cmd, std::string& body) {
    const std::string& n = cmd.digits;
    if (n.empty() || n == "0" || n == "9") {
        body = modelLine();
    } else if (n == "3") {
        body = version;
    } else if (n == "4") {
        body = scenario.lineText;
    } else if (n == "8") {
        body = scenario.identification;
    } else if (n == "20") {
        body = scenario.productNumber;
    } else if (n == "100" && scenario.kind != Kind::Other) {
        for (const auto& l : scenario.regions) appendLine(body, l);
    } else {
        return Result::Error;
    }
    return Result::Ok;
}

std::string AdapterState::listing() const {
    if (scenario.kind == Kind::Other) {
        // A plain modem of another maker: two stored profiles of its own kind.
        return "ACTIVE PROFILE:\r\nB0 E1 L1 M1 N1 Q0 T V1 W0 X4 Y0 &C1 &D2 &K3 &Q5 &R1 &S0 "
               "&Y0\r\n\r\n"
               "STORED PROFILE 0:\r\nB0 E1 L1 M1 N1 Q0 T V1 W0 X4 Y0 &C1 &D2 &K3 &Q5 &R1 "
               "&S0\r\n\r\n"
               "STORED PROFILE 1:\r\nB0 E1 L1 M1 N1 Q0 T V1 W0 X4 Y0 &C1 &D2 &K3 &Q5 &R1 "
               "&S0\r\n\r\n"
               "TELEPHONE NUMBERS:\r\n0=                    1=";
    }
    return profiles.listing(scenario.faults);
}

// --- North-American line detection --------------------------------------

Result AdapterState::runLineStatus(const Command& cmd, std::string& body) {
    if (!scenario.northAmerica || scenario.kind == Kind::Other) return Result::Error;
    if (cmd.prefix == '>' && cmd.name == "VDD" && !cmd.hasValue) {
        body = statusListing();
        return Result::Ok;
    }
    if (cmd.prefix == '>' && cmd.name == "VDL" && !cmd.hasValue) {
        body = activationListing();
        return Result::Ok;
    }
    if (cmd.prefix == '$' && cmd.name == "I") {
        if (cmd.digits.empty()) {
            for (const auto& l : scenario.line.spidList) appendLine(body, l);
            return Result::Ok;
        }
        return spidTest(cmd.digits, body);
    }
    return Result::Error;
}

std::string AdapterState::statusListing() {
    const LineStatus& l = scenario.line;
    const bool inProgress =
        statusPolls < static_cast<std::uint32_t>(std::max(0, l.inProgressPolls));
    ++statusPolls;
    return "Initialisation status: " +
           (inProgress ? std::string("In-Progress") : l.initialisation) +
           "\r\nCurrent location: " + l.location + "\r\nDetected switch type: " + l.switchType +
           "\r\nSPIDs supported: " + l.spidsSupported;
}

std::string AdapterState::activationListing() const {
    const LineStatus& l = scenario.line;
    std::string out;
    for (int ch = 0; ch < 2; ++ch) {
        std::string state;
        if (static_cast<std::size_t>(ch) < l.activation.size()) {
            state = l.activation[ch];
        } else {
            // A channel with a SPID in the working profile is up and in use.
            const std::string spid = profiles.working(ch == 0 ? "!C6" : "!C7");
            state = spid.empty() ? "activated" : "activated and operational";
        }
        appendLine(out, "Channel " + std::to_string(ch + 1) + " - " + state);
    }
    return out;
}

Result AdapterState::spidTest(const std::string& spid, std::string& body) {
    if (spid.size() > 20) return Result::Error;
    const LineStatus& l = scenario.line;
    auto it = l.spidResults.find(spid);
    const std::vector<std::string> seq =
        splitList(it == l.spidResults.end() ? l.spidDefault : it->second);
    std::size_t& count = spidTests[spid];
    const std::string result =
        seq.empty() ? "NO CARRIER" : upperAscii(seq[std::min(count, seq.size() - 1)]);
    ++count;
    if (result == "OK") {
        // The switch took the SPID: it goes to the first free channel.
        if (profiles.working("!C6").empty()) {
            profiles.set("!C6", spid);
        } else if (profiles.working("!C7").empty()) {
            profiles.set("!C7", spid);
        }
        body = "SPID " + spid + " accepted.";
        return Result::Ok;
    }
    if (result == "BUSY") return Result::Busy;
    if (result == "ERROR") return Result::Error;
    // No answer from the switch. The host waits for a line that ends in
    // ".": the verdict comes with it.
    body = "SPID " + spid + ": no answer from the switch.";
    return Result::NoCarrier;
}

// --- message mode, boot loader, monitor ----------------------------------

void AdapterState::messageLine(std::string_view body) {
    const std::string b = upperAscii(body);
    if (isModelQuery(b)) {
        reply("\r\n" + modelLine() + "\r\n");  // no result code in this mode
    } else if (b == "@MSG") {
        reply(
            "\r\nmsg 1: DISC received, cause 16 (normal call clearing)\r\n"
            "msg 2: call rejected, cause 17 (user busy)\r\n");
    } else if (b == "@QUIT") {
        firmware = Firmware::Running;
        restart();
        finish({}, Result::Ok);
    }
}

void AdapterState::bootLine(std::string_view body) {
    const std::string b = upperAscii(body);
    if (isModelQuery(b)) {
        reply("\r\n" + modelLine() + " boot loader\r\n");
    } else if (b == "@LOAD") {
        askLoad(Mode::Boot);
    }
}

void AdapterState::monitorLine(std::string_view body) {
    const std::string b = upperAscii(body);
    if (b == "@LOAD") {
        askLoad(Mode::Monitor);
    } else if (b == "@QUIT") {
        restart();
        finish({}, Result::Ok);
    } else {
        reply("\r\n?\r\nuser\r\n");
    }
}

void AdapterState::askLoad(Mode from) {
    loaderReturn = from == Mode::Monitor ? Mode::Command : from;
    mode = Mode::Confirm;
    reply("\r\nLoad new firmware (y/n)?");
}

void AdapterState::confirmLine(std::string_view text, std::uint64_t now) {
    if (text == "y" || text == "Y") {
        mode = Mode::Starting;
        echo = false;
        reply("\r\nFlash erased, loader loaded\r\n");
        // The start character comes on its own, after a pause, so the host
        // sees it as the first character of a delivery.
        startAt = later(now, kStartDelayMs);
    } else {
        mode = loaderReturn;
        reply("\r\nLoad cancelled\r\n");
    }
}

// --- the download ----------------------------------------------------------

void AdapterState::feedTransfer(std::string_view bytes, std::uint64_t now) {
    if (transcript) transcript('<', "[" + std::to_string(bytes.size()) + " bytes of transfer]");
    reply(rx->feed(bytes, now));
    if (rx->finished()) transferEnded(now);
}

void AdapterState::transferEnded(std::uint64_t now) {
    transferEnd = rx->state();
    using S = XmodemReceiver::State;
    if (transferEnd == S::Done || transferEnd == S::Aborted) {
        if (transferEnd == S::Done) {
            image = rx->image();
            std::string v;
            if (findFirmwareVersion(image, v)) version = version.substr(0, 1) + v;
            firmware = Firmware::Running;
        }
        mode = Mode::Finishing;
        finalAt = later(now, kFinalDelayMs);
    } else {
        // Cancelled or never started: back where the download was asked for.
        mode = loaderReturn;
        echo = scenario.echo;
    }
    rx.reset();
}

void AdapterState::poll(std::uint64_t now) {
    if (gone) return;
    if (mode == Mode::Starting && now >= startAt) {
        startAt = kNoDeadline;
        XmodemReceiver::Config cfg;
        cfg.mode = scenario.xmodemCrc ? XmodemReceiver::Mode::Crc : XmodemReceiver::Mode::Checksum;
        cfg.nakStorm = scenario.faults.nakStorm;
        cfg.canAfterBlocks = scenario.faults.canAfterBlocks;
        rx = std::make_unique<XmodemReceiver>(cfg, now);
        mode = Mode::Transfer;
        reply(rx->start(now));
        return;
    }
    if (mode == Mode::Transfer && rx) {
        reply(rx->poll(now));
        if (rx->finished()) transferEnded(now);
        return;
    }
    if (mode == Mode::Finishing && now >= finalAt) {
        finalAt = kNoDeadline;
        reply(finalText());
        restart();
    }
}

std::uint64_t AdapterState::nextDeadline() const {
    if (gone) return kNoDeadline;
    switch (mode) {
        case Mode::Starting:
            return startAt;
        case Mode::Transfer:
            return rx ? rx->nextDeadline() : kNoDeadline;
        case Mode::Finishing:
            return finalAt;
        default:
            return kNoDeadline;
    }
}

// ---------------------------------------------------------------------------

Adapter::Adapter(Scenario scenario) : s_(std::make_unique<AdapterState>(std::move(scenario))) {}
Adapter::~Adapter() = default;

Outputs Adapter::receive(std::string_view bytes, std::uint32_t lineSpeed, std::uint64_t nowMs) {
    s_->out.clear();
    if (s_->gone || s_->silent) return {};
    // Faster than its UART can follow, the adapter hears only noise.
    if (lineSpeed > s_->scenario.maxSpeed) {
        s_->line.clear();
        return {};
    }
    s_->feed(bytes, nowMs);
    return std::move(s_->out);
}

Outputs Adapter::poll(std::uint64_t nowMs) {
    s_->out.clear();
    s_->poll(nowMs);
    return std::move(s_->out);
}

std::uint64_t Adapter::nextDeadline() const {
    return s_->nextDeadline();
}
void Adapter::setTranscript(TranscriptSink sink) {
    s_->transcript = std::move(sink);
}
const Scenario& Adapter::scenario() const {
    return s_->scenario;
}
std::string Adapter::saveState() const {
    return s_->profiles.saveState();
}
std::int32_t Adapter::loadState(std::string_view text) {
    return s_->profiles.loadState(text);
}
bool Adapter::takeStateChanged() {
    return std::exchange(s_->stateChanged, false);
}
const std::string& Adapter::receivedImage() const {
    return s_->image;
}
std::uint32_t Adapter::commandCount() const {
    return s_->commands;
}
bool Adapter::vanished() const {
    return s_->gone;
}

}  // namespace sim
