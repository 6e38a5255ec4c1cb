#include "config/delay_dlg.h"

#include <QCloseEvent>
#include <QPointer>
#include <QTimerEvent>

#include "config/config_strings.h"
#include "config/resource_ids.h"
#include "platform/clock.h"
#include "profile/device_profiles.h"
#include "profile/profile_settings.h"
#include "ui/animation_control.h"
#include "ui/dialog_units.h"
#include "ui/resource_id.h"
#include "ui/wait_cursor.h"

namespace {
// What the run gives when the application ended before the work began: the
// profiles were neither read nor written, which is what a cancel means.
constexpr std::int32_t kNotRun = 2;
}  // namespace

CDelayDlg::CDelayDlg(CDeviceProfiles& profiles, int animation, Work work)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      profiles_(profiles),
      animation_(animation),
      work_(std::move(work)) {
    setAutoFillBackground(true);  // the system's window colour
    setBackgroundRole(QPalette::Window);
    const QSize units = ui::dialogUnitsToPixels(font(), QSize(140, 50));
    setFixedSize(std::max(units.width(), kAnimationWidth + 16),
                 std::max(units.height(), kAnimationHeight + 16));
    animationControl_ = new ui::AnimationControl(this);
    ui::setResourceId(animationControl_, config::IDC_DELAY_ANIMATION);
    animationControl_->open(animation);
    animationControl_->resize(kAnimationWidth, kAnimationHeight);
}

// Destroyed while the worker runs: the animation stops first, and the
// worker must end before the work and the profiles it fills can go.
CDelayDlg::~CDelayDlg() {
    animationControl_->stop();
    worker_.join();
    if (waitCursor_) ui::endWaitCursor();
    if (running_) profiles_.SetBusyDialog(nullptr);
}

std::int32_t CDelayDlg::DoModal() {
    outcome_->result = kNotRun;
    const std::shared_ptr<Outcome> outcome = outcome_;
    const QPointer<CDelayDlg> self(this);
    timerId_ = startTimer(platform::scaled(config::kDelayStartMs));
    exec();
    if (!self) return outcome->result;  // destroyed meanwhile, after its worker
    if (timerId_) {                     // the application ended before the first tick
        killTimer(timerId_);
        timerId_ = 0;
    }
    if (running_) {
        // The loop was ended from outside (the application is quitting):
        // the work still gets to its end, and its result counts.
        EndWork();
    }
    return outcome->result;
}

void CDelayDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId_) {
        QDialog::timerEvent(event);
        return;
    }
    killTimer(timerId_);
    timerId_ = 0;
    StartWork();
}

void CDelayDlg::StartWork() {
    ui::beginWaitCursor();
    waitCursor_ = true;
    setEnabled(false);
    animationControl_->play();
    done_ = false;
    outcome_->result = 0;
    running_ = true;
    // The engine reaches the dialog through this while it works.
    profiles_.SetBusyDialog(this);
    worker_.start([this] {
        outcome_->result = work_();
        done_ = true;
        // Wakes the user-interface thread at once instead of on its next poll.
        QMetaObject::invokeMethod(
            this, [this] { CheckDone(); }, Qt::QueuedConnection);
    });
}

void CDelayDlg::CheckDone() {
    if (!running_ || !done_) return;
    EndWork();
    done(QDialog::Accepted);
}

void CDelayDlg::EndWork() {
    animationControl_->stop();
    worker_.join();
    profiles_.SetBusyDialog(nullptr);
    running_ = false;
    if (waitCursor_) {
        ui::endWaitCursor();
        waitCursor_ = false;
    }
    setEnabled(true);
}

void CDelayDlg::SetBusyText(std::uint32_t stringId, const char* text) {
    const std::string_view own = config::Strings().text(stringId);
    const QString caption = own.empty() ? QString::fromUtf8(text ? text : "")
                                        : QString::fromUtf8(own.data(), qsizetype(own.size()));
    // Queued by name: the event owns a copy of the text, so no slot object is
    // shared between the worker and the UI thread (its reference count lives
    // inside Qt, where the thread sanitizer cannot see it).
    QMetaObject::invokeMethod(this, "setWindowTitle", Qt::QueuedConnection,
                              Q_ARG(QString, caption));
}

void CDelayDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    animationControl_->move((width() - kAnimationWidth) / 2, (height() - kAnimationHeight) / 2);
}

// The dialog ends with its work only: nobody can close it while the adapter
// is being talked to.
void CDelayDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
}
void CDelayDlg::reject() {}

std::unique_ptr<CDelayDlg> MakeReadDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device,
                                            const CProfileSettings& settings, int animation) {
    return std::make_unique<CDelayDlg>(profiles, animation, [&profiles, &device, &settings] {
        return profiles.ReadProfiles(device, settings);
    });
}

std::unique_ptr<CDelayDlg> MakeWriteDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device,
                                             int animation) {
    return std::make_unique<CDelayDlg>(
        profiles, animation, [&profiles, &device] { return profiles.WriteProfiles(device); });
}
