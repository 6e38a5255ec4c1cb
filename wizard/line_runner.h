#pragma once
// CLineRunner: the pages' side of a detection. It runs the line status
// sequence or the SPID search on its DetectionWorker and hands every status
// text, tested candidate and the end to the page's thread as queued signals,
// so the page's event loop keeps running (and the window stays live) for the
// minutes a line may take. Questions and messages of the search run on the
// page's thread while the worker waits for the answer.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "wizard/line_sequence.h"

class VELKA_WIZARD_EXPORT CLineRunner : public QObject {
    Q_OBJECT
public:
    explicit CLineRunner(QObject* parent = nullptr);
    ~CLineRunner() override;  // stops a running detection and waits for it

    void StartLineStatus(const wizard::LineSequenceSettings& settings);
    // `ask` answers the Yes/No questions (true: Yes), `inform` shows a
    // message; both run on the page's thread. `state` is where the search
    // starts from; SpidState() holds it once finished() came.
    void StartSpidSearch(const wizard::SpidSearchSettings& settings,
                         const wizard::SpidSearchState& state,
                         std::function<bool(std::uint32_t message)> ask,
                         std::function<void(std::uint32_t message)> inform);

    void RequestStop() { worker_.requestStop(); }
    void WithdrawStop() { worker_.withdrawStop(); }
    bool Running() const { return worker_.running(); }

    // Valid once finished() came.
    const wizard::LineOutcome& LineResult() const { return line_; }
    const wizard::SpidSearchOutcome& SpidResult() const { return spid_; }
    const wizard::SpidSearchState& SpidState() const { return spidState_; }

signals:
    void statusText(const QString& text);
    void spidTried(const QString& candidate, bool found);
    void finished();

private:
    void post(std::function<void()> emitter);
    wizard::StatusText statusSink();

    wizard::DetectionWorker worker_;
    wizard::LineOutcome line_;
    wizard::SpidSearchOutcome spid_;
    wizard::SpidSearchState spidState_;
};
