#include "device/device_reply.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "device/device_model.h"
#include "device/device_status.h"
#include "platform/device_type.h"

using namespace device;

namespace {

TEST(CommandReply, ReadsEchoReplyLineAndResultCode) {
    struct Case {
        std::string response;
        const char* command;
        std::int32_t status;
        const char* reply;
        const char* code;
    };
    constexpr char kZero[] = "atI8\r\r\nA\0B\r\n\r\nOK\r\n";
    const Case cases[] = {
        {"atI8\r\r\nVelka Technology Corporation\r\n\r\nOK\r\n", "atI8\r", 0,
         "Velka Technology Corporation", "OK"},
        {"atI3\r\r\nV2.10\r\n\r\nok\r\n", "atI3\r", 0, "V2.10", "OK"},  // code made canonical
        {"ati9\r\n\r\nERROR\r\n", "ati9\r\n", 0, "ERROR", "ERROR"},     // the code is the line
        {"ati9\r\n\r\nTamo T/A0B\r\n\r\nError\r\n", "ati9\r\n", 0, "Tamo T/A0B", "ERROR"},
        {"atI4\r\r\nEURO\r\n\r\n  OK \t\r\n", "atI4\r", 0, "EURO", "OK"},
        {"\r\nRING\r\natI8\r\r\nX\r\n\r\nOK\r\n", "atI8\r", 0, "X", "OK"},
        {"atI20\r\r\n\r\nOK\r\n", "atI20\r", 0, "", "OK"},
        {std::string(kZero, sizeof kZero - 1), "atI8\r", 0, "A", "OK"},
        {"\r\nVelka\r\n\r\nOK\r\n", "atI8\r", kDeviceNoEcho, "", ""},
        {"", "atI8\r", kDeviceNoEcho, "", ""},
        {"atI8\r\r\nX\r\n\r\nOK\r\n", "", kDeviceNoEcho, "", ""},
        {"atI8\r", "atI8\r", kDeviceNoReplyLine, "", ""},
        {"atI3\r\r\nV2.1", "atI3\r", kDeviceNoReplyLine, "", ""},
        {"atI3\r\r\nV2.10\r\n\r\nBUSY\r\n", "atI3\r", kDeviceBadResultCode, "V2.10", ""},
        {"atI3\r\r\nV2.10\r\n\r\nOK", "atI3\r", kDeviceBadResultCode, "V2.10", ""},
        {"atI3\r\r\nV\r\n\r\nOKAY\r\n", "atI3\r", kDeviceBadResultCode, "V", ""},
    };
    for (const Case& c : cases) {
        CommandReply out;
        EXPECT_EQ(parseCommandReply(c.response, c.command, out), c.status) << c.response;
        EXPECT_EQ(out.replyLine.substr(0, out.replyLine.find('\0')), c.reply) << c.response;
        EXPECT_EQ(out.resultCode, c.code) << c.response;
    }
    CommandReply out;
    ASSERT_EQ(
        parseCommandReply("atI3\r\r\n" + std::string(4500, 'x') + "\r\n\r\nOK\r\n", "atI3\r", out),
        0);
    EXPECT_EQ(out.replyLine.size(), 4500u);
}

TEST(ClassifyModel, FindsEachKindInProbeOrder) {
    constexpr std::array<std::int32_t, 5> kOrder = {2, 1, 0, 3, 4};
    const std::pair<const char*, std::int32_t> cases[] = {
        {"Tamo T/A ISDN Modem", kDeviceExternal},
        {"Tamo T/A ISDN Modem6F rev B", kDeviceExternal6F},
        {"Tamo T/A Pro ISDN Modem", kDevicePro},
        {"Tamo T/A PCI ISDN Modem", kDevicePci},
        {"Tamo T/A0B", kDevicePcCard},
        // The plain name with a "6F" elsewhere is neither box.
        {"Tamo T/A ISDN Modem 6F", kDeviceUnknownModel},
        {"Tamo T/A Pro ISDN Modem 6F", kDevicePro},
        {"tamo t/a isdn modem", kDeviceUnknownModel},
        {"", kDeviceUnknownModel},
    };
    for (const auto& [text, type] : cases) EXPECT_EQ(classifyModel(text, kOrder), type) << text;

    // A text naming two models takes the one probed first; bad indexes are skipped.
    const std::string both = "Tamo T/A PCI ISDN Modem / Tamo T/A0B";
    EXPECT_EQ(classifyModel(both, std::array<std::int32_t, 5>{4, 3, 2, 1, 0}), kDevicePcCard);
    EXPECT_EQ(classifyModel(both, kOrder), kDevicePci);
    EXPECT_EQ(classifyModel("Tamo T/A0B", std::array<std::int32_t, 3>{-7, 1 << 30, 4}),
              kDevicePcCard);
    EXPECT_FALSE(isMakerIdentification("VELKA TECHNOLOGY CORPORATION"));
}

TEST(LineText, Ni1WinsOverEuro) {
    const std::tuple<const char*, std::int32_t, std::int32_t> cases[] = {
        {"EURO V110", kRegionInternational, 1},
        {"EURO NI-1", kRegionNorthAmerica, 0},
        {"NI-1 EURO V110", kRegionNorthAmerica, 1},
        {"euro ni-1 v110", kRegionUnknown, 0},
        {"V.110", kRegionUnknown, 0},
    };
    for (const auto& [text, region, v110] : cases) {
        EXPECT_EQ(parseLineText(text).region, region) << text;
        EXPECT_EQ(parseLineText(text).v110, v110) << text;
    }
}

}  // namespace
