#pragma once
// The real message boxes and file dialogs (Qt widgets), the facility used
// whenever no other one is installed.
#include "ui/dialog_facility.h"

namespace ui {

class NativeDialogs : public DialogFacility {
public:
    int messageBox(const MessageRequest& request) override;
    FileAnswer fileDialog(const FileRequest& request) override;

private:
    int showMessageBox(const MessageRequest& request);
    FileAnswer showFileDialog(const FileRequest& request);
};

// The answer a box gets when Enter is pressed on it: OK, Yes or Retry.
int defaultAnswer(Buttons buttons);

}  // namespace ui
