#pragma once
// The monitor's about box: icon, product name in a larger font, the maker in
// bold and the version text.
#include <QDialog>

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
