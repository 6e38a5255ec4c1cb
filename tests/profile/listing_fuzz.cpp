// Feeds arbitrary adapter listings to the profile listing reader under every
// device kind and region, and sends what it read through the command-line
// builder: nothing may crash, and no built line may carry a line break.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profile/command_builder.h"
#include "profile/listing_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view listing(reinterpret_cast<const char*>(data), size);
    static constexpr std::int32_t kKinds[] = {1, 2, 4, 8, 16, 32};
    for (std::int32_t northAmerica = 0; northAmerica <= 1; ++northAmerica) {
        for (std::int32_t kind : kKinds) {
            profile::ListingContext context;
            context.northAmerica = northAmerica;
            context.deviceKind = kind;
            std::array<CProfile, 3> profiles;
            const auto result = profile::ParseProfileListing(listing, context, profiles);
            if (result.activeProfile < 0 || result.activeProfile > 2) std::abort();
            for (std::int32_t i = 0; i < 3; ++i) {
                const auto pieces = profile::BuildProfileCommands(
                    profiles[static_cast<std::size_t>(i)], i, northAmerica, kind);
                profile::RunProfileCommands(pieces, [](const std::string& line) {
                    const std::size_t cr = line.find('\r');
                    // Only the %P8 piece brings its own second carriage return.
                    const bool twoReturns = line.compare(0, 6, "AT%P8=") == 0;
                    if (cr != line.size() - (twoReturns ? 2 : 1)) std::abort();
                    if (line.find('\n') != std::string::npos) std::abort();
                    return 0;
                });
            }
        }
    }
    return 0;
}
