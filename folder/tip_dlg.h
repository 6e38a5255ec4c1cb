#pragma once
// The tip of the day: one tip of the fixed cycle, "next tip", and whether
// tips show at start. "CurrentTip" is stored after each tip, "Enable" on OK.
#include <QDialog>
#include <cstdint>

#include "folder/folder_settings.h"

class QCheckBox;
class QLabel;

class CTipDlg : public QDialog {
public:
    CTipDlg(const InstalledProducts& products, QWidget* parent = nullptr);
    std::uint32_t CurrentTipId() const { return shown_; }
    void ShowNextTip();
    void accept() override;

private:
    InstalledProducts products_;
    TipSettings settings_;
    std::uint32_t shown_ = 0;
    QLabel* text_ = nullptr;
    QCheckBox* show_ = nullptr;
};
