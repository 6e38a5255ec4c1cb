// Fuzz target for the link's parsers of outside input: adapter replies
// (completion rules), trace texts, locale files and port names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/local_time.h"
#include "platform/serial_port.h"
#include "serial/response_rules.h"
#include "serial/trace_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The first line of the input doubles as a match string list.
    std::vector<std::string> matches;
    const auto nl = text.find('\n');
    if (nl != std::string_view::npos && nl <= 99) matches.emplace_back(text.substr(0, nl));

    for (std::int32_t mode = -1; mode <= 5; ++mode) serial::isCompleteResponse(mode, text, matches);
    const int code = serial::completingResultCode(text);
    if (code >= 0) {
        // A completing code is always preceded by its line start.
        const std::string pattern = std::string("\r\n") + std::string(serial::kResultCodes[code]);
        if (text.size() < pattern.size()) __builtin_trap();
    }
    const auto limit = serial::followUpReadLimit(static_cast<std::uint32_t>(size), 4095);
    if (size + limit > 4095 && limit != 0) __builtin_trap();
    serial::traceEnabled(text);

    std::size_t total = 0;
    for (const auto& piece : serial::traceWritePieces(data, static_cast<std::uint32_t>(size))) {
        if (piece.size() > serial::kTracePieceLength + 1 || piece.back() != '\n') __builtin_trap();
        total += piece.size() - 1;
    }
    if (total > size) __builtin_trap();
    const std::string file = serial::traceFileText(text);
    if (file.size() < size) __builtin_trap();

    platform::localeFromConfig(text);
    std::uint32_t n = 0;
    if (platform::parseComNumber(text, n) && (n == 0 || n > 255)) __builtin_trap();
    return 0;
}
