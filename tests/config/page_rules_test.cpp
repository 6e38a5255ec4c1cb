// The pages' pure rules: number assignments in "Port Settings" and the X.25
// facility reader and writer.
#include <gtest/gtest.h>

#include "config/pages/port_settings.h"
#include "config/pages/x25_facilities.h"

using namespace config::pages;

namespace {

TEST(PortSettings, AssignmentReadsTwoBitsUnlessOneNumberCounts) {
    const struct {
        std::uint8_t settings;
        const char *n1, *n2;
        std::int32_t data, voice;
    } rows[] = {
        {0x00, "111", "222", kFirstNumber, kFirstNumber},
        {0x03, "111", "222", kSecondNumber, kFirstNumber},
        {0x01, "111", "222", kBothNumbers, kFirstNumber},
        {0x02, "111", "222", kBothNumbers, kFirstNumber},
        {0x0C, "111", "222", kFirstNumber, kSecondNumber},
        {0x04, "111", "222", kFirstNumber, kBothNumbers},
        {0x0F, "111", "111", kFirstNumber, kFirstNumber},  // equal numbers
        {0x0F, "111", "", kFirstNumber, kFirstNumber},     // second empty
        {0x0F, "", "", kFirstNumber, kFirstNumber},
        {0x0F, "", "222", kSecondNumber, kSecondNumber},  // only the first empty
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReadAssignment(row.settings, kDataBits, row.n1, row.n2), row.data)
            << int(row.settings) << row.n1 << "/" << row.n2;
        EXPECT_EQ(ReadAssignment(row.settings, kVoiceModemBits, row.n1, row.n2), row.voice)
            << int(row.settings);
    }
}

TEST(PortSettings, WritingTouchesOnlyItsOwnBits) {
    const struct {
        std::uint8_t before;
        std::int32_t data, voice, port1, port2;
        std::uint8_t after;
    } rows[] = {
        {0xFF, kFirstNumber, kFirstNumber, kFirstNumber, kFirstNumber, 0xC0},
        {0x00, kSecondNumber, kBothNumbers, kSecondNumber, kFirstNumber, 0x27},
        {0xC3, kBothNumbers, kSecondNumber, kFirstNumber, kSecondNumber, 0xDD},
    };
    for (const auto& row : rows) {
        std::uint8_t s = row.before;
        WriteAssignment(s, kDataBits, row.data);
        WriteAssignment(s, kVoiceModemBits, row.voice);
        WritePortNumber(s, kPort1Bit, row.port1);
        WritePortNumber(s, kPort2Bit, row.port2);
        EXPECT_EQ(s, row.after) << int(row.before);
        EXPECT_EQ(ReadAssignment(s, kDataBits, "1", "2"), row.data);
        EXPECT_EQ(ReadAssignment(s, kVoiceModemBits, "1", "2"), row.voice);
        EXPECT_EQ(ReadPortNumber(s, kPort1Bit, "1", "2"), row.port1);
        EXPECT_EQ(ReadPortNumber(s, kPort2Bit, "1", "2"), row.port2);
    }
    EXPECT_EQ(ReadPortNumber(0x30, kPort2Bit, "5", "5"), kFirstNumber);
}

TEST(PortSettings, SecondNumberFollowsTheSemicolon) {
    const struct {
        const char* number;
        const char* second;   // read
        const char* replace;  // written
        const char* result;
    } rows[] = {
        {"5550101;5550199", "5550199", "5550177", "5550101;5550177"},
        {"5550101", "", "5550177", "5550101;5550177"},
        {"5550101;5550199", "5550199", "", "5550101"},
        {";5550199", "5550199", "1", ";1"},
        {"", "", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SecondNumberOf(row.number), row.second) << row.number;
        EXPECT_EQ(WithSecondNumber(row.number, row.replace), row.result) << row.number;
    }
}

TEST(X25Facilities, KnownFacilitiesFillTheLists) {
    const struct {
        const char* text;
        X25Choices choices;
    } rows[] = {
        {"", {}},
        {"020A", {8, 0, kGroupNone, "", ""}},
        {"02030101", {1, 1, kGroupNone, "", ""}},
        {"0312", {0, 0, kGroupStandard, "12", ""}},
        {"0907", {0, 0, kGroupOutgoing, "07", ""}},
        {"410123", {0, 0, kGroupBilateral, "0123", ""}},
        {"02060101410999C3020102", {4, 1, kGroupBilateral, "0999", "C3020102"}},
        // What the lists cannot show exactly stays in "Andere".
        {"020B", {0, 0, kGroupNone, "", "020B"}},  // 19200: not in the list
        {"0100", {0, 0, kGroupNone, "", "0100"}},  // reverse charging off, written
        {"0181", {0, 0, kGroupNone, "", "0181"}},  // with fast select
        {"033A", {0, 0, kGroupNone, "", "033A"}},  // not two decimal digits
        {"020a", {0, 0, kGroupNone, "", "020a"}},  // as written
        {"42000102", {0, 0, kGroupNone, "", "42000102"}},
        {"0101020A", {0, 1, kGroupNone, "", "020A"}},  // out of the writer's order
        {"C20301", {0, 0, kGroupNone, "", "C20301"}},  // runs past the end
        {"0G12", {0, 0, kGroupNone, "", "0G12"}},
        {"031", {0, 0, kGroupNone, "", "031"}},
    };
    for (const auto& row : rows) {
        const X25Choices read = ReadX25Facilities(row.text);
        EXPECT_EQ(read, row.choices) << row.text;
        EXPECT_EQ(WriteX25Facilities(read), row.text) << row.text;
    }
}

// One facility of each parameter class, alone and after the listed ones.
TEST(X25Facilities, EveryFacilityClassReadsAndWritesBackUnchanged) {
    for (const char* facility : {"0412", "4401FF", "8801020C", "C3030A0B0C", "C100", "00FF"}) {
        for (const std::string head : {"", "0205", "0101", "0356", "02070101411234"}) {
            const std::string text = head + facility;
            EXPECT_EQ(WriteX25Facilities(ReadX25Facilities(text)), text) << text;
            EXPECT_EQ(ReadX25Facilities(text).other, facility) << text;
        }
    }
    EXPECT_EQ(FacilityParameterLength(0x3F), 1);
    EXPECT_EQ(FacilityParameterLength(0x41), 2);
    EXPECT_EQ(FacilityParameterLength(0x80), 3);
    EXPECT_EQ(FacilityParameterLength(0xC0), -1);
}

TEST(X25Facilities, WriterPadsTheGroupNumber) {
    EXPECT_EQ(WriteX25Facilities({0, 0, kGroupStandard, "5", ""}), "0305");
    EXPECT_EQ(WriteX25Facilities({0, 0, kGroupBilateral, "12", ""}), "410012");
    EXPECT_EQ(WriteX25Facilities({8, 1, kGroupOutgoing, "99", "C100"}), "020A01010999C100");
}

TEST(X25Facilities, OtherTextChecks) {
    const struct {
        const char* text;
        std::uint32_t result;
        const char* after;
    } rows[] = {
        {"", 0, ""},
        {"0412", 0, "0412"},
        {"04123", 0, "0412"},  // odd: last one goes
        {"04G2", 1525, "04G2"},
        {"44", 1523, "44"},
        {"4401", 1523, "4401"},
        {"C202", 1523, "C202"},
        {"C20102", 0, "C20102"},
        {"C2010203", 1523, "C2010203"},
    };
    for (const auto& row : rows) {
        std::string text = row.text;
        EXPECT_EQ(CheckOtherFacilities(text), row.result) << row.text;
        EXPECT_EQ(text, row.after) << row.text;
    }
}

}  // namespace
