#pragma once
// Internal helpers of the INI service, shared by its two source files and
// its tests: the classic caller-buffer contract as pure functions.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ini::detail {

// ASCII case folding: names compare equal whatever their letter case.
bool sameName(std::string_view a, std::string_view b);
std::string_view trim(std::string_view text);
// The text up to the first CR or LF.
std::string_view firstLine(std::string_view text);

// Copies a single text: at most size - 1 characters and a NUL. Returns the
// characters copied (size - 1 when the text was cut). Never writes when
// buffer is null or size is 0.
std::uint32_t copyText(std::string_view text, char* buffer, std::uint32_t size);
// Copies names as NUL-separated items followed by an extra NUL. Returns the
// characters copied without the final NUL; size - 2 when the list was cut
// (the buffer then still ends with two NULs). Size 1 gets a single NUL.
std::uint32_t copyList(const std::vector<std::string>& items, char* buffer, std::uint32_t size);

}  // namespace platform::ini::detail
