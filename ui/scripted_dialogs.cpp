#include "ui/scripted_dialogs.h"

#include "ui/framework_ids.h"
#include "ui/native_dialogs.h"

namespace ui {

ScriptedDialogs::ScriptedDialogs() : installed_(*this) {}
ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::answer(int result) {
    std::lock_guard lock(mutex_);
    answers_.push_back(result);
}

void ScriptedDialogs::answerWith(std::function<int(const ShownMessage&)> answerer) {
    std::lock_guard lock(mutex_);
    answerer_ = std::move(answerer);
}

void ScriptedDialogs::answerFile(std::string path) {
    std::lock_guard lock(mutex_);
    fileAnswers_.push_back({IDOK, std::move(path)});
}

void ScriptedDialogs::cancelFile() {
    std::lock_guard lock(mutex_);
    fileAnswers_.push_back({IDCANCEL, {}});
}

std::vector<ShownMessage> ScriptedDialogs::messages() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

std::vector<std::uint32_t> ScriptedDialogs::messageIds() const {
    std::lock_guard lock(mutex_);
    std::vector<std::uint32_t> ids;
    for (const auto& m : shown_) ids.push_back(m.stringId);
    return ids;
}

std::vector<FileRequest> ScriptedDialogs::fileRequests() const {
    std::lock_guard lock(mutex_);
    return fileRequests_;
}

int ScriptedDialogs::unanswered() const {
    std::lock_guard lock(mutex_);
    return unanswered_;
}

void ScriptedDialogs::clear() {
    std::lock_guard lock(mutex_);
    answers_.clear();
    fileAnswers_.clear();
    shown_.clear();
    fileRequests_.clear();
    unanswered_ = 0;
}

int ScriptedDialogs::messageBox(const MessageRequest& request) {
    ShownMessage shown{
        request.stringId, request.text,        request.caption,          request.icon,
        request.buttons,  request.helpContext, request.owner != nullptr, 0};
    std::function<int(const ShownMessage&)> answerer;
    std::size_t index = 0;
    {
        std::lock_guard lock(mutex_);
        if (!answers_.empty()) {
            shown.answer = answers_.front();
            answers_.pop_front();
        } else if (answerer_) {
            answerer = answerer_;
        } else {
            shown.answer = defaultAnswer(request.buttons);
            ++unanswered_;
        }
        index = shown_.size();
        shown_.push_back(shown);
    }
    if (!answerer) return shown.answer;
    // The answerer runs unlocked: it may show further boxes itself.
    const int result = answerer(shown);
    std::lock_guard lock(mutex_);
    if (index < shown_.size()) shown_[index].answer = result;
    return result;
}

FileAnswer ScriptedDialogs::fileDialog(const FileRequest& request) {
    std::lock_guard lock(mutex_);
    fileRequests_.push_back(request);
    if (fileAnswers_.empty()) {
        ++unanswered_;
        return {IDCANCEL, {}};
    }
    FileAnswer a = fileAnswers_.front();
    fileAnswers_.pop_front();
    return a;
}

}  // namespace ui
