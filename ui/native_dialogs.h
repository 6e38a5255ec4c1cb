#pragma once
// The real message boxes and file dialogs (Qt widgets), the facility used
// whenever no other one is installed.
#include <memory>

#include "ui/dialog_facility.h"

class QMessageBox;

#include "ui/ui_export.h"

namespace ui {

class VELKA_UI_EXPORT NativeDialogs : public DialogFacility {
public:
    int messageBox(const MessageRequest& request) override;
    FileAnswer fileDialog(const FileRequest& request) override;

private:
    int showMessageBox(const MessageRequest& request);
    FileAnswer showFileDialog(const FileRequest& request);
};

// The Qt box for a request, its buttons carrying the answers as the
// property "answer" (also used to picture the boxes).
VELKA_UI_EXPORT std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest& request);

// The answer a box gets when Enter is pressed on it: OK, Yes or Retry.
VELKA_UI_EXPORT int defaultAnswer(Buttons buttons);

}  // namespace ui
