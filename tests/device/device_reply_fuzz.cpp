// Feeds arbitrary adapter output to every reply reader of the status query.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/device_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static constexpr const char* kCommands[] = {"atI8\r", "ati9\r\n", "atI3\r", "atI20\r",
                                                "atI4\r"};
    device::CommandReply reply;
    for (const char* command : kCommands) {
        const std::int32_t status = device::parseCommandReply(text, command, reply);
        if (status == 0 && reply.resultCode != "OK" && reply.resultCode != "ERROR")
            __builtin_trap();
        if (reply.replyLine.size() > size) __builtin_trap();
    }
    // The first bytes double as a probe order, so odd orders get tried too.
    std::array<std::int32_t, 5> order{2, 1, 0, 3, 4};
    for (std::size_t i = 0; i < order.size() && i < size; ++i)
        order[i] = static_cast<std::int8_t>(data[i]);
    const std::int32_t type = device::classifyModel(text, order);
    if (type != 1 && type != 2 && type != 4 && type != 8 && type != 16 && type != 32)
        __builtin_trap();
    const device::LineFacts facts = device::parseLineText(text);
    if (facts.region != 0 && facts.region != 1 && facts.region != 255) __builtin_trap();
    device::isMessageModeBanner(text);
    device::isMakerIdentification(text);
    char field[200];
    device::copyText(field, sizeof field, text);
    if (device::fieldText(field, sizeof field).size() >= sizeof field) __builtin_trap();
    return 0;
}
