// Fuzz target: stored value bytes (first byte picks the type) through the
// decoders and the listing text, and key texts through the root parser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_store.h"

using namespace platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const RegType type = static_cast<RegType>(data[0] % 6);
    const std::vector<std::uint8_t> bytes(data + 1, data + size);
    std::uint32_t number = 0;
    if (decodeDword(bytes, number) == kOk && bytes.size() != 4) __builtin_trap();
    std::string text;
    if (decodeString(bytes, text) == kOk && text.size() > bytes.size()) __builtin_trap();
    (void)valueDataText(type, bytes);
    (void)typeName(type);

    RegRoot root;
    std::string path;
    if (parseRootedKey(std::string(bytes.begin(), bytes.end()), root, path) &&
        path.size() >= bytes.size())
        __builtin_trap();
    return 0;
}
