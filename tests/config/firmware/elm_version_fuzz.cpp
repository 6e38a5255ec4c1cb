// Any bytes, cut into pieces of any size, give the same record as a plain
// search over the whole text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/firmware/elm_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the piece size, the rest is the image.
    const std::size_t piece = 1 + data[0] % 40;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::size_t at = bytes.find(CElmVersion::kMarker);
    const bool expected =
        at != std::string_view::npos &&
        at + CElmVersion::kMarker.size() + CElmVersion::kRecordSize <= bytes.size();

    CElmVersion elm;
    for (std::size_t i = 0; i < bytes.size(); i += piece) elm.Feed(bytes.substr(i, piece));
    if (elm.Complete() != expected) __builtin_trap();
    if (!expected) return 0;
    const std::string_view rec = bytes.substr(at + CElmVersion::kMarker.size(), 20);
    if (elm.Type() != rec.substr(13, 3) || elm.Region() != rec[16]) __builtin_trap();
    if (elm.Version().size() > CElmVersion::kVersionSize) __builtin_trap();
    if (rec.substr(0, elm.Version().size()) != elm.Version()) __builtin_trap();

    CElmVersion whole;
    if ((whole.ReadBytes(bytes) == 0) != expected) __builtin_trap();
    return 0;
}
