#pragma once
// Which animation a busy dialog plays, by device kind. Reading and writing
// have different pictures; the import writes with a table of its own that
// has no picture for the PC card.
#include <cstdint>

namespace config {

int ReadAnimation(std::int32_t deviceKind);
int WriteAnimation(std::int32_t deviceKind);
int ImportAnimation(std::int32_t deviceKind);

}  // namespace config
