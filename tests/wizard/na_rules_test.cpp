// The North-American pages' pure rules: display formats, the region list,
// the finish summary, the checks of the number and SPID pages and the
// choice of SPIDs from the line's list.
#include <gtest/gtest.h>

#include "wizard/pages_na/na_checks.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/spid_choice.h"

namespace wizard::na {
namespace {

TEST(NaFormat, ShowsNumbersAndTypedText) {
    struct Row {
        std::string in, out;
    };
    for (const Row& r : {Row{"5145550101", "(514)  555 - 0101"}, Row{"5550101", "555 - 0101"},
                         Row{"55501", "55501"}, Row{"Undetermined", "Undetermined"},
                         Row{"514555010", "514555010"}, Row{"", ""}})
        EXPECT_EQ(FormatDirectoryNumber(r.in), r.out) << r.in;

    for (const Row& r : {Row{"555", "555"}, Row{"5550", "555 - 0"}, Row{"5550101", "555 - 0101"},
                         Row{"555 - 0101", "555 - 0101"}, Row{"55 - 50101", "555 - 0101"},
                         Row{"555-0101", "555 - 0101"}, Row{"", ""}})
        EXPECT_EQ(WithExchangeDash(r.in), r.out) << r.in;

    EXPECT_EQ(KeepDigitsAndSemicolons("(514) 555-01;01 x"), "51455501;01");
}

TEST(NaFormat, ReadsTheRegionListOverSeveralLines) {
    const std::string list = "xx Canada:25;\r\nUnited States:0;\r\nOK\r\n";
    const auto items = ParseRegionItems(list, 'C');
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "Canada");
    EXPECT_EQ(items[0].code, 25);
    EXPECT_EQ(items[1].name, "United States");
    EXPECT_EQ(items[1].code, 0);
    EXPECT_EQ(ParseRegionItems("Canada:25", 'C').size(), 1u);  // no separator at the end
    EXPECT_TRUE(ParseRegionItems("no such letter", 'Q').empty());

    EXPECT_EQ(RegionName(list, 0), "United States");
    EXPECT_EQ(RegionName(list, 25), "xx Canada");
    EXPECT_EQ(RegionName(list, 5), "");
    EXPECT_EQ(RegionName("Canada:25;\r\nOK\r\nMexico:7;", 7), "");  // after the result line
}

TEST(NaFormat, SummarisesWhatFinishingWrites) {
    FinishInput in{.regionName = "Canada",
                   .connectionType = 12,
                   .number1 = "5550101",
                   .number2 = "5550102",
                   .spid1 = "51455501010101",
                   .spid2 = "51455501020101",
                   .twoNumbers = true,
                   .knownKind = true,
                   .online = true,
                   .withSpids = true};
    FinishSummary s = MakeFinishSummary(in);
    EXPECT_EQ(s.protocol, "MultiLink PPP (MLPPP)");
    EXPECT_TRUE(s.secondRow);
    EXPECT_EQ(s.closingText, 1167u);

    in.spid2.clear();
    EXPECT_EQ(MakeFinishSummary(in).closingText, 1295u);
    EXPECT_EQ(MakeFinishSummary(in).spid2, "[Nicht spezifiziert]");
    in.number2 = in.number1;  // one number on both channels keeps SPID 1 twice
    EXPECT_EQ(MakeFinishSummary(in).spid2, "51455501010101");
    EXPECT_EQ(MakeFinishSummary(in).closingText, 1167u);

    in = FinishInput{};
    in.regionName = "United States";
    in.connectionType = 10;
    in.online = false;
    in.withSpids = false;
    s = MakeFinishSummary(in);
    EXPECT_EQ(s.number1, "[Nicht spezifiziert]");
    EXPECT_FALSE(s.secondRow);
    EXPECT_EQ(s.spid1, "");
    EXPECT_EQ(s.closingText, 1168u);
}

TEST(NaChecks, NumberPages) {
    using S = CheckStep;
    struct Row {
        NumberFields in;
        std::vector<CheckStep> steps;
    };
    const NumberFields npa{.withAreaCode = true,
                           .areaCode = "514",
                           .number1 = "5550101",
                           .number2 = "5550102",
                           .twoNumbers = true,
                           .areaCodeSpids = true};
    auto with = [&](auto change) {
        NumberFields f = npa;
        change(f);
        return f;
    };
    const Row rows[] = {
        {npa, {}},
        {with([](auto& f) { f.areaCode = ""; }), {S{1244, true, Field::AreaCode}}},
        {with([](auto& f) { f.areaCode = "5a4"; }), {S{1291, false, Field::AreaCode}}},
        {with([](auto& f) { f.number1 = "555010"; }), {S{1161, false, Field::Number1}}},
        {with([](auto& f) { f.number1 = "1550101"; }), {S{1157, false, Field::Number1}}},
        {with([](auto& f) { f.number1 = "555-01x1"; }), {S{1154, false, Field::Number1}}},
        {with([](auto& f) { f.number2 = "6660102"; }), {S{1159, true, Field::Number2}}},
        {with([](auto& f) { f.number2 = "555 - 0101"; }), {S{1158, true, Field::Number2}}},
        {with([](auto& f) { f.number2 = ""; }), {S{1175, true, Field::Number2}}},
        {with([](auto& f) { f.number1 = f.number2 = ""; }), {S{1155, true, Field::Number1}}},
        {with([](auto& f) {
             f.number2 = "0";
             f.twoNumbers = false;
         }),
         {}},
        // A private line: any length, any exchange.
        {with([](auto& f) { f = {false, "", "55501", "6660102", true, false}; }), {}},
        {with([](auto& f) { f = {false, "", "0555", "", false, false}; }),
         {S{1157, false, Field::Number1}}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NumberChecks(r.in), r.steps)
            << r.in.areaCode << "|" << r.in.number1 << "|" << r.in.number2;
}

TEST(NaChecks, SpidPage) {
    using S = CheckStep;
    EXPECT_EQ(SpidChecks({"51455501010101", "", false}), std::vector<S>{});
    EXPECT_EQ(SpidChecks({"5145550101 0101", "", true}),
              (std::vector<S>{{1165, false, Field::Spid2}}));
    EXPECT_EQ(SpidChecks({std::string(21, '5'), "", false}),
              (std::vector<S>{{1315, false, Field::Spid1}}));
    EXPECT_EQ(SpidChecks({std::string(20, '5'), "514a", true}),
              (std::vector<S>{{1166, false, Field::Spid2}}));
}

TEST(SpidChoice, EachNumberGetsItsOwnUsableSpid) {
    // One SPID shared by two numbers goes to the first; the second number
    // takes its own next offer. A number without data and voice stays
    // unusable for a box, usable for a card.
    const std::vector<NumberEntry> numbers = {
        {"5550101", {{"0101", 17, true}}},
        {"5550102", {{"0101", 17, true}, {"0102", 17, false}, {"0103", 17, true}}},
        {"5550103", {{"0104", 1, true}}},
        {"5550104", {{"0105", 256, true}}},
    };
    EXPECT_EQ(ChooseSpids(numbers, NeededServices(1)), (std::vector<int>{0, 2, -1, -1}));
    EXPECT_EQ(ChooseSpids(numbers, NeededServices(8)), (std::vector<int>{0, 2, 0, -1}));
    EXPECT_EQ(PacketOnlyNumber(numbers), "5550104");
    EXPECT_EQ(
        PacketOnlyNumber({{"1", {{"7", 256, true}}}, {"2", {{"8", 1, true}, {"7", 256, true}}}}),
        "");

    EXPECT_EQ(PreselectedNumber({-1, 0, 1}, -1), 1);
    EXPECT_EQ(PreselectedNumber({-1, 0, 1}, 1), 2);
    EXPECT_EQ(PreselectedNumber({0, -1}, 0), 1);  // the second number, usable or not
    EXPECT_EQ(PreselectedNumber({-1}, -1), -1);
    EXPECT_EQ(PreselectedNumber({0}, 0), -1);
}

TEST(SpidChoice, DetailsBoxTexts) {
    EXPECT_EQ(ServicesText(17), "Daten, Sprache");
    EXPECT_EQ(ServicesText(273), "Daten, Sprache, Paket");
    EXPECT_EQ(ServicesText(0), "");
    EXPECT_EQ(AvailabilityText(false), "Nein. Wird von einem anderen Gerät benutzt.");
    EXPECT_EQ(VerdictText({"1", 17, true}, 17), 1300u);
    EXPECT_EQ(VerdictText({"1", 17, false}, 17), 1296u);
    EXPECT_EQ(VerdictText({"1", 1, true}, 17), 1297u);
    EXPECT_EQ(VerdictText({"1", 256, false}, 1), 1299u);
}

}  // namespace
}  // namespace wizard::na
