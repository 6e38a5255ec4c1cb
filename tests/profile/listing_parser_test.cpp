#include "profile/listing_parser.h"

#include <gtest/gtest.h>

#include <string>

using profile::FindValue;
using profile::ListingContext;
using profile::ParseProfileListing;
using profile::ParseProfileSection;

namespace {

// A North-American box's settings of one profile, as the adapter lists them.
const std::string kNaBoxSection =
    " *P1 %A2=96 !C1=3 !N1=5551234 !N2=5555678 !T1=3 !T2=12 !A7 !C4=1 !C5=0\r\n"
    " !C6=01555123400 !C7=01555567800 !X22=1 !X3=rc !X1=2 !X2=31104 %P5=1 %P6=10\r\n"
    " %P7=20 !X10=5 !X11=50 !X12=40 !X13=6 !X14=60 !X15=30 !O3 %P8=1\r\n"
    " *R1=1 *R2=2 *B1=0 *B2=1 *S1=1 *S2=3 *D1=2 *D2=0 *E1=1 *E2=2\r\n"
    " *V1=1 *V2=0 *A1=1 *A2=1 *K1=*60 *K3=*61 *K5=#62 *M=30\r\n";

// An international box: N5, call waiting, no SPIDs, no voice mail.
const std::string kIntlBoxSection =
    " *P4 %A2=95 !C1=1 !N1=301234 !N2=305678 !N5=99 !T1=1 !T2=2 !A3\r\n"
    " %P5=0 %P6=0 %P7=0 !O3 %P8=0\r\n"
    " *R1=0 *R2=0 *B1=1 *B2=1 *S1=0 *S2=0 *D1=0 *D2=0 *E1=2 *E2=2 *W1=1 *W2=0\r\n"
    " *V1=1 *V2=1\r\n";

std::string Listing(const std::string& s0, const std::string& s1, const std::string& s2,
                    const std::string& tail = "TELEPHONE NUMBERS:\r\n&Y1 \r\n\r\nOK\r\n") {
    return "AT&V\r\r\nACTIVE PROFILE:\r\n E1 V1\r\n\r\nSTORED PROFILE 0:\r\n" + s0 +
           "\r\nSTORED PROFILE 1:\r\n" + s1 + "\r\nSTORED PROFILE 2:\r\n" + s2 + "\r\n" + tail;
}

ListingContext Context(std::int32_t northAmerica, std::int32_t kind) {
    ListingContext c;
    c.northAmerica = northAmerica;
    c.deviceKind = kind;
    return c;
}

CProfile Parsed(const std::string& section, const ListingContext& context, int index = 0) {
    CProfile p;
    ParseProfileSection(section, context, index, p);
    return p;
}

}  // namespace

TEST(ListingValueRule, EndsAtTheFirstSeparatorAndNeedsOne) {
    struct Row {
        const char* text;
        const char* parameter;
        bool found;
        const char* value;
    };
    const Row rows[] = {
        {"!N1=123 ", "!N1=", true, "123"},
        {"!N1=12!N2=3\r", "!N1=", true, "12"},
        {"%A2=96%P5=1 ", "%A2=", true, "96"},
        {"!N1=55&Y0 ", "!N1=", true, "55"},
        {"!N1= !N2=4 ", "!N1=", true, ""},
        {"!N1=abc\r\n", "!N1=", true, "abc"},
        {"!N1=12\n!N2=3 ", "!N1=", true, "12\n"},  // a line feed alone does not end it
        {"!N1=123", "!N1=", false, ""},            // runs to the end: not taken
        {"!N2=1 ", "!N1=", false, ""},
        {"", "!N1=", false, ""},
        {"!N1=1 ", "", false, ""},
        {"*K1=*60 ", "*K1=", true, "*60"},
        {"!X22=1 !X2=77 ", "!X2=", true, "77"},  // not fooled by !X22=
        {"!X10=5 !X1=2 ", "!X1=", true, "2"},
    };
    for (const Row& r : rows) {
        std::string_view value = "untouched";
        EXPECT_EQ(FindValue(r.text, r.parameter, value), r.found) << r.text;
        if (r.found) EXPECT_EQ(value, r.value) << r.text;
        else EXPECT_EQ(value, "untouched") << r.text;
    }
}

TEST(ListingSection, NorthAmericanBoxReadsEveryGroup) {
    ListingContext c = Context(1, 1);
    c.enableVoiceForBox = {0, 1, 0};
    c.enableModemForPro = {1, 0, 1};
    const CProfile p = Parsed(kNaBoxSection, c, 1);

    EXPECT_EQ(p.region, 1);
    EXPECT_EQ(p.connectType, kConnectMultilinkPpp);
    EXPECT_EQ(p.switchType, 3);
    EXPECT_EQ(p.number1, "5551234");
    EXPECT_EQ(p.number2, "5555678");
    EXPECT_EQ(p.t1Setting, 3);
    EXPECT_EQ(p.t2Setting, 12);
    EXPECT_EQ(p.portSettings, 7);
    EXPECT_EQ(p.terminalMode1, 1);
    EXPECT_EQ(p.terminalMode2, 0);
    EXPECT_EQ(p.spid1, "01555123400");
    EXPECT_EQ(p.spid2, "01555567800");
    EXPECT_EQ(p.n5Text, "");

    EXPECT_EQ(p.aodiSupported, 1);
    EXPECT_EQ(p.aodi, 1);
    EXPECT_EQ(p.x25Facilities, "rc");
    EXPECT_EQ(p.x25Version, 2);
    EXPECT_EQ(p.x25DteAddress, "31104");

    EXPECT_EQ(p.bacp, 1);
    EXPECT_EQ(p.bapStartInterval, 10);
    EXPECT_EQ(p.bapRepeatInterval, 20);
    EXPECT_EQ(p.delayOpenB1, 5);
    EXPECT_EQ(p.thresholdOpenB1, 50);
    EXPECT_EQ(p.thresholdCloseB1, 40);
    EXPECT_EQ(p.delayOpenB2, 6);
    EXPECT_EQ(p.thresholdOpenB2, 60);
    EXPECT_EQ(p.thresholdCloseB2, 30);

    EXPECT_EQ(p.EnableVoiceForBox, 1);
    EXPECT_EQ(p.EnableModemForPro, 0);
    EXPECT_EQ(p.dataOverVoice, 1);
    EXPECT_EQ(p.proOption, 0);
    EXPECT_EQ(p.dynamicBandwidthAllocation, 1);

    EXPECT_EQ(p.potsAvailable, 1);
    EXPECT_EQ(p.distinctRingPots1, 1);
    EXPECT_EQ(p.distinctRingPots2, 2);
    EXPECT_EQ(p.audioPots1, 0);
    EXPECT_EQ(p.audioPots2, 1);
    EXPECT_EQ(p.supplementaryServicesPots1, 1);
    EXPECT_EQ(p.supplementaryServicesPots2, 3);
    EXPECT_EQ(p.dialAccessPots1, 2);
    EXPECT_EQ(p.dialAccessPots2, 0);
    EXPECT_EQ(p.modePots1, 1);
    EXPECT_EQ(p.modePots2, 2);
    EXPECT_EQ(p.voiceMailPots1, 1);
    EXPECT_EQ(p.voiceMailPots2, 0);
    EXPECT_EQ(p.abbreviatedRingPots1, 1);
    EXPECT_EQ(p.abbreviatedRingPots2, 1);
    EXPECT_EQ(p.callConferenceKey, "*60");
    EXPECT_EQ(p.callDropKey, "*61");
    EXPECT_EQ(p.vmwiKey, "#62");
    EXPECT_EQ(p.vmwiRefreshTime, 30);
    EXPECT_EQ(p.callWaitingPots1, 0);
}

TEST(ListingSection, InternationalBoxSkipsNorthAmericanSettings) {
    const CProfile p = Parsed(kIntlBoxSection, Context(0, 4));
    EXPECT_EQ(p.region, 4);
    EXPECT_EQ(p.connectType, kConnectPpp);
    EXPECT_EQ(p.n5Text, "99");
    EXPECT_EQ(p.portSettings, 3);
    EXPECT_EQ(p.spid1, "");
    EXPECT_EQ(p.dataOverVoice, 0);  // "!O" belongs to North-American boxes only
    EXPECT_EQ(p.aodiSupported, 0);
    EXPECT_EQ(p.potsAvailable, 1);
    EXPECT_EQ(p.modePots1, 2);
    EXPECT_EQ(p.callWaitingPots1, 1);
    EXPECT_EQ(p.callWaitingPots2, 0);
    EXPECT_EQ(p.voiceMailPots1, 0);
    EXPECT_EQ(p.voiceMailPots2, 0);
}

TEST(ListingSection, DeviceKindDecidesN5OptionAndPorts) {
    struct Row {
        std::int32_t northAmerica, kind;
        const char* n5;
        std::int32_t potsAvailable, distinctRing2, dataOverVoice, proOption;
    };
    const std::string section =
        " *P2 %A2=2 !C1=7 !N1=1 !N2=2 !N5=n5 !T1=0 !T2=0 !A0 !C4=0 !C5=0 !C6=s1 !C7=s2\r\n"
        " !O3 *R1=4 *R2=5 *B1=0 *B2=0 *S1=0 *S2=0 *D1=0 *D2=0 *E1=3 *E2=3 *W1=0 *W2=0\r\n";
    const Row rows[] = {
        {0, 1, "n5", 1, 5, 0, 0},  // international box
        {1, 1, "", 1, 5, 1, 0},    // North-American box
        {0, 2, "n5", 1, 0, 0, 6},  // Pro: one port, option 3 is not one it knows
        {1, 2, "", 1, 0, 0, 6},
        {0, 8, "", 0, 0, 0, 0},    // PCI card: no N5, no ports
        {1, 8, "", 0, 0, 1, 0},
        {0, 16, "", 0, 0, 0, 0},   // PC card
        {1, 16, "", 0, 0, 1, 0},
    };
    for (const Row& r : rows) {
        const CProfile p = Parsed(section, Context(r.northAmerica, r.kind));
        const std::string where =
            "na=" + std::to_string(r.northAmerica) + " kind=" + std::to_string(r.kind);
        EXPECT_EQ(p.connectType, kConnectV120) << where;
        EXPECT_EQ(p.n5Text, r.n5) << where;
        EXPECT_EQ(p.potsAvailable, r.potsAvailable) << where;
        EXPECT_EQ(p.distinctRingPots2, r.distinctRing2) << where;
        EXPECT_EQ(p.dataOverVoice, r.dataOverVoice) << where;
        EXPECT_EQ(p.proOption, r.proOption) << where;
        EXPECT_EQ(p.spid1, r.northAmerica == 1 ? "s1" : "") << where;
    }
}

TEST(ListingSection, OptionValues) {
    struct Row {
        std::int32_t northAmerica, kind;
        const char* option;
        std::int32_t dataOverVoice, proOption;
    };
    const Row rows[] = {
        {1, 1, "3", 1, 0}, {1, 1, "0", 0, 0}, {1, 4, "1", 0, 0}, {1, 8, "3", 1, 0},
        {0, 2, "4", 0, 6}, {0, 2, "1", 0, 1}, {1, 2, "0", 0, 0}, {1, 2, "6", 0, 6},
        {0, 2, "-1", 0, 6}, {0, 2, "", 0, 0},
    };
    for (const Row& r : rows) {
        const CProfile p =
            Parsed(std::string(" !O") + r.option + " \r\n", Context(r.northAmerica, r.kind));
        EXPECT_EQ(p.dataOverVoice, r.dataOverVoice) << r.kind << " !O" << r.option;
        EXPECT_EQ(p.proOption, r.proOption) << r.kind << " !O" << r.option;
    }
}

TEST(ListingSection, ConnectTypeValues) {
    struct Row {
        const char* a2;
        std::int32_t connectType;
        std::int32_t switchType;  // read only when the line group goes on
    };
    const Row rows[] = {{"4", 9, 5}, {"2", 11, 5}, {"96", 12, 5}, {"95", 10, 5},
                        {"3", 12, 255}, {"096", 12, 255}, {"", 12, 255}};
    for (const Row& r : rows) {
        const CProfile p =
            Parsed(std::string(" *P1 %A2=") + r.a2 + " !C1=5 \r\n", Context(1, 1));
        EXPECT_EQ(p.connectType, r.connectType) << r.a2;
        EXPECT_EQ(p.switchType, r.switchType) << r.a2;
        EXPECT_EQ(p.region, 1) << r.a2;
    }
}

TEST(ListingSection, MissingParameterEndsOnlyItsOwnGroup) {
    // No "%A2=": the line group stops after the region; the other groups are read.
    const std::string section =
        " *P3 !C1=4 !N1=77 !X22=0 !X3=fac !X1=1 !X2=2 %P5=1 %P6=2 %P7=3 !X10=9\r\n"
        " !X13=8 !X11=7 !X14=6 !X12=5 !X15=4 !O3 %P8=1 *R1=1 *R2=1 *B1=1\r\n";
    const CProfile p = Parsed(section, Context(1, 1));
    EXPECT_EQ(p.region, 3);
    EXPECT_EQ(p.connectType, kConnectMultilinkPpp);
    EXPECT_EQ(p.switchType, kSwitchTypeNotSet);
    EXPECT_EQ(p.number1, "");
    EXPECT_EQ(p.aodiSupported, 1);
    EXPECT_EQ(p.x25Facilities, "fac");
    EXPECT_EQ(p.delayOpenB1, 9);
    EXPECT_EQ(p.thresholdCloseB2, 4);
    EXPECT_EQ(p.dataOverVoice, 1);
    EXPECT_EQ(p.dynamicBandwidthAllocation, 1);
    EXPECT_EQ(p.potsAvailable, 1);
    EXPECT_EQ(p.audioPots1, 1);
    EXPECT_EQ(p.audioPots2, 0);  // "*B2=" missing: the rest of the port list is skipped
    EXPECT_EQ(p.modePots1, 3);
}

TEST(ListingSection, GroupsStopAtTheirFirstGap) {
    struct Row {
        const char* name;
        std::string section;
        std::function<bool(const CProfile&)> check;
    };
    const Row rows[] = {
        {"no region", " %A2=4 !C1=2 \r\n",
         [](const CProfile& p) { return p.connectType == 12 && p.switchType == 255; }},
        {"no !N2 keeps T1", " *P1 %A2=4 !C1=2 !N1=5 !T1=9 \r\n",
         [](const CProfile& p) { return p.number1 == "5" && p.t1Setting == 0; }},
        {"AODI without !X3", " !X22=1 !X1=4 !X2=x %P5=1 \r\n",
         [](const CProfile& p) {
             return p.aodiSupported == 1 && p.aodi == 1 && p.x25Version == 0 &&
                    p.x25DteAddress.empty() && p.bacp == 1;
         }},
        {"B-channel values need AODI", " %P5=1 %P6=1 %P7=1 !X10=5 \r\n",
         [](const CProfile& p) { return p.bacp == 1 && p.delayOpenB1 == 0; }},
        {"no %P6", " %P5=2 %P7=3 \r\n",
         [](const CProfile& p) { return p.bacp == 2 && p.bapRepeatInterval == 0; }},
        {"ports need *R1", " *R2=1 *B1=1 *E1=1 \r\n",
         [](const CProfile& p) { return p.potsAvailable == 0 && p.modePots1 == 3; }},
        {"value at the very end is not taken", " *P1 %A2=4 !C1=2 !N1=5 !N2=6",
         [](const CProfile& p) { return p.number1 == "5" && p.number2.empty(); }},
        {"*R1 without a value still marks the ports", " *R1=",
         [](const CProfile& p) { return p.potsAvailable == 1 && p.distinctRingPots1 == 0; }},
        {"8-bit values keep their low byte", " *P1 %A2=4 !C1=2 !N1=1 !N2=2 !T1=300 !T2=-1 !A511 ",
         [](const CProfile& p) {
             return p.t1Setting == 44 && p.t2Setting == 255 && p.portSettings == 255;
         }},
    };
    for (const Row& r : rows) EXPECT_TRUE(r.check(Parsed(r.section, Context(1, 1)))) << r.name;
}

TEST(ListingParse, ThreeSectionsAndTheActiveProfile) {
    std::array<CProfile, 3> profiles;
    const std::string s1 = " *P1 !C1=9 %P8=1\r\n";  // no "%A2=" in profile 1
    const auto r = ParseProfileListing(Listing(kNaBoxSection, s1, kNaBoxSection), Context(1, 1),
                                       profiles);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.activeProfileFound);
    EXPECT_EQ(r.activeProfile, 1);
    EXPECT_EQ(profiles[0].number1, "5551234");
    EXPECT_EQ(profiles[2].number1, "5551234");
    EXPECT_EQ(profiles[1].connectType, kConnectMultilinkPpp);
    EXPECT_EQ(profiles[1].switchType, kSwitchTypeNotSet);
    EXPECT_EQ(profiles[1].number1, "");
    EXPECT_EQ(profiles[1].dynamicBandwidthAllocation, 1);
    // Profile 0's settings come from its own section only.
    EXPECT_EQ(profiles[1].potsAvailable, 0);
}

TEST(ListingParse, MissingMarkersFailAfterTheEarlierProfiles) {
    struct Row {
        const char* name;
        std::string listing;
        bool filled0, filled1;
    };
    const std::string s = kNaBoxSection;
    const Row rows[] = {
        {"no telephone numbers", Listing(s, s, s, "&Y1 \r\nOK\r\n"), true, true},
        {"no profile 2", "STORED PROFILE 0:\r\n" + s + "STORED PROFILE 1:\r\n" + s +
                             "TELEPHONE NUMBERS:\r\n", true, false},
        {"no profile 0", "STORED PROFILE 1:\r\n" + s + "STORED PROFILE 2:\r\n" + s +
                             "TELEPHONE NUMBERS:\r\n", false, false},
        {"markers out of order", "TELEPHONE NUMBERS:\r\nSTORED PROFILE 2:\r\n" + s +
                                     "STORED PROFILE 1:\r\n" + s + "STORED PROFILE 0:\r\n",
         false, false},
        {"empty", "", false, false},
    };
    for (const Row& r : rows) {
        std::array<CProfile, 3> profiles;
        const auto result = ParseProfileListing(r.listing, Context(1, 1), profiles);
        EXPECT_EQ(result.status, 8001) << r.name;
        EXPECT_FALSE(result.activeProfileFound) << r.name;
        EXPECT_EQ(profiles[0].number1 == "5551234", r.filled0) << r.name;
        EXPECT_EQ(profiles[1].number1 == "5551234", r.filled1) << r.name;
        EXPECT_EQ(profiles[2].number1, "") << r.name;
    }
}

TEST(ListingParse, ActiveProfile) {
    struct Row {
        const char* tail;
        bool found;
        std::int32_t active;
    };
    const Row rows[] = {
        {"TELEPHONE NUMBERS:\r\n&Y2 \r\nOK\r\n", true, 2},
        {"TELEPHONE NUMBERS:\r\n&Y0\r\n", true, 0},
        {"TELEPHONE NUMBERS:\r\nOK\r\n", false, 0},
        {"TELEPHONE NUMBERS:\r\n&Y2", false, 0},        // no end after the value
        {"TELEPHONE NUMBERS:\r\n&Y7 \r\n", true, 0},    // no such profile
        {"TELEPHONE NUMBERS:\r\n&Y-1 \r\n", true, 0},
        {"TELEPHONE NUMBERS:\r\n&Yx \r\n", true, 0},
    };
    for (const Row& r : rows) {
        std::array<CProfile, 3> profiles;
        const auto result = ParseProfileListing(Listing("", "", "", r.tail), Context(0, 2), profiles);
        EXPECT_EQ(result.status, 0) << r.tail;
        EXPECT_EQ(result.activeProfileFound, r.found) << r.tail;
        EXPECT_EQ(result.activeProfile, r.active) << r.tail;
    }
}

TEST(ListingParse, FlagsGoToTheirOwnProfile) {
    ListingContext c = Context(0, 2);
    c.enableVoiceForBox = {1, 0, 1};
    c.enableModemForPro = {0, 1, 0};
    std::array<CProfile, 3> profiles;
    ASSERT_EQ(ParseProfileListing(Listing("", "", ""), c, profiles).status, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(profiles[i].EnableVoiceForBox, c.enableVoiceForBox[i]);
        EXPECT_EQ(profiles[i].EnableModemForPro, c.enableModemForPro[i]);
    }
}
