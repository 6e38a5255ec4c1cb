#include "sim/scenario.h"

#include "sim/command_parser.h"

namespace sim {

bool CommandPattern::matches(std::string_view body) const {
    std::string b = upperAscii(body);
    std::string p = upperAscii(pattern);
    if (!p.empty() && p.back() == '*') {
        p.pop_back();
        return b.compare(0, p.size(), p) == 0;
    }
    return b == p;
}

std::int32_t Scenario::potsPortCount() const {
    if (potsPorts >= 0) return potsPorts;
    switch (kind) {
        case Kind::Box:
        case Kind::Box6F:
            return 2;
        case Kind::Pro:
            return 1;
        default:
            return 0;
    }
}

bool Scenario::hasAodi() const {
    return aodi >= 0 ? aodi != 0 : northAmerica;
}

namespace {

// The texts each kind answers with; another maker's modem also names itself.
struct KindTexts {
    Kind kind;
    const char* model;
    const char* productNumber;
};
constexpr KindTexts kKindTexts[] = {
    {Kind::Box, "Tamo T/A ISDN Modem", "TBX-0001"},
    {Kind::Box6F, "Tamo T/A ISDN Modem6F", "TBL-0001"},
    {Kind::Pro, "Tamo T/A Pro ISDN Modem", "T2B-0001"},
    {Kind::Pci, "Tamo T/A PCI ISDN Modem", "T71-0001"},
    {Kind::PcCard, "Tamo T/A0B", "T3M-0001"},
    {Kind::Other, "56K V.90", "0"},
};

}  // namespace

Scenario defaultScenario(Kind kind, bool northAmerica) {
    Scenario s;
    s.kind = kind;
    s.northAmerica = northAmerica;
    for (const KindTexts& t : kKindTexts) {
        if (t.kind != kind) continue;
        s.model = t.model;
        s.productNumber = t.productNumber;
    }
    if (kind == Kind::Other) s.identification = "Generic 56K Data/Fax Modem";
    s.lineText = northAmerica ? "NI-1 V110" : "EURO V110";
    if (northAmerica) {
        s.regions = {"Canada:25;United States:0;"};
    } else {
        s.regions = {"Andere:1;Belgien:5;Deutschland:2;Frankreich:3;Grossbritannien:10;",
                     "Niederlande:6;Oesterreich:4;Schweiz:7;"};
    }
    return s;
}

}  // namespace sim
