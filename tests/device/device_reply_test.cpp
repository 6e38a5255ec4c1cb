#include "device/device_reply.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "device/device_status.h"
#include "device/device_type.h"

using namespace device;

namespace {

struct ReplyCase {
    const char* name;
    std::string response;
    const char* command;
    std::int32_t status;
    const char* reply;
    const char* code;
};

class CommandReplyTest : public testing::TestWithParam<ReplyCase> {};

TEST_P(CommandReplyTest, ReadsEchoReplyLineAndResultCode) {
    const ReplyCase& c = GetParam();
    CommandReply out;
    EXPECT_EQ(parseCommandReply(c.response, c.command, out), c.status);
    EXPECT_EQ(out.replyLine, c.reply);
    EXPECT_EQ(out.resultCode, c.code);
}

const ReplyCase kReplyCases[] = {
    {"Identification", "atI8\r\r\nVelka Technology Corporation\r\n\r\nOK\r\n", "atI8\r", 0,
     "Velka Technology Corporation", "OK"},
    {"LowerCaseOkIsCanonical", "atI3\r\r\nV2.10\r\n\r\nok\r\n", "atI3\r", 0, "V2.10", "OK"},
    {"ErrorOnly", "ati9\r\n\r\nERROR\r\n", "ati9\r\n", 0, "ERROR", "ERROR"},
    {"ModelThenError", "ati9\r\n\r\nTamo T/A0B\r\n\r\nError\r\n", "ati9\r\n", 0, "Tamo T/A0B",
     "ERROR"},
    {"CodeWithBlanks", "atI4\r\r\nEURO\r\n\r\n  OK \t\r\n", "atI4\r", 0, "EURO", "OK"},
    {"NoiseBeforeEcho", "\r\nRING\r\natI8\r\r\nX\r\n\r\nOK\r\n", "atI8\r", 0, "X", "OK"},
    {"EmptyReplyLine", "atI20\r\r\n\r\nOK\r\n", "atI20\r", 0, "", "OK"},
    {"NoEcho", "\r\nVelka\r\n\r\nOK\r\n", "atI8\r", kDeviceNoEcho, "", ""},
    {"EmptyResponse", "", "atI8\r", kDeviceNoEcho, "", ""},
    {"EmptyCommand", "atI8\r\r\nX\r\n\r\nOK\r\n", "", kDeviceNoEcho, "", ""},
    {"EchoOnly", "atI8\r", "atI8\r", kDeviceNoReplyLine, "", ""},
    {"TruncatedReplyLine", "atI3\r\r\nV2.1", "atI3\r", kDeviceNoReplyLine, "", ""},
    {"OtherResultCode", "atI3\r\r\nV2.10\r\n\r\nBUSY\r\n", "atI3\r", kDeviceBadResultCode, "V2.10",
     ""},
    {"ResultCodeWithoutLineEnd", "atI3\r\r\nV2.10\r\n\r\nOK", "atI3\r", kDeviceBadResultCode,
     "V2.10", ""},
    {"SingleLineEnd", "atI3\rX\r\nY\r\n", "atI3\r", kDeviceBadResultCode, "Y", ""},
    {"OkAsPartOfWord", "atI3\r\r\nV\r\n\r\nOKAY\r\n", "atI3\r", kDeviceBadResultCode, "V", ""},
};

INSTANTIATE_TEST_SUITE_P(Replies, CommandReplyTest, testing::ValuesIn(kReplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandReply, OverLongReplyLineIsKeptWhole) {
    const std::string line(4500, 'x');
    CommandReply out;
    ASSERT_EQ(parseCommandReply("atI3\r\r\n" + line + "\r\n\r\nOK\r\n", "atI3\r", out), 0);
    EXPECT_EQ(out.replyLine.size(), 4500u);
}

TEST(CommandReply, EmbeddedZeroBytesDoNotEndTheText) {
    constexpr char kRaw[] = "atI8\r\r\nA\0B\r\n\r\nOK\r\n";
    const std::string response(kRaw, sizeof kRaw - 1);
    CommandReply out;
    ASSERT_EQ(parseCommandReply(response, "atI8\r", out), 0);
    EXPECT_EQ(out.replyLine, std::string("A\0B", 3));
}

constexpr std::array<std::int32_t, 5> kOrder = {2, 1, 0, 3, 4};

struct ModelCase {
    const char* text;
    std::int32_t type;
};

TEST(ClassifyModel, FindsEachKindInProbeOrder) {
    const ModelCase cases[] = {
        {"Tamo T/A ISDN Modem", kDeviceExternal},
        {"Tamo T/A ISDN Modem6F", kDeviceExternal6F},
        {"Tamo T/A ISDN Modem6F rev B", kDeviceExternal6F},
        {"Tamo T/A Pro ISDN Modem", kDevicePro},
        {"Tamo T/A PCI ISDN Modem", kDevicePci},
        {"Tamo T/A0B", kDevicePcCard},
        // The plain name with a "6F" elsewhere is no plain box and no 6F box.
        {"Tamo T/A ISDN Modem 6F", kDeviceUnknownModel},
        {"Tamo T/A Pro ISDN Modem 6F", kDevicePro},
        {"tamo t/a isdn modem", kDeviceUnknownModel},
        {"Tamo T/A", kDeviceUnknownModel},
        {"", kDeviceUnknownModel},
    };
    for (const ModelCase& c : cases) EXPECT_EQ(classifyModel(c.text, kOrder), c.type) << c.text;
}

TEST(ClassifyModel, FollowsTheGivenOrderAndSkipsBadIndexes) {
    // A text naming two models takes the one probed first.
    const std::string both = "Tamo T/A PCI ISDN Modem / Tamo T/A0B";
    EXPECT_EQ(classifyModel(both, std::array<std::int32_t, 5>{4, 3, 2, 1, 0}), kDevicePcCard);
    EXPECT_EQ(classifyModel(both, kOrder), kDevicePci);
    EXPECT_EQ(classifyModel("Tamo T/A0B", std::array<std::int32_t, 5>{-1, 5, 99, 4, 0}),
              kDevicePcCard);
    EXPECT_EQ(classifyModel("Tamo T/A0B", std::array<std::int32_t, 3>{-7, 1 << 30, 3}),
              kDeviceUnknownModel);
}

TEST(Identification, NeedsTheMakersName) {
    EXPECT_TRUE(isMakerIdentification("Velka Technology Corporation"));
    EXPECT_TRUE(isMakerIdentification("(c) Velka Technology Corporation 1998"));
    EXPECT_FALSE(isMakerIdentification("Generic 56K Data/Fax Modem"));
    EXPECT_FALSE(isMakerIdentification("VELKA TECHNOLOGY CORPORATION"));
}

TEST(LineText, RegionAndV110) {
    struct Case {
        const char* text;
        std::int32_t region;
        std::int32_t v110;
    } cases[] = {
        {"EURO V110", kRegionInternational, 1},
        {"NI-1", kRegionNorthAmerica, 0},
        {"EURO NI-1", kRegionNorthAmerica, 0},
        {"NI-1 EURO V110", kRegionNorthAmerica, 1},
        {"euro ni-1 v110", kRegionUnknown, 0},
        {"", kRegionUnknown, 0},
        {"V.110", kRegionUnknown, 0},
    };
    for (const Case& c : cases) {
        const LineFacts f = parseLineText(c.text);
        EXPECT_EQ(f.region, c.region) << c.text;
        EXPECT_EQ(f.v110, c.v110) << c.text;
    }
}

TEST(Texts, CopyCutsToTheFieldAndAlwaysTerminates) {
    char field[8];
    copyText(field, sizeof field, "0123456789");
    EXPECT_STREQ(field, "0123456");
    copyText(field, sizeof field, "");
    EXPECT_STREQ(field, "");
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(fieldText(unterminated, sizeof unterminated), "abcd");
    EXPECT_EQ(fieldText(nullptr, 4), "");
}

TEST(ModelNames, AreRecognisedAgainByTheFolder) {
    // The folder tells the kind from the stored model name: boxes by the
    // contained name, PC cards by a name ending in "Tamo T/A".
    EXPECT_STREQ(deviceModelName(kDeviceExternal), "Tamo T/A ISDN Modem");
    EXPECT_STREQ(deviceModelName(kDeviceExternal6F), "Tamo T/A ISDN Modem");
    EXPECT_STREQ(deviceModelName(kDevicePro), "Tamo T/A Pro ISDN Modem");
    EXPECT_NE(std::string(deviceModelName(kDevicePci)).find("Tamo T/A PCI ISDN Modem"),
              std::string::npos);
    const std::string card = deviceModelName(kDevicePcCard);
    EXPECT_TRUE(card.ends_with("Tamo T/A"));
    EXPECT_STREQ(deviceModelName(kDeviceOtherMaker), "");
    EXPECT_STREQ(deviceModelName(kDeviceUnknownModel), "");
}

}  // namespace
