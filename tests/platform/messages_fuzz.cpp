// Datagrams that reach a window come from any program of the session.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::MessagePacket packet;
    if (platform::decodeMessagePacket(bytes, packet)) {
        platform::MessagePacket again;
        if (!platform::decodeMessagePacket(platform::encodeMessagePacket(packet), again))
            __builtin_trap();
    }
    int count = 0;
    platform::registeredMessageIndex(bytes, "Velka", count);
    return 0;
}
