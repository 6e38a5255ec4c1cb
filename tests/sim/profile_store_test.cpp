// The simulated profile memory: the listing the host reads, the checks on
// the values, and the state file. Which parameters each device has shows in
// the dialect tests and in the profile engine's round trips.
#include <gtest/gtest.h>

#include "sim/profile_store.h"
#include "tests/sim/sim_test_util.h"

namespace {

using sim::Kind;
using sim::ProfileStore;
using simtest::listedValue;

std::string sectionOf(const std::string& listing, int index) {
    const std::string begin = "STORED PROFILE " + std::to_string(index) + ":";
    const std::string end =
        index < 2 ? "STORED PROFILE " + std::to_string(index + 1) + ":" : "TELEPHONE NUMBERS";
    const std::size_t b = listing.find(begin);
    const std::size_t e = listing.find(end);
    if (b == std::string::npos || e == std::string::npos || e < b) return {};
    return listing.substr(b, e - b);
}

std::string listedAs(const std::string& key) {
    return (key == "*P" || key == "!A" || key == "!O") ? key : key + "=";
}

TEST(ProfileStore, ListingReadsBackUnderTheHostsValueRule) {
    for (Kind kind : {Kind::Box, Kind::Box6F, Kind::Pro, Kind::Pci, Kind::PcCard}) {
        for (bool na : {false, true}) {
            ProfileStore store(sim::defaultScenario(kind, na));
            // Distinct values in every profile, texts with the characters a
            // host may send ('*', '#', ';').
            for (int p = 0; p < 3; ++p) {
                int n = 1;
                for (const auto& key : store.keys()) {
                    std::string v;
                    if (key == "%A2")
                        v = p == 1 ? "95" : "2";
                    else if (store.isText(key))
                        v = key == "*K1" ? "*" + std::to_string(p) + "#"
                                         : "55" + std::to_string(p) + ";" + std::to_string(n);
                    else if (key == "!X22")
                        v = "1";
                    else
                        v = std::to_string((n * 7 + p) % 200);
                    ASSERT_TRUE(store.set(key, v)) << key << "=" << v;
                    ++n;
                }
                ASSERT_TRUE(store.store(p));
            }
            ASSERT_TRUE(store.setDefault(2));
            const std::string listing = store.listing({});
            std::string active;
            ASSERT_TRUE(listedValue(listing, "&Y", active));
            EXPECT_EQ("2", active);
            EXPECT_LT(listing.find("&Y"), listing.find("STORED PROFILE 0:"));
            for (int p = 0; p < 3; ++p) {
                const std::string section = sectionOf(listing, p);
                ASSERT_FALSE(section.empty());
                for (const auto& key : store.keys()) {
                    if (!store.listed(key)) continue;
                    std::string got;
                    ASSERT_TRUE(listedValue(section, listedAs(key), got)) << key;
                    EXPECT_EQ(store.stored(p, key), got) << key << " in profile " << p;
                }
            }
        }
    }
}

TEST(ProfileStore, LongestListingStaysWithinTheHostsBuffer) {
    // The host takes at most 4095 characters, echo and result code included.
    for (Kind kind : {Kind::Box, Kind::Pro, Kind::Pci, Kind::PcCard}) {
        for (bool na : {false, true}) {
            ProfileStore store(sim::defaultScenario(kind, na));
            for (const auto& key : store.keys()) {
                if (!store.isText(key)) continue;
                std::string longest(64, '9');
                while (!longest.empty() && !store.set(key, longest)) longest.pop_back();
                ASSERT_FALSE(longest.empty()) << key;
            }
            for (int p = 0; p < 3; ++p) store.store(p);
            const std::size_t total = std::string("AT&V\r\r\n").size() + store.listing({}).size() +
                                      std::string("\r\n\r\nOK\r\n").size();
            EXPECT_LT(total, 4095u) << static_cast<int>(kind) << (na ? " NA" : " intl");
        }
    }
}

TEST(ProfileStore, RefusesValuesTheDeviceCannotTake) {
    ProfileStore na(sim::defaultScenario(Kind::Box, true));
    // key=value, then whether a North-American box takes it ("!N5" and "*W1"
    // belong to international devices).
    const std::pair<const char*, bool> rows[] = {
        {"!C1=255", true},    {"!C1=256", false},
        {"!C1=-1", false},    {"!C1=", false},
        {"%A2=95", true},     {"%A2=4", true},
        {"%A2=3", false},     {"%P6=65535", true},
        {"%P6=65536", false}, {"*P=+7", true},
        {"!N1=", true},       {"!N1=555;556", true},
        {"!N1=a=b", false},   {"!N1=1234567890123456789012345", false},
        {"*K1=*#9", true},    {"*K1=123456789", false},
        {"!N5=1", false},     {"*W1=0", false},
        {"!Q9=0", false},
    };
    for (const auto& [setting, ok] : rows) {
        const std::string text = setting;
        const std::string key = text.substr(0, text.find('=')), value = text.substr(key.size() + 1);
        const std::string before = na.working(key);
        EXPECT_EQ(ok, na.set(key, value)) << setting;
        EXPECT_TRUE(ok || na.working(key) == before) << setting;
    }
    EXPECT_EQ("7", na.working("*P"));
}

TEST(ProfileStore, StateRoundTripAndRejection) {
    ProfileStore a(sim::defaultScenario(Kind::Pro, true));
    ASSERT_TRUE(a.set("!N1", "5551234"));
    ASSERT_TRUE(a.set("*K1", "*7"));
    ASSERT_TRUE(a.store(2));
    ASSERT_TRUE(a.setDefault(2));
    const std::string state = a.saveState();

    ProfileStore b(sim::defaultScenario(Kind::Pro, true));
    ASSERT_EQ(0, b.loadState(state));
    EXPECT_EQ(2, b.defaultProfile());
    EXPECT_EQ("5551234", b.stored(2, "!N1"));
    EXPECT_EQ("*7", b.working("*K1"));  // the default profile is loaded at start
    EXPECT_EQ(a.listing({}), b.listing({}));

    // A state file that is not ours leaves the store as it was.
    const char* bad[] = {"active=3\n",  "active=x\n", "3 !N1=1\n", "0 !N1\n",
                         "0 !C1=999\n", "0!N1=1\n",   "garbage\n"};
    for (const char* text : bad) {
        ProfileStore c(sim::defaultScenario(Kind::Pro, true));
        ASSERT_EQ(0, c.loadState(state));
        EXPECT_EQ(1, c.loadState(std::string("0 !N1=999\n") + text)) << text;
        EXPECT_EQ("", c.stored(0, "!N1")) << text;
        EXPECT_EQ(2, c.defaultProfile()) << text;
    }
    // Parameters of another device kind (the scenario changed) are skipped.
    ProfileStore intl(sim::defaultScenario(Kind::Pro, false));
    EXPECT_EQ(0, intl.loadState(state));
    EXPECT_EQ("5551234", intl.stored(2, "!N1"));
}

}  // namespace
