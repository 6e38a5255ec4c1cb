#include "profile/command_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using profile::BuildProfileCommands;
using profile::Chain;
using profile::CommandPiece;
using profile::RunProfileCommands;

namespace {

CProfile NaBoxProfile() {
    CProfile p;
    p.region = 1;
    p.connectType = kConnectMultilinkPpp;
    p.switchType = 3;
    p.number1 = "5551234";
    p.number2 = "5555678";
    p.t1Setting = 3;
    p.t2Setting = 12;
    p.portSettings = 7;
    p.spid1 = "0155512340";
    p.spid2 = "0155556780";
    p.terminalMode1 = 1;
    p.terminalMode2 = 0;
    p.potsAvailable = 1;
    p.modePots1 = 1;
    p.modePots2 = 2;
    p.distinctRingPots1 = 1;
    p.distinctRingPots2 = 2;
    p.audioPots2 = 1;
    p.supplementaryServicesPots1 = 1;
    p.dialAccessPots1 = 2;
    p.voiceMailPots1 = 1;
    p.abbreviatedRingPots2 = 1;
    p.callConferenceKey = "*60";
    p.callDropKey = "*61";
    p.vmwiKey = "#62";
    p.vmwiRefreshTime = 30;
    p.dynamicBandwidthAllocation = 1;
    p.bacp = 1;
    p.bapStartInterval = 10;
    p.bapRepeatInterval = -1;  // sent unsigned
    p.aodiSupported = 1;
    p.aodi = 1;
    p.delayOpenB1 = 5;
    p.thresholdOpenB1 = 50;
    p.thresholdCloseB1 = 40;
    p.delayOpenB2 = 6;
    p.thresholdOpenB2 = 60;
    p.thresholdCloseB2 = 30;
    p.x25Version = 2;
    p.x25DteAddress = "31104";
    p.x25Facilities = "rc";
    p.dataOverVoice = 1;
    return p;
}

std::vector<std::string> Lines(const CProfile& p, int index, int northAmerica, int kind) {
    std::vector<std::string> lines;
    const auto pieces = BuildProfileCommands(p, index, northAmerica, kind);
    RunProfileCommands(pieces, [&](const std::string& line) {
        lines.push_back(line);
        return 0;
    });
    return lines;
}

bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
    for (const auto& l : lines)
        if (l.rfind(start, 0) == 0) return true;
    return false;
}

}  // namespace

TEST(ProfileCommands, NorthAmericanBoxLinesInOrder) {
    const std::vector<std::string> expected = {
        "AT!C1=3%A2=96\r",
        "AT*P1\r",
        "AT!N1=5551234!N2=5555678\r",
        "AT!T1=3!T2=12\r",
        "AT!A7\r",
        "AT!C6=0155512340!C7=0155556780!C4=1!C5=0\r",
        "AT%P5=1%P6=10%P7=4294967295\r",
        "AT!X10=5!X11=50!X12=40!X13=6!X14=60!X15=30\r",
        "AT!X22=1!X1=2!X2=31104!X3=rc\r",
        "AT!O3\r",
        "AT%P8=1\r\r",
        "AT*E1=1*E2=2\r",
        "AT*R1=1*R2=2\r",
        "AT*B1=0*B2=1\r",
        "AT*S1=1*S2=0\r",
        "AT*D1=2*D2=0\r",
        "AT*V1=1*V2=0\r",
        "AT*A1=0*A2=1\r",
        "AT*K1=*60\r",
        "AT*K3=*61\r",
        "AT*K5=#62\r",
        "AT*M=30\r",
        "AT&W2\r",
    };
    EXPECT_EQ(Lines(NaBoxProfile(), 2, 1, 1), expected);
    EXPECT_EQ(Lines(NaBoxProfile(), 2, 1, 4), expected);
}

TEST(ProfileCommands, InternationalProBoxLinesInOrder) {
    CProfile p = NaBoxProfile();
    p.connectType = kConnectV110;
    p.n5Text = "77";
    p.aodiSupported = 0;
    p.proOption = 6;
    p.callWaitingPots1 = 1;
    const std::vector<std::string> expected = {
        "AT!C1=3%A2=4\r",
        "AT*P1\r",
        "AT!N1=5551234!N2=5555678\r",
        "AT!N5=77\r",
        "AT!T1=3!T2=12\r",
        "AT!A7\r",
        "AT%P5=1%P6=10%P7=4294967295\r",
        "AT!O6\r",
        "AT%P8=1\r\r",
        "AT*E1=1\r",
        "AT*R1=1\r",
        "AT*B1=0\r",
        "AT*S1=1\r",
        "AT*D1=2\r",
        "AT*W1=1\r",
        "AT&W0\r",
    };
    EXPECT_EQ(Lines(p, 0, 0, 2), expected);
}

TEST(ProfileCommands, ConditionsByKindAndRegion) {
    struct Row {
        const char* name;
        int northAmerica, kind;
        std::vector<std::string> present, absent;
    };
    const Row rows[] = {
        {"international PCI card", 0, 8, {"AT!N5=", "AT%P8="},
         {"AT!O", "AT*E1=", "AT!C6="}},
        {"North-American PCI card", 1, 8, {"AT!O3", "AT!C6="}, {"AT!N5=", "AT*E1="}},
        {"North-American PC card", 1, 16, {"AT!O3"}, {"AT*E1="}},
        {"international box", 0, 1, {"AT*W1=", "AT!N5="},
         {"AT!O", "AT*V1=", "AT*K1=", "AT!C6="}},
        {"North-American box", 1, 1, {"AT*V1=", "AT*K1=", "AT!C6="}, {"AT*W1=", "AT!N5="}},
        {"North-American Pro", 1, 2, {"AT!O0", "AT*V1=1\r"}, {"AT*W1="}},
        {"unknown kind", 1, 32, {"AT&W1"}, {"AT!O", "AT*E1="}},
    };
    CProfile p = NaBoxProfile();
    p.dataOverVoice = 1;
    for (const Row& r : rows) {
        const auto lines = Lines(p, 1, r.northAmerica, r.kind);
        for (const auto& s : r.present) EXPECT_TRUE(HasLineStarting(lines, s)) << r.name << " " << s;
        for (const auto& s : r.absent) EXPECT_FALSE(HasLineStarting(lines, s)) << r.name << " " << s;
    }
}

TEST(ProfileCommands, SettingsThatRemoveLines) {
    CProfile p = NaBoxProfile();
    p.connectType = 0;
    p.aodiSupported = 0;
    p.potsAvailable = 0;
    p.dataOverVoice = 0;
    const auto lines = Lines(p, 0, 1, 1);
    EXPECT_EQ(lines.front(), "AT!C1=3\r");
    EXPECT_FALSE(HasLineStarting(lines, "AT!X"));
    EXPECT_FALSE(HasLineStarting(lines, "AT*E1="));
    EXPECT_TRUE(HasLineStarting(lines, "AT!O0\r"));
    EXPECT_EQ(lines.back(), "AT&W0\r");
}

TEST(ProfileCommands, TextFieldsCannotEndTheLine) {
    CProfile p = NaBoxProfile();
    p.number1 = "555\r\nATZ";
    p.number2 = std::string("1!2\0" "3", 5);
    p.spid1 = "\r";
    p.x25DteAddress = "a\nb";
    p.callConferenceKey = "*6\r0";
    p.x25Facilities = "%&!";
    const auto lines = Lines(p, 0, 1, 1);
    for (const auto& l : lines) {
        EXPECT_EQ(l.find('\n'), std::string::npos) << l;
        EXPECT_EQ(l.find('\0'), std::string::npos) << l;
        const bool twoReturns = l.rfind("AT%P8=", 0) == 0;
        EXPECT_EQ(l.find('\r'), l.size() - (twoReturns ? 2 : 1)) << l;
    }
    EXPECT_TRUE(HasLineStarting(lines, "AT!N1=555ATZ!N2=1!23\r"));
    EXPECT_TRUE(HasLineStarting(lines, "AT!C6=!C7="));
    EXPECT_TRUE(HasLineStarting(lines, "AT!X22=1!X1=2!X2=ab!X3=%&!\r"));
    EXPECT_TRUE(HasLineStarting(lines, "AT*K1=*60\r"));
}

namespace {

// Answers every line with OK except those that end in one of the failing
// pieces; records what was sent.
struct ScriptedAdapter {
    std::vector<std::string> failing;
    std::vector<std::string> sent;
    std::int32_t failCode = 258;

    std::int32_t operator()(const std::string& line) {
        sent.push_back(line);
        for (const auto& f : failing)
            if (line.size() > f.size() && line.compare(line.size() - f.size() - 1, f.size(), f) == 0)
                return failCode;
        return 0;
    }
};

std::vector<CommandPiece> Pieces(std::initializer_list<std::pair<const char*, Chain>> list,
                                 bool lastStops = true) {
    std::vector<CommandPiece> out;
    for (const auto& [text, chain] : list) out.push_back({text, chain, false});
    out.front().stopsProfile = true;
    out.back().stopsProfile = lastStops;
    return out;
}

}  // namespace

TEST(ProfileCommandRun, FailuresSkipTheirChainAndLeaveTheLineStanding) {
    const auto pieces = Pieces({{"one", Chain::None},
                                {"a1", Chain::Line},
                                {"a2", Chain::Line},
                                {"a3", Chain::Line},
                                {"b1", Chain::Bandwidth},
                                {"b2", Chain::Bandwidth},
                                {"x", Chain::None},
                                {"y", Chain::None},
                                {"c1", Chain::Analogue},
                                {"c2", Chain::Analogue},
                                {"end", Chain::None}});
    struct Row {
        const char* name;
        std::vector<std::string> failing;
        std::int32_t result;
        std::vector<std::string> sent;
    };
    const Row rows[] = {
        {"all answered", {},
         0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATy\r",
          "ATc1\r", "ATc2\r", "ATend\r"}},
        {"first line stops the profile", {"one"}, 258, {"ATone\r"}},
        {"line chain", {"a2"},
         0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa2\rb1\r", "ATb2\r", "ATx\r", "ATy\r", "ATc1\r",
          "ATc2\r", "ATend\r"}},
        {"failure carried into the next chain's failure", {"a1", "b1"},
         0,
         {"ATone\r", "ATa1\r", "ATa1\rb1\r", "ATa1\rb1\rx\r", "ATy\r", "ATc1\r", "ATc2\r",
          "ATend\r"}},
        {"unchained line goes on", {"x"},
         0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATx\ry\r",
          "ATc1\r", "ATc2\r", "ATend\r"}},
        {"analogue chain then store", {"c1"},
         0,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATy\r",
          "ATc1\r", "ATc1\rend\r"}},
        {"store fails", {"end"},
         258,
         {"ATone\r", "ATa1\r", "ATa2\r", "ATa3\r", "ATb1\r", "ATb2\r", "ATx\r", "ATy\r",
          "ATc1\r", "ATc2\r", "ATend\r"}},
    };
    for (const Row& r : rows) {
        ScriptedAdapter adapter{r.failing, {}};
        const std::int32_t result =
            RunProfileCommands(pieces, [&](const std::string& l) { return adapter(l); });
        EXPECT_EQ(result, r.result) << r.name;
        EXPECT_EQ(adapter.sent, r.sent) << r.name;
    }
}

TEST(ProfileCommandRun, LinkCodesPassThrough) {
    for (std::int32_t code : {258, 1005, 1009}) {
        ScriptedAdapter adapter{{"&W0"}, {}, code};
        const auto pieces = BuildProfileCommands(CProfile{}, 0, 0, 8);
        EXPECT_EQ(RunProfileCommands(pieces, [&](const std::string& l) { return adapter(l); }),
                  code);
    }
}

TEST(ProfileCommandRun, LinesNeverOutgrowTheCommandBuffer) {
    const std::string big(5000, '7');
    std::vector<CommandPiece> pieces = {{"!C1=1", Chain::None, true},
                                        {"!N1=" + big, Chain::Line, false},
                                        {"!T1=0", Chain::Line, false},
                                        {"%P5=" + std::string(3000, '1'), Chain::Bandwidth, false},
                                        {"&W0", Chain::None, true}};
    std::vector<std::string> sent;
    const std::int32_t result = RunProfileCommands(
        pieces,
        [&](const std::string& l) {
            sent.push_back(l);
            return l.find("!N1=") != std::string::npos ? 258 : 0;  // the long line fails
        },
        4095);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1].size(), 4095u);
    EXPECT_EQ(sent[1].back(), '\r');
    // The stale long line cannot take the next piece too: it is dropped.
    EXPECT_EQ(sent[2], "AT%P5=" + std::string(3000, '1') + "\r");
    EXPECT_EQ(sent[3], "AT&W0\r");
}

TEST(ProfileClock, MonthDayYearThenTime) {
    std::tm t{};
    t.tm_year = 126;  // 2026
    t.tm_mon = 0;
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(profile::ClockLine(t), "at@date=01-07-26@time=09:05:03\r");
    t.tm_year = 99;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 59;
    EXPECT_EQ(profile::ClockLine(t), "at@date=12-31-99@time=23:59:59\r");
}
