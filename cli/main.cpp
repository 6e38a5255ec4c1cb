// tactl: the suite's scriptable command-line front end.
#include <cstdio>

#include "cli/commands.h"

namespace {

void printHelp(std::FILE* out) {
    std::fputs("Aufruf: tactl <Befehlsgruppe> [Argumente...]\n\nBefehlsgruppen:\n", out);
    for (const cli::CommandGroup& g : cli::commandGroups())
        std::fprintf(out, "  %-10s %s\n", g.name, g.help);
    std::fputs("\n\"tactl <Befehlsgruppe> help\" zeigt die Argumente einer Gruppe.\n", out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return cli::kExitUsage;
    }
    const std::string group = argv[1];
    if (group == "help" || group == "--help" || group == "-h" || group == "/?") {
        printHelp(stdout);
        return cli::kExitOk;
    }
    const cli::CommandGroup* g = cli::findGroup(group);
    if (g == nullptr) {
        std::fprintf(stderr, "FEHLER: Unbekannte Befehlsgruppe \"%s\".\n\n", group.c_str());
        printHelp(stderr);
        return cli::kExitUsage;
    }
    return g->run(cli::Args(argv + 2, argv + argc));
}
