// The reader's assembly of responses, fed scripts of pieces, failures and
// targets: what reaches a caller, what fails it and what is skipped.
#include "serial/response_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serial/com_link.h"

namespace {

using serial::AssemblyStep;
using serial::TargetView;

enum class Op { Piece, Failure, Offer };

struct Event {
    Op op;
    std::string bytes;     // the piece; for Offer of a Deliver, the response expected
    std::uint64_t target;  // generation of the armed target; 0: nobody armed
    AssemblyStep expected;
    std::int32_t mode = CComLink::kModeResultCode;
};

constexpr auto kCollect = AssemblyStep{AssemblyStep::Collect};
constexpr auto kDeliver = AssemblyStep{AssemblyStep::Deliver};
constexpr auto kSkip = AssemblyStep{AssemblyStep::Skip};
constexpr auto kDrop = AssemblyStep{AssemblyStep::Drop};
constexpr auto kFail = AssemblyStep{AssemblyStep::Fail, 1005};

struct Script {
    const char* name;
    std::vector<Event> events;
};

TEST(ResponseAssembler, ScriptsOfPiecesFailuresAndTargets) {
    const std::string full(4095, 'x');
    const std::vector<std::string> matches{"B1 up"};
    const Script scripts[] = {
        {"pieces collect until the result code ends the text",
         {{Op::Piece, "AT\r", 1, kCollect},
          {Op::Offer, "", 1, kCollect},
          {Op::Piece, "\r\nOK\r\n", 1, kCollect},
          {Op::Offer, "AT\r\r\nOK\r\n", 1, kDeliver},
          {Op::Offer, "", 1, kCollect}}},
        {"text nobody waits for never reaches a later caller",
         {{Op::Piece, "\r\nSTALE\r\n\r\nOK\r\n", 0, kCollect},
          {Op::Offer, "", 0, kDrop},
          {Op::Piece, "AT\r\r\nOK\r\n", 1, kCollect},
          {Op::Offer, "AT\r\r\nOK\r\n", 1, kDeliver}}},
        {"an overflow fails the caller and skips the response up to its end",
         {{Op::Piece, full, 1, kCollect},
          {Op::Offer, "", 1, kCollect},
          {Op::Piece, "y", 1, kFail},
          {Op::Piece, "\r\nO", 1, kSkip},
          {Op::Offer, "", 1, kCollect},
          {Op::Piece, "K\r\n", 1, kSkip},  // the end: skipping stops here
          {Op::Piece, "AT\r\r\nOK\r\n", 1, kCollect},
          {Op::Offer, "AT\r\r\nOK\r\n", 1, kDeliver}}},
        {"a failed response without an end is left behind once the caller arms again",
         {{Op::Piece, full + "x", 1, kFail},
          {Op::Piece, "xx\r\nOK", 1, kSkip},
          {Op::Piece, "AT\r\r\nOK\r\n", 2, kCollect},
          {Op::Offer, "AT\r\r\nOK\r\n", 2, kDeliver}}},
        {"a failed read drops what was collected; a disarm ends the skipping",
         {{Op::Piece, "AT\r\r\nO", 1, kCollect},
          {Op::Failure, "", 1, kFail},
          {Op::Piece, "K\r", 1, kSkip},
          {Op::Offer, "", 1, kCollect},
          {Op::Piece, "\n", 0, kSkip},
          {Op::Piece, "noise", 0, kCollect},
          {Op::Offer, "", 0, kDrop}}},
        {"failures and overflows with nobody armed fail nobody",
         {{Op::Piece, "AT", 0, kCollect},
          {Op::Failure, "", 0, kDrop},
          {Op::Piece, full, 0, kCollect},
          {Op::Piece, "y", 0, kDrop},
          {Op::Offer, "", 0, kDrop},
          {Op::Piece, "AT\r\r\nOK\r\n", 1, kCollect},
          {Op::Offer, "AT\r\r\nOK\r\n", 1, kDeliver}}},
        {"a match string completes in mode 4, and ends a skip in that mode",
         {{Op::Piece, "line: B1", 1, kCollect, CComLink::kModeMatch},
          {Op::Offer, "", 1, kCollect, CComLink::kModeMatch},
          {Op::Piece, " up", 1, kCollect, CComLink::kModeMatch},
          {Op::Offer, "line: B1 up", 1, kDeliver, CComLink::kModeMatch},
          {Op::Failure, "", 2, kFail, CComLink::kModeMatch},
          {Op::Piece, "B1 up", 2, kSkip, CComLink::kModeMatch},
          {Op::Piece, "B1 up", 2, kCollect, CComLink::kModeMatch}}},
        {"mode 1 hands over every piece as it comes",
         {{Op::Piece, "first", 1, kCollect, CComLink::kModeImmediate},
          {Op::Offer, "first", 1, kDeliver, CComLink::kModeImmediate},
          {Op::Piece, std::string("\x15\0", 2), 1, kCollect, CComLink::kModeImmediate},
          {Op::Offer, std::string("\x15\0", 2), 1, kDeliver, CComLink::kModeImmediate}}},
    };
    for (const Script& script : scripts) {
        SCOPED_TRACE(script.name);
        serial::ResponseAssembler assembler;
        int n = 0;
        for (const Event& e : script.events) {
            SCOPED_TRACE("event " + std::to_string(n++));
            const TargetView view{e.target != 0, e.target, e.mode, matches};
            AssemblyStep step;
            switch (e.op) {
                case Op::Piece:
                    step = assembler.piece(e.bytes, view);
                    break;
                case Op::Failure:
                    step = assembler.failure(1005, view);
                    break;
                case Op::Offer:
                    step = assembler.offer(view);
                    break;
            }
            EXPECT_EQ(step.kind, e.expected.kind);
            EXPECT_EQ(step.status, e.expected.status);
            if (step.kind == AssemblyStep::Deliver) {
                EXPECT_EQ(assembler.takeResponse(), e.bytes);
            }
        }
    }
}

}  // namespace
