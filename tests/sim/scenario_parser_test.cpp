// Scenario files: the shipped ones all load, every key reaches its field,
// and mistakes are reported instead of quietly ignored.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/scenario.h"
#include "sim/transcript.h"

namespace {

TEST(ScenarioParser, EveryShippedScenarioLoads) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SIM_SCENARIO_DIR)) {
        if (entry.path().extension() != ".ini") continue;
        sim::Scenario s;
        std::string error;
        EXPECT_EQ(0, sim::parseScenario(sim::readTextFile(entry.path()), s, error))
            << entry.path() << ": " << error;
        ++count;
    }
    EXPECT_GE(count, 12);
}

TEST(ScenarioParser, KeysReachTheirFields) {
    const char* text =
        "; comment\n"
        "[device]\nkind=Pro\nregion=NA\nfirmware=message\nmodel=M\nversion=V9.9\n"
        "line_text=NI-1\nproduct=P\nfinal_text=done\\r\\n\nmax_speed=38400\npace=yes\n"
        "echo=0\npots_ports=0\naodi=0\nxmodem=checksum\nactive_profile=2\n"
        "[regions]\n1=Canada:25;\n2=USA:0;\n"
        "[factory]\n!c1=9\n"
        "[profile2]\n!N1=5551234\n*P=7\n"
        "[line]\ninit=Failed\nin_progress_polls=4\nswitch_type=AT&T 5ESS Custom\n"
        "spids_supported=No\nchannel2=not activated\nspid_default=ERROR\n"
        "[spid_list]\na=0101;555;dv;avail\n"
        "[spid_results]\n0101=BUSY,OK\n"
        "[faults]\nsilent_after=7\nsilent=I3 &V\nerror=I4\nlong_reply=I100\nvanish=Z*\n"
        "truncated_listing=1\nmalformed_listing=1\nnak_storm=2\ncan_after_blocks=5\n";
    sim::Scenario s;
    std::string error;
    ASSERT_EQ(0, sim::parseScenario(text, s, error)) << error;
    EXPECT_EQ(sim::Kind::Pro, s.kind);
    EXPECT_TRUE(s.northAmerica);
    EXPECT_EQ(sim::Firmware::MessageMode, s.firmware);
    EXPECT_EQ("M", s.model);
    EXPECT_EQ("done\r\n", s.finalText);
    EXPECT_EQ(38400u, s.maxSpeed);
    EXPECT_TRUE(s.pace);
    EXPECT_FALSE(s.echo);
    EXPECT_EQ(0, s.potsPortCount());
    EXPECT_FALSE(s.hasAodi());
    EXPECT_FALSE(s.xmodemCrc);
    EXPECT_EQ(2, s.activeProfile);
    EXPECT_EQ((std::vector<std::string>{"Canada:25;", "USA:0;"}), s.regions);
    EXPECT_EQ("9", s.factory.at("!C1"));
    EXPECT_EQ("7", s.profile[2].at("*P"));
    EXPECT_EQ(4, s.line.inProgressPolls);
    EXPECT_EQ("AT&T 5ESS Custom", s.line.switchType);
    ASSERT_EQ(2u, s.line.activation.size());
    EXPECT_EQ("activated", s.line.activation[0]);
    EXPECT_EQ("not activated", s.line.activation[1]);
    EXPECT_EQ("BUSY,OK", s.line.spidResults.at("0101"));
    EXPECT_EQ(7, s.faults.silentAfter);
    ASSERT_EQ(2u, s.faults.silent.size());
    EXPECT_TRUE(s.faults.silent[1].matches("&v"));
    EXPECT_TRUE(s.faults.vanish[0].matches("Z1"));
    EXPECT_FALSE(s.faults.vanish[0].matches("&Z"));
    EXPECT_TRUE(s.faults.truncatedListing && s.faults.malformedListing);
    EXPECT_EQ(2, s.faults.nakStorm);
    EXPECT_EQ(5, s.faults.canAfterBlocks);
}

TEST(ScenarioParser, ReportsMistakesAndKeepsTheOldScenario) {
    const char* bad[] = {
        "[device]\nkind=modem\n",
        "[device]\nregion=europe\n",
        "[device]\nfirmware=broken\n",
        "[device]\ncolour=red\n",
        "[device]\nmax_speed=fast\n",
        "[device]\nmax_speed=57600x\n",
        "[device]\npots_ports=3\n",
        "[device]\nactive_profile=3\n",
        "[devices]\nkind=box\n",
        "[faults]\nsilent_after=-2\n",
        "[faults]\nnak_storm=many\n",
        "[line]\nin_progress_polls=-1\n",
        "[device]\nregion=na\n[factory]\n!N5=1\n",  // not a parameter of this device
        "[device]\nkind=pci\n[profile0]\n*R1=0\n",  // a card has no analogue port
        "[profile1]\n!C1=300\n",                    // out of range
        "[profile1]\n%A2=3\n",
    };
    for (const char* text : bad) {
        sim::Scenario s;
        s.model = "unchanged";
        std::string error;
        EXPECT_EQ(1, sim::parseScenario(text, s, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ("unchanged", s.model) << text;
    }
}

}  // namespace
