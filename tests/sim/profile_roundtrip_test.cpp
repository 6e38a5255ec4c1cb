// The simulator against the suite's own profile reader and writer: a listing
// read, changed profiles written back line by line, and read again. Any
// disagreement between the adapter's dialect and the host's shows here.
#include <gtest/gtest.h>

#include <array>

#include "profile/command_builder.h"
#include "profile/listing_parser.h"
#include "sim/adapter.h"
#include "tests/sim/sim_test_util.h"

namespace {

// One exchange with the engine, as the link hands it over: everything up to
// the final result code.
class Exchange {
public:
    explicit Exchange(sim::Scenario sc) : adapter_(std::move(sc)) {}

    std::string operator()(const std::string& line) {
        std::string text;
        for (const auto& o : adapter_.receive(line, 57600, 0)) text += o.bytes;
        return text;
    }
    std::vector<std::string> errors;

private:
    sim::Adapter adapter_;
};

void change(CProfile& p, int index, bool na) {
    p.region = 20 + index;
    p.connectType = index == 1 ? 10 : 11;
    p.switchType = 3 + index;
    p.number1 = "555000" + std::to_string(index);
    p.number2 = "556000" + std::to_string(index);
    p.t1Setting = static_cast<std::uint8_t>(1 + index);
    p.t2Setting = static_cast<std::uint8_t>(4 + index);
    p.portSettings = static_cast<std::uint8_t>(8 + index);
    p.bacp = 1;
    p.bapStartInterval = 300 + index;
    p.bapRepeatInterval = 60;
    p.dynamicBandwidthAllocation = 1;
    if (na) {
        p.spid1 = "01555000" + std::to_string(index) + "0101";
        p.terminalMode2 = 1;
        p.dataOverVoice = 1;
    } else {
        p.n5Text = "77" + std::to_string(index);
    }
    if (p.aodiSupported) {
        p.aodi = 1;
        p.x25Version = 2;
        p.x25DteAddress = "12345";
        p.x25Facilities = "R";
        p.thresholdCloseB2 = 9;
    }
    p.proOption = 6;
    if (p.potsAvailable) {
        p.modePots1 = 1;
        p.distinctRingPots1 = 2;
        p.callWaitingPots1 = na ? 0 : 1;
        p.voiceMailPots1 = na ? 1 : 0;
        p.callConferenceKey = na ? "*3" : "";
        p.vmwiRefreshTime = na ? 45 : 0;
    }
}

TEST(ProfileRoundTrip, ReaderAndWriterWorkAgainstTheSimulator) {
    for (sim::Kind kind :
         {sim::Kind::Box, sim::Kind::Box6F, sim::Kind::Pro, sim::Kind::Pci, sim::Kind::PcCard}) {
        for (bool na : {false, true}) {
            const int k = static_cast<int>(kind);
            SCOPED_TRACE(std::to_string(k) + (na ? " NA" : " intl"));
            Exchange ex(sim::defaultScenario(kind, na));
            profile::ListingContext ctx;
            ctx.northAmerica = na ? 1 : 0;
            ctx.deviceKind = k;

            std::array<CProfile, 3> first{};
            for (auto& p : first) p.Clear();
            const auto r1 = profile::ParseProfileListing(ex("AT&V\r"), ctx, first);
            ASSERT_EQ(0, r1.status);
            ASSERT_TRUE(r1.activeProfileFound);
            const bool hasPorts = kind != sim::Kind::Pci && kind != sim::Kind::PcCard;
            EXPECT_EQ(hasPorts ? 1 : 0, first[0].potsAvailable);
            EXPECT_EQ(na ? 1 : 0, first[0].aodiSupported);

            std::array<CProfile, 3> wanted = first;
            std::vector<std::string> refused;
            for (int i = 0; i < 3; ++i) {
                change(wanted[i], i, na);
                const auto pieces =
                    profile::BuildProfileCommands(wanted[i], i, ctx.northAmerica, k);
                const auto send = [&](const std::string& line) {
                    const std::string answer = ex(line);
                    if (!simtest::endsInResultCode(answer)) return 258;
                    if (answer.find("ERROR") != std::string::npos) refused.push_back(line);
                    return 0;
                };
                ASSERT_EQ(0, profile::RunProfileCommands(pieces, send));
            }
            // The writer sends nothing this device refuses.
            EXPECT_TRUE(refused.empty()) << refused.front();
            EXPECT_NE(std::string::npos, ex("AT&Y2\r").find("OK"));

            std::array<CProfile, 3> second{};
            for (auto& p : second) p.Clear();
            const auto r2 = profile::ParseProfileListing(ex("AT&V\r"), ctx, second);
            ASSERT_EQ(0, r2.status);
            EXPECT_EQ(2, r2.activeProfile);
            for (int i = 0; i < 3; ++i) {
                const CProfile& w = wanted[i];
                const CProfile& g = second[i];
                EXPECT_EQ(w.region, g.region);
                EXPECT_EQ(w.connectType, g.connectType);
                EXPECT_EQ(w.switchType, g.switchType);
                EXPECT_EQ(w.number1, g.number1);
                EXPECT_EQ(w.number2, g.number2);
                EXPECT_EQ(w.t1Setting, g.t1Setting);
                EXPECT_EQ(w.t2Setting, g.t2Setting);
                EXPECT_EQ(w.portSettings, g.portSettings);
                EXPECT_EQ(w.bacp, g.bacp);
                EXPECT_EQ(w.bapStartInterval, g.bapStartInterval);
                EXPECT_EQ(w.dynamicBandwidthAllocation, g.dynamicBandwidthAllocation);
                if (!na && hasPorts) {
                    EXPECT_EQ(w.n5Text, g.n5Text);
                }
                if (na) {
                    EXPECT_EQ(w.spid1, g.spid1);
                    EXPECT_EQ(w.terminalMode2, g.terminalMode2);
                }
                if (na && kind != sim::Kind::Pro) {
                    EXPECT_EQ(1, g.dataOverVoice);
                }
                if (kind == sim::Kind::Pro) {
                    EXPECT_EQ(6, g.proOption);
                }
                EXPECT_EQ(w.aodi, g.aodi);
                EXPECT_EQ(w.x25DteAddress, g.x25DteAddress);
                EXPECT_EQ(w.x25Facilities, g.x25Facilities);
                EXPECT_EQ(w.thresholdCloseB2, g.thresholdCloseB2);
                EXPECT_EQ(w.modePots1, g.modePots1);
                EXPECT_EQ(w.distinctRingPots1, g.distinctRingPots1);
                EXPECT_EQ(w.callWaitingPots1, g.callWaitingPots1);
                EXPECT_EQ(w.voiceMailPots1, g.voiceMailPots1);
                EXPECT_EQ(w.callConferenceKey, g.callConferenceKey);
                EXPECT_EQ(w.vmwiRefreshTime, g.vmwiRefreshTime);
            }
        }
    }
}

}  // namespace
