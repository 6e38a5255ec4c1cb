#pragma once
// How the reader turns what arrives from the adapter into responses: it
// collects pieces, hands a complete response to the armed caller, fails the
// caller when a read fails or the text outgrows the collecting buffer, and
// then skips the rest of that failed response, so its tail never reaches the
// caller as if it were a whole answer.
//
// Pure: no port, no thread, no lock. The reader feeds it what it read and a
// view of the armed target (taken under the target lock) and carries out the
// step it answers.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace serial {

// What the assembler needs to know of the armed target.
struct TargetView {
    bool armed = false;            // a target is armed and the link delivers
    std::uint64_t generation = 0;  // changes with every arm and disarm
    std::int32_t mode = 0;         // delivery mode
    std::span<const std::string> matches;
};

struct AssemblyStep {
    enum Kind {
        Collect,  // nothing for the caller yet: keep reading
        Deliver,  // a complete response: take it with takeResponse()
        Fail,     // store `status` in the target and wake its caller
        Skip,     // the piece belongs to a failed response and is dropped
        Drop,     // nobody waits: the piece or the collected text is dropped
    } kind = Collect;
    std::int32_t status = 0;

    bool operator==(const AssemblyStep&) const = default;
};

class ResponseAssembler {
public:
    static constexpr std::size_t kDefaultLimit = 4095;  // characters kept
    explicit ResponseAssembler(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // A piece read from the line (never empty).
    AssemblyStep piece(std::string_view bytes, const TargetView& target);
    // A read or the wait for input failed with `status`.
    AssemblyStep failure(std::int32_t status, const TargetView& target);
    // The reader has read everything waiting: is the collected text a
    // response for the target? Collect, Deliver or Drop.
    AssemblyStep offer(const TargetView& target);
    // The delivered response; the assembler starts collecting anew.
    std::string takeResponse();

    bool skipping() const { return skipping_; }
    const std::string& collected() const { return text_; }

private:
    AssemblyStep skip(std::string_view bytes, const TargetView& target);
    void startSkipping(std::uint64_t generation);

    std::size_t limit_;
    std::string text_;
    bool skipping_ = false;
    std::uint64_t failedGeneration_ = 0;  // the target that got the failure
    std::string tail_;                    // the last bytes skipped, to find the end
};

}  // namespace serial
