#include <gtest/gtest.h>

#include <string>

#include "profile/profile.h"
#include "profile/profile_keys.h"
#include "tests/profile/profile_fields.h"

TEST(ProfileModel, ClearBringsEveryStoredFieldBackAndKeepsTheOthers) {
    CProfile p = profiletest::ProfileWith("T1=1;T2=2;N5=n5;Pro Option=6");
    for (const auto& key : profile::ProfileFileKeys()) profile::SetProfileKeyText(p, key, "77");
    p.i100Reply = "regions";
    p.EnableModemForPro = 1;
    p.EnableVoiceForBox = 1;

    p.Clear();
    EXPECT_EQ(profiletest::FieldsOf(p),
              profiletest::ClearedWith("T1=1;T2=2;N5=n5;Pro Option=6;Voice=1;Modem=1"));
    EXPECT_EQ(p.i100Reply, "");
}

TEST(ProfileModel, DecimalValues) {
    struct Row {
        const char* text;
        std::int32_t value;
    };
    const Row rows[] = {
        {"42", 42},
        {"-7", -7},
        {"+9", 9},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {" 5", 5},
        {"--1", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"99999999999999999999999", 2147483647},
    };
    for (const Row& r : rows)
        EXPECT_EQ(profile::DecimalValue(r.text), r.value) << '"' << r.text << '"';
}
