#include "platform/keyboard_layout.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

struct Entry {
    std::string_view name;
    std::string_view key;
};

// XKB layouts; a variant that changes the language comes first.
constexpr Entry kXkbVariants[] = {
    {"ch(fr)", "100C"},
    {"ca(eng)", "1009"},
    {"be(nl)", "0813"},
};
constexpr Entry kXkbLayouts[] = {
    {"de", "0407"}, {"at", "0C07"}, {"ch", "0807"}, {"us", "0409"}, {"ca", "0C0C"},
    {"gb", "0809"}, {"uk", "0809"}, {"fr", "040C"}, {"nl", "0413"}, {"be", "080C"},
    {"it", "0410"}, {"es", "040A"}, {"dk", "0406"}, {"se", "041D"}, {"no", "0414"},
    {"fi", "040B"}, {"pt", "0816"}, {"jp", "0411"}, {"ie", "1809"}, {"lu", "140C"},
};
// Locales: language and territory first, then the language alone.
constexpr Entry kLocales[] = {
    {"de_DE", "0407"}, {"de_AT", "0C07"}, {"de_CH", "0807"}, {"de_LU", "1007"}, {"fr_FR", "040C"},
    {"fr_CA", "0C0C"}, {"fr_CH", "100C"}, {"fr_BE", "080C"}, {"fr_LU", "140C"}, {"en_US", "0409"},
    {"en_GB", "0809"}, {"en_CA", "1009"}, {"en_IE", "1809"}, {"nl_NL", "0413"}, {"nl_BE", "0813"},
    {"it_IT", "0410"}, {"it_CH", "0810"}, {"de", "0407"},    {"fr", "040C"},    {"en", "0409"},
    {"nl", "0413"},    {"it", "0410"},    {"es", "040A"},    {"da", "0406"},    {"sv", "041D"},
    {"nb", "0414"},    {"fi", "040B"},    {"pt", "0816"},    {"ja", "0411"},
};

template <std::size_t N>
std::string find(const Entry (&table)[N], std::string_view name) {
    for (const Entry& e : table)
        if (e.name == name) return std::string(e.key);
    return {};
}

std::string unquote(std::string_view value) {
    std::string v(value);
    v.erase(std::remove(v.begin(), v.end(), '"'), v.end());
    v.erase(std::remove(v.begin(), v.end(), '\''), v.end());
    return v;
}

std::string trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

std::string firstItem(std::string_view list) {
    return std::string(list.substr(0, list.find(',')));
}

std::string envText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string layoutKeyForXkb(std::string_view layout, std::string_view variant) {
    if (!variant.empty()) {
        const std::string combined = std::string(layout) + "(" + std::string(variant) + ")";
        if (std::string key = find(kXkbVariants, combined); !key.empty()) return key;
    }
    return find(kXkbLayouts, layout);
}

std::string layoutKeyForLocale(std::string_view locale) {
    // "de_AT.UTF-8@euro" -> "de_AT"
    const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
    if (std::string key = find(kLocales, base); !key.empty()) return key;
    return find(kLocales, base.substr(0, base.find('_')));
}

XkbSetting xkbSettingFromFile(std::string_view text) {
    XkbSetting setting;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = trim(line.substr(0, eq));
        const std::string value = unquote(trim(line.substr(eq + 1)));
        if (name == "XKBLAYOUT") setting.layout = firstItem(value);
        if (name == "XKBVARIANT") setting.variant = firstItem(value);
    }
    return setting;
}

std::string keyboardLayoutKey() {
    // The layout the X session starts with: the variable the compositors
    // read, then the system's keyboard configuration.
    XkbSetting xkb{firstItem(envText("XKB_DEFAULT_LAYOUT")),
                   firstItem(envText("XKB_DEFAULT_VARIANT"))};
    if (xkb.layout.empty()) {
        std::ifstream file("/etc/default/keyboard");
        std::stringstream text;
        text << file.rdbuf();
        xkb = xkbSettingFromFile(text.str());
    }
    if (std::string key = layoutKeyForXkb(xkb.layout, xkb.variant); !key.empty()) return key;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const std::string locale = envText(name);
        if (!locale.empty()) return layoutKeyForLocale(locale);
    }
    return {};
}

}  // namespace platform
