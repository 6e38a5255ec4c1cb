#pragma once
// CFirmwareConfirmDlg: asks before a firmware image is loaded into an
// adapter. Loading takes minutes, the adapter must stay powered and
// connected throughout, and its stored profiles may not survive, so the
// dialog names the adapter, says so, and makes Cancel the default.
#include <QDialog>

struct CFolderItem;

class CFirmwareConfirmDlg : public QDialog {
public:
    explicit CFirmwareConfirmDlg(const CFolderItem& item, QWidget* parent = nullptr);
};
