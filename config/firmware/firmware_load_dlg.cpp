#include "config/firmware/firmware_load_dlg.h"

#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/config_strings.h"
#include "config/firmware/download_session.h"
#include "config/firmware/firmware_check.h"
#include "config/firmware/firmware_kind.h"
#include "config/firmware/firmware_status.h"
#include "config/resource_ids.h"
#include "ui/animation_control.h"
#include "ui/dialog_facility.h"
#include "ui/resource_id.h"
#include "ui/ui_strings.h"
#include "ui/wait_cursor.h"

// Carries what the download reports from the worker to the dialog's thread.
class CFirmwareLoadDlg::Relay : public firmware::DownloadObserver {
public:
    explicit Relay(CFirmwareLoadDlg* dialog) : dialog_(dialog) {}

    void actionLine(const std::string& text) override {
        post([d = dialog_, t = QString::fromStdString(text)] { d->ShowAction(t); });
    }
    void progressLine(const std::string& text) override {
        post([d = dialog_, t = QString::fromStdString(text)] { d->ShowTimeLeft(t); });
    }
    void progress(int percent, std::uint64_t) override {
        post([d = dialog_, percent] { d->ShowProgress(percent); });
    }
    void animationStarted() override {
        post([d = dialog_] { d->StartAnimation(); });
    }
    void transferDone() override {
        post([d = dialog_] {
            if (d->waitCursor_) ui::endWaitCursor();
            d->waitCursor_ = false;
        });
    }

private:
    template <typename F>
    void post(F f) {
        QMetaObject::invokeMethod(dialog_, std::move(f), Qt::QueuedConnection);
    }
    CFirmwareLoadDlg* dialog_;
};

CFirmwareLoadDlg::CFirmwareLoadDlg(QWidget* parent) : QDialog(parent) {
    ui::setResourceId(this, config::IDD_FIRMWARE_LOAD);
    setWindowTitle(QStringLiteral("Herunterladen"));
    animation_ = new ui::AnimationControl;
    action_ = new QLabel;
    timeLeft_ = new QLabel;
    action_->setMinimumWidth(380);
    bar_ = new QProgressBar;
    bar_->setRange(0, 100);
    bar_->setValue(0);
    auto* cancel = new QPushButton(QString::fromStdString(ui::uiText(ui::IDS_BUTTON_CANCEL)));
    connect(cancel, &QPushButton::clicked, this, &CFirmwareLoadDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(animation_, 0, Qt::AlignHCenter);
    layout->addWidget(action_);
    layout->addWidget(bar_);
    layout->addWidget(timeLeft_);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    relay_ = std::make_unique<Relay>(this);
}

CFirmwareLoadDlg::~CFirmwareLoadDlg() {
    // A dialog that goes while the download runs ends it first: the worker
    // reports to this dialog.
    if (session_) session_->cancel();
    if (worker_.joinable()) worker_.join();
    if (waitCursor_) ui::endWaitCursor();
}

std::int32_t CFirmwareLoadDlg::Setup(const std::string& imagePath, const std::string& portName,
                                     const std::string& version, std::int32_t kind,
                                     bool loaderMode) {
    if (const std::int32_t rc = firmware::readImage(imagePath, setup_.image); rc != firmware::kOk)
        return rc;
    setup_.version = version;
    setup_.kind = kind;
    setup_.loaderMode = loaderMode;
    port_ = portName;
    animation_->open(firmware::kindTexts(kind).animation);
    return firmware::kOk;
}

int CFirmwareLoadDlg::Run() {
    ui::beginWaitCursor();
    waitCursor_ = true;
    session_ = std::make_unique<firmware::DownloadSession>(port_, setup_, *relay_);
    worker_ = std::jthread([this] {
        std::string message;
        const int result = session_->run(message);
        const std::uint32_t id = session_->messageId();
        QMetaObject::invokeMethod(
            this, [this, result, id] { finished(result, id); }, Qt::QueuedConnection);
    });
    return exec();
}

void CFirmwareLoadDlg::finished(int result, std::uint32_t messageId) {
    if (worker_.joinable()) worker_.join();
    if (waitCursor_) ui::endWaitCursor();
    waitCursor_ = false;
    animation_->stop();
    if (messageId != 0)
        ui::messageBox(this, config::Strings(), messageId, ui::Icon::Information, ui::Buttons::Ok,
                       config::Text(config::IDS_FW_CAPTION));
    done(result);
}

void CFirmwareLoadDlg::reject() {
    if (session_) session_->cancel();
}

void CFirmwareLoadDlg::ShowAction(const QString& text) {
    action_->setText(text);
}

void CFirmwareLoadDlg::ShowTimeLeft(const QString& text) {
    timeLeft_->setText(text);
}

void CFirmwareLoadDlg::ShowProgress(int percent) {
    bar_->setValue(percent);
}

void CFirmwareLoadDlg::StartAnimation() {
    animation_->play(-1);
}
