#include "wizard/pages_na/na_checks.h"

#include <algorithm>

#include "wizard/pages_na/na_format.h"

namespace wizard::na {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::size_t kLocalDigits = 7;
constexpr std::size_t kMaxSpid = 20;

void error(std::vector<CheckStep>& steps, std::uint32_t id, Field field) {
    steps.push_back({id, false, field});
}
void question(std::vector<CheckStep>& steps, std::uint32_t id, Field field) {
    steps.push_back({id, true, field});
}

// The steps of a number field that is not empty: the first fault found.
void checkNumber(std::vector<CheckStep>& steps, const std::string& number, Field field,
                 bool areaCodeSpids) {
    const bool bad = std::any_of(number.begin(), number.end(), [](char c) {
        return !isDigit(c) && c != ' ' && c != '-' && c != ';';
    });
    if (bad) return error(steps, 1154, field);
    const auto first = std::find_if(number.begin(), number.end(), isDigit);
    if (first != number.end() && (*first == '0' || *first == '1')) return error(steps, 1157, field);
    const auto digits = std::count_if(number.begin(), number.end(), isDigit);
    if (areaCodeSpids && static_cast<std::size_t>(digits) != kLocalDigits)
        error(steps, 1161, field);
}

bool endsInError(const std::vector<CheckStep>& steps) {
    return !steps.empty() && !steps.back().question;
}

}  // namespace

std::vector<CheckStep> NumberChecks(const NumberFields& in) {
    std::vector<CheckStep> steps;
    if (in.withAreaCode) {
        if (in.areaCode.empty())
            question(steps, 1244, Field::AreaCode);
        else if (!std::all_of(in.areaCode.begin(), in.areaCode.end(), isDigit))
            return {{1291, false, Field::AreaCode}};
    }
    if (in.number1.empty())
        question(steps, 1155, Field::Number1);
    else
        checkNumber(steps, in.number1, Field::Number1, in.areaCodeSpids);
    if (!in.twoNumbers || endsInError(steps)) return steps;
    // Number 2 is not asked about when number 1 was accepted empty.
    if (in.number2.empty()) {
        if (!in.number1.empty()) question(steps, 1175, Field::Number2);
        return steps;
    }
    checkNumber(steps, in.number2, Field::Number2, in.areaCodeSpids);
    if (endsInError(steps)) return steps;
    const std::string kept1 = KeepDigitsAndSemicolons(in.number1);
    const std::string kept2 = KeepDigitsAndSemicolons(in.number2);
    if (kept1 == kept2) question(steps, 1158, Field::Number2);
    if (in.areaCodeSpids && kept1.substr(0, 3) != kept2.substr(0, 3))
        question(steps, 1159, Field::Number2);
    return steps;
}

std::vector<CheckStep> SpidChecks(const SpidFields& in) {
    std::vector<CheckStep> steps;
    const auto check = [&](const std::string& spid, Field field) {
        if (spid.empty()) return error(steps, 1165, field);
        if (spid.size() > kMaxSpid) return error(steps, 1315, field);
        if (!std::all_of(spid.begin(), spid.end(), [](char c) { return isDigit(c) || c == ' '; }))
            error(steps, 1166, field);
    };
    check(in.spid1, Field::Spid1);
    if (in.twoNumbers) check(in.spid2, Field::Spid2);
    return steps;
}

}  // namespace wizard::na
