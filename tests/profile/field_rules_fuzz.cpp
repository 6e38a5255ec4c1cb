// Feeds arbitrary values to every field's rule: nothing may crash, and a
// value that passes must be unable to leave its place in a command line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profile/field_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    for (const profile::FieldInfo& field : profile::ProfileFieldList()) {
        if (profile::CheckFieldValue(field, value) != profile::FieldFault::None) continue;
        if (field.rule == profile::FieldRule::Number) {
            const auto number = profile::ParseFieldNumber(value);
            if (!number || *number < field.min || *number > field.max) std::abort();
        } else if (field.rule == profile::FieldRule::ProfileName) {
            for (char c : value)
                if (static_cast<unsigned char>(c) < 0x20) std::abort();
        } else if (value.find_first_not_of(field.rule == profile::FieldRule::DirectoryNumber
                                               ? "0123456789*#- ;"
                                               : "0123456789*#- abcdefABCDEF") !=
                   std::string_view::npos) {
            std::abort();
        }
    }
    return 0;
}
