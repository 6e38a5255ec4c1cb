// Completion rules of the AT exchange and the other pure rules of the link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serial/com_link.h"
#include "serial/com_speed.h"
#include "serial/response_rules.h"

namespace {

struct CompletionRow {
    const char* text;
    bool complete;
    const char* why;
};

TEST(ResponseRules, ResultCodeModeCompletesOnlyOnAFinalCodeLine) {
    const CompletionRow rows[] = {
        {"AT\r\r\nOK\r\n", true, "echo and OK"},
        {"AT\r\r\nok\r\n", true, "case does not matter at the end"},
        {"\r\nOk\r\n", true, "mixed case"},
        {"\r\nOK\r\nX", false, "a character after the code line"},
        {"\r\nOK\r\n\r\n", false, "an empty line after the code"},
        {"\r\nOK\r", false, "final line feed missing"},
        {"\r\nOK", false, "final line end missing"},
        {"OK\r\n", false, "the code must start a line"},
        {"\nOK\r\n", false, "a bare line feed does not start a line"},
        {"\r\nLOOK\r\n", false, "OK glued to text is no code line"},
        {"AT&V\r\r\n...\r\n\r\nOK\r\n", true, "listing then OK"},
        {"ATQX\r\r\nERROR\r\n", true, "ERROR"},
        {"\r\nerror\r\n", true, "ERROR in lower case"},
        {"\r\nNO CARRIER\r\n", true, "NO CARRIER with its line end"},
        {"\r\nNO CARRIER", false, "NO CARRIER without its final line end"},
        {"\r\nNO CARRIER\r", false, "NO CARRIER half a line end"},
        {"\r\nNO RESPONSE\r\n", true, "NO RESPONSE"},
        {"\r\nBUSY\r\n", true, "BUSY"},
        {"\r\nbusy\r\n", true, "BUSY lower case"},
        {"ATD123\r\r\nCONNECT", true, "CONNECT completes as soon as it arrives"},
        {"ATD123\r\r\nCONNECT 64000/ISDN\r\n", true, "whatever follows CONNECT"},
        {"\r\nCONNECT 64000\r\nSOME DATA", true, "CONNECT anywhere, exact case"},
        {"ATD1\r\r\nconnect", true, "lower-case connect at the very end"},
        {"\r\nconnect 64000\r\n", false, "lower-case connect not at the end"},
        {"\r\nCONNEC", false, "CONNECT cut short"},
        {"\r\nRING\r\n", false, "RING is no result code"},
        {"", false, "nothing"},
        {"\r\n", false, "a bare line end"},
        {"AT\r", false, "the echo alone"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.complete, serial::isCompleteResponse(CComLink::kModeResultCode, r.text, {}))
            << r.why;
    }
}

TEST(ResponseRules, ResultCodesAreTriedInTheirFixedOrder) {
    // A text can end in only one code; the index tells which one matched.
    struct Row {
        const char* text;
        int index;
    } rows[] = {
        {"\r\nOK\r\n", 0},         {"\r\nERROR\r\n", 1}, {"\r\nNO CARRIER\r\n", 2},
        {"\r\nCONNECT 9600", 3},   {"\r\nNO RESPONSE\r\n", 4}, {"\r\nBUSY\r\n", 5},
        {"\r\nCONNECT\r\n\r\nOK\r\n", 0},  // OK at the end wins over CONNECT inside
        {"\r\nNOPE\r\n", -1},
    };
    for (const auto& r : rows) EXPECT_EQ(r.index, serial::completingResultCode(r.text)) << r.text;
}

TEST(ResponseRules, CauseAndMatchModesLookForTextAnywhereInExactCase) {
    const std::vector<std::string> matches = {"B1 up", "Status:"};
    struct Row {
        std::int32_t mode;
        const char* text;
        bool complete;
    } rows[] = {
        {CComLink::kModeCause, "AT!S\r\r\nclear cause 16", true},
        {CComLink::kModeCause, "Cause 16", false},
        {CComLink::kModeCause, "caus", false},
        {CComLink::kModeMatch, "line: B1 up and running", true},
        {CComLink::kModeMatch, "xxStatus:", true},
        {CComLink::kModeMatch, "b1 UP", false},
        {CComLink::kModeMatch, "\r\nOK\r\n", false},  // result codes do not end mode 4
        {CComLink::kModeImmediate, "", true},
        {CComLink::kModeImmediate, "any piece", true},
        {2, "\r\nOK\r\n", false},  // no such mode: never complete
        {-1, "\r\nOK\r\n", false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.complete, serial::isCompleteResponse(r.mode, r.text, matches))
            << r.mode << " " << r.text;
    }
    EXPECT_EQ(1, serial::firstMatchString("Status: B1 up", std::vector<std::string>{"zz", "B1"}));
    EXPECT_EQ(0, serial::firstMatchString("Status: B1 up", matches));
    EXPECT_EQ(-1, serial::firstMatchString("anything", {}));
}

TEST(ResponseRules, SecondLookTopsUpToEightyThenFillsToTheLimit) {
    struct Row {
        std::uint32_t length, expected;
    } rows[] = {
        {0, 80}, {5, 75}, {79, 1}, {80, 4015}, {81, 4014}, {4094, 1}, {4095, 0}, {5000, 0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.expected, serial::followUpReadLimit(r.length, 4095)) << r.length;
}

TEST(ResponseRules, TraceIsOnWhenTheEnableTextHoldsAOne) {
    struct Row {
        const char* value;
        bool on;
    } rows[] = {
        {"1", true},  {"yes1", true}, {"on 1", true}, {"10", true}, {"0", false},
        {"yes", false}, {"", false},  {"ON", false},  {"true", false},
    };
    for (const auto& r : rows) EXPECT_EQ(r.on, serial::traceEnabled(r.value)) << r.value;
}

TEST(ResponseRules, SpeedWalkStopsAt57600UnlessOptimalSpeedIsAllowed) {
    auto walk = [](std::uint32_t optimal) {
        std::vector<std::uint32_t> speeds;
        for (std::uint32_t s = serial::NextTrialSpeed(0, optimal); s != 0;
             s = serial::NextTrialSpeed(s, optimal))
            speeds.push_back(s);
        return speeds;
    };
    const std::vector<std::uint32_t> full = {4800, 9600, 19200, 38400, 57600, 115200, 230400};
    const std::vector<std::uint32_t> capped = {4800, 9600, 19200, 38400, 57600};
    EXPECT_EQ(full, walk(1));
    EXPECT_EQ(full, walk(7));
    EXPECT_EQ(capped, walk(0));
    EXPECT_EQ(0u, serial::NextTrialSpeed(12345, 1));  // a stray speed ends the walk
}

}  // namespace
