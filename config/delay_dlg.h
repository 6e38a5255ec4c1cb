#pragma once
// CDelayDlg: the busy dialog through which every read of all profiles from
// the adapter and every write back runs. The work runs on a worker thread
// the dialog owns; the dialog plays its animation, keeps the user interface
// responsive and ends with the work's result as its modal result.
//
// The run: the dialog shows, and 100 ms later its first timer tick begins
// the wait cursor, disables the dialog (it cannot be closed while the
// adapter is being talked to), plays the animation and starts the worker.
// When the worker has finished the dialog stops the animation, ends the
// wait cursor and closes. Whatever happens meanwhile -- a failure at once,
// the application being told to quit, the dialog being destroyed -- the
// worker is waited for before the dialog and the work can go. A box the work
// asks for meanwhile is shown, also while the dialog waits for its worker.
#include <QDialog>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "profile/busy_dialog.h"
#include "ui/gui_thread.h"

class CDeviceInfo;
class CDeviceProfiles;
class CProfileSettings;

namespace ui {
class AnimationControl;
}

class CDelayDlg : public QDialog, public IBusyDialog {
    Q_OBJECT
public:
    static constexpr int kAnimationWidth = 144;
    static constexpr int kAnimationHeight = 83;

    // Runs on the worker thread; gives 0 for success or the work's code.
    using Work = std::function<std::int32_t()>;

    // `profiles` is handed the dialog while the work runs (SetBusyDialog).
    CDelayDlg(CDeviceProfiles& profiles, int animation, Work work);
    ~CDelayDlg() override;

    // Runs the work; its result (0 for success) is the result.
    std::int32_t DoModal();
    // Esc does nothing: the dialog ends with its work only.
    void reject() override;

    // From the worker thread: the step the engine is at.
    void SetBusyText(std::uint32_t stringId, const char* text) override;

    int Animation() const { return animation_; }
    bool IsRunning() const { return running_; }
    bool IsDone() const { return done_.load(); }
    QString BusyText() const { return windowTitle(); }
    ui::AnimationControl* AnimationControlWidget() const { return animationControl_; }

protected:
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StartWork();
    void CheckDone();
    void EndWork();

    // The result lives apart from the dialog, so that a run whose dialog
    // was destroyed meanwhile still returns what the work gave.
    struct Outcome {
        std::atomic<std::int32_t> result{0};
    };

    CDeviceProfiles& profiles_;
    int animation_;
    Work work_;
    std::shared_ptr<Outcome> outcome_ = std::make_shared<Outcome>();
    ui::AnimationControl* animationControl_ = nullptr;
    int timerId_ = 0;
    bool running_ = false;
    bool waitCursor_ = false;
    std::atomic<bool> done_{false};
    ui::WorkerThread worker_;
};

// The reading dialog: ReadProfiles with the device and the names record.
std::unique_ptr<CDelayDlg> MakeReadDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device,
                                            const CProfileSettings& settings, int animation);
// The writing dialog: WriteProfiles with the device.
std::unique_ptr<CDelayDlg> MakeWriteDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device,
                                             int animation);
