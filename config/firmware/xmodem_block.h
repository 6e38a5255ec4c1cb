#pragma once
// The blocks of the download: STX, block number, its complement, 1024 data
// bytes (a short last block filled with 0x1A), then the 8-bit sum or the
// CRC-16 (polynomial 0x1021, start 0, high byte first).
#include <cstdint>
#include <string>
#include <string_view>

namespace firmware {

inline constexpr char kStx = 0x02;
inline constexpr char kEot = 0x04;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kCan = 0x18;
inline constexpr char kCrcStart = 'C';
inline constexpr char kFill = 0x1A;
inline constexpr std::size_t kBlockData = 1024;

std::uint16_t crc16(std::string_view data);
// `data` holds at most 1024 bytes.
std::string buildBlock(std::uint8_t number, std::string_view data, bool crc);
// The data of the abort block: "ABORTED" seven times, three such groups
// parted by 37 blanks, then zero bytes up to 1024.
std::string abortBlockData();

}  // namespace firmware
