// Fuzz target for the link's parsers of outside input: adapter replies
// (completion rules), the reader's assembly of responses, trace texts,
// locale files and port names.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/local_time.h"
#include "platform/serial_port.h"
#include "serial/response_assembler.h"
#include "serial/response_rules.h"
#include "serial/trace_log.h"

namespace {

// The input as a script for the assembler: each control byte picks an
// event and the target it sees, the bytes up to the next control byte are
// the piece. Whatever the script, a response reaches only an armed target,
// is complete for its mode, never reaches a failed target before the rest
// of its failed response has gone by, and the collected text stays within
// its limit.
void fuzzAssembly(std::string_view script, const std::vector<std::string>& matches) {
    constexpr std::size_t kLimit = 64;  // small, so overflows happen often
    serial::ResponseAssembler assembler(kLimit);
    std::uint64_t failed = 0;
    std::size_t at = 0;
    while (at < script.size()) {
        const auto control = static_cast<std::uint8_t>(script[at++]);
        const std::size_t end = std::min(script.find('\x7f', at), script.size());
        const std::string_view piece = script.substr(at, end - at);
        at = end;
        const std::uint64_t generation = (control >> 2) & 3;  // 0: nobody armed
        const serial::TargetView view{generation != 0, generation,
                                      static_cast<std::int32_t>((control >> 4) % 5), matches};
        serial::AssemblyStep step;
        switch (control & 3) {
            case 0:
                if (piece.empty()) continue;
                step = assembler.piece(piece, view);
                break;
            case 1:
                step = assembler.failure(1005, view);
                break;
            default:
                step = assembler.offer(view);
                break;
        }
        if (step.kind == serial::AssemblyStep::Fail) {
            if (!view.armed) __builtin_trap();
            failed = generation;
        }
        if (step.kind == serial::AssemblyStep::Deliver) {
            const std::string response = assembler.takeResponse();
            if (!view.armed || generation == failed) __builtin_trap();
            if (!serial::isCompleteResponse(view.mode, response, matches)) __builtin_trap();
        }
        if (assembler.collected().size() > kLimit) __builtin_trap();
        if (!assembler.skipping()) failed = 0;  // the failed response has ended
    }
}

}  // namespace

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
    fuzzAssembly(text, matches);

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
