#pragma once
// Small values every process of the session must see alike, each kept in
// its own file in the runtime folder. A write replaces the file in one step
// (temporary file, then rename), so a reader sees the old or the new value,
// never half of one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace info {

// Longest endpoint name kept; endpoints are socket names in the runtime folder.
inline constexpr std::size_t kMaxEndpointName = 255;

// Pure readers of a state file's text. An endpoint is one line of printable
// characters (a trailing line end is allowed); anything else reads as none.
std::string parseEndpointText(std::string_view text);
// A decimal integer with optional sign and surrounding blanks; 0 otherwise.
int parseFlagText(std::string_view text);

class SharedValue {
public:
    explicit SharedValue(std::string fileName);
    // 0, or the platform code of the failed write.
    std::int32_t write(std::string_view text) const;
    // The file's text (at most a few hundred bytes); empty when missing.
    std::string read() const;

private:
    std::string fileName_;
};

}  // namespace info
