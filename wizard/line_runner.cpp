#include "wizard/line_runner.h"

#include <utility>

#include "ui/gui_thread.h"

CLineRunner::CLineRunner(QObject* parent) : QObject(parent) {}

CLineRunner::~CLineRunner() {
    worker_.requestStop();
    worker_.join();
}

// Every signal leaves from the page's thread, in the order the worker sent
// them, however a page connects to it.
void CLineRunner::post(std::function<void()> emitter) {
    QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
}

wizard::StatusText CLineRunner::statusSink() {
    return [this](std::string_view text) {
        const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        post([this, t] { emit statusText(t); });
    };
}

void CLineRunner::StartLineStatus(const wizard::LineSequenceSettings& settings) {
    worker_.start(
        [this, settings](const wizard::StopRequested& stop) {
            line_ = wizard::RunLineStatusSequence(settings, statusSink(), stop);
            return line_.result == wizard::kWizOk;
        },
        [this] { post([this] { emit finished(); }); });
}

void CLineRunner::StartSpidSearch(const wizard::SpidSearchSettings& settings,
                                  const wizard::SpidSearchState& state,
                                  std::function<bool(std::uint32_t message)> ask,
                                  std::function<void(std::uint32_t message)> inform) {
    wizard::SpidSearchEvents events;
    events.status = statusSink();
    events.tried = [this](const std::string& candidate, bool found) {
        const QString c = QString::fromStdString(candidate);
        post([this, c, found] { emit spidTried(c, found); });
    };
    // A message box belongs to the page's thread; the worker waits for it.
    if (ask)
        events.ask = [ask = std::move(ask)](std::uint32_t message) {
            return ui::callOnGuiThread([&] { return ask(message); });
        };
    if (inform)
        events.inform = [inform = std::move(inform)](std::uint32_t message) {
            ui::runOnGuiThread([&] { inform(message); });
        };
    worker_.start(
        [this, settings, state, events](const wizard::StopRequested& stop) {
            spidState_ = state;
            spid_ = wizard::RunSpidSearch(settings, spidState_, events, stop);
            return spid_.result == wizard::kWizOk;
        },
        [this] { post([this] { emit finished(); }); });
}
