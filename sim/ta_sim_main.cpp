// ta-sim: simulated adapters on pseudo-terminals, one per --port, each
// registered under its COM name in the registry store until the program ends.
//
//   ta-sim --scenario FILE [--state FILE] [--log FILE] [--install] --port COM1 [--port COM2 ...]
//
// --install records each port as an installed modem of the adapter's kind
// (the enumeration keys the folder reads) while the simulator runs.
//
// Prints "COMn /dev/pts/N" per port once all are up, then runs until SIGINT
// or SIGTERM and removes its mappings. With several ports the state file
// keeps the first port's profiles; the others get "<state>.<COMn>".
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/modem_records.h"
#include "sim/pty_adapter.h"
#include "sim/scenario.h"
#include "sim/transcript.h"

namespace {

struct Args {
    std::string scenario, state, log;
    std::vector<std::string> ports;
    bool install = false;
};

constexpr const char* kUsage =
    "usage: ta-sim --scenario FILE [--state FILE] [--log FILE] [--install] --port COMn [--port "
    "COMm ...]\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool wantsHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--help" || opt == "-h" || opt == "help") return true;
    }
    return false;
}

// The folder a state or log file goes into must exist: the simulator would
// otherwise run and silently keep nothing.
bool folderMissing(const std::string& file) {
    if (file.empty()) return false;
    const std::filesystem::path parent = std::filesystem::path(file).parent_path();
    std::error_code ec;
    return !parent.empty() && !std::filesystem::is_directory(parent, ec);
}

bool parseArgs(int argc, char** argv, Args& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--install") {
            a.install = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (opt == "--scenario")
            a.scenario = value;
        else if (opt == "--state")
            a.state = value;
        else if (opt == "--log")
            a.log = value;
        else if (opt == "--port")
            a.ports.push_back(value);
        else
            return false;
    }
    return !a.scenario.empty() && !a.ports.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (wantsHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Args args;
    if (!parseArgs(argc, argv, args)) return usage();
    for (const std::string* file : {&args.state, &args.log}) {
        if (folderMissing(*file)) {
            std::fprintf(stderr, "ta-sim: the folder of %s does not exist\n",
                         sim::escapeForLog(*file).c_str());
            return 1;
        }
    }

    // Names and file contents may hold anything; nothing raw goes out.
    const std::string scenarioName = sim::escapeForLog(args.scenario);
    const std::string text = sim::readTextFile(args.scenario);
    if (text.find('\0') != std::string::npos) {
        std::fprintf(stderr, "ta-sim: %s is not a text file\n", scenarioName.c_str());
        return 1;
    }
    if (text.empty()) {
        std::fprintf(stderr, "ta-sim: cannot read scenario %s (missing, empty or not a file)\n",
                     scenarioName.c_str());
        return 1;
    }
    sim::Scenario scenario;
    std::string error;
    if (sim::parseScenario(text, scenario, error) != 0) {
        std::fprintf(stderr, "ta-sim: %s: %s\n", scenarioName.c_str(),
                     sim::escapeForLog(error).c_str());
        return 1;
    }

    // Block the stop signals before any thread starts, so that every thread
    // inherits the mask and only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::vector<std::unique_ptr<sim::PtyAdapter>> adapters;
    for (std::size_t i = 0; i < args.ports.size(); ++i) {
        sim::PtyAdapter::Options opt;
        opt.comName = args.ports[i];
        opt.transcriptPath = args.log;
        if (!args.state.empty())
            opt.statePath = i == 0 ? args.state : args.state + "." + args.ports[i];
        std::unique_ptr<sim::PtyAdapter> dev;
        const std::int32_t rc = sim::PtyAdapter::start(scenario, opt, dev);
        if (rc == EADDRINUSE) {
            std::fprintf(stderr, "ta-sim: %s is held by another running simulator\n",
                         sim::escapeForLog(opt.comName).c_str());
            return 1;
        }
        if (rc != 0) {
            std::fprintf(stderr, "ta-sim: %s: cannot start (%d: %s)\n",
                         sim::escapeForLog(opt.comName).c_str(), rc, std::strerror(rc));
            return 1;
        }
        adapters.push_back(std::move(dev));
    }
    // Another maker's modem is no adapter of the family: nothing to install.
    const bool install = args.install && scenario.kind != sim::Kind::Other;
    for (const auto& dev : adapters) {
        if (install && device::InstallModem(
                           {dev->comName(), static_cast<std::int32_t>(scenario.kind), false}) != 0)
            std::fprintf(stderr, "ta-sim: %s: cannot record the modem installation\n",
                         sim::escapeForLog(dev->comName()).c_str());
        std::printf("%s %s\n", dev->comName().c_str(), dev->devicePath().c_str());
    }
    std::fflush(stdout);

    int sig = 0;
    sigwait(&stopSignals, &sig);
    if (install)
        for (const auto& dev : adapters) device::RemoveModem(dev->comName());
    adapters.clear();  // each one removes its mapping
    return 0;
}
