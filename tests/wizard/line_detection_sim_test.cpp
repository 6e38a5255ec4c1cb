// The line status sequence and the SPID search against the simulated adapter
// on a pseudo-terminal: what they send, what they find, how they end.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/event.h"
#include "tests/sim/scenario_files.h"
#include "tests/support/sim_port.h"
#include "wizard/line_sequence.h"

using namespace wizard;

namespace {

constexpr const char* kPort = "COM7";

using simtest::loadScenario;

// Both numbers of the simulated lines, area code 514.
SpidSearchSettings SearchSettings() {
    SpidSearchSettings s;
    s.portName = kPort;
    s.areaCode = "514";
    s.number1 = "5551234";
    s.number2 = "5551235";
    return s;
}

class LineDetectionSim : public ::testing::Test {
protected:
    void Start(const sim::Scenario& scenario) {
        // The settle, poll and busy pauses are many seconds long.
        testsupport::setTimeScale(0.05);
        device_ = testsupport::startSim(scenario, kPort, home_.file("transcript.log"));
        ASSERT_TRUE(device_);
    }
    std::vector<std::string> Received() const {
        return testsupport::receivedLines(home_.file("transcript.log"), kPort);
    }
    long Count(const std::string& line) const {
        const auto lines = Received();
        return std::count(lines.begin(), lines.end(), line);
    }
    // The sequence's status texts, in order.
    StatusText Collect() {
        return [this](std::string_view text) { texts_.emplace_back(text); };
    }

    testsupport::TempHome home_;
    std::unique_ptr<sim::PtyAdapter> device_;
    std::vector<std::string> texts_;
};

LineSequenceSettings Settings(const char* port = kPort) {
    LineSequenceSettings s;
    s.portName = port;
    return s;
}

TEST_F(LineDetectionSim, StatusSequenceClearsPollsAndReadsTheList) {
    Start(loadScenario("line_ni1_autospid.ini"));
    const LineOutcome out = RunLineStatusSequence(Settings(), Collect(), {});
    ASSERT_EQ(out.result, 0);
    EXPECT_TRUE(out.nextEnabled && out.cleared);
    EXPECT_EQ(out.statusPolls, 3);  // two "In-Progress" first
    EXPECT_EQ(out.status.switchType, kSwitchNationalIsdn);
    EXPECT_TRUE(out.status.spidListAvailable && out.status.areaCodeSpids);
    ASSERT_EQ(out.spidList.numbers.size(), 5u);
    EXPECT_EQ(out.spidList.numbers[1].firstUsableSpid(1), "51455512350101");
    EXPECT_EQ(texts_, (std::vector<std::string>{kTextConnecting, kTextResettingLine,
                                                kTextDetectingType, kTextDetectionDone}));
    const auto lines = Received();
    const std::vector<std::string> clearing = {"AT!N1=!N2=!C6=!C7=!C4=0!C5=0", "AT&W0", "ATZ0",
                                               "AT>VDL"};
    EXPECT_NE(std::search(lines.begin(), lines.end(), clearing.begin(), clearing.end()),
              lines.end());
}

TEST_F(LineDetectionSim, FailuresEndWithTheirMessageAndButtons) {
    const struct {
        const char* name;
        const char* key;
        const char* value;
        std::int32_t result;
        std::uint32_t message;
        bool next;
    } rows[] = {
        {"unknown switch", "switch_type", "DMS-100", kWizStatusIncomplete, kMsgWrongFirmware,
         false},
        {"no channel", "channel1", "not activated", kWizNoChannel, kMsgNoNetwork, false},
        {"clearing refused", "fault", "!N1*", kWizClearFailed, kMsgInitFailed, false},
        {"status refused", "fault", ">VDD", kWizStatusFailed, 0, true},
    };
    for (const auto& row : rows) {
        sim::Scenario s = loadScenario("line_no_spids.ini");
        if (std::string(row.key) == "fault") {
            s.faults.error.push_back({row.value});
        } else if (std::string(row.key) == "channel1") {
            s.line.activation = {row.value, row.value};
        } else {
            s.line.switchType = row.value;
        }
        Start(s);
        const LineOutcome out = RunLineStatusSequence(Settings(), {}, {});
        EXPECT_EQ(out.result, row.result) << row.name;
        EXPECT_EQ(out.message, row.message) << row.name;
        EXPECT_EQ(out.nextEnabled, row.next) << row.name;
        device_.reset();
    }
    const LineOutcome missing = RunLineStatusSequence(Settings("COM99"), {}, {});
    EXPECT_EQ(missing.result, kWizOpenFailed);
    EXPECT_EQ(missing.message, kMsgNoNetworkBack);
}

TEST_F(LineDetectionSim, StopWhileDetectingTheTypeClosesThePort) {
    Start(loadScenario("line_ni1_autospid.ini"));
    DetectionWorker worker;
    platform::Event finished;
    worker.start(
        [&](const StopRequested& stop) {
            const StatusText status = [&](std::string_view text) {
                texts_.emplace_back(text);
                if (text == kTextDetectingType) worker.requestStop();
            };
            const LineOutcome out = RunLineStatusSequence(Settings(), status, stop);
            EXPECT_TRUE(out.stopped);
            EXPECT_EQ(out.result, kWizSearchStopped);
            return out.result == 0;
        },
        [&] { finished.set(); });
    ASSERT_EQ(finished.wait(platform::kInfinite), platform::WaitResult::Signaled);
    worker.join();
    EXPECT_TRUE(worker.done());
    EXPECT_FALSE(worker.succeeded());
    EXPECT_EQ(texts_.back(), kTextDetectionStopped);
    EXPECT_EQ(Count("AT>VDL"), 0);
    CLineDetector again(kPort);
    EXPECT_EQ(again.Open(), 0) << "the stopped sequence kept the port";
}

TEST_F(LineDetectionSim, SpidSearchFindsBothAndClearsBeforeTheSecond) {
    Start(loadScenario("line_5ess.ini"));
    const SpidSearchSettings settings = SearchSettings();
    SpidSearchState state;
    std::vector<std::string> tried;
    SpidSearchEvents events;
    events.tried = [&](const std::string& candidate, bool found) {
        tried.push_back(candidate + (found ? "+" : "-"));
    };
    const SpidSearchOutcome out = RunSpidSearch(settings, state, events, {});
    ASSERT_EQ(out.result, 0);
    EXPECT_TRUE(out.nextEnabled);
    // Number 2 starts with the pattern that found number 1.
    EXPECT_EQ(tried, (std::vector<std::string>{"51455512340101-", "51455512340100-",
                                               "0151455512340+", "0151455512350+"}));
    EXPECT_EQ(state.spid1, "0151455512340");
    EXPECT_EQ(state.spid2, "0151455512350");
    EXPECT_EQ(Count("AT$I0151455512340"), 2);  // BUSY, then again
    // The second SPID found started from a cleared profile.
    EXPECT_EQ(Count("AT&W0"), 1);
    EXPECT_FALSE(state.deviceCleared);
}

TEST_F(LineDetectionSim, SpidSearchEndsWhenTheSwitchIsOutOfReach) {
    Start(loadScenario("line_no_carrier.ini"));
    const SpidSearchSettings settings = SearchSettings();
    SpidSearchState state;
    const SpidSearchOutcome out = RunSpidSearch(settings, state, {}, {});
    EXPECT_EQ(out.result, kPatternNotApplicable);
    EXPECT_TRUE(out.lineUnreachable);
    EXPECT_FALSE(out.nextEnabled);
    EXPECT_EQ(Received().size(), 2u);  // the initial command and one test
}

TEST_F(LineDetectionSim, TypedSpidsAreTestedUntilTheSwitchTakesThem) {
    Start(loadScenario("line_5ess.ini"));
    SpidVerifySettings settings;
    settings.portName = kPort;
    settings.spid1 = "0151455512340";  // busy once
    settings.spid2 = "0151455599990";  // refused
    SpidSearchState state;
    std::vector<std::uint32_t> asked;
    SpidSearchEvents events;
    events.ask = [&](std::uint32_t message) {
        asked.push_back(message);
        return true;  // correct it
    };
    SpidVerifyOutcome out = VerifyTypedSpids(settings, state, events);
    EXPECT_EQ(out.result, kWizCorrectSpid);
    EXPECT_EQ(out.channel, 2);
    EXPECT_EQ(asked, std::vector<std::uint32_t>{kMsgAskCorrectSpid2});
    EXPECT_TRUE(state.spid1Found && !state.spid2Found);

    // Corrected: only the changed SPID goes to the switch again.
    settings.spid2 = "0151455512350";
    out = VerifyTypedSpids(settings, state, events);
    EXPECT_EQ(out.result, 0);
    EXPECT_TRUE(state.spid2Found);
    EXPECT_EQ(Count("AT$I0151455512340"), 2);
    EXPECT_EQ(Count("AT$I0151455512350"), 1);

    // An empty SPID is never sent: "AT$I" alone is the list command.
    settings.spid1 = "";
    settings.twoNumbers = false;
    out = VerifyTypedSpids(settings, state, events);
    EXPECT_EQ(out.result, 0);
    EXPECT_FALSE(state.spid1Found);
    EXPECT_EQ(Count("AT$I"), 0);
}

TEST_F(LineDetectionSim, ExistingConfigurationIsInUseWhenAChannelIsOperational) {
    Start(loadScenario("box_na.ini"));  // its profile holds both SPIDs
    bool inUse = false;
    EXPECT_EQ(CheckExistingConfiguration(kPort, inUse), 0);
    EXPECT_TRUE(inUse);
    EXPECT_EQ(CheckExistingConfiguration("COM99", inUse), kWizSetupFailed);
    EXPECT_FALSE(inUse);
}

}  // namespace
