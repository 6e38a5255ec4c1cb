#pragma once
// CDialEntryDlg: a phone-book entry -- its name (for a new entry only), the
// adapter it dials through, number, user and line speed. OK checks every
// field and keeps the dialog open on a bad one.
#include <QDialog>
#include <string>
#include <vector>

#include "folder/dialup/dial_up_networking.h"

class QComboBox;
class QLineEdit;

class CDialEntryDlg : public QDialog {
public:
    // An empty name makes a new entry; the entry's device is offered even
    // when no listed adapter has it, so an edit keeps it.
    CDialEntryDlg(const std::vector<DialAdapter>& adapters, const std::string& name,
                  const dialup::DialEntry& entry, QWidget* parent = nullptr);

    std::string Name() const;
    dialup::DialEntry Entry() const;

    void accept() override;

private:
    QLineEdit* name_ = nullptr;
    QComboBox* adapter_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* user_ = nullptr;
    QComboBox* speed_ = nullptr;
};
