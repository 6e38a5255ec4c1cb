#pragma once
// The classic file-dialog filter text ("Profildateien (*.prf)|*.prf||":
// description and patterns in turns, separated by "|", ended by "||") turned
// into the name filters of a Qt file dialog. Pure functions over text.
#include <string>
#include <string_view>
#include <vector>

#include "ui/ui_export.h"

namespace ui {

struct VELKA_UI_EXPORT FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // "*.prf"; ";" separated in the classic text
};

// Pairs up to the first empty field ("||"); a description whose patterns are all blank
// is dropped. Never reads past the text.
VELKA_UI_EXPORT std::vector<FileFilter> parseClassicFilter(std::string_view text);
// "Profildateien (*.prf)": the description, followed by the patterns in
// parentheses unless the description already ends with exactly those.
VELKA_UI_EXPORT std::string qtNameFilter(const FileFilter& filter);
VELKA_UI_EXPORT std::vector<std::string> qtNameFilters(std::string_view classicText);

}  // namespace ui
