#include "info/shared_state.h"

#include <charconv>
#include <filesystem>
#include <fstream>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/status_codes.h"

namespace info {
namespace {

// More than any value we write; a larger file is not ours to trust.
constexpr std::size_t kMaxStateFile = 512;

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view kBlank = " \t\r\n";
    const auto first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

}  // namespace

std::string parseEndpointText(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    if (text.size() > kMaxEndpointName) return {};
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return {};
    }
    return std::string(text);
}

int parseFlagText(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return 0;
    return value;
}

SharedValue::SharedValue(std::string fileName) : fileName_(std::move(fileName)) {}

std::int32_t SharedValue::write(std::string_view text) const {
    return platform::replaceFile(platform::paths::runtimeDir() + "/" + fileName_, text);
}

std::string SharedValue::read() const {
    const std::filesystem::path target =
        std::filesystem::path(platform::paths::runtimeDir()) / fileName_;
    std::ifstream in(target, std::ios::binary);
    if (!in) return {};
    std::string text(kMaxStateFile + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxStateFile) return {};
    return text;
}

}  // namespace info
