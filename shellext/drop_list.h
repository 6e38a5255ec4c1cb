#pragma once
// The file names of a CF_HDROP block, read as the shell's own query reads
// them. The block comes from another program's data object, so every offset
// and every name is checked against the block's size.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The names in order, as UTF-8. A block too short for its head, or an offset
// outside the block, gives no names; a last name without its NUL ends the
// list. 8-bit names are taken as Latin-1, UTF-16 names with a lone
// surrogate lose that unit.
std::vector<std::string> DropFileNames(std::span<const std::byte> block);

// UTF-16 text (a name the shell passes) as UTF-8, by the same rule.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace quillet
