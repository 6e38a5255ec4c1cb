#include <gtest/gtest.h>

#include <string>

#include "profile/field_rules.h"
#include "profile/profile_keys.h"

using profile::FieldFault;

namespace {

const char* Describe(FieldFault fault) {
    switch (fault) {
        case FieldFault::None:
            return "ok";
        case FieldFault::BadCharacter:
            return "bad";
        case FieldFault::TooLong:
            return "long";
        case FieldFault::OddLength:
            return "odd";
        case FieldFault::NotANumber:
            return "nan";
        case FieldFault::OutOfRange:
            return "range";
    }
    return "?";
}

}  // namespace

// Every value that reaches a command line through a key: texts that could
// carry a command of their own, lengths at their limits, numbers at and past
// the ends of their range.
TEST(FieldRules, ValuesByKey) {
    struct Row {
        const char* key;
        std::string value;
        const char* expected;
    };
    const Row rows[] = {
        {"Primary Number1", "0 123 45", "ok"},
        {"Primary Number1", "*31#0049 30 1234567", "ok"},
        {"Primary Number1", std::string(20, '1') + "   ", "ok"},
        {"Primary Number1", std::string(21, '1'), "long"},
        {"Primary Number1", "555!C1=9", "bad"},
        {"Primary Number1", "4000&W0", "bad"},
        {"Primary Number1", "12a4", "bad"},
        // A port's second number after ';', each number by the rule.
        {"Primary Number1", "5550101;5550199", "ok"},
        {"Primary Number2", "5550101;" + std::string(21, '1'), "long"},
        {"Primary Number1", "5550101;", "bad"},
        {"Primary Number1", "1;2;3", "bad"},
        {"Primary Number1", "555\rATZ", "bad"},
        {"Primary Number2", "0171-555", "ok"},  // a packet number
        {"Primary Number2", "", "ok"},
        {"primary number2", "2000&W0", "bad"},
        {"Primary SPID1", std::string(20, '0') + "    ", "ok"},
        {"Primary SPID1", "0155*5", "bad"},
        {"Primary SPID2", std::string(21, '9'), "long"},
        {"X.25 DTE Address", "31104-12", "ok"},
        {"X.25 DTE Address", std::string(15, '7'), "ok"},
        {"X.25 DTE Address", std::string(16, '7'), "long"},
        {"X.25 DTE Address", "311 04", "bad"},
        {"X25 Facilities", "0203010103", "ok"},
        {"X25 Facilities", "02030101aF", "ok"},
        {"X25 Facilities", "020", "odd"},
        {"X25 Facilities", "02G3", "bad"},
        {"X25 Facilities", std::string(100, 'a'), "long"},
        {"Call Conference Key", "60", "ok"},
        {"Call Drop Key", "", "ok"},
        {"VMWI Key", "123456", "long"},
        {"VMWI Key", "*60", "bad"},
        {"Profile Name", "Büro für Überweisungen", "ok"},
        {"Profile Name", std::string(20, 'x') + std::string(20, 'x'), "ok"},
        {"Profile Name", std::string(40, 'x') + "\xc3\xa4", "long"},
        {"Profile Name", "Zeile\nZwei", "bad"},
        {"Profile Name", "kaputt\xc3", "bad"},
        {"Profile Name", "\xc0\xaf", "bad"},
        {"Connect Type", "9", "ok"},
        {"Connect Type", "12", "ok"},
        {"Connect Type", "8", "range"},
        {"Connect Type", "256", "range"},
        {"Connect Type", " 10 ", "ok"},
        {"Connect Type", "", "nan"},
        {"Connect Type", "1O", "nan"},
        {"Connect Type", "Unknown", "nan"},
        {"Primary SwitchType", "255", "ok"},
        {"Primary SwitchType", "-1", "range"},
        {"Region", "00000000000000000002", "ok"},
        {"Region", "99999999999", "nan"},
        {"Port Settings", "256", "range"},
        {"Delay Open B1", "60", "ok"},
        {"Delay Open B2", "61", "range"},
        {"Threshold Close B1", "101", "range"},
        {"Bandwidth Allocation Protocol Start Interval", "65535", "ok"},
        {"Bandwidth Allocation Protocol Repeat Interval", "65536", "range"},
        {"BandWidth Allocation Control Protocol", "1", "ok"},
        {"VMWI Refresh Time", "65535", "ok"},
        {"POTS Available", "2", "range"},
        {"T1 Setting", "255", "ok"},
        {"T2 Setting", "256", "range"},
        {"N5 Text", "77", "ok"},
        {"N5 Text", "7!N1=1", "bad"},
        {"Pro Option", "6", "ok"},
        {"Pro Option", "3", "range"},
    };
    for (const Row& row : rows) {
        const profile::FieldInfo* field = profile::FindProfileField(row.key);
        ASSERT_NE(field, nullptr) << row.key;
        EXPECT_STREQ(Describe(profile::CheckFieldValue(*field, row.value)), row.expected)
            << row.key << "=" << row.value;
    }
}

TEST(FieldRules, GeneralKeys) {
    struct Row {
        const char* key;
        const char* value;
        const char* expected;
    };
    const Row rows[] = {
        {"Device Type", "16", "ok"},       {"Device Type", "3", "range"},
        {"Device Type", "32", "range"},    {"Default Profile", "2", "ok"},
        {"Default Profile", "3", "range"}, {"ISDN Type", "1", "ok"},
    };
    for (const Row& row : rows) {
        const profile::FieldInfo* field = profile::FindGeneralField(row.key);
        ASSERT_NE(field, nullptr) << row.key;
        EXPECT_STREQ(Describe(profile::CheckFieldValue(*field, row.value)), row.expected)
            << row.key << "=" << row.value;
    }
    EXPECT_EQ(profile::FindGeneralField("Connect Type"), nullptr);
}

// Every key a profile file carries has a rule, so nothing in a file reaches
// the adapter unchecked.
TEST(FieldRules, EveryFileKeyHasARule) {
    for (const auto& key : profile::ProfileFileKeys()) {
        const profile::FieldInfo* field = profile::FindProfileField(key.name);
        ASSERT_NE(field, nullptr) << key.name;
        EXPECT_EQ(field->rule == profile::FieldRule::Number, key.text == nullptr) << key.name;
    }
    EXPECT_EQ(profile::FindProfileField("Primary Number3"), nullptr);
}

// The pages show their own message for each failed text rule.
TEST(FieldRules, PageMessages) {
    using profile::FieldRule;
    EXPECT_EQ(profile::FieldMessageId(FieldRule::IsdnNumber,
                                      profile::CheckIsdnNumber(std::string(21, '1'))),
              1175u);
    EXPECT_EQ(profile::FieldMessageId(FieldRule::IsdnNumber, profile::CheckIsdnNumber("1a")),
              1172u);
    EXPECT_EQ(profile::FieldMessageId(FieldRule::Spid, profile::CheckSpid("1*")), 1173u);
    EXPECT_EQ(profile::FieldMessageId(FieldRule::PacketNumber, profile::CheckX25Address("1 2")),
              1539u);
    EXPECT_EQ(profile::FieldMessageId(FieldRule::X25Address,
                                      profile::CheckX25Address(std::string(16, '1'))),
              1533u);
    EXPECT_EQ(profile::FieldMessageId(FieldRule::FeatureKey, FieldFault::None), 0u);
}

TEST(FieldRules, RuleTexts) {
    EXPECT_EQ(profile::FieldRuleText(*profile::FindProfileField("Connect Type")), "9 bis 12");
    EXPECT_EQ(profile::FieldRuleText(*profile::FindProfileField("Pro Option")), "0, 1 oder 6");
}
