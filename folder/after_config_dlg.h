#pragma once
// CAfterConfigDlg: offered after an adapter was configured for the first time
// or with the wizard -- what the user may want to do next with it: use it as
// a modem, or set up a dial-up connection.
#include <QDialog>
#include <cstdint>

class QButtonGroup;

class CAfterConfigDlg : public QDialog {
public:
    // `type` is the adapter's kind: the heading names the product.
    explicit CAfterConfigDlg(std::int32_t type, QWidget* parent = nullptr);

    // The choice's control id (1043, 1044, 1045) after OK, else 0.
    std::uint32_t Chosen() const { return chosen_; }
    void accept() override;

private:
    QButtonGroup* choices_ = nullptr;
    std::uint32_t chosen_ = 0;
};
