#pragma once
// The base of the pages that talk to the line on a worker thread (the
// connection page and the SPID test page): the animation and status line,
// the worker with its stop request, and Cancel while the worker runs, which
// asks, stops the worker between its steps and closes the sheet as
// cancelled once the worker has closed the port.
#include <QPointer>
#include <functional>

#include "wizard/line_sequence.h"
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

class QLabel;

namespace ui {
class AnimationControl;
}

namespace wizard::na {

class VELKA_WIZARD_EXPORT LinePage : public CWizPageNA {
    Q_OBJECT
public:
    LinePage(int dialogId, QString header);
    ~LinePage() override;

    bool onQueryCancel() override;
    // From the start of a run (or of its delayed start) until the page has
    // handled its end.
    bool running() const { return running_; }

protected:
    void addProgress(QVBoxLayout* body);
    void setStatus(const QString& text);
    // A status sink for the worker: each text reaches the page's thread.
    StatusText statusSink();

    // Starts `work` after `delayMs` (scaled); `ended` runs on the page's
    // thread with the work's success, unless the user cancelled the wizard.
    void run(std::uint32_t delayMs, std::function<bool(const StopRequested&)> work,
             std::function<void(bool success)> ended);
    void requestStop(const QString& stoppingText);
    // The text shown on the status line for a worker's status text.
    virtual void showWorkerText(const QString& text) { setStatus(text); }

    QPointer<ui::AnimationControl> animation_;

private:
    void begin(std::function<bool(const StopRequested&)> work);
    void finish();

    DetectionWorker worker_;
    std::function<void(bool)> ended_;
    bool running_ = false;
    bool closeWhenEnded_ = false;
    QPointer<QLabel> status_;
};

}  // namespace wizard::na
