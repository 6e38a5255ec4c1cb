#include "config/pages/port_settings.h"

namespace config::pages {

bool OneNumberOnly(std::string_view number1, std::string_view number2) {
    return number2.empty() || number1 == number2;
}

std::int32_t ReadAssignment(std::uint8_t settings, AssignmentBits bits, std::string_view number1,
                            std::string_view number2) {
    if (OneNumberOnly(number1, number2)) return kFirstNumber;
    const bool high = settings & bits.high;
    const bool low = settings & bits.low;
    if (high != low) return kBothNumbers;
    return high ? kSecondNumber : kFirstNumber;
}

void WriteAssignment(std::uint8_t& settings, AssignmentBits bits, std::int32_t choice) {
    settings &= std::uint8_t(~(bits.high | bits.low));
    if (choice == kSecondNumber) settings |= bits.high | bits.low;
    if (choice == kBothNumbers) settings |= bits.low;
}

std::int32_t ReadPortNumber(std::uint8_t settings, std::uint8_t bit, std::string_view number1,
                            std::string_view number2) {
    if (OneNumberOnly(number1, number2)) return kFirstNumber;
    return (settings & bit) ? kSecondNumber : kFirstNumber;
}

void WritePortNumber(std::uint8_t& settings, std::uint8_t bit, std::int32_t choice) {
    if (choice == kSecondNumber)
        settings |= bit;
    else
        settings &= std::uint8_t(~bit);
}

std::string_view SecondNumberOf(std::string_view number) {
    const std::size_t cut = number.find(';');
    return cut == std::string_view::npos ? std::string_view() : number.substr(cut + 1);
}

std::string WithSecondNumber(std::string_view number, std::string_view second) {
    std::string result(number.substr(0, number.find(';')));
    if (!second.empty()) result.append(";").append(second);
    return result;
}

}  // namespace config::pages
