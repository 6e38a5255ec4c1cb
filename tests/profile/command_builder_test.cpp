#include "profile/command_builder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/profile/profile_fields.h"

using profile::Chain;
using profile::CommandPiece;
using profile::RunProfileCommands;
using profiletest::ProfileWith;
using Lines = std::vector<std::string>;

namespace {

// A North-American box profile that reaches every line of the table.
const std::string kNaBox =
    "Region=1;Primary SwitchType=3;Primary Number1=5551234;Primary Number2=5555678;T1=3;T2=12;"
    "Port Settings=7;Primary SPID1=0155512340;Primary SPID2=0155556780;"
    "Primary Non-Initialised Terminal Mode 1=1;POTS Available=1;Mode POTS 1=1;Mode POTS 2=2;"
    "Distinct Ring POTS 1=1;Distinct Ring POTS 2=2;Audio POTS 2=1;"
    "Supplementary Services POTS 1=1;Dial Access POTS 1=2;Voice Mail POTS 1=1;"
    "Abbreviated Ring for VMWI POTS 2=1;Call Conference Key=*60;Call Drop Key=*61;VMWI Key=#62;"
    "VMWI Refresh Time=30;Dynamic Bandwidth Allocation=1;Bandwidth Allocation Control Protocol=1;"
    "Bandwidth Allocation Protocol Start Interval=10;"
    "Bandwidth Allocation Protocol Repeat Interval=-1;AODI Supported=1;AODI=1;Delay Open B1=5;"
    "Threshold Open B1=50;Threshold Close B1=40;Delay Open B2=6;Threshold Open B2=60;"
    "Threshold Close B2=30;X25 Version=2;X.25 DTE Address=31104;X25 Facilities=rc;"
    "Data Over Voice=1";

Lines Sent(const CProfile& p, int index, int northAmerica, int kind) {
    Lines lines;
    RunProfileCommands(profile::BuildProfileCommands(p, index, northAmerica, kind),
                       [&](const std::string& line) {
                           lines.push_back(line);
                           return 0;
                       });
    return lines;
}

// The lines as one text, each one's last carriage return shown as '|'.
std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line.substr(0, line.size() - 1) + "|";
    return text;
}

}  // namespace

TEST(ProfileCommands, LinesInOrderPerKindAndRegion) {
    struct Row {
        const char* name;
        const char* changes;  // to the North-American box profile
        int index, northAmerica, kind;
        const char* lines;
    };
    const char* naBox =
        "AT!C1=3%A2=96|AT*P1|AT!N1=5551234!N2=5555678|AT!T1=3!T2=12|AT!A7|"
        "AT!C6=0155512340!C7=0155556780!C4=1!C5=0|AT%P5=1%P6=10%P7=4294967295|"
        "AT!X10=5!X11=50!X12=40!X13=6!X14=60!X15=30|AT!X22=1!X1=2!X2=31104!X3=rc|AT!O3|"
        "AT%P8=1\r|AT*E1=1*E2=2|AT*R1=1*R2=2|AT*B1=0*B2=1|AT*S1=1*S2=0|AT*D1=2*D2=0|"
        "AT*V1=1*V2=0|AT*A1=0*A2=1|AT*K1=*60|AT*K3=*61|AT*K5=#62|AT*M=30|AT&W2|";
    const Row rows[] = {
        {"North-American box", "", 2, 1, 1, naBox},
        {"North-American box 6F", "", 2, 1, 4, naBox},
        {"international Pro: one port, N5, no AODI",
         "Connect Type=9;N5=77;AODI Supported=0;Pro Option=6;Call Waiting POTS 1=1", 0, 0, 2,
         "AT!C1=3%A2=4|AT*P1|AT!N1=5551234!N2=5555678|AT!N5=77|AT!T1=3!T2=12|AT!A7|"
         "AT%P5=1%P6=10%P7=4294967295|AT!O6|AT%P8=1\r|AT*E1=1|AT*R1=1|AT*B1=0|AT*S1=1|"
         "AT*D1=2|AT*W1=1|AT&W0|"},
        {"international PCI card without a known protocol", "Connect Type=0", 1, 0, 8,
         "AT!C1=3|AT*P1|AT!N1=5551234!N2=5555678|AT!N5=|AT!T1=3!T2=12|AT!A7|"
         "AT%P5=1%P6=10%P7=4294967295|AT!X10=5!X11=50!X12=40!X13=6!X14=60!X15=30|"
         "AT!X22=1!X1=2!X2=31104!X3=rc|AT%P8=1\r|AT&W1|"},
    };
    for (const Row& r : rows) {
        const CProfile p = ProfileWith(kNaBox + ";" + r.changes);
        EXPECT_EQ(Joined(Sent(p, r.index, r.northAmerica, r.kind)), r.lines) << r.name;
    }
}

TEST(ProfileCommands, TextFieldsCannotEndTheLine) {
    CProfile p = ProfileWith(kNaBox + ";X25 Facilities=%&!;Call Conference Key=*6\r0");
    p.number1 = "555\r\nATZ";
    p.number2 = std::string("1!2\0003", 5);
    p.spid1 = "\r";
    p.x25DteAddress = "a\nb";
    const Lines lines = Sent(p, 0, 1, 1);
    for (const auto& l : lines) {
        EXPECT_EQ(l.find_first_of(std::string("\n\0", 2)), std::string::npos) << l;
        EXPECT_EQ(l.find('\r'), l.size() - (l.rfind("AT%P8=", 0) == 0 ? 2 : 1)) << l;
    }
    EXPECT_EQ(lines[2], "AT!N1=555ATZ!N2=1!23\r");
    EXPECT_EQ(lines[5].rfind("AT!C6=!C7=", 0), 0u);
    EXPECT_EQ(lines[8], "AT!X22=1!X1=2!X2=ab!X3=%&!\r");  // everything else goes as it is
    EXPECT_EQ(lines[18], "AT*K1=*60\r");
}

TEST(ProfileCommandRun, FailuresSkipTheirChainAndLeaveTheLineStanding) {
    // Pieces named after their chain: a.. the line chain, b.. bandwidth, c..
    // the analogue ports, the others in none. The first and last stop the profile.
    std::vector<CommandPiece> pieces;
    for (const char* text : {"one", "a1", "a2", "a3", "b1", "b2", "x", "y", "c1", "c2", "end"}) {
        const Chain chain = text[0] == 'a'   ? Chain::Line
                            : text[0] == 'b' ? Chain::Bandwidth
                            : text[0] == 'c' ? Chain::Analogue
                                             : Chain::None;
        pieces.push_back({text, chain, pieces.empty() || text == std::string("end")});
    }
    struct Row {
        const char* failing;  // the pieces whose line fails
        std::int32_t result;
        const char* sent;
    };
    const Row rows[] = {
        {"", 0, "ATone|ATa1|ATa2|ATa3|ATb1|ATb2|ATx|ATy|ATc1|ATc2|ATend|"},
        {"one", 258, "ATone|"},
        {"a2", 0, "ATone|ATa1|ATa2|ATa2\rb1|ATb2|ATx|ATy|ATc1|ATc2|ATend|"},
        // A failure carried into the next chain's failure.
        {"a1 b1", 0, "ATone|ATa1|ATa1\rb1|ATa1\rb1\rx|ATy|ATc1|ATc2|ATend|"},
        {"x", 0, "ATone|ATa1|ATa2|ATa3|ATb1|ATb2|ATx|ATx\ry|ATc1|ATc2|ATend|"},
        {"c1", 0, "ATone|ATa1|ATa2|ATa3|ATb1|ATb2|ATx|ATy|ATc1|ATc1\rend|"},
        {"end", 258, "ATone|ATa1|ATa2|ATa3|ATb1|ATb2|ATx|ATy|ATc1|ATc2|ATend|"},
    };
    for (const Row& r : rows) {
        Lines sent;
        const std::int32_t result = RunProfileCommands(pieces, [&](const std::string& line) {
            sent.push_back(line);
            std::istringstream failing(r.failing);
            for (std::string name; failing >> name;)
                if (line.ends_with(name + "\r")) return 258;
            return 0;
        });
        EXPECT_EQ(result, r.result) << r.failing;
        EXPECT_EQ(Joined(sent), r.sent) << r.failing;
    }
}

TEST(ProfileCommandRun, LinesNeverOutgrowTheCommandBuffer) {
    const std::vector<CommandPiece> pieces = {{"!C1=1", Chain::None, true},
                                              {"!N1=" + std::string(5000, '7'), Chain::Line},
                                              {"!T1=0", Chain::Line},
                                              {"%P5=" + std::string(3000, '1'), Chain::Bandwidth},
                                              {"&W0", Chain::None, true}};
    Lines sent;
    const auto send = [&](const std::string& l) {
        sent.push_back(l);
        return l.find("!N1=") != std::string::npos ? 258 : 0;  // the long line fails
    };
    EXPECT_EQ(RunProfileCommands(pieces, send, 4095), 0);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1].size(), 4095u);
    EXPECT_EQ(sent[1].back(), '\r');
    // The stale long line cannot take the next piece too: it is dropped.
    EXPECT_EQ(sent[2], "AT%P5=" + std::string(3000, '1') + "\r");
}

