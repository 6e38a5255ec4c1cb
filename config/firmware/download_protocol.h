#pragma once
// The firmware download as a pure state machine: what the device sent, the
// timers that ran out and the user's cancel go in; the bytes to send, the
// texts to show, the timers to (re)start and the end come out. No I/O and no
// clock of its own: drivers (the download dialog, tactl) run the actions in
// order and feed back what happens.
//
// The download: a short text dialogue puts the device into its loader
// ("at@quit", "AT$Z", "user\r", "at@load", "(y/n)?", "y\r", "loaded\r";
// in loader mode only "AT\r" and "at@load"), then an XMODEM transfer with
// 1024-byte blocks and the 8-bit sum (the receiver starts with NAK) or
// CRC-16 (it starts with "C"), then the device's final text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace firmware {

// Timers of the download; each runs periodically until stopped, and
// starting a running one starts it over.
inline constexpr int kTimerResponse = 1;
inline constexpr int kTimerProgress = 3;
inline constexpr int kTimerStart = 4;
inline constexpr int kTimerSpeed = 5;

// Times in ms, before the time facility's scale.
inline constexpr std::uint32_t kDialogueTimeoutMs = 30000;
inline constexpr std::uint32_t kBlockTimeoutMs = 4000;
inline constexpr std::uint32_t kProgressMs = 2500;
inline constexpr std::uint32_t kStartDelayMs = 500;
inline constexpr std::uint32_t kQuitPauseMs = 4000;    // after "at@quit"
inline constexpr std::uint32_t kLoaderPauseMs = 2000;  // after "AT\r" in loader mode
inline constexpr std::uint32_t kRestartPauseMs = 10000;
// Time-outs in a row that end the download, and NAKs in a row for one block.
inline constexpr int kMaxTimeouts = 3;
inline constexpr int kMaxNaks = 10;

struct Action {
    enum class Kind {
        Send,            // text: the bytes
        Pause,           // value: ms during which nothing else is done
        StartTimer,      // timer, value: period in ms
        StopTimer,       // timer
        DetectSpeed,     // find the port's best speed and store it
        OpenPort,        // open the port and arm it; answer with portOpened()
        ActionLine,      // text
        ProgressLine,    // text
        Progress,        // value: percent, bytes: sent so far
        StartAnimation,  // the first block was acknowledged
        TransferDone,    // every byte is out; the device now programs itself
        End,             // value: result; messageId/text: what to tell (0: nothing)
    };
    Kind kind;
    std::string text{};
    std::int32_t value = 0;
    int timer = 0;
    std::uint32_t messageId = 0;
    std::uint64_t bytes = 0;
    // End: whether the download must be closed (the port was opened): the
    // response target disarmed, a pause for the device's restart, the port closed.
    bool closeDownload = false;
};
using Actions = std::vector<Action>;

struct DownloadSetup {
    std::string image;    // the image file's bytes, sent unchanged
    std::string version;  // the image's version text, for the action line
    std::int32_t kind = 0;
    bool loaderMode = false;  // the device runs only its boot loader
};

class DownloadProtocol {
public:
    enum class State {
        WaitUser,     // 0: "user\r" from the monitor
        WaitConfirm,  // 1: "(y/n)?"
        WaitLoaded,   // 2: "loaded\r"
        WaitStart,    // 3: the receiver's NAK or "C"
        Sending,      // 4
        EotSent,      // 5
        AbortSent,    // 6
        WaitFinal,    // 7: the device's final text
    };

    explicit DownloadProtocol(DownloadSetup setup);

    Actions begin();
    Actions timer(int id, std::uint64_t nowMs);
    // The outcome of an OpenPort action: 0, or the reason it failed.
    Actions portOpened(std::int32_t status);
    Actions received(std::string_view piece, std::uint64_t nowMs);
    Actions cancel();

    State state() const { return state_; }
    bool ended() const { return ended_; }
    std::int32_t result() const { return result_; }
    bool crcMode() const { return crc_; }
    std::uint8_t blockNumber() const { return blockNumber_; }
    std::size_t bytesSent() const { return bytesSent_; }
    std::size_t blocksSent() const { return blocksSent_; }

private:
    void sendNext(Actions& out);
    void sendBlock(Actions& out, std::string block, bool fresh);
    void sendEot(Actions& out, bool fresh);
    void restartResponseTimer(Actions& out, std::uint32_t ms, bool fresh);
    void sendAbort(Actions& out, bool fresh);
    void onTransferChar(Actions& out, char c, std::uint64_t nowMs);
    void onNak(Actions& out);
    void estimate(Actions& out, std::uint64_t nowMs);
    void deviceCancelled(Actions& out);
    void end(Actions& out, std::int32_t result, std::uint32_t messageId);
    // Appends to the collector; once it holds `word`, empties it and gives
    // what followed the word.
    std::optional<std::string> collect(std::string_view piece, std::string_view word);
    void finalText(Actions& out, std::string_view piece);

    DownloadSetup setup_;
    State state_ = State::WaitUser;
    bool running_ = false;  // the port is open and the dialogue runs
    bool portOpen_ = false;
    bool ended_ = false;
    std::int32_t result_ = 0;
    std::string collector_;
    bool crc_ = false;
    std::uint8_t blockNumber_ = 1;
    std::size_t bytesSent_ = 0;
    std::size_t blocksSent_ = 0;
    std::string lastBlock_;
    bool acknowledged_ = false;
    bool transferDoneShown_ = false;
    int retries_ = 0;
    int naks_ = 0;
    bool userCancelled_ = false;
    bool abortPending_ = false;
    std::uint64_t estimateTime_ = 0;
    std::size_t estimateBlocks_ = 0;
    double msPerBlock_ = 0;
};

}  // namespace firmware
