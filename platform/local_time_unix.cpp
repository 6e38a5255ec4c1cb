#include "platform/local_time.h"

#include <langinfo.h>
#include <locale.h>

#include <fstream>

#include "platform/status_codes.h"

namespace platform {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string readSmallFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string text(8192, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// RAII for a locale_t.
class Locale {
public:
    explicit Locale(const std::string& name)
        : loc_(newlocale(LC_TIME_MASK, name.c_str(), static_cast<locale_t>(nullptr))) {}
    ~Locale() {
        if (loc_) freelocale(loc_);
    }
    Locale(const Locale&) = delete;
    Locale& operator=(const Locale&) = delete;
    locale_t get() const { return loc_; }

private:
    locale_t loc_;
};

bool formatIn(locale_t loc, std::time_t when, const char* pattern, std::string& out) {
    std::tm tm{};
    if (!localtime_r(&when, &tm)) return false;
    char buf[256];
    std::size_t n = strftime_l(buf, sizeof buf, pattern, &tm, loc);
    if (n == 0) return false;
    out.assign(buf, n);
    return true;
}

}  // namespace

std::string localeFromConfig(std::string_view fileText) {
    std::string lcTime, lcAll, lang;
    while (!fileText.empty()) {
        std::size_t nl = fileText.find('\n');
        std::string_view line = trim(fileText.substr(0, nl));
        fileText = nl == std::string_view::npos ? std::string_view{} : fileText.substr(nl + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.substr(0, 7) == "export ") line = trim(line.substr(7));
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = trim(line.substr(0, eq));
        std::string_view value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (key == "LC_TIME")
            lcTime = value;
        else if (key == "LC_ALL")
            lcAll = value;
        else if (key == "LANG")
            lang = value;
    }
    if (!lcAll.empty()) return lcAll;  // LC_ALL overrides every category
    if (!lcTime.empty()) return lcTime;
    return lang;
}

std::string systemTimeLocale() {
    for (const char* path : {"/etc/locale.conf", "/etc/default/locale"}) {
        std::string name = localeFromConfig(readSmallFile(path));
        if (!name.empty()) return name;
    }
    return "C";
}

std::int32_t formatSystemTime(std::time_t when, std::string& out) {
    Locale system(systemTimeLocale());
    Locale c("C");
    locale_t loc = system.get() ? system.get() : c.get();
    if (!loc) return kInvalidData;
    const char* pattern = nl_langinfo_l(T_FMT, loc);
    if (!pattern || !*pattern) pattern = "%H:%M:%S";
    return formatIn(loc, when, pattern, out) ? kOk : kInvalidData;
}

std::string formatCLocale(std::time_t when, const char* pattern) {
    Locale c("C");
    std::string out;
    if (!c.get() || !formatIn(c.get(), when, pattern, out)) return {};
    return out;
}

std::tm localTime(std::time_t when) {
    std::tm tm{};
    localtime_r(&when, &tm);
    return tm;
}

}  // namespace platform
