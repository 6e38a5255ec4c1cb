#pragma once
// The dialogs after a detection: adapters not configured yet, adapters
// without a modem installation, and adapters with newer firmware on disk.
// Each lists the items, lets the user pick one, and offers "do not ask
// again".
#include <QDialog>
#include <QStringList>
#include <vector>

class QCheckBox;
class QTreeWidget;

class CItemChoiceDlg : public QDialog {
public:
    // One row per item: its column texts.
    using Row = QStringList;

    // The item index picked (into the rows given), -1 for none.
    int Chosen() const { return chosen_; }
    bool DontAskAgain() const { return dontAsk_; }
    QTreeWidget* List() const { return list_; }
    void accept() override;

protected:
    CItemChoiceDlg(int dialogId, std::uint32_t title, std::uint32_t text,
                   const QStringList& headers, const std::vector<Row>& rows, QWidget* parent);

private:
    QTreeWidget* list_ = nullptr;
    QCheckBox* dontAskBox_ = nullptr;
    int chosen_ = -1;
    bool dontAsk_ = false;
};

class CNotConfiguredDlg : public CItemChoiceDlg {
public:
    CNotConfiguredDlg(const std::vector<Row>& rows, QWidget* parent = nullptr);
};

class CWrongDriverDlg : public CItemChoiceDlg {
public:
    CWrongDriverDlg(const std::vector<Row>& rows, QWidget* parent = nullptr);
};

// Rows: device, current version, newest version.
class CNewerFirmwareDlg : public CItemChoiceDlg {
public:
    CNewerFirmwareDlg(const std::vector<Row>& rows, QWidget* parent = nullptr);
};
