#pragma once
// Splits one AT command line (the text between "AT" and the carriage return)
// into the adapter's commands. Pure and bounds-checked: the line is outside
// input, so anything malformed gives false and no commands, never a crash.
//
// The dialect knows these shapes:
//   basic        E1  V1  Q0  Z  Z1  I3  I100  H        (letter, optional digits)
//                S0=2  S7?                              (registers)
//   &            &K3 &V  &W1 &Y0 &F                    (one letter, optional digits)
//   ! % *        !C1=5  !A0  %A2=96  *P2  *E1=3  *M=0  (letter, digits, optional =value)
//   @            @date=03-14-27  @time=12:00:00  @msg  @quit  @load
//   >            >f  >VDD  >VDL                        (a word)
//   $            $Z  $I  $I0123456789                  (letter, optional digits)
//
// Numeric values are an optional sign and digits, so "*E1=3*E2=3" is two
// commands. Text values (numbers, SPIDs, keys, X.25 texts) run to the next
// '!', '%' or '&' or the end of the line, so a key such as "*3" survives.
// Spaces between commands are ignored, as on every modem of this kind; spaces
// inside a text value are dropped.
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Command {
    char prefix = 0;     // 0 for a basic command, else one of & ! % * @ > $
    std::string name;    // upper case: "E", "K", "C", "DATE", "VDD"
    std::string digits;  // digits right after the name: "1" in E1, "100" in I100, "2" in *P2
    bool hasValue = false;
    std::string value;  // the text after '=' (numeric values keep their sign)

    // "!C1", "&W", "E": the key handlers are looked up by.
    std::string key() const;
};

// Longest command line the adapter takes; longer lines are refused.
inline constexpr std::size_t kMaxCommandLine = 1024;

// True when the parameter takes a text value (runs to '!', '%', '&' or the end).
bool isTextParameter(char prefix, std::string_view name, std::string_view digits);

// `body` is the line without the leading "AT" and without the carriage return.
bool parseCommandLine(std::string_view body, std::vector<Command>& out);

// Upper-cases ASCII letters.
std::string upperAscii(std::string_view text);

}  // namespace sim
