#include <gtest/gtest.h>

#include "profile/profile_keys.h"

TEST(ProfileKeys, DecimalValuesSaturateAndStopAtTheFirstNonDigit) {
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
