#include "wizard/line_sequence.h"

#include <vector>

#include "platform/clock.h"
#include "wizard/area_code_patterns.h"
#include "wizard/data_files.h"

namespace wizard {

namespace {

// Shows each status text for at least kMinTextShowMs (scaled), so a fast
// step never flashes past unread.
class TextPacer {
public:
    explicit TextPacer(const StatusText& sink) : sink_(sink) {}

    void show(std::string_view text) {
        if (shownAt_ != 0) {
            const std::uint64_t minimum =
                static_cast<std::uint64_t>(platform::scaled(kMinTextShowMs).count());
            const std::uint64_t elapsed = platform::tickCountMs() - shownAt_;
            if (elapsed < minimum)
                platform::sleepMs(static_cast<std::uint32_t>(
                    static_cast<double>(minimum - elapsed) / platform::timeScale()));
        }
        if (sink_) sink_(text);
        shownAt_ = platform::tickCountMs();
    }

private:
    const StatusText& sink_;
    std::uint64_t shownAt_ = 0;
};

bool stopped(const StopRequested& stop) {
    return stop && stop();
}

// The line status sequence's state while it runs.
class LineRun {
public:
    LineRun(const LineSequenceSettings& settings, const StatusText& status,
            const StopRequested& stop)
        : settings_(settings), stop_(stop), pacer_(status), detector_(settings.portName) {}

    LineOutcome run() {
        if (steps()) {
            detector_.Close();
            pacer_.show(kTextDetectionDone);
            out_.nextEnabled = true;
        }
        return out_;
    }

private:
    bool steps() {
        if (stopped(stop_)) return stop();
        pacer_.show(kTextConnecting);
        if (const std::int32_t rc = detector_.Open(); rc != kWizOk)
            return fail(rc, kMsgNoNetworkBack, false);
        if (settings_.clearFirst && !clearLine()) return false;
        if (!readStatus()) return false;
        return !out_.status.spidListAvailable || readSpidList();
    }

    // Ends the sequence as a stop does; always false, for `return fail(...)`.
    bool fail(std::int32_t result, std::uint32_t message, bool nextEnabled) {
        detector_.Close();
        out_.result = result;
        out_.message = message;
        out_.nextEnabled = nextEnabled;
        pacer_.show(kTextDetectionStopped);
        return false;
    }

    bool stop() {
        out_.stopped = true;
        return fail(kWizSearchStopped, 0, false);
    }

    // Numbers and SPIDs of the profile emptied, then the activation once the
    // line settled; what it says about a configuration in use does not count
    // any more, as the profile was just cleared.
    bool clearLine() {
        if (stopped(stop_)) return stop();
        pacer_.show(kTextResettingLine);
        if (const std::int32_t rc =
                detector_.ClearLineSettings(settings_.deviceKind, settings_.profileIndex);
            rc != kWizOk)
            return fail(rc, kMsgInitFailed, false);
        out_.cleared = true;

        if (stopped(stop_)) return stop();
        pacer_.show(kTextDetectingType);
        if (!PauseUnlessStopped(kSettleAfterClearMs, stop_)) return stop();
        bool inUse = false;
        const std::int32_t rc = detector_.ReadSpidActivation(inUse);
        if (rc == kWizNoChannel) return fail(rc, kMsgNoNetwork, false);
        if (rc != kWizOk) return fail(rc, 0, true);
        return true;
    }

    bool readStatus() {
        if (stopped(stop_)) return stop();
        if (!settings_.clearFirst) pacer_.show(kTextDetectingType);
        std::int32_t rc = kLineInitInProgress;
        while (rc == kLineInitInProgress && out_.statusPolls < kStatusPolls) {
            if (out_.statusPolls > 0 && !PauseUnlessStopped(kStatusPollWaitMs, stop_))
                return stop();
            rc = detector_.ReadStatus(out_.status);
            ++out_.statusPolls;
        }
        if (rc == kLineInitInProgress) return fail(rc, kMsgNoNetwork, false);
        if (rc == kWizStatusIncomplete) return fail(rc, kMsgWrongFirmware, false);
        if (rc != kWizOk) return fail(rc, 0, true);
        return true;
    }

    bool readSpidList() {
        if (stopped(stop_)) return stop();
        const std::int32_t rc =
            detector_.ReadSpidList(settings_.deviceKind, settings_.connectionType, out_.spidList);
        if (rc != kWizOk) return fail(rc, 0, false);
        LineStatus& s = out_.status;
        s.spidListAvailable = out_.spidList.available;
        s.noSpid1 = s.noSpid1 || out_.spidList.noSpid1;
        s.noSpid2 = s.noSpid2 || out_.spidList.noSpid2;
        return true;
    }

    const LineSequenceSettings& settings_;
    const StopRequested& stop_;
    TextPacer pacer_;
    CLineDetector detector_;
    LineOutcome out_;
};

// "SPID: 01 - 514 - 5551234 - 0101": the pieces of a candidate apart, so the
// user sees which pattern is tried.
std::string candidateText(const SpidPattern& p, const std::string& areaCode,
                          const std::string& number) {
    std::string text = "SPID: ";
    bool first = true;
    for (const std::string& piece :
         {p.prefix, p.includeArea ? areaCode : std::string(), number, p.suffix}) {
        if (piece.empty()) continue;
        if (!first) text += " - ";
        text += piece;
        first = false;
    }
    return text;
}

// The SPID search's state while it runs.
class SpidRun {
public:
    SpidRun(const SpidSearchSettings& settings, SpidSearchState& state,
            const SpidSearchEvents& events, const StopRequested& stop)
        : settings_(settings),
          state_(state),
          events_(events),
          stop_(stop),
          pacer_(events.status),
          detector_(settings.portName) {}

    SpidSearchOutcome run() {
        if (const std::int32_t rc = loadPatterns(); rc != kWizOk) return end(rc);
        if (stopped(stop_)) return end(kWizSearchStopped);
        if (const std::int32_t rc = detector_.Open(); rc != kWizOk) return end(rc);

        if (!settings_.number1.empty()) {
            if (const std::int32_t rc = searchChannel(1); rc != kWizOk) return end(rc);
        }
        if (!state_.spid1Found) {
            if (!settings_.twoNumbers || state_.spid2Found) {
                inform(kMsgNoSpid1);
            } else if (events_.ask && !events_.ask(kMsgAskSearchSpid2)) {
                return end(kWizOk);
            }
        }
        if (settings_.twoNumbers && !state_.spid2Found && !settings_.number2.empty()) {
            if (const std::int32_t rc = searchChannel(2); rc != kWizOk) return end(rc);
            if (!state_.spid2Found) inform(kMsgNoSpid2);
        }
        out_.nextEnabled = true;
        return end(kWizOk);
    }

private:
    SpidSearchOutcome end(std::int32_t result) {
        detector_.Close();
        out_.result = result;
        out_.stopped = result == kWizSearchStopped;
        out_.lineUnreachable = result == kPatternNotApplicable;
        return out_;
    }

    void inform(std::uint32_t message) {
        if (events_.inform) events_.inform(message);
    }

    std::int32_t loadPatterns() {
        const std::string path =
            settings_.areaCodeFile.empty() ? DataFilePath(kAreaCodeFile) : settings_.areaCodeFile;
        AreaCodeTable table;
        if (const std::int32_t rc = LoadAreaCodePatterns(path, table); rc != kWizOk) return rc;
        for (std::size_t i = 0; i < table.count; ++i) {
            SpidPattern p;
            if (const std::int32_t rc = ParsePattern(table.entry(i), p); rc != kWizOk) return rc;
            patterns_.push_back(std::move(p));
        }
        return kWizOk;
    }

    // The pattern that found the other channel's SPID first (numbers of one
    // line usually share it), then every pattern in the file's order.
    std::int32_t searchChannel(int channel) {
        bool& found = channel == 1 ? state_.spid1Found : state_.spid2Found;
        const int other = channel == 1 ? state_.spid2Pattern : state_.spid1Pattern;
        const bool otherFound = channel == 1 ? state_.spid2Found : state_.spid1Found;
        if (otherFound && other >= 0 && static_cast<std::size_t>(other) < patterns_.size()) {
            if (const std::int32_t rc = tryPattern(channel, other); rc != kWizOk) return rc;
        }
        for (std::size_t i = 0; i < patterns_.size() && !found; ++i) {
            if (otherFound && static_cast<int>(i) == other) continue;
            if (const std::int32_t rc = tryPattern(channel, static_cast<int>(i)); rc != kWizOk)
                return rc;
        }
        return kWizOk;
    }

    std::int32_t tryPattern(int channel, int index) {
        if (stopped(stop_)) return kWizSearchStopped;
        const SpidPattern& pattern = patterns_[static_cast<std::size_t>(index)];
        std::string candidate1, candidate2;
        if (BuildSpidCandidates(pattern, settings_.areaCode, settings_.number1, settings_.number2,
                                candidate1, candidate2) != kWizOk)
            return kWizOk;  // a pattern of another area code
        const std::string& candidate = channel == 1 ? candidate1 : candidate2;
        const std::string& number = channel == 1 ? settings_.number1 : settings_.number2;

        pacer_.show(candidateText(pattern, settings_.areaCode, number));
        bool found = false;
        if (const std::int32_t rc = detector_.TestSpid(candidate, found, stop_); rc != kWizOk)
            return rc;
        pacer_.show(found ? kTextSpidFound : kTextSpidNotFound);
        if (events_.tried) events_.tried(candidate, found);
        if (!found) return kWizOk;

        (channel == 1 ? state_.spid1 : state_.spid2) = candidate;
        (channel == 1 ? state_.spid1Found : state_.spid2Found) = true;
        (channel == 1 ? state_.spid1Pattern : state_.spid2Pattern) = index;
        return ApplyDeviceClearedToggle(detector_, state_.deviceCleared, settings_.deviceKind,
                                        settings_.profileIndex);
    }

    const SpidSearchSettings& settings_;
    SpidSearchState& state_;
    const SpidSearchEvents& events_;
    const StopRequested& stop_;
    TextPacer pacer_;
    CLineDetector detector_;
    std::vector<SpidPattern> patterns_;
    SpidSearchOutcome out_;
};

// Tests one typed SPID; false when the check ends here with `out` set.
bool verifyChannel(CLineDetector& detector, int channel, const SpidVerifySettings& settings,
                   SpidSearchState& state, const SpidSearchEvents& events, SpidVerifyOutcome& out) {
    const std::string& typed = channel == 1 ? settings.spid1 : settings.spid2;
    std::string& tested = channel == 1 ? state.spid1 : state.spid2;
    bool& found = channel == 1 ? state.spid1Found : state.spid2Found;
    if (typed == tested && found) return true;
    if (typed.empty()) {
        // Nothing to offer: "AT$I" alone would ask for the SPID list.
        tested.clear();
        found = false;
        return true;
    }

    bool taken = false;
    const std::int32_t rc = detector.TestSpid(typed, taken);
    if (rc == kPatternNotApplicable && events.inform) events.inform(kMsgNotConnected);
    if (rc != kWizOk) {
        out.result = rc;
        return false;
    }
    tested = typed;
    found = taken;
    if (!taken) {
        const std::uint32_t question = channel == 1 ? kMsgAskCorrectSpid1 : kMsgAskCorrectSpid2;
        if (events.ask && events.ask(question)) {
            out.result = kWizCorrectSpid;
            out.channel = channel;
            return false;
        }
        return true;
    }
    out.result = ApplyDeviceClearedToggle(detector, state.deviceCleared, settings.deviceKind,
                                          settings.profileIndex);
    return out.result == kWizOk;
}

}  // namespace

SpidVerifyOutcome VerifyTypedSpids(const SpidVerifySettings& settings, SpidSearchState& state,
                                   const SpidSearchEvents& events) {
    SpidVerifyOutcome out;
    CLineDetector detector(settings.portName);
    if (out.result = detector.Open(); out.result != kWizOk) return out;
    if (!verifyChannel(detector, 1, settings, state, events, out)) return out;
    if (!settings.twoNumbers) return out;
    // The same SPID on both channels is not offered to the switch twice.
    if (settings.spid2 == settings.spid1) {
        if (state.spid2 != settings.spid2 || !state.spid2Found) {
            state.spid2 = settings.spid2;
            state.spid2Found = state.spid1Found;
        }
        return out;
    }
    verifyChannel(detector, 2, settings, state, events, out);
    return out;
}

std::int32_t CheckExistingConfiguration(const std::string& portName, bool& inUse) {
    inUse = false;
    CLineDetector detector(portName);
    if (detector.Open() != kWizOk) return kWizSetupFailed;
    const std::int32_t rc = detector.ReadSpidActivation(inUse);
    return rc == kWizOk || rc == kWizNoChannel ? kWizOk : kWizSetupFailed;
}

LineOutcome RunLineStatusSequence(const LineSequenceSettings& settings, const StatusText& status,
                                  const StopRequested& stop) {
    return LineRun(settings, status, stop).run();
}

SpidSearchOutcome RunSpidSearch(const SpidSearchSettings& settings, SpidSearchState& state,
                                const SpidSearchEvents& events, const StopRequested& stop) {
    return SpidRun(settings, state, events, stop).run();
}

std::int32_t ApplyDeviceClearedToggle(CLineDetector& detector, bool& deviceCleared,
                                      std::int32_t deviceKind, std::int32_t profileIndex) {
    if (!deviceCleared) {
        deviceCleared = true;
        return kWizOk;
    }
    if (const std::int32_t rc = detector.ClearLineSettings(deviceKind, profileIndex); rc != kWizOk)
        return rc;
    deviceCleared = false;
    return kWizOk;
}

// ---- DetectionWorker --------------------------------------------------------

DetectionWorker::~DetectionWorker() {
    requestStop();
    join();
}

void DetectionWorker::start(std::function<bool(const StopRequested& stop)> work,
                            std::function<void()> finished) {
    join();
    stopRequested_ = false;
    done_ = false;
    success_ = false;
    running_ = true;
    thread_.start([this, work = std::move(work), finished = std::move(finished)] {
        const StopRequested stop = [this] { return stopRequested_.load(); };
        success_ = work(stop);
        running_ = false;
        done_ = true;
        if (finished) finished();
    });
}

void DetectionWorker::join() {
    thread_.join();
}

}  // namespace wizard
