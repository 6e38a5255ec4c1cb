#pragma once
// The checks of the number and SPID pages, as the list of steps a page
// walks when it is left: an error keeps the page at once; a question keeps
// it when the user answers No. Later steps assume the earlier ones passed,
// so the list is walked in order and the walk stops at the first failure.
#include <cstdint>
#include <string>
#include <vector>

namespace wizard::na {

enum class Field { AreaCode, Number1, Number2, Spid1, Spid2 };

struct CheckStep {
    std::uint32_t messageId = 0;
    bool question = false;  // Yes/No; No keeps the page
    Field field = Field::Number1;

    bool operator==(const CheckStep&) const = default;
};

struct NumberFields {
    bool withAreaCode = false;  // the page has the area code field
    std::string areaCode;
    std::string number1, number2;  // as typed
    bool twoNumbers = false;
    bool areaCodeSpids = false;  // numbers of seven digits, same exchange
};

std::vector<CheckStep> NumberChecks(const NumberFields& in);

struct SpidFields {
    std::string spid1, spid2;
    bool twoNumbers = false;
};

std::vector<CheckStep> SpidChecks(const SpidFields& in);

}  // namespace wizard::na
