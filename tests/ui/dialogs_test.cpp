// Message boxes by string id and file dialogs through the scripted facility,
// the classic filter text, the real boxes when nobody can answer, and boxes
// asked for by a worker thread.
#include <gtest/gtest.h>

#include <QThread>
#include <QWidget>
#include <thread>

#include "tests/ui/ui_test_support.h"
#include "ui/dialog_facility.h"
#include "ui/file_filter.h"
#include "ui/framework_ids.h"
#include "ui/gui_thread.h"
#include "ui/native_dialogs.h"
#include "ui/scripted_dialogs.h"

namespace {

const platform::StringEntry kEntries[] = {
    {1021,
     "Diese Aktion setzt die Einstellungen auf die Standardeinstellungen zurück. Wirklich "
     "zurücksetzen?"},
    {1165, "Zu Standardeinstellungen zurücksetzen"},
    {1316, "Die max. COMport-Geschwindigkeit ist %1!.1d!kbps."},
};
const platform::StringTable kTable{kEntries};

TEST(ScriptedDialogs, AnswersInOrderAndRecordsWhatWasShown) {
    uitest::app();
    ui::ScriptedDialogs dialogs;
    dialogs.answer(ui::IDNO);
    dialogs.answer(ui::IDRETRY);
    QWidget owner;

    EXPECT_EQ(ui::messageBox(&owner, kTable, 1021, ui::Icon::Error, ui::Buttons::YesNo,
                             kTable.text(1165)),
              ui::IDNO);
    EXPECT_EQ(ui::messageBox(nullptr, kTable, 1316, ui::Icon::Information, ui::Buttons::RetryCancel,
                             {}, {std::int64_t(57)}),
              ui::IDRETRY);
    // Nothing queued: the default button, counted as unanswered.
    EXPECT_EQ(ui::messageBox(nullptr, "The resources available to this application are low.", "",
                             ui::Icon::None, ui::Buttons::YesNo),
              ui::IDYES);

    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].stringId, 1021u);
    EXPECT_EQ(shown[0].caption, "Zu Standardeinstellungen zurücksetzen");
    EXPECT_EQ(shown[0].icon, ui::Icon::Error);
    EXPECT_EQ(shown[0].buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(shown[0].hadOwner);
    EXPECT_EQ(shown[0].helpContext, 0x30000u + 1021);
    EXPECT_EQ(shown[0].answer, ui::IDNO);
    EXPECT_EQ(shown[1].text, "Die max. COMport-Geschwindigkeit ist 57kbps.");
    EXPECT_FALSE(shown[1].hadOwner);
    EXPECT_EQ(shown[2].stringId, 0u);
    EXPECT_EQ(dialogs.unanswered(), 1);
}

TEST(ScriptedDialogs, AnswererSeesTheBoxAndMayShowAnother) {
    ui::ScriptedDialogs dialogs;
    dialogs.answerWith([](const ui::ShownMessage& m) {
        if (m.stringId == 1021) {
            // A box shown while another is open is recorded after it.
            return ui::messageBox(nullptr, kTable, 1165) == ui::IDOK ? ui::IDYES : ui::IDNO;
        }
        return ui::IDOK;
    });
    EXPECT_EQ(ui::messageBox(nullptr, kTable, 1021, ui::Icon::Question, ui::Buttons::YesNo),
              ui::IDYES);
    EXPECT_EQ(dialogs.messageIds(), (std::vector<std::uint32_t>{1021, 1165}));
    EXPECT_EQ(dialogs.messages()[0].answer, ui::IDYES);
    EXPECT_EQ(dialogs.unanswered(), 0);
}

TEST(ScriptedDialogs, NestedFacilitiesComeBackInOrderAndSeeOtherThreads) {
    ui::ScriptedDialogs outer;
    {
        ui::ScriptedDialogs inner;
        ui::messageBox(nullptr, kTable, 1165);
        EXPECT_EQ(inner.messages().size(), 1u);
    }
    EXPECT_EQ(&ui::dialogs(), &outer);
    outer.answer(ui::IDCANCEL);
    int answer = 0;
    std::thread worker([&] { answer = ui::messageBox(nullptr, kTable, 1165); });
    worker.join();
    EXPECT_EQ(answer, ui::IDCANCEL);
    EXPECT_EQ(outer.messageIds(), std::vector<std::uint32_t>{1165});
}

TEST(ScriptedDialogs, FileDialogsAreAnsweredAndRecorded) {
    ui::ScriptedDialogs dialogs;
    dialogs.answerFile("/tmp/Profile von COM1.prf");
    dialogs.cancelFile();
    ui::FileRequest save;
    save.save = true;
    save.initialName = "Profile von COM1";
    const ui::FileAnswer first = ui::fileDialog(save);
    EXPECT_EQ(first.result, ui::IDOK);
    EXPECT_EQ(first.path, "/tmp/Profile von COM1.prf");
    EXPECT_EQ(ui::fileDialog(save).result, ui::IDCANCEL);
    EXPECT_EQ(ui::fileDialog(save).result, ui::IDCANCEL) << "unanswered means cancelled";
    EXPECT_EQ(dialogs.unanswered(), 1);
    ASSERT_EQ(dialogs.fileRequests().size(), 3u);
    EXPECT_TRUE(dialogs.fileRequests()[0].save);
    EXPECT_EQ(dialogs.fileRequests()[0].initialName, "Profile von COM1");
}

TEST(NativeDialogs, WithoutADisplayTheDefaultButtonAnswersAtOnce) {
    uitest::app();
    ui::NativeDialogs native;
    ui::MessageRequest request;
    request.text = "Gerätetypen stimmen nicht überein.";
    request.buttons = ui::Buttons::YesNo;
    EXPECT_EQ(native.messageBox(request), ui::IDYES);
    request.buttons = ui::Buttons::RetryCancel;
    EXPECT_EQ(native.messageBox(request), ui::IDRETRY);
    EXPECT_EQ(native.fileDialog(ui::FileRequest{}).result, ui::IDCANCEL);
}

// The user-interface thread waits for a worker without running its event
// loop, and the worker asks for a box meanwhile: the wait itself must show
// it, or both threads wait for each other for good.
TEST(WorkerThread, JoiningOnTheUserInterfaceThreadShowsTheWorkersBoxes) {
    uitest::app();
    ui::WorkerThread worker;
    QThread* ranOn = nullptr;
    int answer = 0;
    worker.start([&] {
        ranOn = ui::callOnGuiThread([] { return QThread::currentThread(); });
        ui::MessageRequest request;
        request.text = "Gerät antwortet nicht. Weiter warten?";
        request.buttons = ui::Buttons::YesNo;
        answer = ui::NativeDialogs().messageBox(request);
    });
    worker.join();
    EXPECT_TRUE(worker.finished());
    EXPECT_EQ(ranOn, uitest::app().thread());
    EXPECT_EQ(answer, ui::IDYES);
    uitest::pump();  // the wake-ups the calls posted find nothing left to do
}

TEST(FileFilter, ClassicTextBecomesQtNameFilters) {
    const struct {
        const char* classic;
        std::vector<std::string> qt;
    } rows[] = {
        {"Profildateien (*.prf)|*.prf||", {"Profildateien (*.prf)"}},
        {"Firmware|*.elm|Alle Dateien (*.*)|*.*||", {"Firmware (*.elm)", "Alle Dateien (*.*)"}},
        {"Bilder|*.bmp;*.gif ; *.png||", {"Bilder (*.bmp *.gif *.png)"}},
        // The description's own parentheses are not the patterns.
        {"Profile (alt)|*.prf||", {"Profile (alt) (*.prf)"}},
        // Without the closing bars, and cut in the middle.
        {"Profildateien (*.prf)|*.prf", {"Profildateien (*.prf)"}},
        {"Profildateien (*.prf)|", {}},
        {"Profildateien", {}},
        {"", {}},
        {"||", {}},
        {"|*.prf||", {}},
        {"Leer||Profile|*.prf||", {}},
    };
    for (const auto& row : rows) EXPECT_EQ(ui::qtNameFilters(row.classic), row.qt) << row.classic;
}

}  // namespace
