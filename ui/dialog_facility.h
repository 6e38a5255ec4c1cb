#pragma once
// Message boxes and file dialogs of the whole suite go through one facility.
// The program installs nothing and gets the real Qt dialogs; a test installs
// a scripted facility (ui/scripted_dialogs.h) that answers from a queue and
// records what was shown. The current facility is process-wide on purpose:
// the boxes are asked for deep inside pages and entry points that have no
// way to receive one.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/string_table.h"
#include "platform/text_format.h"

#include "ui/ui_export.h"

class QWidget;

namespace ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, OkHelp, YesNo, YesNoCancel, RetryCancel, RetryCancelHelp };

struct VELKA_UI_EXPORT MessageRequest {
    std::uint32_t stringId = 0;  // 0 for a text that is not in a string table
    std::string text;            // already formatted
    std::string caption;         // empty: the application's display name
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::uint32_t helpContext = 0;  // for the Help button
    QWidget* owner = nullptr;       // nullptr: no owner window
    // Runs when the user presses Help; the box stays open.
    std::function<void(std::uint32_t helpContext)> onHelp;
};

// Flags of a file dialog, as the callers describe them.
enum FileFlag : unsigned {
    FileOverwritePrompt = 0x1,
    FileMustExist = 0x2,
    FilePathMustExist = 0x4,
    FileHideReadOnly = 0x8,
    FileNoChangeDir = 0x10,
};

struct VELKA_UI_EXPORT FileRequest {
    bool save = false;       // Save-file dialog, else Open-file
    std::string caption;     // empty: "Öffnen" / "Speichern unter"
    std::string defaultExt;  // appended when the name typed has none ("PRF")
    std::string initialName;
    std::string filter;  // classic "Text (*.x)|*.x|...||"
    std::string initialDir;
    unsigned flags = 0;
    QWidget* owner = nullptr;
};

struct VELKA_UI_EXPORT FileAnswer {
    int result = 2;  // IDOK or IDCANCEL
    std::string path;
};

class VELKA_UI_EXPORT DialogFacility {
public:
    virtual ~DialogFacility() = default;
    // Returns IDOK, IDCANCEL, IDYES, IDNO or IDRETRY.
    virtual int messageBox(const MessageRequest& request) = 0;
    virtual FileAnswer fileDialog(const FileRequest& request) = 0;
};

// The facility in use: the last one installed, else the real dialogs.
VELKA_UI_EXPORT DialogFacility& dialogs();
// Installs a facility while it lives; the one before it comes back after.
class VELKA_UI_EXPORT ScopedDialogFacility {
public:
    explicit ScopedDialogFacility(DialogFacility& facility);
    ~ScopedDialogFacility();
    ScopedDialogFacility(const ScopedDialogFacility&) = delete;
    ScopedDialogFacility& operator=(const ScopedDialogFacility&) = delete;

private:
    DialogFacility* previous_;
};

// A box whose text comes from a string table, with the inserts formatted in.
// The help context defaults to the string id + 0x30000. Returns the button.
VELKA_UI_EXPORT int messageBox(QWidget* owner, const platform::StringTable& table,
                               std::uint32_t stringId, Icon icon = Icon::None,
                               Buttons buttons = Buttons::Ok, std::string_view caption = {},
                               std::initializer_list<platform::FormatArg> inserts = {},
                               std::uint32_t helpContext = 0);
// A box with a text of its own (the few built-in ones).
VELKA_UI_EXPORT int messageBox(QWidget* owner, std::string_view text, std::string_view caption,
                               Icon icon, Buttons buttons);
VELKA_UI_EXPORT FileAnswer fileDialog(const FileRequest& request);

}  // namespace ui
