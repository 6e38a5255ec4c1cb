// The simulated profile memory: which parameters each device has, the
// checks on the values, store/restore, and the listing the host reads.
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

TEST(ProfileStore, EachDeviceHasItsOwnParameters) {
    struct Row {
        Kind kind;
        bool na;
        // *R1 *R2 !N5 *W1 *V1 !C6 !X22 !O *K1 !C4
        bool expect[10];
    };
    const char* probes[10] = {"*R1", "*R2", "!N5", "*W1", "*V1", "!C6", "!X22", "!O", "*K1", "!C4"};
    const Row rows[] = {
        {Kind::Box, false, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0}},
        {Kind::Box6F, false, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0}},
        {Kind::Box, true, {1, 1, 0, 0, 1, 1, 1, 1, 1, 1}},
        {Kind::Pro, true, {1, 0, 0, 0, 1, 1, 1, 1, 1, 1}},
        {Kind::Pro, false, {1, 0, 1, 1, 0, 0, 0, 1, 0, 0}},
        {Kind::Pci, true, {0, 0, 0, 0, 0, 1, 1, 1, 0, 1}},
        {Kind::Pci, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {Kind::PcCard, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {Kind::PcCard, true, {0, 0, 0, 0, 0, 1, 1, 1, 0, 1}},
    };
    for (const Row& r : rows) {
        ProfileStore store(sim::defaultScenario(r.kind, r.na));
        const std::string listing = store.listing({});
        for (int i = 0; i < 10; ++i) {
            SCOPED_TRACE(std::string(probes[i]) + " kind " +
                         std::to_string(static_cast<int>(r.kind)) + (r.na ? " NA" : " intl"));
            EXPECT_EQ(r.expect[i], store.listed(probes[i]));
            EXPECT_EQ(r.expect[i], listing.find(listedAs(probes[i])) != std::string::npos);
        }
        // International cards take "!N5=" from the writer but do not list it.
        EXPECT_EQ(!r.na, store.has("!N5"));
        // Every device has the line group and the bandwidth group.
        for (const char* always :
             {"*P", "%A2", "!C1", "!N1", "!N2", "!T1", "!T2", "!A", "%P5", "%P8"}) {
            EXPECT_TRUE(store.has(always)) << always;
        }
    }
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
    struct Row {
        const char* key;
        const char* value;
        bool ok;
    };
    const Row rows[] = {
        {"!C1", "255", true},    {"!C1", "256", false},
        {"!C1", "-1", false},    {"!C1", "", false},
        {"%A2", "95", true},     {"%A2", "4", true},
        {"%A2", "3", false},     {"%P6", "65535", true},
        {"%P6", "65536", false}, {"*P", "+7", true},
        {"!N1", "", true},       {"!N1", "555;556", true},
        {"!N1", "a=b", false},   {"!N1", "1234567890123456789012345", false},
        {"*K1", "*#9", true},    {"*K1", "123456789", false},
        {"!N5", "1", false},  // international boxes only
        {"*W1", "0", false},  // international only
        {"!Q9", "0", false},
    };
    for (const Row& r : rows) {
        const std::string before = na.working(r.key);
        EXPECT_EQ(r.ok, na.set(r.key, r.value)) << r.key << "=" << r.value;
        if (!r.ok) {
            EXPECT_EQ(before, na.working(r.key)) << r.key;
        }
    }
    EXPECT_EQ("7", na.working("*P"));
}

TEST(ProfileStore, StoreRestoreDefaultAndFactory) {
    ProfileStore s(sim::defaultScenario(Kind::Box, false));
    ASSERT_TRUE(s.set("!N1", "111"));
    ASSERT_TRUE(s.store(1));
    ASSERT_TRUE(s.set("!N1", "222"));
    EXPECT_EQ("", s.stored(0, "!N1"));
    EXPECT_EQ("111", s.stored(1, "!N1"));
    ASSERT_TRUE(s.restore(1));
    EXPECT_EQ("111", s.working("!N1"));
    EXPECT_FALSE(s.store(3));
    EXPECT_FALSE(s.restore(-1));
    EXPECT_FALSE(s.setDefault(3));
    ASSERT_TRUE(s.setDefault(1));
    s.factoryReset();
    EXPECT_EQ(0, s.defaultProfile());
    EXPECT_EQ("", s.stored(1, "!N1"));
    EXPECT_EQ("", s.working("!N1"));
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

TEST(ProfileStore, ListingFaults) {
    ProfileStore s(sim::defaultScenario(Kind::Box, true));
    sim::Faults truncated;
    truncated.truncatedListing = true;
    const std::string t = s.listing(truncated);
    EXPECT_NE(std::string::npos, t.find("STORED PROFILE 2:"));
    EXPECT_EQ(std::string::npos, t.find("TELEPHONE NUMBERS"));

    sim::Faults malformed;
    malformed.malformedListing = true;
    const std::string m = s.listing(malformed);
    std::string v;
    EXPECT_FALSE(listedValue(m, "&Y", v));
    EXPECT_TRUE(listedValue(sectionOf(m, 0), "%A2=", v));
    EXPECT_EQ("96", v);
    EXPECT_FALSE(listedValue(sectionOf(m, 1), "%A2=", v));
    EXPECT_TRUE(listedValue(sectionOf(m, 2), "%A2=", v));
    EXPECT_EQ("3", v);
}

}  // namespace
