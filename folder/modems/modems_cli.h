#pragma once
// The command line of ta-modems. Without options it opens its window; the
// folder starts it with "modem.cpl" (any *.cpl name), which changes nothing.
// Scripts and tests install and remove without a window:
//
//   ta-modems --install PORT KIND   KIND is the adapter kind: 1 box, 2 Pro box,
//                                   4 the box's second variant, 8 PCI card,
//                                   16 PC card
//   ta-modems --remove PORT
//   ta-modems --list                one line per modem: port, tab, model
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace modems {

struct Invocation {
    enum class Mode { Window, Install, Remove, List, Usage } mode = Mode::Window;
    std::string port;
    std::int32_t kind = 0;
    std::string error;  // German, for Usage
};

// `args` without the program name.
Invocation ParseArguments(const std::vector<std::string>& args);

// Runs an invocation that needs no window: the process's exit code (0 done,
// 1 the store refused, 2 a wrong command line). Errors go to `err`.
int RunWithoutWindow(const Invocation& invocation, std::ostream& out, std::ostream& err);

}  // namespace modems
