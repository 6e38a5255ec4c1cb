#pragma once
// CFirmwareSelectDlg (dialog 1190 "Vorhandene Firmware"): the images of the
// firmware store that fit the device, with their device name, region and
// version, and "&Habe Firmware..." to add one from elsewhere. The details of
// the highlighted image stand beside the list (Qt's file dialog has no
// preview panel to put them in).
#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "config/firmware/firmware_store.h"

class QLabel;
class QTreeWidget;

class CFirmwareSelectDlg : public QDialog {
    Q_OBJECT
public:
    // `proposed` is selected when no image was added before.
    CFirmwareSelectDlg(std::int32_t kind, std::int32_t region, std::string currentVersion,
                       std::string storeDirectory, std::string proposed = {},
                       QWidget* parent = nullptr);

    // The chosen image; empty until the dialog ends with OK.
    const std::string& ChosenPath() const { return chosen_; }
    int RowCount() const;
    // The last image added, while the library is loaded: selected on opening.
    static std::string& LastAdded();

    void accept() override;

private:
    void fill();
    void showDetails();
    void addImage();

    std::int32_t kind_;
    std::string store_;
    std::string proposed_;
    std::vector<firmware::StoredImage> rows_;
    std::string chosen_;
    QTreeWidget* list_ = nullptr;
    QLabel* device_ = nullptr;
    QLabel* regionText_ = nullptr;
    QLabel* version_ = nullptr;
};

// The version confirmation: 1 go on, 2 stop, or the reader's 5002.
std::int32_t ConfirmFirmwareVersion(QWidget* owner, const std::string& path,
                                    std::int32_t deviceRegion, const std::string& versionText);
