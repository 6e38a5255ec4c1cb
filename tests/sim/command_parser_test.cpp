// The adapter's command-line splitter: what one line turns into.
#include <gtest/gtest.h>

#include "sim/command_parser.h"

namespace {

std::string render(const std::vector<sim::Command>& cmds) {
    std::string out;
    for (const auto& c : cmds) {
        out += "[" + c.key();
        if (c.hasValue)
            out += "=" + c.value;
        else if (!c.digits.empty())
            out += ":" + c.digits;
        out += "]";
    }
    return out;
}

TEST(CommandParser, SplitsLinesIntoCommands) {
    struct Row {
        const char* body;
        const char* expected;
    };
    const Row rows[] = {
        {"", ""},
        {"V1E1&K3", "[V:1][E:1][&K:3]"},
        {"v1 e1  &k3", "[V:1][E:1][&K:3]"},
        {"I100", "[I:100]"},
        {"Z", "[Z]"},
        {"&W2", "[&W:2]"},
        // Numeric values end where the digits end, so two settings share a line.
        {"!C1=5%A2=96", "[!C1=5][%A2=96]"},
        {"*E1=3*E2=3", "[*E1=3][*E2=3]"},
        {"%P5=0%P6=65535%P7=-1", "[%P5=0][%P6=65535][%P7=-1]"},
        // Parameters whose number follows directly.
        {"*P2!A0!O3", "[*P:2][!A:0][!O:3]"},
        // Text values run to the next ! % & and lose their spaces.
        {"!N1=555 1234!N2=", "[!N1=5551234][!N2=]"},
        {"*K1=*3", "[*K1=*3]"},
        {"*K3=#6*", "[*K3=#6*]"},
        {"!X22=1!X1=0!X2=1234!X3=R,abc", "[!X22=1][!X1=0][!X2=1234][!X3=R,abc]"},
        {"!C6=01555123400101!C7=!C4=0!C5=0", "[!C6=01555123400101][!C7=][!C4=0][!C5=0]"},
        {"@date=03-14-27@time=12:00:00", "[@DATE=03-14-27][@TIME=12:00:00]"},
        {"@msg", "[@MSG]"},
        {">f", "[>F]"},
        {">VDD", "[>VDD]"},
        {"$I", "[$I]"},
        {"$I01555123400101", "[$I:01555123400101]"},
        {"$Z", "[$Z]"},
        {"S0=2S7?", "[S=2][S=?]"},
    };
    for (const Row& r : rows) {
        std::vector<sim::Command> cmds;
        ASSERT_TRUE(sim::parseCommandLine(r.body, cmds)) << r.body;
        EXPECT_EQ(r.expected, render(cmds)) << r.body;
    }
}

TEST(CommandParser, RefusesMalformedLinesWhole) {
    const char* bad[] = {
        "!", "!1=2", "%A2=", "*E1=x", "&", "&1", "#",       "E1#",      "S=1",
        "S", "S1=",  "@",    ">",     "$", "$1", "!C1=5 ?", "%A2=9 6x",
    };
    for (const char* body : bad) {
        std::vector<sim::Command> cmds{sim::Command{}};
        EXPECT_FALSE(sim::parseCommandLine(body, cmds)) << body;
        EXPECT_TRUE(cmds.empty()) << body;
    }
    std::string longLine(sim::kMaxCommandLine + 1, 'E');
    std::vector<sim::Command> cmds;
    EXPECT_FALSE(sim::parseCommandLine(longLine, cmds));
}

}  // namespace
