// The readings of the adapter's line listings: echo and result line, the
// status listing, the SPID activation and the SPID list with its regrouping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wizard/line_detector.h"

using namespace wizard;

namespace {

TEST(LineReplies, SplitDropsTheEchoAndTakesTheLastLineAsResult) {
    const struct {
        const char* received;
        const char* command;
        const char* body;
        const char* result;
    } rows[] = {
        {"AT>VDL\r\r\nChannel 1 - activated\r\nChannel 2 - activated\r\n\r\nOK\r\n", "AT>VDL\r",
         "Channel 1 - activated\r\nChannel 2 - activated\r\n", "OK"},
        // Left over from an answer that came late: everything before the echo goes.
        {"OK\r\nAT$I\r\r\nOK\r\n", "AT$I\r", "", "OK"},
        {"AT$I123\r\r\nSPID 123 rejected.\r\n\r\nNO CARRIER\r\n", "AT$I123\r",
         "SPID 123 rejected.\r\n", "NO CARRIER"},
        {"AT&W0\r\r\nOK", "AT&W0\r", "", "OK"},            // no line end after the code
        {"\r\nBUSY\r\n", "AT$I1\r", "", "BUSY"},           // no echo (E0)
        {"AT>VDD\r\n  ERROR  ", "AT>VDD\r", "", "ERROR"},  // echo without its CR
        {"", "AT\r", "", ""},
    };
    for (const auto& row : rows) {
        std::string body = "old", result = "old";
        SplitResponse(row.received, row.command, body, result);
        EXPECT_EQ(body, row.body) << row.received;
        EXPECT_EQ(result, row.result) << row.received;
    }
}

std::string Listing(const std::string& init, const std::string& type, const std::string& spids) {
    return "Initialisation status: " + init + "\r\nCurrent location: North America\r\n" +
           "Detected switch type: " + type + "\r\nSPIDs supported: " + spids + "\r\n";
}

TEST(LineReplies, StatusListingGivesSwitchNetworkAndSpidModes) {
    const struct {
        std::string body;
        std::int32_t rc;
        bool initialised = false, publicNetwork = false, areaCodeSpids = false,
             listAvailable = false, noSpid = false;
        std::int32_t switchType = 0;
    } rows[] = {
        {Listing("Successful", "National ISDN-1", "Auto"), 0, true, true, true, true, false, 0},
        {Listing("Failed", "AT&T 5ESS Custom", "Yes"), 0, false, false, false, false, false, 1},
        {Listing("Successful", "Unknown", "Unknown"), 0, true, true, false, false, false, 9},
        {Listing("Successful", "National ISDN", "No"), 0, true, true, true, false, true, 0},
        {Listing("In-Progress", "National ISDN", "Auto"), kLineInitInProgress},
        // In progress wins before anything else is looked at.
        {"Initialisation status: In-Progress\r\n", kLineInitInProgress},
        {Listing("Successful", "DMS-100", "Auto"), kWizStatusIncomplete},
        {Listing("Successful", "National ISDN", "Maybe"), kWizStatusIncomplete},
        {"Initialisation status: Successful\r\nDetected switch type: National ISDN\r\n"
         "SPIDs supported: Auto\r\n",
         kWizStatusIncomplete},  // no location
        {"Initialisation status: Successful\r\nCurrent location: x\r\nDetected switch type: "
         "National ISDN\r\nSPIDs supported: Auto",
         kWizStatusIncomplete},  // the last value has no line end
        {"Initialisation status Successful\r\n", kWizStatusIncomplete},  // no colon
        {"", kWizStatusIncomplete},
    };
    for (const auto& row : rows) {
        LineStatus status;
        status.switchType = 42;
        ASSERT_EQ(ParseStatusListing(row.body, status), row.rc) << row.body;
        if (row.rc != 0) {
            EXPECT_EQ(status.switchType, 42) << "a failed parse changed the status: " << row.body;
            continue;
        }
        EXPECT_EQ(status.initialised, row.initialised) << row.body;
        EXPECT_EQ(status.switchType, row.switchType) << row.body;
        EXPECT_EQ(status.publicNetwork, row.publicNetwork) << row.body;
        EXPECT_EQ(status.areaCodeSpids, row.areaCodeSpids) << row.body;
        EXPECT_EQ(status.spidListAvailable, row.listAvailable) << row.body;
        EXPECT_EQ(status.noSpid1, row.noSpid) << row.body;
        EXPECT_EQ(status.noSpid2, row.noSpid) << row.body;
    }
}

TEST(LineReplies, ActivationListingTellsWhetherAChannelIsInUse) {
    const struct {
        const char* body;
        std::int32_t rc;
        bool inUse;
    } rows[] = {
        {"Channel 1 - not activated\r\nChannel 2 - not activated\r\n", kWizNoChannel, false},
        {"Channel 1 - activated and operational\r\nChannel 2 - not activated\r\n", 0, true},
        {"Channel 1 - activated\r\nChannel 2 - not activated\r\n", 0, false},
        {"Channel 1 - not activated\r\n", kWizNoChannel, false},
        {"", kWizNoChannel, false},
    };
    for (const auto& row : rows) {
        bool inUse = !row.inUse;
        EXPECT_EQ(ParseActivationListing(row.body, inUse), row.rc) << row.body;
        EXPECT_EQ(inUse, row.inUse) << row.body;
    }
}

TEST(LineReplies, SpidListRefusesShortAndMalformedLines) {
    const struct {
        std::string body;
        std::int32_t rc;
    } rows[] = {
        {std::string(23, '1') + "\r\n", kWizSpidListShort},  // 25 characters
        {"0155512340101;5551234;dv\r\n", kWizSpidLineShort},
        {"0155512340101;5551234;dv;\r\n", kWizSpidLineShort},
        {"01555123401010101;5551234\r\n", kWizSpidLineShort},
        {"01555123401010101;1,2,3,4,5,6,7,8,9,10;dv;avail\r\n", kWizSpidTooManyNumbers},
        {"01555123401010101;1,2,3,4,5,6,7,8,9;dv;avail\r\n", 0},
        {"0155512340101;5551234;dv;avail\r\n\r\n", kWizSpidLineShort},  // an empty line
    };
    for (const auto& row : rows) {
        SpidList list;
        list.available = false;
        EXPECT_EQ(ParseSpidList(row.body, 1, kConnectionMultilinkPpp, list), row.rc) << row.body;
        if (row.rc != 0) {
            EXPECT_FALSE(list.available) << row.body;
        }
    }
}

TEST(LineReplies, SpidListIsRegroupedByNumberWithTheUsableRuleOfTheKind) {
    const std::string body =
        "01555123400101;5551234,5551235;dv;avail\r\n"
        "01555123500101;5551235;d;avail\r\n"
        "0155512360;5551236;d;inuse\r\n"
        "0155512370;;p;avail\r\n";
    SpidList list;
    ASSERT_EQ(ParseSpidList(body, 1, kConnectionMultilinkPpp, list), 0);
    ASSERT_EQ(list.numbers.size(), 4u);
    const NumberEntry& first = list.numbers[0];
    EXPECT_EQ(first.number, "5551234");
    ASSERT_EQ(first.spids.size(), 1u);
    EXPECT_EQ(first.spids[0].services, kServiceData | kServiceVoice);
    EXPECT_TRUE(first.usable);
    const NumberEntry& second = list.numbers[1];
    ASSERT_EQ(second.spids.size(), 2u);  // from both lines
    EXPECT_EQ(second.spids[1].spid, "01555123500101");
    EXPECT_TRUE(second.usable);
    EXPECT_FALSE(list.numbers[2].usable);  // in use elsewhere
    EXPECT_EQ(list.numbers[3].number, "Undetermined");
    EXPECT_EQ(list.numbers[3].spids[0].services, kServicePacket);
    EXPECT_TRUE(list.twoNumbers);
    EXPECT_TRUE(list.available);

    // A data-only SPID serves a card, not a box with telephone ports --
    // whichever line of the list it came from.
    const std::string dataOnly =
        "0155512360000;5551236;v;avail\r\n0155512360101;5551236;d;avail\r\n";
    for (const auto& [kind, usable] :
         {std::pair{1, false}, {2, false}, {4, false}, {8, true}, {16, true}, {32, true}}) {
        SpidList l;
        ASSERT_EQ(ParseSpidList(dataOnly, kind, 10, l), 0);
        EXPECT_EQ(l.numbers[0].usable, usable) << kind;
        EXPECT_EQ(l.numbers[0].firstUsableSpid(kind), usable ? "0155512360101" : "") << kind;
        EXPECT_FALSE(l.twoNumbers) << kind;  // one number
    }

    // Two numbers count on known kinds and with Multilink PPP only.
    for (const auto& [kind, connection, two] :
         {std::tuple{32, 10, false}, {32, kConnectionMultilinkPpp, true}, {8, 10, true}}) {
        SpidList l;
        ASSERT_EQ(ParseSpidList(body, kind, connection, l), 0);
        EXPECT_EQ(l.twoNumbers, two) << kind << " " << connection;
    }
}

TEST(LineReplies, EmptySpidListMeansTheLineNeedsNoSpids) {
    SpidList list;
    ASSERT_EQ(ParseSpidList("", 1, kConnectionMultilinkPpp, list), 0);
    EXPECT_TRUE(list.noSpid1 && list.noSpid2);
    EXPECT_FALSE(list.twoNumbers);
    EXPECT_TRUE(list.numbers.empty());
}

TEST(LineReplies, SpidListKeepsToItsTables) {
    std::string body;
    for (int i = 0; i < 14; ++i)
        body += "01555" + std::to_string(1000 + i) + "0101;555" + std::to_string(1000 + i) +
                ";dv;avail\r\n";
    std::string sameNumber;
    for (int i = 0; i < 10; ++i)
        sameNumber += "0155510" + std::to_string(10 + i) + ";5551000;dv;avail\r\n";
    SpidList list;
    ASSERT_EQ(ParseSpidList(body, 1, 12, list), 0);
    EXPECT_EQ(list.numbers.size(), kMaxListLines);
    ASSERT_EQ(ParseSpidList(sameNumber + sameNumber, 1, 12, list), 0);
    ASSERT_EQ(list.numbers.size(), 1u);
    EXPECT_EQ(list.numbers[0].spids.size(), kMaxSpidsPerNumber);
}

}  // namespace
