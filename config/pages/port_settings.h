#pragma once
// Which ISDN number each part of the adapter answers on, as the "Port
// Settings" byte keeps it: the data port in bits 1 and 0, voice to the PC or
// the modem in bits 3 and 2, telephone port 1 in bit 5 and port 2 in bit 4.
// Pure.
#include <cstdint>
#include <string>
#include <string_view>

namespace config::pages {

// Number-assignment choices of the data and voice/modem pages.
enum NumberChoice : std::int32_t { kFirstNumber = 0, kSecondNumber = 1, kBothNumbers = 2 };

struct AssignmentBits {
    std::uint8_t high;  // set for the second number
    std::uint8_t low;   // set for the second or both
};
inline constexpr AssignmentBits kDataBits{0x02, 0x01};
inline constexpr AssignmentBits kVoiceModemBits{0x08, 0x04};
inline constexpr std::uint8_t kPort1Bit = 0x20;
inline constexpr std::uint8_t kPort2Bit = 0x10;

// Only one number counts when both are empty or equal, or when the second
// is empty (it is then taken as the first).
bool OneNumberOnly(std::string_view number1, std::string_view number2);

// The choice kept in two bits: the first number with one number only, else
// both when the bits differ, else the second when they are set.
std::int32_t ReadAssignment(std::uint8_t settings, AssignmentBits bits, std::string_view number1,
                            std::string_view number2);
void WriteAssignment(std::uint8_t& settings, AssignmentBits bits, std::int32_t choice);

// A telephone port's number: kFirstNumber or kSecondNumber.
std::int32_t ReadPortNumber(std::uint8_t settings, std::uint8_t bit, std::string_view number1,
                            std::string_view number2);
void WritePortNumber(std::uint8_t& settings, std::uint8_t bit, std::int32_t choice);

// Outside North America a port may answer a second number, kept after a
// ';' in the number it answers ("5550101;5550199").
std::string_view SecondNumberOf(std::string_view number);
// `number` with its second number replaced; an empty one removes the ';'.
std::string WithSecondNumber(std::string_view number, std::string_view second);

}  // namespace config::pages
