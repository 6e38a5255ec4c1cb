// ReadProfiles and WriteProfiles over a real pseudo-terminal against the
// adapter simulator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/serial_port.h"
#include "profile/command_builder.h"
#include "profile/device_profiles.h"
#include "profile/profile_settings.h"
#include "registry/registry.h"
#include "tests/profile/profile_fields.h"
#include "tests/profile/sim_adapter.h"

using profiletest::Apply;
using profiletest::FieldsOf;
using profiletest::SimAdapter;

namespace {

std::int32_t Read(CDeviceProfiles& model, std::int32_t northAmerica, std::int32_t kind) {
    return model.ReadProfiles(SimAdapter::kPort, northAmerica, kind, CProfileSettings());
}

// Gives every profile settings that differ from the simulator's factory
// values, in every group the device has ('@' stands for the profile's number).
void Change(CDeviceProfiles& m) {
    const bool na = m.northAmerica == 1, box = m.deviceKind == 1 || m.deviceKind == 4;
    const bool card = m.deviceKind == 8 || m.deviceKind == 16;
    for (int i = 0; i < 3; ++i) {
        CProfile& p = m.profiles[i];
        const auto set = [&](bool when, std::string settings) {
            std::replace(settings.begin(), settings.end(), '@', static_cast<char>('0' + i));
            if (when) Apply(p, settings);
        };
        set(true,
            "Region=3@;Connect Type=1@;Primary SwitchType=5@;Primary Number1=5550@;"
            "Primary Number2=4711;T1=5;T2=6@;Port Settings=1@;Dynamic Bandwidth Allocation=1;"
            "Bandwidth Allocation Control Protocol=1;"
            "Bandwidth Allocation Protocol Start Interval=30;"
            "Bandwidth Allocation Protocol Repeat Interval=6@");
        set(na,
            "Primary SPID1=01555000@;Primary SPID2=0155511;"
            "Primary Non-Initialised Terminal Mode 2=1");
        set(!na && !card, "N5=9@");
        set(p.potsAvailable,
            "Mode POTS 1=1;Distinct Ring POTS 1=2;Dial Access POTS 1=1;Audio POTS 1=1;"
            "Supplementary Services POTS 1=@");
        set(p.potsAvailable && box, "Mode POTS 2=2;Distinct Ring POTS 2=1;Audio POTS 2=1");
        set(p.potsAvailable && na,
            "Voice Mail POTS 1=1;Abbreviated Ring for VMWI POTS 1=1;Call Conference Key=*7@;"
            "Call Drop Key=#8;VMWI Refresh Time=45");
        set(p.potsAvailable && !na, "Call Waiting POTS 1=1");
        set(p.aodiSupported,
            "AODI=1;X25 Version=2;X.25 DTE Address=3110@;X25 Facilities=r;Delay Open B1=7;"
            "Threshold Open B2=8;Threshold Close B2=9");
        set(m.deviceKind == 2, "Pro Option=1");
        set(m.deviceKind != 2 && na, "Data Over Voice=1");
    }
    m.activeProfile = 2;
}

// What the adapter must have received for a whole write: the link's initial
// command, each profile's lines, then the active profile, the clock (whose
// digits change) and the restart.
std::vector<std::string> ExpectedWrite(const CDeviceProfiles& m) {
    std::vector<std::string> lines = {"ATV1E1&K3"};
    for (int i = 0; i < 3; ++i)
        for (const auto& piece :
             profile::BuildProfileCommands(m.profiles[i], i, m.northAmerica, m.deviceKind))
            lines.push_back("AT" + piece.text.substr(0, piece.text.find('\r')));
    const std::string active = std::to_string(m.activeProfile);
    lines.insert(lines.end(), {"AT&Y" + active, "at@date=", "ATZ" + active});
    return lines;
}

class ProfilesAgainstSimulator : public testing::TestWithParam<std::tuple<sim::Kind, bool>> {};

}  // namespace

TEST_P(ProfilesAgainstSimulator, ReadChangeWriteReadAgain) {
    const auto [simKind, northAmerica] = GetParam();
    SimAdapter adapter(sim::defaultScenario(simKind, northAmerica));
    ASSERT_TRUE(adapter.started());
    const std::int32_t kind = static_cast<std::int32_t>(simKind), na = northAmerica ? 1 : 0;

    CDeviceProfiles model;
    ASSERT_EQ(Read(model, na, kind), 0);
    EXPECT_EQ(model.activeProfile, 0);
    for (const CProfile& p : model.profiles)
        EXPECT_NE(p.i100Reply.find(na ? "Canada:25" : "Deutschland:2"), std::string::npos);

    Change(model);
    adapter.ClearTranscript();
    ASSERT_EQ(model.WriteProfiles(SimAdapter::kPort), 0);
    std::vector<std::string> received = adapter.Received();
    for (auto& line : received)
        if (line.starts_with("at@date=")) line = "at@date=";
    EXPECT_EQ(received, ExpectedWrite(model));

    CDeviceProfiles again;
    ASSERT_EQ(Read(again, na, kind), 0);
    EXPECT_EQ(again.activeProfile, 2);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(FieldsOf(again.profiles[i]), FieldsOf(model.profiles[i]));
}

INSTANTIATE_TEST_SUITE_P(EveryKindAndRegion, ProfilesAgainstSimulator,
                         testing::Combine(testing::Values(sim::Kind::Box, sim::Kind::Box6F,
                                                          sim::Kind::Pro, sim::Kind::Pci,
                                                          sim::Kind::PcCard),
                                          testing::Bool()),
                         [](const auto& info) {
                             return "Kind" +
                                    std::to_string(static_cast<int>(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "NorthAmerica" : "International");
                         });

TEST(ProfileReader, SkipRulesOnTheAdaptersListing) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Pro, false);
    s.profile[0]["!O"] = "4";
    s.profile[1] = {{"!O", "1"}, {"!C1", "9"}, {"!N1", "4711"}, {"%P5", "1"}, {"*E1", "2"}};
    s.faults.malformedListing = true;  // profile 1 without "%A2=", profile 2 with "%A2=3", no "&Y"
    s.activeProfile = 2;
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());

    CDeviceProfiles model;
    ASSERT_EQ(Read(model, 0, 2), 0);
    EXPECT_EQ(model.profiles[0].proOption, 6);
    // Profile 1: the line group stops at the missing "%A2=", the rest is read.
    const std::string p1 =
        "Pro Option=1;Connect Type=12;Primary SwitchType=255;Primary Number1=;"
        "Bandwidth Allocation Control Protocol=1;POTS Available=1;Mode POTS 1=2";
    EXPECT_EQ(profiletest::Pick(model.profiles[1], p1), profiletest::ParseFields(p1));
    // Without "&Y" the read ends: profile 0 stays active, no region list asked for.
    EXPECT_EQ(model.activeProfile, 0);
    EXPECT_EQ(model.profiles[0].i100Reply, "");
    for (const std::string& line : adapter.Received())
        EXPECT_EQ(line.find("I100"), std::string::npos);
}

TEST(ProfileReader, ListingWithoutTelephoneNumbers) {
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box, true);
    for (int i = 0; i < 3; ++i) s.profile[i]["!N1"] = "10" + std::to_string(i);
    s.faults.truncatedListing = true;
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());

    CDeviceProfiles model;
    EXPECT_EQ(Read(model, 1, 1), 8001);
    EXPECT_EQ(model.profiles[0].number1, "100");
    EXPECT_EQ(model.profiles[1].number1, "101");
    EXPECT_EQ(model.profiles[2].number1, "");
}

TEST(ProfileReader, StoresTheBestSpeedOnlyWhenAsked) {
    struct Row {
        const char* name;
        bool setting;
        std::uint32_t value, maxSpeed;
    };
    // Slower than the link's usual 57600: the read only works because the
    // speed it found is stored and then used. A fresh store has the setting on.
    const Row rows[] = {{"setting missing", false, 0, 115200},
                        {"setting off", true, 0, 115200},
                        {"setting on", true, 1, 38400},
                        {"fresh store", true, 2, 38400}};
    for (const Row& r : rows) {
        sim::Scenario s = sim::defaultScenario(sim::Kind::Box, false);
        s.maxSpeed = r.maxSpeed;
        SimAdapter adapter(s);
        ASSERT_TRUE(adapter.started()) << r.name;
        const CRegistry view(std::string(kSuiteKey) + "\\View");
        const std::int32_t set = !r.setting    ? view.DeleteValue("DetectOptimalCOMSpeed")
                                 : r.value < 2 ? view.WriteDword("DetectOptimalCOMSpeed", r.value)
                                               : 0;
        ASSERT_EQ(set, 0) << r.name;
        CDeviceProfiles model;
        ASSERT_EQ(Read(model, 0, 1), 0) << r.name;

        const bool stored = r.value > 0;
        std::uint32_t speed = 0;
        const CRegistry speeds =
            CRegistry(std::string(kSuiteKey) + "\\COMSpeeds").SubKey(SimAdapter::kPort);
        EXPECT_EQ(speeds.ReadDword(SimAdapter::kPort, speed) == 0, stored) << r.name;
        platform::LineSettings line;
        ASSERT_EQ(platform::getDefaultCommConfig(SimAdapter::kPort, line), 0) << r.name;
        EXPECT_EQ(line.baudRate, stored ? r.maxSpeed : 57600u) << r.name;
        EXPECT_EQ(speed, stored ? r.maxSpeed : 0u) << r.name;
    }
}

TEST(ProfileWriter, AdapterFallsSilentAfterTheSecondProfile) {
    CDeviceProfiles model;
    model.deviceKind = 1;
    model.northAmerica = 1;
    for (CProfile& p : model.profiles) p.potsAvailable = p.aodiSupported = 1;
    Change(model);

    // The adapter stops answering after the link's initial command and the
    // lines of profiles 0 and 1.
    std::size_t lines = 1;
    for (int i = 0; i < 2; ++i)
        lines += profile::BuildProfileCommands(model.profiles[i], i, 1, 1).size();
    sim::Scenario s = sim::defaultScenario(sim::Kind::Box, true);
    s.faults.silentAfter = static_cast<std::int32_t>(lines);
    SimAdapter adapter(s);
    ASSERT_TRUE(adapter.started());

    EXPECT_EQ(model.WriteProfiles(SimAdapter::kPort), 258);
    const auto received = adapter.Received();
    ASSERT_EQ(received.size(), lines + 1);
    EXPECT_EQ(received[lines - 1], "AT&W1");
    EXPECT_EQ(received.back(), "AT!C1=52%A2=96");  // profile 2's first line, never answered
}

TEST(ProfileEngine, BusyDialogHearsEachStep) {
    struct Recorder : IBusyDialog {
        std::vector<std::uint32_t> ids;
        void SetBusyText(std::uint32_t id, const char* text) override {
            ids.push_back(id);
            EXPECT_STREQ(text, profile::BusyText(id));
        }
    } recorder;
    SimAdapter adapter(sim::defaultScenario(sim::Kind::Pci, false));
    ASSERT_TRUE(adapter.started());
    CDeviceProfiles model;
    EXPECT_EQ(model.SetBusyDialog(&recorder), 0);
    ASSERT_EQ(Read(model, 0, 8), 0);
    ASSERT_EQ(model.WriteProfiles(SimAdapter::kPort), 0);
    EXPECT_EQ(recorder.ids, (std::vector<std::uint32_t>{57399, 1294, 57399, 1295, 57398}));
    EXPECT_STREQ(profile::BusyText(1294), "Liest von Gerät...");
}
