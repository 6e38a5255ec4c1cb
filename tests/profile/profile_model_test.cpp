#include <gtest/gtest.h>

#include <string>

#include "profile/profile.h"
#include "profile/profile_keys.h"

using profile::DecimalValue;
using profile::ProfileFileKey;
using profile::ProfileFileKeys;

TEST(ProfileModel, ClearBringsEveryStoredFieldBackAndKeepsTheOthers) {
    CProfile p;
    for (const ProfileFileKey& key : ProfileFileKeys()) {
        if (key.text) p.*key.text = "set";
        else if (key.number) p.*key.number = 77;
        else p.*key.byte = 77;
    }
    p.i100Reply = "regions";
    p.t1Setting = 1;
    p.t2Setting = 2;
    p.n5Text = "n5";
    p.EnableModemForPro = 1;
    p.EnableVoiceForBox = 1;
    p.proOption = 6;

    p.Clear();
    for (const ProfileFileKey& key : ProfileFileKeys()) {
        const std::string name = key.name;
        if (key.text) {
            EXPECT_EQ(p.*key.text, "") << name;
        } else {
            std::int32_t expected = 0;
            if (name == "Connect Type") expected = 12;
            if (name == "Primary SwitchType") expected = 255;
            if (name == "Mode POTS 1" || name == "Mode POTS 2") expected = 3;
            EXPECT_EQ(key.number ? p.*key.number : p.*key.byte, expected) << name;
        }
    }
    EXPECT_EQ(p.i100Reply, "");
    EXPECT_EQ(p.t1Setting, 1);
    EXPECT_EQ(p.t2Setting, 2);
    EXPECT_EQ(p.n5Text, "n5");
    EXPECT_EQ(p.EnableModemForPro, 1);
    EXPECT_EQ(p.EnableVoiceForBox, 1);
    EXPECT_EQ(p.proOption, 6);
}

TEST(ProfileModel, FileKeysAreUniqueAndFoundWithoutRegardToCase) {
    const auto keys = ProfileFileKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_STRCASENE(keys[i].name, keys[j].name);
            const bool sameField = (keys[i].text && keys[i].text == keys[j].text) ||
                                   (keys[i].number && keys[i].number == keys[j].number) ||
                                   (keys[i].byte && keys[i].byte == keys[j].byte);
            EXPECT_FALSE(sameField) << keys[i].name << " / " << keys[j].name;
        }
        const int pointers = (keys[i].text != nullptr) + (keys[i].number != nullptr) +
                             (keys[i].byte != nullptr);
        EXPECT_EQ(pointers, 1) << keys[i].name;
        EXPECT_STRCASEEQ(keys[i].name, keys[i].readName);
    }
    ASSERT_NE(profile::FindProfileFileKey("primary number1"), nullptr);
    EXPECT_STREQ(profile::FindProfileFileKey("PRIMARY NUMBER1")->name, "Primary Number1");
    EXPECT_STREQ(profile::FindProfileFileKey("Bandwidth Allocation Control Protocol")->readName,
                 "BandWidth Allocation Control Protocol");
    EXPECT_EQ(profile::FindProfileFileKey("Primary Number"), nullptr);
    EXPECT_EQ(profile::FindProfileFileKey(""), nullptr);
}

TEST(ProfileModel, DecimalValues) {
    struct Row {
        const char* text;
        std::int32_t value;
    };
    const Row rows[] = {
        {"0", 0},          {"42", 42},        {"-7", -7},        {"+9", 9},
        {"12abc", 12},     {"abc", 0},        {"", 0},           {"-", 0},
        {" 5", 5},         {"Unknown", 0},    {"007", 7},        {"2147483647", 2147483647},
        {"2147483648", 2147483647},           {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},     {"99999999999999999999999", 2147483647},
        {"--1", 0},        {"1-2", 1},
    };
    for (const Row& r : rows) EXPECT_EQ(DecimalValue(r.text), r.value) << '"' << r.text << '"';
}
