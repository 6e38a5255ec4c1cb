#pragma once
// CDelayDlg: the busy dialog through which every read of all profiles from
// the adapter and every write back runs. The work runs on a worker thread;
// the dialog plays its animation, keeps the user interface responsive and
// ends with the work's result as its modal result.
//
// The run: the dialog shows, and 100 ms later its first timer tick begins
// the wait cursor, disables the dialog (it cannot be closed while the
// adapter is being talked to), plays the animation and starts the worker.
// When the worker has finished the dialog stops the animation, ends the
// wait cursor and closes. Whatever happens meanwhile -- a failure at once,
// the application being told to quit, the dialog being destroyed -- the
// worker is waited for before the profiles it works on can go away.
#include <QDialog>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "profile/busy_dialog.h"

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

    CDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device, int animation);
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
    // The work, on the worker thread.
    virtual std::int32_t Work() = 0;
    // Every subclass calls this first in its destructor: the worker calls
    // Work() on the whole object, so it has to end before the subclass part
    // goes, not only before the base part does.
    void WaitForWork();

    CDeviceProfiles& profiles_;
    const CDeviceInfo& device_;

    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StartWork();
    void CheckDone();
    void EndWork();
    void JoinWorker();

    // The result lives apart from the dialog, so that a run whose dialog
    // was destroyed meanwhile still returns what the work gave.
    struct Outcome {
        std::atomic<std::int32_t> result{0};
    };

    int animation_;
    std::shared_ptr<Outcome> outcome_ = std::make_shared<Outcome>();
    ui::AnimationControl* animationControl_ = nullptr;
    int timerId_ = 0;
    bool running_ = false;
    bool waitCursor_ = false;
    std::atomic<bool> done_{false};
    std::thread worker_;
};

// Reads all profiles (ReadProfiles with the device and the names record).
class CReadDelayDlg : public CDelayDlg {
    Q_OBJECT
public:
    CReadDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device,
                  const CProfileSettings& settings, int animation);
    ~CReadDelayDlg() override { WaitForWork(); }

protected:
    std::int32_t Work() override;

private:
    const CProfileSettings& settings_;
};

// Writes all profiles back (WriteProfiles with the device).
class CWriteDelayDlg : public CDelayDlg {
    Q_OBJECT
public:
    CWriteDelayDlg(CDeviceProfiles& profiles, const CDeviceInfo& device, int animation);
    ~CWriteDelayDlg() override { WaitForWork(); }

protected:
    std::int32_t Work() override;
};
