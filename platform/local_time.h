#pragma once
// Local date and time as text: the system's default time format (the
// machine's locale, not the user's own settings) and fixed formats with
// English day and month names.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// The locale a locale file names for time formatting: LC_ALL, else LC_TIME,
// else LANG, with surrounding quotes removed; empty when it names none.
// Pure: the file is outside input.
std::string localeFromConfig(std::string_view fileText);

// The machine's locale for times, from /etc/locale.conf or
// /etc/default/locale; "C" when neither names one.
std::string systemTimeLocale();

// `when` (local time) in the time format of the machine's locale. Falls back
// to the C locale's format when that locale is not installed. kInvalidData
// when the time cannot be formatted.
std::int32_t formatSystemTime(std::time_t when, std::string& out);

// strftime in the C locale, so day and month names are English. Empty when
// the time cannot be formatted.
std::string formatCLocale(std::time_t when, const char* pattern);

// The broken-down local time of `when`; all zero when it has none.
std::tm localTime(std::time_t when);

}  // namespace platform
