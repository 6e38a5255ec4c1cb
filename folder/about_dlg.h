#pragma once
// The folder's about box.
#include <QDialog>

class CFolderAboutDlg : public QDialog {
public:
    explicit CFolderAboutDlg(QWidget* parent = nullptr);
};
