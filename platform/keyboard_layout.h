#pragma once
// The active keyboard layout as the four-hex-digit layout key the regional
// data files are indexed by ("0407" for German). Taken from the X keyboard
// layout when one is configured, else from the locale.
#include <string>
#include <string_view>

namespace platform {

// "" when neither names a layout the suite knows.
std::string keyboardLayoutKey();

// The pure rules behind it, one per source.
// An XKB layout name ("de", "ch", "ca"), its variant ("fr" in ch(fr)).
std::string layoutKeyForXkb(std::string_view layout, std::string_view variant = {});
// A locale name ("de_AT.UTF-8", "fr_CA", "C").
std::string layoutKeyForLocale(std::string_view locale);
// The first layout and its variant of a keyboard configuration file
// (XKBLAYOUT="de,us", XKBVARIANT=",dvorak").
struct XkbSetting {
    std::string layout;
    std::string variant;
};
XkbSetting xkbSettingFromFile(std::string_view text);

}  // namespace platform
