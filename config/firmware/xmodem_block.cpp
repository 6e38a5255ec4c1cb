#include "config/firmware/xmodem_block.h"

namespace firmware {

std::uint16_t crc16(std::string_view data) {
    std::uint16_t crc = 0;
    for (unsigned char c : data) {
        crc = static_cast<std::uint16_t>(crc ^ (c << 8));
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

std::string buildBlock(std::uint8_t number, std::string_view data, bool crc) {
    std::string payload(data.substr(0, kBlockData));
    payload.resize(kBlockData, kFill);
    std::string block;
    block.reserve(3 + kBlockData + 2);
    block.push_back(kStx);
    block.push_back(static_cast<char>(number));
    block.push_back(static_cast<char>(255 - number));
    block += payload;
    if (crc) {
        const std::uint16_t c = crc16(payload);
        block.push_back(static_cast<char>(c >> 8));
        block.push_back(static_cast<char>(c & 0xFF));
    } else {
        std::uint8_t sum = 0;
        for (unsigned char c : payload) sum = static_cast<std::uint8_t>(sum + c);
        block.push_back(static_cast<char>(sum));
    }
    return block;
}

std::string abortBlockData() {
    std::string group;
    for (int i = 0; i < 7; ++i) group += "ABORTED";
    const std::string gap(37, ' ');
    std::string data = group + gap + group + gap + group;
    data.resize(kBlockData, '\0');
    return data;
}

}  // namespace firmware
