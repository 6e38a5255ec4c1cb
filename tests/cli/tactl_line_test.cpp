// tactl line and tactl spid as scripts run them: the real program against the
// simulated adapter on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/sim/scenario_files.h"
#include "tests/support/process.h"
#include "tests/support/sim_port.h"

using testsupport::tactl;

namespace {

constexpr const char* kPort = "COM7";

class TactlLine : public ::testing::Test {
protected:
    void Start(const std::string& scenario) {
        testsupport::setTimeScale(0.05);
        device_ = testsupport::startSim(simtest::loadScenario(scenario), kPort,
                                        home_.file("transcript.log"));
        ASSERT_TRUE(device_);
    }
    long Count(const std::string& line) const {
        const auto lines = testsupport::receivedLines(home_.file("transcript.log"), kPort);
        return std::count(lines.begin(), lines.end(), line);
    }

    testsupport::TempHome home_;
    std::unique_ptr<sim::PtyAdapter> device_;
};

TEST_F(TactlLine, PrintsTheLineAndItsNumbers) {
    Start("line_ni1_autospid.ini");
    const auto r = tactl({"line", kPort});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out,
              "result=0\ninitialised=1\nswitchType=0\npublicNetwork=1\nareaCodeSpids=1\n"
              "spidList=1\nnoSpid1=0\nnoSpid2=0\n"
              "number=5551234 spid=51455512340101 services=17 available=1 usable=1\n"
              "number=5551235 spid=51455512350101 services=17 available=1 usable=1\n"
              "number=5551236 spid= services=256 available=1 usable=0\n"
              "number=5551237 spid= services=17 available=0 usable=0\n"
              "number=5551238 spid= services=17 available=0 usable=0\n");
    EXPECT_EQ(Count("AT&W0"), 0) << "cleared without --reset";

    const auto reset = tactl({"line", kPort, "--reset", "--profile", "2"});
    ASSERT_EQ(reset.code, 0) << reset.err;
    EXPECT_EQ(Count("AT&W2"), 1);
    EXPECT_EQ(Count("ATZ2"), 1);
    // A card needs data only: the data SPID of 5551238 serves it.
    const auto card = tactl({"line", kPort, "--kind", "8"});
    EXPECT_NE(card.out.find("number=5551238 spid=51455512380101 services=1 available=1 usable=1"),
              std::string::npos)
        << card.out;

    EXPECT_EQ(tactl({"line"}).code, 2);
    EXPECT_EQ(tactl({"line", kPort, "--profile", "3"}).code, 2);
}

TEST_F(TactlLine, LineThatNeverComesUpEndsAfterFiftyPolls) {
    Start("line_never_ready.ini");
    const auto r = tactl({"line", kPort});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.starts_with("result=30\n")) << r.out;
    EXPECT_NE(r.err.find("Der Konfig.Assistant bekam keinen Anschluß zum ISDN-Netzwerk."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(Count("AT>VDD"), 50);
}

TEST_F(TactlLine, LineWithoutSpids) {
    Start("line_no_spids.ini");
    const auto r = tactl({"line", kPort});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("spidList=0\nnoSpid1=1\nnoSpid2=1\n"), std::string::npos) << r.out;
    EXPECT_EQ(Count("AT$I"), 0);
}

TEST_F(TactlLine, SpidSearchRepeatsABusyTest) {
    Start("line_5ess.ini");
    const auto r = tactl({"spid", kPort, "--area", "514", "5551234", "5551235"});
    ASSERT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out,
              "try=51455512340101 result=not found\ntry=51455512340100 result=not found\n"
              "try=0151455512340 result=found\ntry=0151455512350 result=found\n"
              "spid1=0151455512340\nspid2=0151455512350\nresult=0\n");
    EXPECT_EQ(Count("AT$I0151455512340"), 2);  // BUSY once, then OK

    // A number no pattern finds: the search runs through the file and fails.
    const auto none = tactl({"spid", kPort, "--area", "514", "5559999"});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.out.find("spid1=\nspid2=\nresult=0\n"), std::string::npos) << none.out;

    EXPECT_EQ(tactl({"spid", kPort, "5551234"}).code, 2);  // no area code
}

}  // namespace
