#include "ui/dialog_facility.h"

#include <atomic>

#include "ui/framework_ids.h"
#include "ui/native_dialogs.h"

namespace ui {

namespace {
std::atomic<DialogFacility*> installed{nullptr};

DialogFacility& nativeFacility() {
    static NativeDialogs native;
    return native;
}
}  // namespace

DialogFacility& dialogs() {
    DialogFacility* current = installed.load();
    return current ? *current : nativeFacility();
}

ScopedDialogFacility::ScopedDialogFacility(DialogFacility& facility)
    : previous_(installed.exchange(&facility)) {}

ScopedDialogFacility::~ScopedDialogFacility() {
    installed.store(previous_);
}

int messageBox(QWidget* owner, const platform::StringTable& table, std::uint32_t stringId,
               Icon icon, Buttons buttons, std::string_view caption,
               std::initializer_list<platform::FormatArg> inserts, std::uint32_t helpContext) {
    MessageRequest request;
    request.stringId = stringId;
    const std::string_view pattern = table.text(stringId);
    request.text =
        inserts.size() == 0 ? std::string(pattern) : platform::formatInserts(pattern, inserts);
    request.caption = std::string(caption);
    request.icon = icon;
    request.buttons = buttons;
    request.helpContext = helpContext ? helpContext : HID_BASE_PROMPT + stringId;
    request.owner = owner;
    return dialogs().messageBox(request);
}

int messageBox(QWidget* owner, std::string_view text, std::string_view caption, Icon icon,
               Buttons buttons) {
    MessageRequest request;
    request.text = std::string(text);
    request.caption = std::string(caption);
    request.icon = icon;
    request.buttons = buttons;
    request.owner = owner;
    return dialogs().messageBox(request);
}

FileAnswer fileDialog(const FileRequest& request) {
    return dialogs().fileDialog(request);
}

}  // namespace ui
