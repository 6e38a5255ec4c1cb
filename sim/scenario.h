#pragma once
// What one simulated adapter is: its kind, region, texts, stored profiles,
// line facts and the faults it should show. Filled from a scenario file
// (sim/README.md lists the keys) or directly by tests.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Device kinds as the suite numbers them; 0 stands for another maker's modem.
enum class Kind : std::int32_t { Other = 0, Box = 1, Pro = 2, Box6F = 4, Pci = 8, PcCard = 16 };

enum class Firmware : std::int32_t {
    Running = 0,      // the ordinary command interpreter
    BootState = 1,    // firmware damaged: only the boot loader answers
    MessageMode = 2,  // the firmware runs but sits in its message mode until "at@quit"
};

// One rule that matches command lines. The pattern is compared with the
// line's body (what follows "AT"), without regard to case; a pattern ending
// in '*' matches every body that starts with the rest.
struct CommandPattern {
    std::string pattern;
    bool matches(std::string_view body) const;
};

struct Faults {
    // After this many command lines the adapter answers nothing more; -1 never.
    std::int32_t silentAfter = -1;
    std::vector<CommandPattern> silent;     // echoed, then no reply
    std::vector<CommandPattern> error;      // answered "ERROR" whatever they are
    std::vector<CommandPattern> longReply;  // answered with more than 4095 characters
    std::vector<CommandPattern> vanish;     // the port disappears while the command runs
    bool truncatedListing = false;          // &V stops before "TELEPHONE NUMBERS"
    bool malformedListing = false;          // &V values run to the end without a separator
    // During a download: answer every block with NAK this many times before
    // taking it (a storm), and send CAN after this many good blocks (-1 never).
    std::int32_t nakStorm = 0;
    std::int32_t canAfterBlocks = -1;
};

struct LineStatus {
    std::string initialisation = "Successful";
    std::int32_t inProgressPolls = 0;  // "In-Progress" for the first N status listings
    std::string location = "North America";
    std::string switchType = "National ISDN";
    std::string spidsSupported = "Auto";
    std::vector<std::string> activation;  // one text per channel: "activated and operational" ...
    std::vector<std::string> spidList;    // "spid;number,number;services;avail|inuse"
    // Result of "AT$I<spid>" by SPID: a comma list consumed one per test, the
    // last one repeating ("BUSY,OK"). Results: OK, NO CARRIER, BUSY, ERROR.
    std::map<std::string, std::string> spidResults;
    // What the switch says to a SPID it does not know: it refuses it.
    std::string spidDefault = "ERROR";
};

struct Scenario {
    Kind kind = Kind::Box;
    bool northAmerica = false;
    Firmware firmware = Firmware::Running;

    std::string identification = "Velka Technology Corporation";  // atI8
    std::string model = "Tamo T/A ISDN Modem";                    // ati9
    std::string version = "V2.10";                                // atI3
    std::string lineText = "EURO V110";                           // atI4
    std::string productNumber = "TBX-0001";                       // atI20
    std::vector<std::string> regions;                             // atI100, one line each
    std::string finalText;  // after a download; empty: "...\r\n" for boxes, "." for cards

    std::uint32_t maxSpeed = 230400;  // no answer when the host's line runs faster
    bool pace = false;                // send at the line rate
    bool echo = true;                 // E1 after a restart
    bool xmodemCrc = true;            // the loader asks for CRC-16 ('C'), else the sum (NAK)

    std::int32_t potsPorts = -1;  // analogue ports; -1: by kind (box 2, Pro 1, cards 0)
    std::int32_t aodi = -1;       // lists "!X22="; -1: by region (North America only)

    // Stored profile values that differ from the factory settings, by
    // profile (0..2) and parameter ("!N1", "%A2", "*P").
    std::map<std::string, std::string> factory;  // for all profiles
    std::map<std::string, std::string> profile[3];
    std::int32_t activeProfile = 0;

    LineStatus line;
    Faults faults;

    std::int32_t potsPortCount() const;
    bool hasAodi() const;
    bool isCard() const { return kind == Kind::Pci || kind == Kind::PcCard; }
};

// A box of the given kind and region with its usual texts.
Scenario defaultScenario(Kind kind, bool northAmerica);

// Reads a scenario from INI text. Returns 0, or 1 with a message naming the
// offending key in `error`; `out` is left as it was on failure.
std::int32_t parseScenario(std::string_view iniText, Scenario& out, std::string& error);

}  // namespace sim
