#pragma once
// The dialogs of the telephone ports' common features: the message-waiting
// refresh time (CCommonFeaturesDlg, "Gemeinsame Leistungsmerkmale") and,
// from there, the keys the carrier uses for conference, drop and message
// waiting (CFeatureKeysDlg). Both edit a copy and hand it back on OK.
#include <QDialog>

#include "config/pages/sheet_state.h"

namespace ui {
class DataExchange;
}

namespace config::pages {

class CFeatureKeysDlg : public QDialog {
    Q_OBJECT
public:
    CFeatureKeysDlg(CommonFeatures& features, QWidget* parent = nullptr);
    void accept() override;

private:
    bool exchange(bool save);
    CommonFeatures& features_;
};

class CCommonFeaturesDlg : public QDialog {
    Q_OBJECT
public:
    CCommonFeaturesDlg(CommonFeatures& features, QWidget* parent = nullptr);
    void accept() override;
    // Whether OK took values other than the ones shown at first.
    bool changed() const { return changed_; }

private:
    bool exchange(bool save);
    void editKeys();
    CommonFeatures& features_;
    CommonFeatures edited_;
    bool changed_ = false;
};

}  // namespace config::pages
