// The pure rules of the link: when a response is complete, the trace
// records and limit, the setting texts and the speed walk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/local_time.h"
#include "serial/com_link.h"
#include "serial/com_speed.h"
#include "serial/response_rules.h"
#include "serial/trace_log.h"
#include "tests/support/temp_home.h"

namespace {

constexpr std::int32_t kCode = CComLink::kModeResultCode;

TEST(LinkRules, ResponseIsCompleteOnlyAsItsModeSays) {
    const std::vector<std::string> matches = {"B1 up", "Status:"};
    struct Row {
        std::int32_t mode;
        const char* text;
        bool complete;
    } rows[] = {
        {kCode, "AT\r\r\nOK\r\n", true},
        {kCode, "AT\r\r\nok\r\n", true},  // any case at the end
        {kCode, "\r\nOK\r\nX", false},    // the code must end the text
        {kCode, "\r\nOK\r\n\r\n", false},
        {kCode, "\r\nOK\r", false},
        {kCode, "OK\r\n", false},  // and start a line
        {kCode, "\r\nLOOK\r\n", false},
        {kCode, "\r\nerror\r\n", true},
        {kCode, "\r\nNO CARRIER\r\n", true},
        {kCode, "\r\nNO CARRIER", false},  // needs its final line end
        {kCode, "\r\nNO RESPONSE\r\n", true},
        {kCode, "\r\nBUSY\r\n", true},
        {kCode, "ATD1\r\r\nCONNECT", true},  // CONNECT completes at once
        {kCode, "\r\nCONNECT 64000\r\nDATA", true},
        {kCode, "ATD1\r\r\nconnect", true},  // any case only at the very end
        {kCode, "\r\nconnect 64000\r\n", false},
        {kCode, "\r\nCONNEC", false},
        {kCode, "\r\nRING\r\n", false},
        {kCode, "", false},
        {CComLink::kModeCause, "AT!S\r\r\nclear cause 16", true},
        {CComLink::kModeCause, "Cause 16", false},  // exact case
        {CComLink::kModeMatch, "line: B1 up", true},
        {CComLink::kModeMatch, "xxStatus:", true},
        {CComLink::kModeMatch, "b1 UP", false},
        {CComLink::kModeMatch, "\r\nOK\r\n", false},  // codes do not end mode 4
        {CComLink::kModeImmediate, "", true},
        {2, "\r\nOK\r\n", false},  // unknown modes never complete
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.complete, serial::isCompleteResponse(r.mode, r.text, matches))
            << r.mode << ": " << r.text;
    }
    EXPECT_EQ(1, serial::firstMatchString("Status: B1 up", std::vector<std::string>{"zz", "B1"}));
}

TEST(LinkRules, SecondLookTopsUpToEightyThenFillsToTheLimit) {
    const std::pair<std::uint32_t, std::uint32_t> rows[] = {{0, 80},   {79, 1},   {80, 4015},
                                                            {4094, 1}, {4095, 0}, {5000, 0}};
    for (const auto& [length, limit] : rows)
        EXPECT_EQ(limit, serial::followUpReadLimit(length, 4095)) << length;
}

TEST(LinkRules, TraceIsOnWhenTheEnableTextHoldsAOne) {
    for (const char* on : {"1", "yes1", "on 1", "10"}) EXPECT_TRUE(serial::traceEnabled(on)) << on;
    for (const char* off : {"0", "yes", "", "ON"}) EXPECT_FALSE(serial::traceEnabled(off)) << off;
}

TEST(LinkRules, SpeedWalkStopsAt57600UnlessOptimalSpeedIsAllowed) {
    auto walk = [](std::uint32_t optimal) {
        std::vector<std::uint32_t> speeds;
        for (auto s = serial::NextTrialSpeed(0, optimal); s != 0;
             s = serial::NextTrialSpeed(s, optimal))
            speeds.push_back(s);
        return speeds;
    };
    EXPECT_EQ((std::vector<std::uint32_t>{4800, 9600, 19200, 38400, 57600, 115200, 230400}),
              walk(7));
    EXPECT_EQ((std::vector<std::uint32_t>{4800, 9600, 19200, 38400, 57600}), walk(0));
}

TEST(LinkRules, WrittenTextIsTracedInPiecesOfSeventyFive) {
    const std::string a75(75, 'a');
    struct Row {
        std::string text;
        std::uint32_t length;
        std::vector<std::string> pieces;
    } rows[] = {
        {a75, 75, {a75 + "\n"}},
        {a75 + "c", 76, {a75 + "\n", "c\n"}},
        {std::string("AT\0XYZ", 6), 6, {std::string("AT\0XYZ\n", 7)}},  // zero bytes too
        {"ATZ\r", 2, {"AT\n"}},                                         // up to the length given
        {"", 0, {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.pieces, serial::traceWritePieces(r.text.data(), r.length)) << r.text;
    EXPECT_EQ("a\r\r\nb\r\n\r\n", serial::traceFileText("a\r\nb\n\n"));
}

TEST(LinkRules, TraceFileBeyondTheLimitRestartsWithTheBanner) {
    testsupport::TempHome home;
    const std::string path = home.file("trace.log");
    serial::TraceLog log;
    log.setPath(path);
    std::tm tm{};  // 2026-12-05 12:07:09, a Saturday
    tm.tm_year = 126;
    tm.tm_mon = 11;
    tm.tm_mday = 5;
    tm.tm_hour = 12;
    tm.tm_min = 7;
    tm.tm_sec = 9;
    tm.tm_isdst = -1;
    const std::time_t when = std::mktime(&tm);
    for (std::size_t size : {153600u, 153601u}) {
        testsupport::writeFile(path, std::string(size, 'x'));
        EXPECT_EQ(0, log.applySizeLimit(when));
        const std::string expected =
            size == 153600 ? std::string(size, 'x')
                           : "This trace file was restarted at 12:07:09 on Saturday, December 05, "
                             "2026 \r\n(Maximum trace file size is 150 KB)\r\n" +
                                 std::string(40, '=') + "\r\n\r\n";
        EXPECT_EQ(expected, testsupport::readFile(path)) << size;
    }
    log.setPath(home.file("no-such-dir/trace.log"));
    EXPECT_EQ(1012, log.appendWrite("COM1", "AT\r", 3));
    EXPECT_EQ(1012, log.applySizeLimit(when));
}

TEST(LinkRules, LocaleFileNamesTheTimeLocale) {
    const std::pair<const char*, const char*> rows[] = {
        {"LANG=de_DE.UTF-8\n", "de_DE.UTF-8"},
        {"LANG=\"en_US.UTF-8\"\nLC_TIME=de_AT.UTF-8\n", "de_AT.UTF-8"},
        {"LC_TIME='fr_FR'\nLC_ALL=C\n", "C"},
        {"#  File generated by update-locale\n", ""},
        {"export LANG=sv_SE\r\n", "sv_SE"},
        {"LANG\n=\n==\n\"", ""},
        {"LANG=\"\n", "\""},
    };
    for (const auto& [text, locale] : rows)
        EXPECT_EQ(locale, platform::localeFromConfig(text)) << text;
}

}  // namespace
