// tactl line / tactl spid: the North-American wizard's line detection
// without its pages, in the name=value form scripts read. The status texts
// the pages would show go to stderr as they come.
//   tactl line COMn [--reset] [--kind N] [--profile N]
//   tactl spid COMn --area NPA NUMBER [NUMBER2] [--kind N] [--profile N]
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "platform/named_mutex.h"
#include "platform/status_codes.h"
#include "wizard/line_sequence.h"

namespace cli {

namespace {

constexpr const char* kLineUsage =
    "Aufruf: tactl line COMn [--reset] [--kind N] [--profile 0..2]\n";
constexpr const char* kSpidUsage =
    "Aufruf: tactl spid COMn --area VORWAHL RUFNUMMER [RUFNUMMER2] [--kind N] [--profile 0..2]\n";

bool wantsHelp(const Args& args) {
    return args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "/?");
}

std::optional<std::int32_t> number(const std::string& text, std::int32_t low, std::int32_t high) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::int32_t n = std::stoi(text);
    if (n < low || n > high) return std::nullopt;
    return n;
}

// The options both commands share; the rest goes to `positional`.
struct Options {
    std::int32_t kind = 1;
    std::int32_t profile = 0;
    bool reset = false;
    std::string area;
    bool hasArea = false;
    Args positional;
};

bool parseOptions(const Args& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--reset") {
            o.reset = true;
        } else if (a == "--kind" && hasValue) {
            const auto n = number(args[++i], 0, 0x7FFFFFFF);
            if (!n) return false;
            o.kind = *n;
        } else if (a == "--profile" && hasValue) {
            const auto n = number(args[++i], 0, 2);
            if (!n) return false;
            o.profile = *n;
        } else if (a == "--area" && hasValue) {
            o.area = args[++i];
            o.hasArea = true;
        } else if (a.starts_with("--")) {
            return false;
        } else {
            o.positional.push_back(a);
        }
    }
    return true;
}

void printStatusText(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void printFailure(std::int32_t result, std::uint32_t message) {
    std::fprintf(stderr, "FEHLER: %s (Code %d).\n", status::statusText(result).c_str(),
                 static_cast<int>(result));
    if (message != 0) {
        const std::string_view text = wizard::LineMessageText(message);
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}

// The record a number line shows: its first usable SPID, else its first one.
void printNumber(const wizard::NumberEntry& entry, std::int32_t kind) {
    const std::string spid = entry.firstUsableSpid(kind);
    const wizard::SpidRecord* shown = entry.spids.empty() ? nullptr : &entry.spids.front();
    for (const wizard::SpidRecord& r : entry.spids)
        if (!spid.empty() && r.spid == spid) {
            shown = &r;
            break;
        }
    std::printf("number=%s spid=%s services=%d available=%d usable=%d\n", entry.number.c_str(),
                spid.c_str(), shown ? static_cast<int>(shown->services) : 0,
                shown && shown->available ? 1 : 0, entry.usable ? 1 : 0);
}

}  // namespace

int runLine(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kLineUsage, stdout), kExitOk;
    Options o;
    if (!parseOptions(args, o) || o.hasArea || o.positional.size() != 1 ||
        o.positional[0].empty()) {
        std::fputs(kLineUsage, stderr);
        return kExitUsage;
    }
    wizard::LineSequenceSettings settings;
    settings.portName = o.positional[0];
    settings.deviceKind = o.kind;
    settings.profileIndex = o.profile;
    settings.clearFirst = o.reset;

    platform::NamedMutex mutex(platform::kDeviceAccessMutex);
    if (!lockDevices(mutex)) return kExitFailed;
    const wizard::LineOutcome out = wizard::RunLineStatusSequence(settings, printStatusText, {});
    mutex.unlock();

    const wizard::LineStatus& s = out.status;
    std::printf("result=%d\n", static_cast<int>(out.result));
    std::printf("initialised=%d\nswitchType=%d\npublicNetwork=%d\nareaCodeSpids=%d\n",
                s.initialised ? 1 : 0, static_cast<int>(s.switchType), s.publicNetwork ? 1 : 0,
                s.areaCodeSpids ? 1 : 0);
    std::printf("spidList=%d\nnoSpid1=%d\nnoSpid2=%d\n", s.spidListAvailable ? 1 : 0,
                s.noSpid1 ? 1 : 0, s.noSpid2 ? 1 : 0);
    for (const wizard::NumberEntry& entry : out.spidList.numbers) printNumber(entry, o.kind);
    if (out.result == wizard::kWizOk) return kExitOk;
    printFailure(out.result, out.message);
    return kExitFailed;
}

int runSpid(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kSpidUsage, stdout), kExitOk;
    Options o;
    if (!parseOptions(args, o) || o.reset || !o.hasArea || o.positional.size() < 2 ||
        o.positional.size() > 3 || o.positional[0].empty() || o.positional[1].empty()) {
        std::fputs(kSpidUsage, stderr);
        return kExitUsage;
    }
    wizard::SpidSearchSettings settings;
    settings.portName = o.positional[0];
    settings.deviceKind = o.kind;
    settings.profileIndex = o.profile;
    settings.areaCode = o.area;
    settings.number1 = o.positional[1];
    settings.twoNumbers = o.positional.size() == 3;
    if (settings.twoNumbers) settings.number2 = o.positional[2];

    wizard::SpidSearchEvents events;
    events.status = printStatusText;
    events.tried = [](const std::string& candidate, bool found) {
        std::printf("try=%s result=%s\n", candidate.c_str(), found ? "found" : "not found");
        std::fflush(stdout);
    };
    events.inform = [](std::uint32_t message) {
        const std::string_view text = wizard::LineMessageText(message);
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    };

    wizard::SpidSearchState state;
    platform::NamedMutex mutex(platform::kDeviceAccessMutex);
    if (!lockDevices(mutex)) return kExitFailed;
    const wizard::SpidSearchOutcome out = wizard::RunSpidSearch(settings, state, events, {});
    mutex.unlock();

    std::printf("spid1=%s\nspid2=%s\nresult=%d\n", state.spid1.c_str(), state.spid2.c_str(),
                static_cast<int>(out.result));
    if (out.result != wizard::kWizOk) {
        printFailure(out.result, out.lineUnreachable ? wizard::kMsgNotConnected : 0);
        return kExitFailed;
    }
    const bool complete = state.spid1Found && (!settings.twoNumbers || state.spid2Found);
    return complete ? kExitOk : kExitFailed;
}

}  // namespace cli
