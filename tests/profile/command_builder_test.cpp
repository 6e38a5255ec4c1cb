#include "profile/command_builder.h"

#include <gtest/gtest.h>

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

}  // namespace

TEST(ProfileCommands, LinesInOrderPerKindAndRegion) {
    struct Row {
        const char* name;
        std::string profile;
        int index, northAmerica, kind;
        Lines expected;
    };
    const Lines naBox = {
        "AT!C1=3%A2=96\r", "AT*P1\r", "AT!N1=5551234!N2=5555678\r", "AT!T1=3!T2=12\r", "AT!A7\r",
        "AT!C6=0155512340!C7=0155556780!C4=1!C5=0\r",
        "AT%P5=1%P6=10%P7=4294967295\r",  // sent unsigned
        "AT!X10=5!X11=50!X12=40!X13=6!X14=60!X15=30\r", "AT!X22=1!X1=2!X2=31104!X3=rc\r",
        "AT!O3\r", "AT%P8=1\r\r", "AT*E1=1*E2=2\r", "AT*R1=1*R2=2\r", "AT*B1=0*B2=1\r",
        "AT*S1=1*S2=0\r", "AT*D1=2*D2=0\r", "AT*V1=1*V2=0\r", "AT*A1=0*A2=1\r", "AT*K1=*60\r",
        "AT*K3=*61\r", "AT*K5=#62\r", "AT*M=30\r", "AT&W2\r"};
    const Row rows[] = {
        {"North-American box", kNaBox, 2, 1, 1, naBox},
        {"North-American box 6F", kNaBox, 2, 1, 4, naBox},
        {"international Pro: one port, N5, no AODI",
         kNaBox + ";Connect Type=9;N5=77;AODI Supported=0;Pro Option=6;Call Waiting POTS 1=1", 0,
         0, 2,
         {"AT!C1=3%A2=4\r", "AT*P1\r", "AT!N1=5551234!N2=5555678\r", "AT!N5=77\r",
          "AT!T1=3!T2=12\r", "AT!A7\r", "AT%P5=1%P6=10%P7=4294967295\r", "AT!O6\r",
          "AT%P8=1\r\r", "AT*E1=1\r", "AT*R1=1\r", "AT*B1=0\r", "AT*S1=1\r", "AT*D1=2\r",
          "AT*W1=1\r", "AT&W0\r"}},
        {"international PCI card without a known protocol", kNaBox + ";Connect Type=0", 1, 0, 8,
         {"AT!C1=3\r", "AT*P1\r", "AT!N1=5551234!N2=5555678\r", "AT!N5=\r", "AT!T1=3!T2=12\r",
          "AT!A7\r", "AT%P5=1%P6=10%P7=4294967295\r",
          "AT!X10=5!X11=50!X12=40!X13=6!X14=60!X15=30\r", "AT!X22=1!X1=2!X2=31104!X3=rc\r",
          "AT%P8=1\r\r", "AT&W1\r"}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Sent(ProfileWith(r.profile), r.index, r.northAmerica, r.kind), r.expected)
            << r.name;
}

TEST(ProfileCommands, TextFieldsCannotEndTheLine) {
    CProfile p = ProfileWith(kNaBox + ";X25 Facilities=%&!;Call Conference Key=*6\r0");
    p.number1 = "555\r\nATZ";
    p.number2 = std::string("1!2\0" "3", 5);
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
    std::vector<CommandPiece> pieces;
    for (const auto& [text, chain] : std::vector<std::pair<const char*, Chain>>{
             {"one", Chain::None}, {"a1", Chain::Line}, {"a2", Chain::Line}, {"a3", Chain::Line},
             {"b1", Chain::Bandwidth}, {"b2", Chain::Bandwidth}, {"x", Chain::None},
             {"y", Chain::None}, {"c1", Chain::Analogue}, {"c2", Chain::Analogue},
             {"end", Chain::None}})
        pieces.push_back({text, chain, false});
    pieces.front().stopsProfile = pieces.back().stopsProfile = true;

    struct Row {
        const char* name;
        std::vector<std::string> failing;
        std::int32_t result;
        Lines sent;
    };
    const Row rows[] = {
        {"all answered", {}, 0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATy\r",
          "ATc1\r", "ATc2\r", "ATend\r"}},
        {"first line stops the profile", {"one"}, 258, {"ATone\r"}},
        {"line chain", {"a2"}, 0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa2\rb1\r", "ATb2\r", "ATx\r", "ATy\r", "ATc1\r",
          "ATc2\r", "ATend\r"}},
        {"failure carried into the next chain's failure", {"a1", "b1"}, 0,
         {"ATone\r", "ATa1\r", "ATa1\rb1\r", "ATa1\rb1\rx\r", "ATy\r", "ATc1\r", "ATc2\r",
          "ATend\r"}},
        {"unchained line goes on", {"x"}, 0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATx\ry\r",
          "ATc1\r", "ATc2\r", "ATend\r"}},
        {"analogue chain then store", {"c1"}, 0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATy\r",
          "ATc1\r", "ATc1\rend\r"}},
        {"store fails", {"end"}, 258,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATy\r",
          "ATc1\r", "ATc2\r", "ATend\r"}},
    };
    for (const Row& r : rows) {
        Lines sent;
        const std::int32_t result = RunProfileCommands(pieces, [&](const std::string& line) {
            sent.push_back(line);
            for (const auto& f : r.failing)
                if (line.size() > f.size() && line.ends_with(f + "\r")) return 258;
            return 0;
        });
        EXPECT_EQ(result, r.result) << r.name;
        EXPECT_EQ(sent, r.sent) << r.name;
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

TEST(ProfileClock, MonthDayYearThenTime) {
    const auto clock = [](int year, int month, int day, int hour, int minute, int second) {
        std::tm t{};
        t.tm_year = year;
        t.tm_mon = month;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_sec = second;
        return profile::ClockLine(t);
    };
    EXPECT_EQ(clock(126, 0, 7, 9, 5, 3), "at@date=01-07-26@time=09:05:03\r");
    EXPECT_EQ(clock(99, 11, 31, 23, 59, 59), "at@date=12-31-99@time=23:59:59\r");
}
