#pragma once
// The two long conversations of the North-American wizard with the line: the
// line status sequence of the connection page and the SPID search of the SPID
// test page. Each runs start to end on the calling thread (tactl) or on a
// DetectionWorker (the pages), reports every status text through a callback,
// and looks at the stop request between its steps. Nothing here touches a
// window: a page turns the callbacks into its status line and buttons.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/gui_thread.h"
#include "wizard/line_detector.h"

namespace wizard {

// Status texts of the connection page.
inline constexpr const char* kTextDetectionSoon = "Erkennung startet gleich.";
inline constexpr const char* kTextConnecting = "Verbindet mit dem ISDN-Netzwerk ...";
inline constexpr const char* kTextResettingLine = "Setzt Leitung zurück ...";
inline constexpr const char* kTextDetectingType = "Erkennt Verbindungstyp...";
inline constexpr const char* kTextDetectionDone = "Erkennung ist abgeschlossen.";
inline constexpr const char* kTextDetectionStopped = "Erkennung wurde gestoppt.";
inline constexpr const char* kTextDetectionStopping = "Erkennung wird gestoppt ...";
// Status texts of the SPID test page.
inline constexpr const char* kTextSpidSearchStopping = "SPID-Erkennung wird gestoppt ...";
inline constexpr const char* kTextSpidFound = "Erfolgreich";
inline constexpr const char* kTextSpidNotFound = "Nicht erkannt";

// Messages of the detection (wizard caption, warning icon); 1238, 1242 and
// 1276 are Yes/No questions.
inline constexpr std::uint32_t kMsgNoNetworkBack = 1254;    // the port did not open
inline constexpr std::uint32_t kMsgNoNetwork = 1271;        // no channel, or never initialised
inline constexpr std::uint32_t kMsgInitFailed = 1305;       // clearing the line failed
inline constexpr std::uint32_t kMsgWrongFirmware = 1290;    // status listing not understood
inline constexpr std::uint32_t kMsgNotConnected = 1273;     // "NO CARRIER" to a typed SPID
inline constexpr std::uint32_t kMsgAskSearchSpid2 = 1238;   // no SPID 1: go on with number 2?
inline constexpr std::uint32_t kMsgNoSpid1 = 1243;          // no SPID 1 found
inline constexpr std::uint32_t kMsgNoSpid2 = 1304;          // no SPID 2 found
inline constexpr std::uint32_t kMsgAskCorrectSpid1 = 1242;  // typed SPID 1 refused: change it?
inline constexpr std::uint32_t kMsgAskCorrectSpid2 = 1276;  // typed SPID 2 refused: change it?
inline constexpr std::uint32_t kMsgAskStopSearch = 1279;    // stop the SPID search?

// The German text of one of the messages above; empty for another id.
VELKA_WIZARD_EXPORT std::string_view LineMessageText(std::uint32_t id);

// The line status sequence polls a line that is still coming up this often.
inline constexpr int kStatusPolls = 50;
inline constexpr std::uint32_t kStatusPollWaitMs = 2000;
inline constexpr std::uint32_t kSettleAfterClearMs = 5000;
inline constexpr std::uint32_t kMinTextShowMs = 500;

using StatusText = std::function<void(std::string_view text)>;

struct LineSequenceSettings {
    std::string portName;
    std::int32_t deviceKind = 1;
    std::int32_t connectionType = kConnectionMultilinkPpp;
    std::int32_t profileIndex = 0;
    // The wizard always clears the profile's numbers and SPIDs first and
    // reads the activation once the line settled; `tactl line` only on ask.
    bool clearFirst = true;
};

struct LineOutcome {
    std::int32_t result = 0;    // 0, a detector code, 13100 when stopped
    std::uint32_t message = 0;  // the message a page shows (kMsg...), 0 none
    bool nextEnabled = false;   // else only the back button
    bool stopped = false;
    bool cleared = false;  // the profile was cleared: the device-cleared toggle goes to 0
    int statusPolls = 0;   // status listings read
    LineStatus status;
    SpidList spidList;
};

// Open, (clear, settle, read the activation), poll the status, read the SPID
// list when the line hands SPIDs out, close. The port is closed at every end.
VELKA_WIZARD_EXPORT LineOutcome RunLineStatusSequence(const LineSequenceSettings& settings,
                                                      const StatusText& status,
                                                      const StopRequested& stop);

struct SpidSearchSettings {
    std::string portName;
    std::int32_t deviceKind = 1;
    std::int32_t profileIndex = 0;
    std::string areaCodeFile;  // AREACODE.INI; empty: the installed one
    std::string areaCode;
    std::string number1;
    std::string number2;
    bool twoNumbers = true;
};

// Kept by the page between searches (and by the entry page's check).
struct SpidSearchState {
    std::string spid1, spid2;
    bool spid1Found = false;
    bool spid2Found = false;
    int spid1Pattern = -1;  // index of the pattern that found the SPID
    int spid2Pattern = -1;
    bool deviceCleared = false;  // the device-cleared toggle
};

struct SpidSearchEvents {
    StatusText status;
    // After each test: the candidate and whether the switch took it.
    std::function<void(const std::string& candidate, bool found)> tried;
    // A message to show (kMsgNoSpid1, kMsgNoSpid2); the search goes on.
    std::function<void(std::uint32_t message)> inform;
    // A Yes/No question (kMsgAskSearchSpid2); true is Yes. Unset: Yes.
    std::function<bool(std::uint32_t message)> ask;
};

struct SpidSearchOutcome {
    std::int32_t result = 0;  // 0, a detector or AREACODE.INI code, 200, 13100
    bool nextEnabled = false;
    bool lineUnreachable = false;  // a test got "NO CARRIER"
    bool stopped = false;
};

// Tries the patterns of AREACODE.INI for number 1 and, with two numbers, for
// number 2, and keeps what it finds in `state`.
VELKA_WIZARD_EXPORT SpidSearchOutcome RunSpidSearch(const SpidSearchSettings& settings,
                                                    SpidSearchState& state,
                                                    const SpidSearchEvents& events,
                                                    const StopRequested& stop);

struct SpidVerifySettings {
    std::string portName;
    std::int32_t deviceKind = 1;
    std::int32_t profileIndex = 0;
    bool twoNumbers = true;
    std::string spid1, spid2;  // as typed
};

struct SpidVerifyOutcome {
    // 0; 13014 when the user chose to correct `channel`'s SPID; 200 when
    // the switch is out of reach (message 1273 was shown); another detector
    // code.
    std::int32_t result = 0;
    int channel = 0;  // the SPID field to focus (1 or 2) with 13014
};

// The SPID entry page's check on next: each typed SPID that changed since
// the last test, or was not found then, is tested; `state` keeps what was
// tested and whether the switch took it. `events.ask` gets 1242 or 1276
// (true: correct it), `events.inform` 1273.
VELKA_WIZARD_EXPORT SpidVerifyOutcome VerifyTypedSpids(const SpidVerifySettings& settings,
                                                       SpidSearchState& state,
                                                       const SpidSearchEvents& events);

// The existing-configuration check of the NA driver: open, read the SPID
// activation, close. 0 with `inUse` (also when no channel is activated), or
// 13000 when the port or the line cannot be used.
VELKA_WIZARD_EXPORT std::int32_t CheckExistingConfiguration(const std::string& portName,
                                                            bool& inUse);

// A SPID the switch took: every second one starts from a cleared profile, so
// the adapter never holds more SPIDs than it has channels. 0 or the clearing's
// code.
VELKA_WIZARD_EXPORT std::int32_t ApplyDeviceClearedToggle(CLineDetector& detector,
                                                          bool& deviceCleared,
                                                          std::int32_t deviceKind,
                                                          std::int32_t profileIndex);

// One sequence on its own thread with the flags page and worker share:
// running, stop requested, done, success. Joined when it goes; joined on the
// user-interface thread, the wait runs what the worker queued for that
// thread (a question), so it never deadlocks.
class VELKA_WIZARD_EXPORT DetectionWorker {
public:
    DetectionWorker() = default;
    ~DetectionWorker();
    DetectionWorker(const DetectionWorker&) = delete;
    DetectionWorker& operator=(const DetectionWorker&) = delete;

    // Runs `work` on a new thread (a finished one is joined first); its
    // return value is the success flag. `work` gets the stop question;
    // `finished` runs on the worker once the flags are set (a page queues
    // its end handling from there onto its own thread).
    void start(std::function<bool(const StopRequested& stop)> work,
               std::function<void()> finished = {});
    void requestStop() { stopRequested_ = true; }
    void withdrawStop() { stopRequested_ = false; }
    bool stopRequested() const { return stopRequested_; }
    bool running() const { return running_; }
    bool done() const { return done_; }
    bool succeeded() const { return success_; }
    void join();

private:
    std::atomic<bool> running_{false}, stopRequested_{false}, done_{false}, success_{false};
    ui::WorkerThread thread_;
};

}  // namespace wizard
