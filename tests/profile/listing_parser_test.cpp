#include "profile/listing_parser.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/profile/profile_fields.h"

using profile::ListingContext;
using profiletest::ClearedWith;
using profiletest::FieldsOf;

namespace {

// A North-American box's settings of one profile, as the adapter lists them.
constexpr const char* kNaBoxSection =
    " *P1 %A2=96 !C1=3 !N1=5551234 !N2=5555678 !T1=3 !T2=12 !A7 !C4=1 !C5=0\r\n"
    " !C6=01555123400 !C7=01555567800 !X22=1 !X3=rc !X1=2 !X2=31104 %P5=1 %P6=10\r\n"
    " %P7=20 !X10=5 !X11=50 !X12=40 !X13=6 !X14=60 !X15=30 !O3 %P8=1\r\n"
    " *R1=1 *R2=2 *B1=0 *B2=1 *S1=1 *S2=3 *D1=2 *D2=0 *E1=1 *E2=2\r\n"
    " *V1=1 *V2=0 *A1=1 *A2=1 *K1=*60 *K3=*61 *K5=#62 *M=30\r\n";

// A listing from a short plan: [0] [1] [2] mark the stored profiles, [T] the
// telephone numbers, {S} stands for the section above, {A} for one without
// "%A2=".
std::string Listing(std::string plan) {
    const std::pair<const char*, std::string> parts[] = {{"[0]", "\r\nSTORED PROFILE 0:\r\n"},
                                                         {"[1]", "\r\nSTORED PROFILE 1:\r\n"},
                                                         {"[2]", "\r\nSTORED PROFILE 2:\r\n"},
                                                         {"[T]", "\r\nTELEPHONE NUMBERS:\r\n"},
                                                         {"{S}", kNaBoxSection},
                                                         {"{A}", " *P1 !C1=9 %P8=1\r\n"}};
    for (const auto& [mark, text] : parts)
        for (std::size_t at; (at = plan.find(mark)) != std::string::npos;)
            plan.replace(at, 3, text);
    return "AT&V\r\r\nACTIVE PROFILE:\r\n E1 V1\r\n" + plan;
}

ListingContext Context(std::int32_t northAmerica, std::int32_t kind) {
    ListingContext c;
    c.northAmerica = northAmerica;
    c.deviceKind = kind;
    return c;
}

}  // namespace

TEST(ListingValueRule, EndsAtTheFirstSeparatorAndNeedsOne) {
    struct Row {
        const char *text, *parameter;
        bool found;
        const char* value;
    };
    const Row rows[] = {
        {"!N1=12!N2=3\r", "!N1=", true, "12"},
        {"%A2=96%P5=1 ", "%A2=", true, "96"},
        {"!N1=55&Y0 ", "!N1=", true, "55"},
        {"!N1= !N2=4 ", "!N1=", true, ""},
        {"!N1=12\n!N2=3 ", "!N1=", true, "12\n"},  // a line feed alone does not end it
        {"!N1=123", "!N1=", false, ""},            // runs to the end: not taken
        {"!N2=1 ", "!N1=", false, ""},
        {"!N1=1 ", "", false, ""},
        {"!X22=1 !X2=77 ", "!X2=", true, "77"},  // not fooled by !X22=
    };
    for (const Row& r : rows) {
        std::string_view value = "untouched";
        EXPECT_EQ(profile::FindValue(r.text, r.parameter, value), r.found) << r.text;
        EXPECT_EQ(value, r.found ? r.value : "untouched") << r.text;
    }
}

// Each row reads one section and expects exactly the named fields set, every
// other field as cleared: a value in the wrong field shows as two mismatches.
TEST(ListingSection, GroupsKindsRegionsAndTheirGaps) {
    struct Row {
        const char* name;
        std::int32_t northAmerica, kind;
        const char* section;  // null: `mixed`, whose line group the fields then start with
        const char* fields;
    };
    const std::string mixed =
        " *P2 %A2=2 !C1=7 !N1=1 !N2=2 !N5=n5 !T1=0 !T2=0 !A0 !C4=0 !C5=0 !C6=s1 !C7=s2\r\n"
        " !O3 *R1=4 *R2=5 *B1=0 *B2=0 *S1=0 *S2=0 *D1=0 *D2=0 *E1=3 *E2=3 *W1=0 *W2=0\r\n";
    const std::string mixedLine =
        "Region=2;Connect Type=11;Primary SwitchType=7;Primary Number1=1;Primary Number2=2;";
    const Row rows[] = {
        {"North-American box, every group", 1, 1, kNaBoxSection,
         "Region=1;Connect Type=12;Primary SwitchType=3;Primary Number1=5551234;"
         "Primary Number2=5555678;T1=3;T2=12;Port Settings=7;"
         "Primary Non-Initialised Terminal Mode 1=1;Primary SPID1=01555123400;"
         "Primary SPID2=01555567800;AODI Supported=1;AODI=1;X25 Facilities=rc;X25 Version=2;"
         "X.25 DTE Address=31104;Bandwidth Allocation Control Protocol=1;"
         "Bandwidth Allocation Protocol Start Interval=10;"
         "Bandwidth Allocation Protocol Repeat Interval=20;Delay Open B1=5;Threshold Open B1=50;"
         "Threshold Close B1=40;Delay Open B2=6;Threshold Open B2=60;Threshold Close B2=30;"
         "Data Over Voice=1;Dynamic Bandwidth Allocation=1;POTS Available=1;"
         "Distinct Ring POTS 1=1;Distinct Ring POTS 2=2;Audio POTS 2=1;"
         "Supplementary Services POTS 1=1;Supplementary Services POTS 2=3;Dial Access POTS 1=2;"
         "Mode POTS 1=1;Mode POTS 2=2;Voice Mail POTS 1=1;Abbreviated Ring for VMWI POTS 1=1;"
         "Abbreviated Ring for VMWI POTS 2=1;Call Conference Key=*60;Call Drop Key=*61;"
         "VMWI Key=#62;VMWI Refresh Time=30"},
        {"international box", 0, 1, nullptr,
         "N5=n5;POTS Available=1;Distinct Ring POTS 1=4;Distinct Ring POTS 2=5"},
        {"North-American box: no voice mail ends the port group", 1, 1, nullptr,
         "Primary SPID1=s1;Primary SPID2=s2;Data Over Voice=1;POTS Available=1;"
         "Distinct Ring POTS 1=4;Distinct Ring POTS 2=5"},
        {"international Pro: one port, unknown option", 0, 2, nullptr,
         "N5=n5;Pro Option=6;POTS Available=1;Distinct Ring POTS 1=4"},
        {"North-American PCI card", 1, 8, nullptr,
         "Primary SPID1=s1;Primary SPID2=s2;Data Over Voice=1"},
        {"international PC card", 0, 16, nullptr, ""},
        {"option 1 of a box 6F", 1, 4, " !O1 \r\n", ""},
        {"Pro option 1", 0, 2, " !O1 \r\n", "Pro Option=1"},
        {"Pro option -1", 0, 2, " !O-1 \r\n", "Pro Option=6"},
        {"V.110", 1, 1, " *P1 %A2=4 !C1=5 \r\n", "Region=1;Connect Type=9;Primary SwitchType=5"},
        {"PPP", 1, 1, " *P1 %A2=95 !C1=5 \r\n", "Region=1;Connect Type=10;Primary SwitchType=5"},
        {"unknown protocol stops the line group", 1, 1, " *P1 %A2=3 !C1=5 \r\n", "Region=1"},
        {"protocol with a leading zero", 1, 1, " *P1 %A2=096 !C1=5 \r\n", "Region=1"},
        {"no %A2: only the line group stops", 1, 1,
         " *P3 !C1=4 !N1=77 !X22=0 !X3=fac !X1=1 !X2=2 %P5=1 %P6=2 %P7=3 !X10=9\r\n"
         " !X13=8 !X11=7 !X14=6 !X12=5 !X15=4 !O3 %P8=1 *R1=1 *R2=1 *B1=1\r\n",
         "Region=3;AODI Supported=1;X25 Facilities=fac;X25 Version=1;X.25 DTE Address=2;"
         "Bandwidth Allocation Control Protocol=1;Bandwidth Allocation Protocol Start Interval=2;"
         "Bandwidth Allocation Protocol Repeat Interval=3;Delay Open B1=9;Delay Open B2=8;"
         "Threshold Open B1=7;Threshold Open B2=6;Threshold Close B1=5;Threshold Close B2=4;"
         "Data Over Voice=1;Dynamic Bandwidth Allocation=1;POTS Available=1;"
         "Distinct Ring POTS 1=1;Distinct Ring POTS 2=1;Audio POTS 1=1"},
        {"no region", 1, 1, " %A2=4 !C1=2 \r\n", ""},
        {"no !N2 keeps T1", 1, 1, " *P1 %A2=4 !C1=2 !N1=5 !T1=9 \r\n",
         "Region=1;Connect Type=9;Primary SwitchType=2;Primary Number1=5"},
        {"value at the very end is not taken", 1, 1, " *P1 %A2=4 !C1=2 !N1=5 !N2=6",
         "Region=1;Connect Type=9;Primary SwitchType=2;Primary Number1=5"},
        {"AODI without !X3", 1, 1, " !X22=1 !X1=4 !X2=x %P5=1 \r\n",
         "AODI Supported=1;AODI=1;Bandwidth Allocation Control Protocol=1"},
        {"B-channel values need AODI", 1, 1, " %P5=1 %P6=1 %P7=1 !X10=5 \r\n",
         "Bandwidth Allocation Control Protocol=1;Bandwidth Allocation Protocol Start Interval=1;"
         "Bandwidth Allocation Protocol Repeat Interval=1"},
        {"ports need *R1", 1, 1, " *R2=1 *B1=1 *E1=1 \r\n", ""},
        {"*R1 without a value still marks the ports", 1, 1, " *R1=", "POTS Available=1"},
        {"8-bit values keep their low byte", 1, 1,
         " *P1 %A2=4 !C1=2 !N1=1 !N2=2 !T1=300 !T2=-1 !A511 ",
         "Region=1;Connect Type=9;Primary SwitchType=2;Primary Number1=1;Primary Number2=2;"
         "T1=44;T2=255;Port Settings=255"},
    };
    for (const Row& r : rows) {
        CProfile p;
        profile::ParseProfileSection(r.section ? r.section : mixed, Context(r.northAmerica, r.kind),
                                     0, p);
        EXPECT_EQ(FieldsOf(p), ClearedWith(r.section ? r.fields : mixedLine + r.fields)) << r.name;
    }
}

TEST(ListingParse, SectionsMarkersAndTheActiveProfile) {
    struct Row {
        const char* plan;
        std::int32_t status;
        bool found;
        std::int32_t active;
        const char* numbers;  // of profiles 0, 1 and 2
    };
    const Row rows[] = {
        {"[0]{S}[1]{A}[2]{S}[T]&Y1 \r\nOK\r\n", 0, true, 1, "5551234||5551234"},
        {"[0]{S}[1]{S}[2]{S}&Y1 \r\nOK\r\n", 8001, false, 0, "5551234|5551234|"},
        {"[0]{S}[1]{S}[T]", 8001, false, 0, "5551234||"},
        {"[1]{S}[2]{S}[T]", 8001, false, 0, "||"},
        {"[T][2]{S}[1]{S}[0]", 8001, false, 0, "||"},
        {"[0][1][2][T]&Y2 \r\nOK\r\n", 0, true, 2, "||"},
        {"[0][1][2][T]OK\r\n", 0, false, 0, "||"},
        {"[0][1][2][T]&Y2", 0, false, 0, "||"},      // no end after the value
        {"[0][1][2][T]&Y7 \r\n", 0, true, 0, "||"},  // no such profile
        {"[0][1][2][T]&Yx \r\n", 0, true, 0, "||"},
    };
    ListingContext c = Context(1, 1);
    c.enableVoiceForBox = {1, 0, 1};
    c.enableModemForPro = {0, 1, 0};
    for (const Row& r : rows) {
        std::array<CProfile, 3> p;
        const auto result = profile::ParseProfileListing(Listing(r.plan), c, p);
        EXPECT_EQ(result.status, r.status) << r.plan;
        EXPECT_EQ(result.activeProfileFound, r.found) << r.plan;
        EXPECT_EQ(result.activeProfile, r.active) << r.plan;
        EXPECT_EQ(p[0].number1 + "|" + p[1].number1 + "|" + p[2].number1, r.numbers) << r.plan;
        if (r.status != 0) continue;
        for (std::size_t i = 0; i < 3; ++i) {
            // The flags reach each profile that was read, and only their own.
            EXPECT_EQ(p[i].EnableVoiceForBox, c.enableVoiceForBox[i]);
            EXPECT_EQ(p[i].EnableModemForPro, c.enableModemForPro[i]);
        }
    }
}
