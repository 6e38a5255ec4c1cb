#pragma once
// The SPID details box of the automatic number pages: the SPIDs the network
// offers for one number, each with its availability, its services and what
// the device needs; OK makes the chosen SPID the number's SPID.
#include <QDialog>
#include <functional>

#include "wizard/line_detector.h"

#include "wizard/wizard_export.h"

class QComboBox;
class QLabel;

namespace wizard::na {

class VELKA_WIZARD_EXPORT CSpidDetailsDlg : public QDialog {
    Q_OBJECT
public:
    // `usedElsewhere` tells whether the wizard already uses a SPID for
    // another number.
    CSpidDetailsDlg(const NumberEntry& entry, int chosen, std::int32_t deviceKind,
                    std::function<bool(const std::string& spid)> usedElsewhere,
                    QWidget* parent = nullptr);

    // The SPID record chosen; -1 when the number has none.
    int chosen() const { return chosen_; }

private:
    void show(int index);
    void picked(int index);

    const NumberEntry& entry_;
    std::int32_t needed_;
    std::function<bool(const std::string&)> usedElsewhere_;
    int chosen_;
    int shown_ = -1;  // the record the box shows
    QComboBox* spids_ = nullptr;
    QLabel* available_ = nullptr;
    QLabel* services_ = nullptr;
    QLabel* verdict_ = nullptr;
};

}  // namespace wizard::na
