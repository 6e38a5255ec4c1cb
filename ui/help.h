#pragma once
// Help requests of the whole suite: a help file (the ".hlp" name the
// documents use) opened at a context number, as a topic or as a pop-up for
// one control. Every request is recorded so tests can see which file and
// context a click asked for; a handler decides what else happens (the
// default opens the file's HTML counterpart when one is installed).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/ui_export.h"

namespace ui {

enum class HelpCommand { Topic, ContextPopup, Contents };

struct VELKA_UI_EXPORT HelpRequest {
    std::string file;
    HelpCommand command = HelpCommand::Topic;
    std::uint32_t context = 0;
};

using HelpHandler = std::function<void(const HelpRequest&)>;

VELKA_UI_EXPORT void openHelp(const std::string& file, HelpCommand command, std::uint32_t context);

// Replaces the handler while it lives (the recording goes on regardless).
class VELKA_UI_EXPORT ScopedHelpHandler {
public:
    explicit ScopedHelpHandler(HelpHandler handler);
    ~ScopedHelpHandler();
    ScopedHelpHandler(const ScopedHelpHandler&) = delete;
    ScopedHelpHandler& operator=(const ScopedHelpHandler&) = delete;

private:
    HelpHandler previous_;
};

// The most recent requests, oldest first (at most 256 are kept).
VELKA_UI_EXPORT std::vector<HelpRequest> recordedHelpRequests();
VELKA_UI_EXPORT void clearRecordedHelpRequests();

// The HTML page that stands for a help file: "<dir>/cfgTA.hlp" ->
// "<dir>/cfgTA.html" (also when the name has another extension or none).
VELKA_UI_EXPORT std::string htmlHelpPath(const std::string& helpFile);

}  // namespace ui
