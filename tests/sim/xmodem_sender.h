#pragma once
// The sending side of the transfer as the suite's download dialog builds it,
// for driving the simulated loader in tests.
#include <cstdint>
#include <string>

#include "sim/xmodem_receiver.h"

namespace simtest {

// One 1024-byte block (STX) or a 128-byte one (SOH) of `data` (filled with
// 0x1A), numbered `number`, with the 8-bit sum or the CRC-16, high byte first.
inline std::string xmodemBlock(std::uint8_t number, std::string data, bool crc,
                               std::size_t size = 1024) {
    data.resize(size, '\x1A');
    std::string b;
    b.push_back(size == 1024 ? '\x02' : '\x01');
    b.push_back(static_cast<char>(number));
    b.push_back(static_cast<char>(255 - number));
    b += data;
    if (crc) {
        const std::uint16_t c = sim::crc16Xmodem(data);
        b.push_back(static_cast<char>(c >> 8));
        b.push_back(static_cast<char>(c & 0xFF));
    } else {
        std::uint8_t sum = 0;
        for (unsigned char ch : data) sum = static_cast<std::uint8_t>(sum + ch);
        b.push_back(static_cast<char>(sum));
    }
    return b;
}

// A test image: recognisable bytes, no 0x1A at the end, with a version record.
inline std::string testImage(std::size_t size, const std::string& version = "1.5.0") {
    std::string img(size, '\0');
    for (std::size_t i = 0; i < size; ++i) img[i] = static_cast<char>((i * 31 + 7) % 251);
    std::string record = "SYS_VER " + version;
    record.resize(8 + 13, '\0');
    record += "TBXR";
    record.resize(8 + 20, '\0');
    if (size > record.size() + 100) img.replace(100, record.size(), record);
    if (!img.empty() && img.back() == '\x1A') img.back() = 'x';
    return img;
}

}  // namespace simtest
