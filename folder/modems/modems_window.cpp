#include "folder/modems/modems_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/status_codes.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"

namespace modems {

namespace {

QTreeWidget* makeList(const QStringList& columns, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

}  // namespace

CAddModemDlg::CAddModemDlg(const std::vector<SerialPort>& ports, QWidget* parent)
    : QDialog(parent), port_(new QComboBox(this)), model_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Modem hinzufügen"));
    // A port the system has not named yet ("COM5") can be typed in.
    port_->setEditable(true);
    for (const SerialPort& p : ports) port_->addItem(QString::fromStdString(p.name));
    for (const std::int32_t kind : CModemPanel::Kinds())
        model_->addItem(QString::fromUtf8(device::ModemModelName(kind)), kind);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Anschluss:"), port_);
    form->addRow(QStringLiteral("&Modell:"), model_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // An empty port cannot be installed on.
    auto enableOk = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!port_->currentText().trimmed().isEmpty());
    };
    connect(port_, &QComboBox::currentTextChanged, this, enableOk);
    enableOk();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Wählen Sie den Anschluss und das Modell des Adapters."), this));
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::string CAddModemDlg::Port() const {
    return port_->currentText().trimmed().toStdString();
}

std::int32_t CAddModemDlg::Kind() const {
    return model_->currentData().toInt();
}

CModemsWindow::CModemsWindow(CModemPanel& panel, QWidget* parent)
    : QWidget(parent),
      panel_(panel),
      modems_(makeList({QStringLiteral("Anschluss"), QStringLiteral("Modell")}, this)),
      ports_(makeList(
          {QStringLiteral("Anschluss"), QStringLiteral("Gerät"), QStringLiteral("Modem")}, this)),
      remove_(new QPushButton(QStringLiteral("&Entfernen"), this)) {
    setWindowTitle(QStringLiteral("Modems"));
    auto* add = new QPushButton(QStringLiteral("&Hinzufügen…"), this);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    connect(add, &QPushButton::clicked, this, &CModemsWindow::OnAdd);
    connect(remove_, &QPushButton::clicked, this, &CModemsWindow::OnRemove);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(modems_, &QTreeWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(modems_->currentItem() != nullptr); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("&Installierte Modems:"), this);
    caption->setBuddy(modems_);
    layout->addWidget(caption);
    layout->addWidget(modems_);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(QStringLiteral("Serielle Anschlüsse:"), this));
    layout->addWidget(ports_);
    UpdateLists();
}

void CModemsWindow::UpdateLists() {
    modems_->clear();
    for (const auto& modem : panel_.Modems())
        new QTreeWidgetItem(
            modems_, {QString::fromStdString(modem.port), QString::fromStdString(modem.model)});
    ports_->clear();
    // A port without a name goes by its device path, shown once.
    for (const SerialPort& port : panel_.Ports())
        new QTreeWidgetItem(
            ports_, {QString::fromStdString(port.name),
                     port.device == port.name ? QString() : QString::fromStdString(port.device),
                     QString::fromStdString(port.model)});
    if (modems_->topLevelItemCount() > 0) modems_->setCurrentItem(modems_->topLevelItem(0));
    remove_->setEnabled(modems_->currentItem() != nullptr);
}

void CModemsWindow::OnAdd() {
    CAddModemDlg dlg(panel_.Ports(), this);
    if (dlg.exec() != QDialog::Accepted) return;
    ShowFailure("Das Modem konnte nicht installiert werden",
                panel_.Install(dlg.Port(), dlg.Kind()));
    UpdateLists();
}

void CModemsWindow::OnRemove() {
    const QTreeWidgetItem* item = modems_->currentItem();
    if (!item) return;
    const std::string port = item->text(0).toStdString();
    ui::MessageRequest ask;
    ask.text = "Soll das Modem an " + port + " entfernt werden?";
    ask.caption = "Modem entfernen";
    ask.icon = ui::Icon::Question;
    ask.buttons = ui::Buttons::YesNo;
    ask.owner = this;
    if (ui::dialogs().messageBox(ask) != ui::IDYES) return;
    ShowFailure("Das Modem konnte nicht entfernt werden", panel_.Remove(port));
    UpdateLists();
}

void CModemsWindow::ShowFailure(const char* what, std::int32_t rc) {
    if (rc == platform::kOk) return;
    ui::MessageRequest box;
    box.text = std::string(what) + ": " + status::statusText(rc);
    box.caption = "Modems";
    box.icon = ui::Icon::Error;
    box.owner = this;
    ui::dialogs().messageBox(box);
}

}  // namespace modems
