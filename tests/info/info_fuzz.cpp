// Feeds arbitrary stored values to the record decoder and arbitrary file
// text to the shared-value readers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "info/shared_state.h"
#include "info/stored_record.h"

namespace {

// Cuts the input into pieces at '|' to fill the values.
struct Pieces {
    std::string_view rest;
    bool next(std::string_view& piece) {
        if (rest.empty()) return false;
        const auto bar = rest.find('|');
        piece = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
        return true;
    }
};

std::uint32_t number(std::string_view piece) {
    std::uint32_t v = 0;
    std::memcpy(&v, piece.data(), std::min<std::size_t>(piece.size(), sizeof v));
    return piece.size() == 1 ? static_cast<std::uint8_t>(piece[0]) : v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    info::parseEndpointText(text);
    info::parseFlagText(text);

    info::StoredValues v;
    Pieces p{text};
    std::string_view piece;
    for (auto* s : {&v.portName, &v.deviceString, &v.identification, &v.versionText, &v.lineText,
                    &v.extraText}) {
        if (p.next(piece) && !piece.empty() && piece[0] != '~') *s = std::string(piece);
    }
    for (auto* n : {&v.deviceType, &v.openState, &v.region, &v.firmwareState, &v.v110Capable}) {
        if (p.next(piece) && !piece.empty()) *n = number(piece);
    }
    info::StoredRecord r;
    if (info::decodeStoredRecord(v, r) == 0) {
        if (r.port.empty() || r.port.size() >= 200 || r.versionText.size() >= 200) __builtin_trap();
        if (r.region != 0 && r.region != 1 && r.region != 255) __builtin_trap();
    }
    return 0;
}
