// The regional data-file readers: switch-type lists, keyboard layouts, the
// SPID patterns and their candidates, over real files, and the shipped files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keyboard_layout.h"
#include "platform/paths.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_home.h"
#include "wizard/area_code_patterns.h"
#include "wizard/data_files.h"
#include "wizard/region_data.h"
#include "wizard/wizard_status.h"

using namespace wizard;
using testsupport::TempHome;
using testsupport::writeFile;

namespace {

TEST(RegionData, SwitchTypeListsSplitAtSpaceCommaAndSemicolon) {
    TempHome home;
    const std::string path = home.file("REGION.INI");
    writeFile(path,
              "[switch types]\n2=2,3; 10\n3=11\n4=;;, 7 ,x9,,\n5=1 2 3 4 5 6 7 8 9 10 11 12\n"
              "6=" +
                  std::string(120, '1') + "\n");
    const struct {
        std::int32_t region;
        std::vector<std::int32_t> codes;
    } rows[] = {
        {2, {2, 3, 10}},
        {3, {11}},
        {4, {7, 0}},                           // a token without digits counts as 0
        {5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},  // at most ten
        {6, {2147483647}},                     // cut at 99 characters, saturated
        {9, {}},                               // no key
    };
    for (const auto& row : rows)
        EXPECT_EQ(SwitchTypesOfRegion(path, row.region), row.codes) << row.region;
    EXPECT_TRUE(SwitchTypesOfRegion(home.file("missing.ini"), 2).empty());
}

TEST(RegionData, KeyboardLayoutLooksUpItsLastFourCharacters) {
    TempHome home;
    const std::string path = home.file("REGION.INI");
    writeFile(path, "[Keyboard Regional Settings]\n0409=0\n0407=2;5\n0c07=4\n0813=\n");
    EXPECT_EQ(LayoutKey("00000409"), "0409");
    EXPECT_EQ(LayoutKey("409"), "409");
    EXPECT_EQ(RegionOfKeyboardLayout(path, "00000409"), 0);
    EXPECT_EQ(RegionOfKeyboardLayout(path, "0407"), 2);
    EXPECT_EQ(RegionOfKeyboardLayout(path, "00000C07"), 4);  // names match without case
    EXPECT_EQ(RegionOfKeyboardLayout(path, "00000813"), std::nullopt);
    EXPECT_EQ(RegionOfKeyboardLayout(path, "0000040C"), std::nullopt);
}

TEST(AreaCodePatterns, ParseSplitsThePartsOrRefusesTheMode) {
    const struct {
        const char* text;
        std::int32_t result;
        SpidPattern pattern;
    } rows[] = {
        {"A:,I,0101;", 0, {"A", "", true, "0101"}},
        {"514:01,E,;", 0, {"514", "01", false, ""}},
        {"A:01,i,0;", 0, {"A", "01", true, "0"}},
        {"A:,e,1;junk", 0, {"A", "", false, "1"}},
        {"A:,X,1;", kPatternBadMode, {}},
        {"A:,", kPatternBadMode, {}},      // ends before the mode
        {"Default", kPatternBadMode, {}},  // the missing file's default text
        {"A:,I,123456789012", 0, {"A", "", true, "12345678901"}},  // 16 characters at most
    };
    for (const auto& row : rows) {
        SpidPattern pattern{"old", "", false, ""};
        EXPECT_EQ(ParsePattern(row.text, pattern), row.result) << row.text;
        if (row.result != 0) {
            EXPECT_EQ(pattern.area, "old") << row.text;
            continue;
        }
        EXPECT_EQ(pattern.area, row.pattern.area) << row.text;
        EXPECT_EQ(pattern.prefix, row.pattern.prefix) << row.text;
        EXPECT_EQ(pattern.includeArea, row.pattern.includeArea) << row.text;
        EXPECT_EQ(pattern.suffix, row.pattern.suffix) << row.text;
    }
}

TEST(AreaCodePatterns, CandidatesApplyToAllOrTheirOwnAreaCode) {
    const struct {
        const char* pattern;
        const char* area;
        std::int32_t result;
        const char* first;
        const char* second;
    } rows[] = {
        {"A:,I,0101;", "514", 0, "51474555000101", "51474555010101"},
        {"514:01,E,;", "514", 0, "017455500", "017455501"},
        {"514:01,E,;", "613", kPatternNotApplicable, "-", "-"},
        {"A:01,I,0;", "212", 0, "0121274555000", "0121274555010"},
    };
    for (const auto& row : rows) {
        SpidPattern pattern;
        ASSERT_EQ(ParsePattern(row.pattern, pattern), 0);
        std::string first = "-", second = "-";
        EXPECT_EQ(BuildSpidCandidates(pattern, row.area, "7455500", "7455501", first, second),
                  row.result)
            << row.pattern;
        EXPECT_EQ(first, row.first) << row.pattern;
        EXPECT_EQ(second, row.second) << row.pattern;
    }
}

TEST(AreaCodePatterns, LoadKeepsFileOrderAndRefusesWhatDoesNotFit) {
    TempHome home;
    const std::string path = home.file("AREACODE.INI");
    AreaCodeTable table;

    writeFile(path, "[Area Code Formats]\nzeta=A:,I,0101;\nalpha=514:01,E,;\n");
    ASSERT_EQ(LoadAreaCodePatterns(path, table), 0);
    ASSERT_EQ(table.count, 2u);
    EXPECT_EQ(table.entry(0), "A:,I,0101;");
    EXPECT_EQ(table.entry(1), "514:01,E,;");

    // 13 characters fit; 14 are taken as cut although the entry would hold 15.
    writeFile(path, "[Area Code Formats]\na=A:01,I,0101;\nb=A:01,I,010101;\nc=A:,I,;\n");
    EXPECT_EQ(LoadAreaCodePatterns(path, table), kAreaCodeListTooLong);
    EXPECT_EQ(table.count, 1u);

    // More names than the 900-byte list holds, and more than the table holds.
    std::string many = "[Area Code Formats]\n";
    for (int i = 0; i < 120; ++i) many += "key" + std::to_string(1000 + i) + "=A:,I,;\n";
    writeFile(path, many);
    EXPECT_EQ(LoadAreaCodePatterns(path, table), kAreaCodeListTooLong);
    many = "[Area Code Formats]\n";
    for (int i = 0; i < 101; ++i) many += std::to_string(i) + "=A:,I,;\n";
    writeFile(path, many);
    EXPECT_EQ(LoadAreaCodePatterns(path, table), kAreaCodeListTooLong);

    // A missing file has no patterns.
    ASSERT_EQ(LoadAreaCodePatterns(home.file("none.ini"), table), 0);
    EXPECT_EQ(table.count, 0u);
}

TEST(ShippedDataFiles, ParseAndCoverTheLayoutsAndRegions) {
    TempHome home;  // a fresh store: Install points at the installed tree
    AreaCodeTable table;
    ASSERT_EQ(LoadAreaCodePatterns(DataFilePath(kAreaCodeFile), table), 0);
    ASSERT_GE(table.count, 3u);
    for (std::size_t i = 0; i < table.count; ++i) {
        SpidPattern pattern;
        EXPECT_EQ(ParsePattern(table.entry(i), pattern), 0) << table.entry(i);
    }
    const std::string region = DataFilePath(kRegionFile);
    for (const char* layout :
         {"0407", "0C07", "0807", "0409", "1009", "0C0C", "0809", "040C", "0413"}) {
        const auto code = RegionOfKeyboardLayout(region, layout);
        ASSERT_TRUE(code.has_value()) << layout;
        EXPECT_FALSE(SwitchTypesOfRegion(region, *code).empty()) << layout;
    }
}

TEST(KeyboardLayout, XkbLayoutWinsOverTheLocale) {
    EXPECT_EQ(platform::layoutKeyForXkb("de"), "0407");
    EXPECT_EQ(platform::layoutKeyForXkb("ch", "fr"), "100C");
    EXPECT_EQ(platform::layoutKeyForXkb("ch", "de_nodeadkeys"), "0807");
    EXPECT_EQ(platform::layoutKeyForXkb("xx"), "");
    EXPECT_EQ(platform::layoutKeyForLocale("de_AT.UTF-8"), "0C07");
    EXPECT_EQ(platform::layoutKeyForLocale("de_BE.UTF-8@euro"), "0407");  // language alone
    EXPECT_EQ(platform::layoutKeyForLocale("C.UTF-8"), "");
    const auto file = platform::xkbSettingFromFile(
        "# comment\nXKBMODEL=\"pc105\"\n XKBLAYOUT = \"ca,us\"\nXKBVARIANT=\"eng,\"\n");
    EXPECT_EQ(file.layout, "ca");
    EXPECT_EQ(file.variant, "eng");

    testsupport::EnvGuard env;
    env.set("XKB_DEFAULT_LAYOUT", "at");
    EXPECT_EQ(platform::keyboardLayoutKey(), "0C07");
}

}  // namespace
