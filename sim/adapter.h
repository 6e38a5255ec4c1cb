#pragma once
// sim::Adapter: the simulated adapter's firmware as a pure state machine.
// Bytes from the host go in, the bytes the adapter sends come out, in order,
// together with the instruction to drop the line. No I/O, no threads: the
// PtyAdapter (sim/pty_adapter.h) or a test drives it.
//
// Times: the engine never reads a clock. Every call carries the current
// time in milliseconds (any monotonic origin); timed behaviour (the download
// receiver's start character, its block time-out, the pause before the final
// text) is reported through nextDeadline() and run by poll().
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/scenario.h"

namespace sim {

struct Output {
    enum class Kind { Send, Vanish } kind = Kind::Send;
    std::string bytes;
};
using Outputs = std::vector<Output>;

inline constexpr std::uint64_t kNoDeadline = ~0ull;

class AdapterState;

class Adapter {
public:
    explicit Adapter(Scenario scenario);
    ~Adapter();
    Adapter(const Adapter&) = delete;
    Adapter& operator=(const Adapter&) = delete;

    // Bytes the host sent while its line ran at `lineSpeed` bit/s. Above the
    // scenario's highest speed the adapter cannot make sense of them and
    // stays silent.
    Outputs receive(std::string_view bytes, std::uint32_t lineSpeed, std::uint64_t nowMs);
    // Runs what fell due by `nowMs`.
    Outputs poll(std::uint64_t nowMs);
    std::uint64_t nextDeadline() const;

    // Every command line received ('<') and every reply sent ('>').
    using TranscriptSink = std::function<void(char direction, std::string_view text)>;
    void setTranscript(TranscriptSink sink);

    const Scenario& scenario() const;
    // Stored profiles as "param=value" lines per profile plus "&Y=<n>"; what
    // a state file keeps between runs.
    std::string saveState() const;
    std::int32_t loadState(std::string_view text);
    // True once after each change of the stored profiles (&W, &Y, at>f).
    bool takeStateChanged();

    // The image the last completed download delivered (empty before one).
    const std::string& receivedImage() const;
    std::uint32_t commandCount() const;
    bool vanished() const;

private:
    std::unique_ptr<AdapterState> s_;
};

}  // namespace sim
