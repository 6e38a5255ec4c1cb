#include "serial/response_assembler.h"

#include "platform/status_codes.h"
#include "serial/response_rules.h"

namespace serial {

namespace {
constexpr std::size_t kTailKeep = 256;  // longer than any result code or match string
}  // namespace

AssemblyStep ResponseAssembler::piece(std::string_view bytes, const TargetView& target) {
    // Once a caller has armed again, what comes now may be the answer to its
    // next command, so it is collected, not skipped.
    if (skipping_ && target.armed && target.generation != failedGeneration_) {
        skipping_ = false;
        tail_.clear();
    }
    if (skipping_) return skip(bytes, target);
    if (text_.size() + bytes.size() <= limit_) {
        text_.append(bytes);
        return {AssemblyStep::Collect};
    }
    // A response that outgrows the collecting buffer can never complete; the
    // waiting caller learns so now instead of waiting for a result code that
    // would be dropped.
    if (!target.armed) return {AssemblyStep::Drop};
    text_.clear();
    startSkipping(target.generation);
    skip(bytes, target);  // the piece that did not fit is part of the failed response
    return {AssemblyStep::Fail, kLinkReadFailed};
}

AssemblyStep ResponseAssembler::failure(std::int32_t status, const TargetView& target) {
    // What was collected is cut off: no caller may take it for an answer.
    text_.clear();
    if (!target.armed) {
        skipping_ = false;
        tail_.clear();
        return {AssemblyStep::Drop};
    }
    startSkipping(target.generation);
    return {AssemblyStep::Fail, status};
}

AssemblyStep ResponseAssembler::offer(const TargetView& target) {
    if (skipping_ || text_.empty()) return {AssemblyStep::Collect};
    if (!target.armed) {
        text_.clear();
        return {AssemblyStep::Drop};
    }
    if (!isCompleteResponse(target.mode, text_, target.matches)) return {AssemblyStep::Collect};
    return {AssemblyStep::Deliver};
}

std::string ResponseAssembler::takeResponse() {
    std::string response = std::move(text_);
    text_.clear();
    return response;
}

// The failed response ends with its completion, as the failed target would
// have recognised it; a target gone or replaced leaves nobody to protect.
AssemblyStep ResponseAssembler::skip(std::string_view bytes, const TargetView& target) {
    tail_.append(bytes);
    if (tail_.size() > kTailKeep) tail_.erase(0, tail_.size() - kTailKeep);
    if (!target.armed || target.generation != failedGeneration_ ||
        isCompleteResponse(target.mode, tail_, target.matches)) {
        skipping_ = false;
        tail_.clear();
    }
    return {AssemblyStep::Skip};
}

void ResponseAssembler::startSkipping(std::uint64_t generation) {
    skipping_ = true;
    failedGeneration_ = generation;
    tail_.clear();
}

}  // namespace serial
