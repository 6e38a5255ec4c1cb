#include <cstddef>
#include <cstdint>
#include <span>

#include "shellext/drop_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)quillet::DropFileNames(std::as_bytes(std::span(data, size)));
    return 0;
}
