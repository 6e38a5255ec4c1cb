#pragma once
// CPhoneBookDlg: the phone book -- its entries, and Wählen, Auflegen,
// Bearbeiten, Neu..., Löschen and Schließen. Every action goes through the
// dial-up component, which reads the entries again afterwards.
#include <QDialog>
#include <string>

class CDialUpNetworking;
class QLabel;
class QListWidget;
class QPushButton;

class CPhoneBookDlg : public QDialog {
public:
    explicit CPhoneBookDlg(CDialUpNetworking& dialUp, QWidget* parent = nullptr);

    // Shows the component's entries and selects `name` when it is listed.
    void ShowEntries(const std::string& name = {});
    QListWidget* List() const { return list_; }

private:
    std::string Selected() const;
    void EnableButtons();
    QPushButton* AddButton(std::uint32_t text, std::uint32_t id);

    CDialUpNetworking& dialUp_;
    QListWidget* list_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* dial_ = nullptr;
    QPushButton* hangUp_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
};
