#include "platform/messages.h"

#include <array>
#include <cstring>

namespace platform {
namespace {

// "VTAM", a version byte and the kind, then the numbers little-endian and
// the answer endpoint's name.
constexpr std::array<char, 4> kMagic{'V', 'T', 'A', 'M'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderSize = 4 + 1 + 1 + 2 + 4 + 8 + 8;

void putLe(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t getLe(std::string_view in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

}  // namespace

bool validEndpointName(std::string_view name) {
    if (name.empty() || name.size() > kMaxEndpointLength || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!ok) return false;
    }
    return true;
}

std::string encodeMessagePacket(const MessagePacket& packet) {
    std::string out(kMagic.begin(), kMagic.end());
    out.push_back(static_cast<char>(kVersion));
    out.push_back(static_cast<char>(packet.kind));
    putLe(out, packet.replyTo.size(), 2);
    putLe(out, packet.message.message, 4);
    putLe(out, packet.message.wParam, 8);
    putLe(out, static_cast<std::uint64_t>(packet.message.lParam), 8);
    out += packet.replyTo;
    return out;
}

bool decodeMessagePacket(std::string_view bytes, MessagePacket& out) {
    if (bytes.size() < kHeaderSize) return false;
    if (std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) return false;
    if (static_cast<std::uint8_t>(bytes[4]) != kVersion) return false;
    const auto kind = static_cast<std::uint8_t>(bytes[5]);
    if (kind > static_cast<std::uint8_t>(MessagePacket::Kind::Reply)) return false;
    const std::size_t nameLength = getLe(bytes, 6, 2);
    if (bytes.size() != kHeaderSize + nameLength) return false;
    const std::string_view replyTo = bytes.substr(kHeaderSize);
    const auto packetKind = static_cast<MessagePacket::Kind>(kind);
    // Only a send names where its answer goes, and that must be an endpoint.
    if ((packetKind == MessagePacket::Kind::Send) != !replyTo.empty()) return false;
    if (!replyTo.empty() && !validEndpointName(replyTo)) return false;
    out.kind = packetKind;
    out.message.message = static_cast<std::uint32_t>(getLe(bytes, 8, 4));
    out.message.wParam = getLe(bytes, 12, 8);
    out.message.lParam = static_cast<std::int64_t>(getLe(bytes, 20, 8));
    out.replyTo = std::string(replyTo);
    return true;
}

int registeredMessageIndex(std::string_view table, std::string_view name, int& count) {
    count = 0;
    int found = -1;
    while (!table.empty()) {
        const auto end = table.find('\n');
        const std::string_view line = table.substr(0, end);
        if (found < 0 && line.size() == name.size()) {
            bool same = true;
            for (std::size_t i = 0; i < line.size() && same; ++i) {
                auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
                same = lower(line[i]) == lower(name[i]);
            }
            if (same) found = count;
        }
        ++count;
        if (end == std::string_view::npos) break;
        table.remove_prefix(end + 1);
    }
    return found;
}

}  // namespace platform
