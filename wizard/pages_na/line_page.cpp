#include "wizard/pages_na/line_page.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "ui/animation_control.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard::na {

LinePage::LinePage(int dialogId, QString header)
    : CWizPageNA(dialogId, std::move(header), PageRole::Middle) {}

LinePage::~LinePage() {
    worker_.requestStop();
    worker_.join();
}

void LinePage::addProgress(QVBoxLayout* body) {
    auto* animation = new ui::AnimationControl(this);
    ui::setResourceId(animation, IDC_NA_ANIMATION);
    animation->open(IDR_CONNECT_ANIMATION);
    body->addWidget(animation, 0, Qt::AlignHCenter);
    animation_ = animation;
    status_ = addText(body, IDC_NA_STATUS, QString());
    status_->setAlignment(Qt::AlignHCenter);
}

void LinePage::setStatus(const QString& text) {
    if (status_) status_->setText(text);
}

StatusText LinePage::statusSink() {
    return [this](std::string_view text) {
        Post(this, [this, t = QString::fromUtf8(text.data(), qsizetype(text.size()))] {
            showWorkerText(t);
        });
    };
}

void LinePage::run(std::uint32_t delayMs, std::function<bool(const StopRequested&)> work,
                   std::function<void(bool)> ended) {
    ended_ = std::move(ended);
    running_ = true;
    worker_.withdrawStop();
    wizardSheet()->setWizardButtons(0);
    QTimer::singleShot(platform::scaled(delayMs), this,
                       [this, work = std::move(work)] { begin(work); });
}

void LinePage::begin(std::function<bool(const StopRequested&)> work) {
    // Cancelled during the pause before the start: nothing to stop.
    if (closeWhenEnded_) return finish();
    if (animation_) {
        animation_->show();
        animation_->play();
    }
    worker_.start(std::move(work), [this] { Post(this, [this] { finish(); }); });
}

void LinePage::finish() {
    worker_.join();
    running_ = false;
    if (animation_) animation_->stop();
    if (closeWhenEnded_) {
        // The cancel query below lets the sheet go without asking again.
        wizardSheet()->setEndCode(kEndCancelled);
        wizardSheet()->pressButton(ui::SheetButton::Cancel);
        return;
    }
    if (ended_) ended_(worker_.succeeded());
}

void LinePage::requestStop(const QString& stoppingText) {
    setStatus(stoppingText);
    worker_.requestStop();
}

bool LinePage::onQueryCancel() {
    if (closeWhenEnded_) return !running_;
    if (!running_) return CWizPageNA::onQueryCancel();
    if (Message(this, IDS_CONFIRM_CANCEL, ui::Icon::Warning, ui::Buttons::YesNo) != ui::IDYES)
        return false;
    // The sheet stays until the worker has closed the port.
    closeWhenEnded_ = true;
    requestStop(QString::fromUtf8(kTextDetectionStopping));
    return false;
}

}  // namespace wizard::na
