#pragma once
// The window of ta-modems and its add dialog. The panel does the work; the
// window only shows its lists and asks the user.
#include <QDialog>
#include <QWidget>

#include "folder/modems/modem_panel.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace modems {

// Picks a port and an adapter model.
class CAddModemDlg : public QDialog {
public:
    CAddModemDlg(const std::vector<SerialPort>& ports, QWidget* parent = nullptr);
    std::string Port() const;
    std::int32_t Kind() const;

private:
    QComboBox* port_;
    QComboBox* model_;
};

class CModemsWindow : public QWidget {
public:
    explicit CModemsWindow(CModemPanel& panel, QWidget* parent = nullptr);
    // Shows the panel's lists as they are now.
    void UpdateLists();

private:
    void OnAdd();
    void OnRemove();
    void ShowFailure(const char* what, std::int32_t rc);

    CModemPanel& panel_;
    QTreeWidget* modems_;
    QTreeWidget* ports_;
    QPushButton* remove_;
};

}  // namespace modems
