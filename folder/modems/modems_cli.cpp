#include "folder/modems/modems_cli.h"

#include <charconv>
#include <ostream>

#include "device/modem_records.h"
#include "platform/status_codes.h"

namespace modems {

namespace {

bool isPanelFile(const std::string& arg) {
    return arg.size() > 4 && device::SameText(std::string_view(arg).substr(arg.size() - 4), ".cpl");
}

bool parseKind(const std::string& text, std::int32_t& kind) {
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, kind);
    return ec == std::errc() && at == end;
}

Invocation usage(std::string error) {
    Invocation wrong;
    wrong.mode = Invocation::Mode::Usage;
    wrong.error = std::move(error);
    return wrong;
}

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& args) {
    Invocation result;
    std::vector<std::string> stray;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        Invocation::Mode mode;
        std::size_t values = 0;
        if (arg == "--install") {
            mode = Invocation::Mode::Install;
            values = 2;
        } else if (arg == "--remove") {
            mode = Invocation::Mode::Remove;
            values = 1;
        } else if (arg == "--list") {
            mode = Invocation::Mode::List;
        } else if (arg == "--help" || arg == "-h") {
            return usage("");
        } else if (arg.starts_with("--")) {
            return usage("Unbekannte Option " + arg);
        } else {
            // The panel file the folder passes, and the toolkit's own options.
            if (!isPanelFile(arg)) stray.push_back(arg);
            continue;
        }
        if (result.mode != Invocation::Mode::Window)
            return usage("Nur eine Aktion auf einmal: " + arg);
        if (args.size() - i - 1 < values) return usage("Zu wenige Angaben nach " + arg);
        result.mode = mode;
        if (values >= 1) result.port = args[i + 1];
        if (values == 2 && !parseKind(args[i + 2], result.kind))
            return usage("Die Geräteart ist keine Zahl: " + args[i + 2]);
        i += values;
    }
    if (result.mode != Invocation::Mode::Window && !stray.empty())
        return usage("Unbekanntes Argument " + stray.front());
    return result;
}

int RunWithoutWindow(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    std::int32_t rc = platform::kOk;
    const char* failure = "";
    switch (invocation.mode) {
        case Invocation::Mode::Install:
            rc = device::InstallModem({invocation.port, invocation.kind, false});
            failure = "Das Modem konnte nicht installiert werden";
            break;
        case Invocation::Mode::Remove:
            rc = device::RemoveModem(invocation.port);
            failure = "Das Modem konnte nicht entfernt werden";
            break;
        case Invocation::Mode::List: {
            std::vector<device::InstalledModem> modems;
            rc = device::ListModems(modems);
            failure = "Die Modems konnten nicht gelesen werden";
            for (const auto& modem : modems) out << modem.port << '\t' << modem.model << '\n';
            break;
        }
        case Invocation::Mode::Window:
        case Invocation::Mode::Usage:
            if (!invocation.error.empty()) err << "ta-modems: " << invocation.error << '\n';
            err << "Aufruf: ta-modems [modem.cpl] | --install ANSCHLUSS ART | --remove ANSCHLUSS"
                   " | --list\n";
            return invocation.error.empty() ? 0 : 2;
    }
    if (rc == platform::kOk) return 0;
    err << "ta-modems: " << failure << ": " << status::statusText(rc) << '\n';
    return 1;
}

}  // namespace modems
