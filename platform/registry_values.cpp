// Pure helpers of the registry store: root names and the decoding of stored
// value data. Stored bytes come from a database any program may have
// written, so every decoder checks sizes before it reads.
#include <array>
#include <cstdio>

#include "platform/registry_store.h"

namespace platform {

namespace {

struct RootName {
    RegRoot root;
    std::string_view shortName;
    std::string_view longName;
};

constexpr std::array<RootName, 4> kRoots{{
    {RegRoot::LocalMachine, "HKLM", "HKEY_LOCAL_MACHINE"},
    {RegRoot::CurrentUser, "HKCU", "HKEY_CURRENT_USER"},
    {RegRoot::ClassesRoot, "HKCR", "HKEY_CLASSES_ROOT"},
    {RegRoot::DynData, "HKDD", "HKEY_DYN_DATA"},
}};

bool sameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool parseRootedKey(std::string_view text, RegRoot& root, std::string& path) {
    const std::size_t slash = text.find('\\');
    const std::string_view head = text.substr(0, slash);
    const std::string_view rest =
        slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
    for (const RootName& r : kRoots) {
        if (sameAscii(head, r.shortName) || sameAscii(head, r.longName)) {
            // "HKLM\" names the root itself, like "HKLM".
            root = r.root;
            path.assign(rest);
            while (!path.empty() && path.back() == '\\') path.pop_back();
            return true;
        }
    }
    return false;
}

std::string_view rootShortName(RegRoot root) {
    for (const RootName& r : kRoots)
        if (r.root == root) return r.shortName;
    return "HK?";
}

std::string_view rootLongName(RegRoot root) {
    for (const RootName& r : kRoots)
        if (r.root == root) return r.longName;
    return "HKEY_?";
}

std::int32_t decodeDword(const std::vector<std::uint8_t>& data, std::uint32_t& out) {
    if (data.size() != 4) return kInvalidData;
    // Stored little-endian, as the classic registry keeps them.
    out = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
          static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return kOk;
}

std::int32_t decodeString(const std::vector<std::uint8_t>& data, std::string& out) {
    if (data.size() > kMaxValueBytes) return kInvalidData;
    std::size_t n = 0;
    while (n < data.size() && data[n] != 0) ++n;
    // A value without its terminating zero still reads as the bytes it has.
    out.assign(reinterpret_cast<const char*>(data.data()), n);
    return kOk;
}

std::vector<std::uint8_t> encodeDword(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::string_view typeName(RegType type) {
    switch (type) {
        case RegType::None:
            return "REG_NONE";
        case RegType::String:
            return "REG_SZ";
        case RegType::Dword:
            return "REG_DWORD";
    }
    return "REG_UNKNOWN";
}

std::string valueDataText(RegType type, const std::vector<std::uint8_t>& data) {
    if (type == RegType::String) {
        std::string text;
        if (decodeString(data, text) == kOk) return text;
    } else if (type == RegType::Dword) {
        std::uint32_t value = 0;
        if (decodeDword(data, value) == kOk) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "0x%x", value);
            return buf;
        }
    }
    // Anything else shows its bytes, so a damaged value can still be seen.
    std::string hex;
    hex.reserve(data.size() * 2);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::uint8_t b : data) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0x0F];
    }
    return hex;
}

}  // namespace platform
