#pragma once
// A dialog facility for tests: message boxes and file dialogs are answered
// from queues instead of waiting for a user, and everything shown is kept
// for the test to read (id, text, caption, icon, buttons).
//
//   ui::ScriptedDialogs dialogs;          // installed while it lives
//   dialogs.answer(ui::IDYES);
//   ... code under test shows a Yes/No box ...
//   EXPECT_EQ(dialogs.messages().at(0).stringId, 1021u);
//
// A box without a queued answer takes its default button (OK, Yes, Retry)
// and counts as unanswered, so a test can tell a box it did not expect.
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "ui/dialog_facility.h"

#include "ui/ui_export.h"

namespace ui {

struct VELKA_UI_EXPORT ShownMessage {
    std::uint32_t stringId = 0;
    std::string text;
    std::string caption;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::uint32_t helpContext = 0;
    bool hadOwner = false;
    int answer = 0;
};

class VELKA_UI_EXPORT ScriptedDialogs : public DialogFacility {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Queues the answer of the next message box.
    void answer(int result);
    // Answers boxes by looking at them; runs while the box is "open", so it
    // may also inspect the widgets behind it. Used when the queue is empty.
    void answerWith(std::function<int(const ShownMessage&)> answerer);
    // Queues the outcome of the next file dialog.
    void answerFile(std::string path);
    void cancelFile();

    std::vector<ShownMessage> messages() const;
    std::vector<std::uint32_t> messageIds() const;
    std::vector<FileRequest> fileRequests() const;
    int unanswered() const;
    void clear();

    int messageBox(const MessageRequest& request) override;
    FileAnswer fileDialog(const FileRequest& request) override;

private:
    mutable std::mutex mutex_;
    std::deque<int> answers_;
    std::deque<FileAnswer> fileAnswers_;
    std::function<int(const ShownMessage&)> answerer_;
    std::vector<ShownMessage> shown_;
    std::vector<FileRequest> fileRequests_;
    int unanswered_ = 0;
    ScopedDialogFacility installed_;
};

}  // namespace ui
