// The routing rule: section names, the VROUTE.INI reader with its limits,
// the voice and data rules, the routing bytes and what the voice column shows.
#include <gtest/gtest.h>

#include <string>

#include "config/routing/routing_rules.h"
#include "tests/support/temp_home.h"
#include "wizard/data_files.h"

using namespace config::routing;

namespace {

TEST(RoutingSection, NameFollowsVariantAndAssignments) {
    const struct {
        std::int32_t kind, pots;
        Assignments a;
        const char* name;
    } rows[] = {
        {2, 1, {1, {}, 1, 2, 1, 1}, "TA_PRO_DN1DN1DN2"},
        {1, 1, {1, 2, 2, 2, {}, {}}, "TA_MODEM_DN1DN2DN2DN2"},
        {4, 0, {1, 2, 1, 2, {}, {}}, "TA_MODEM_NOPOTS_DN1DN2"},
        {8, 1, {1, 1, 2, 2, {}, {}}, "TA_MODEM_NOPOTS_DN2DN2"},  // cards have no ports
        {16, 0, {}, "TA_MODEM_NOPOTS_DNDN"},                     // no value: nothing after DN
        {2, 0, {1, {}, 1, 1, {}, {}}, "TA_PRO_NOPOTS_DN1DN1"},
        {64, 1, {1, 1, 1, 1, {}, {}}, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SectionName(VariantOf(row.kind, row.pots), row.a), row.name) << row.name;
    EXPECT_EQ(NumbersOfChoice(2), (Pair{1, 2}));
    EXPECT_EQ(NumbersOfChoice(3), std::nullopt);
}

TEST(RoutingBytes, HandlingUsesBitsThreeOneAndZeroOnly) {
    EXPECT_EQ(VoiceHandling(0x08), 1);
    EXPECT_EQ(VoiceHandling(0x0A), 1);  // bit 3 wins
    EXPECT_EQ(VoiceHandling(0x02), 2);
    EXPECT_EQ(VoiceHandling(0xF5), 0);
    EXPECT_EQ(DataHandling(0x09), 1);
    const struct {
        std::uint8_t before;
        std::int32_t voice, data;
        std::uint8_t after;
    } rows[] = {
        {0xFF, 0, 0, 0xF4}, {0xF0, 1, 1, 0xF9}, {0x08, 2, 2, 0x02},
        {0x01, 2, 2, 0x03}, {0x0B, 0, 7, 0x01},
    };
    for (const auto& row : rows) {
        std::uint8_t byte = row.before;
        SetVoiceHandling(byte, row.voice);
        SetDataHandling(byte, row.data);
        EXPECT_EQ(byte, row.after) << int(row.before);
    }
}

TEST(RoutingDisplay, PortsSwitchedOffDoNotAnswer) {
    const struct {
        std::int32_t code;
        bool port1, port2;
        std::int32_t shown;
    } rows[] = {
        {kPort1, true, true, kPort1},
        {kPort1, false, true, kNotAnswered},
        {kPort2, true, false, kNotAnswered},
        {kBothPorts, true, true, kBothPorts},
        {kBothPorts, false, true, kPort2},
        {kBothPorts, true, false, kPort1},
        {kBothPorts, false, false, kNotAnswered},
        {kModem, false, false, kModem},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DisplayedVoiceDestination(row.code, row.port1, row.port2), row.shown);
    EXPECT_STREQ(DestinationName(kBothPorts), "Telefonports 1 & 2");
    EXPECT_STREQ(DestinationName(DestinationOfToken("X")), "Nicht beantwortet");
}

constexpr const char* kFile =
    "[TA_PRO_DN1DN1DN2]\n"
    "Entries=P1,M,X;M,N\n"
    "Selection1=P1,PC,\n"
    "a=M,M,M,M\n"
    "b=P1,PC,T,M\n"
    "c=P1,N,T,N\n"
    "d=P1,M,T,M\n"
    "short=P1,M\n";

TEST(VoiceRouting, FindApplyAndDefaultFollowTheFile) {
    const VoiceRouting r = ParseVoiceRouting(kFile, "ta_pro_dn1dn1dn2");
    EXPECT_EQ(r.offered1, (std::vector<std::int32_t>{kPort1, kModem, kNotAnswered}));
    EXPECT_EQ(r.offered2, (std::vector<std::int32_t>{kModem, kNotAnswered}));
    EXPECT_EQ(r.defaultPair, (Pair{kPort1, kPc}));
    ASSERT_EQ(r.lines.size(), 4u);  // neither Selection1 nor a short line is a mapping
    // Bytes 8 and 0: handling (1, 0), the first line with T and not T or M.
    EXPECT_EQ(r.find({1, 0}), (Pair{kPort1, kNotAnswered}));
    EXPECT_EQ(r.find({1, 2}), (Pair{kPort1, kPc}));  // the first of two matches
    EXPECT_EQ(r.find({0, 0}), std::nullopt);
    EXPECT_EQ(r.apply(*r.defaultPair), (Pair{1, 2}));
    EXPECT_EQ(r.apply({kModem, kNotAnswered}), std::nullopt);
}

TEST(VoiceRouting, MissingPiecesAndBufferLimits) {
    const VoiceRouting none = ParseVoiceRouting(kFile, "TA_PRO_DN2DN2DN2");
    EXPECT_TRUE(none.offered1.empty());
    EXPECT_TRUE(none.offered2.empty());
    EXPECT_EQ(none.defaultPair, std::nullopt);
    EXPECT_TRUE(none.lines.empty());
    EXPECT_TRUE(ParseVoiceRouting(kFile, "").lines.empty());

    // Lines past the 500-byte section buffer are not read; a value is cut at
    // 100 characters, so a line's fourth token can be lost.
    std::string big = "[S]\nEntries=" + std::string(120, 'M') + "\n";
    big += "long=P1,P2,T," + std::string(90, ' ') + "M\n";
    for (int i = 0; i < 40; ++i) big += "k" + std::to_string(i) + "=P1,P2,T,T\n";
    const VoiceRouting r = ParseVoiceRouting(big, "S");
    EXPECT_EQ(r.offered1.size(), 1u);  // one token of 99 characters
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines.front().handling, (Pair{1, 0}));
    EXPECT_LT(r.lines.size(), 40u);

    // Values read as the classic calls give them: without their quotes, and
    // a line without "=" still takes its room in the section buffer.
    std::string quoted = "[S]\nEntries=\"P1,PC\"\n" + std::string(480, 'x') + "\nk=P1,P2,T,T\n";
    const VoiceRouting q = ParseVoiceRouting(quoted, "S");
    EXPECT_EQ(q.offered1, (std::vector<std::int32_t>{kPort1, kPc}));
    EXPECT_TRUE(q.lines.empty());
}

TEST(DataRouting, FixedRuleByDataAssignment) {
    const auto both = DataRule({1, 2});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->find({1, 0}), (Pair{kPc, kNotAnswered}));
    EXPECT_EQ(both->apply({kNotAnswered, kPc}), (Pair{0, 1}));
    EXPECT_EQ(DataRule({2, 1})->defaultPair, (Pair{kPc, kPc}));
    const auto first = DataRule({1, 1});
    EXPECT_EQ(first->offered2, (std::vector<std::int32_t>{kNotAnswered}));
    EXPECT_EQ(first->find({1, 0}), std::nullopt);  // no pair: the default applies
    EXPECT_EQ(first->apply(first->defaultPair), (Pair{1, 1}));
    EXPECT_EQ(DataRule({2, 2})->apply({kNotAnswered, kPc}), (Pair{1, 1}));
    EXPECT_EQ(DataRule({0, 1}), std::nullopt);
}

// Every section the pages can reach exists in the shipped file, offers a
// non-empty list for each number and maps its default pair.
TEST(VoiceRouting, ShippedFileCoversEveryReachableSection) {
    testsupport::TempHome home;
    const std::string path = wizard::DataFilePath(wizard::kRoutingFile);
    for (std::int32_t kind : {1, 2, 8}) {
        for (std::int32_t pots : {0, 1}) {
            for (std::int32_t p1 : {1, 2}) {
                for (std::int32_t p2 : {1, 2}) {
                    for (std::int32_t choice : {0, 1, 2}) {
                        const Pair m = *NumbersOfChoice(choice);
                        const std::string name =
                            SectionName(VariantOf(kind, pots), {p1, p2, m.first, m.second, {}, {}});
                        const VoiceRouting r = LoadVoiceRouting(path, name);
                        EXPECT_FALSE(r.offered1.empty()) << name;
                        EXPECT_FALSE(r.offered2.empty()) << name;
                        ASSERT_TRUE(r.defaultPair) << name;
                        EXPECT_TRUE(r.apply(*r.defaultPair)) << name;
                        for (const MappingLine& line : r.lines)
                            EXPECT_EQ(r.find(line.handling), line.destinations) << name;
                    }
                }
            }
        }
    }
}

}  // namespace
