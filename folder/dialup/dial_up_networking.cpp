#include "folder/dialup/dial_up_networking.h"

#include <QApplication>
#include <QEventLoop>
#include <thread>

#include "folder/dialup/dial_entry_dlg.h"
#include "folder/dialup/peer_file.h"
#include "folder/dialup/phone_book_dlg.h"
#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/child_process.h"
#include "platform/status_codes.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/wait_cursor.h"

using namespace folder;

namespace {

// pon and poff return as soon as pppd runs in the background or was told to
// stop; a peer that keeps pppd in the foreground counts as dialling.
constexpr std::uint32_t kToolWaitMs = 15000;

}  // namespace

CDialUpNetworking::CDialUpNetworking() : CDialUpNetworking(dialup::PhoneBook()) {}

CDialUpNetworking::CDialUpNetworking(dialup::PhoneBook book) : book_(std::move(book)) {
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    ReadEntries();
}

bool CDialUpNetworking::IsEntryCommand(std::uint32_t command) {
    return command >= ID_DIALUP_ENTRY_FIRST && command <= ID_DIALUP_ENTRY_LAST;
}

void CDialUpNetworking::ReadEntries() {
    book_.Names(entries_);
    if (entriesChanged) entriesChanged(entries_);
}

std::int32_t CDialUpNetworking::Open(QWidget* parent) {
    ReadEntries();
    if (!Available()) return kDialUpFolderMissing;
    CPhoneBookDlg dialog(*this, parent);
    runDialog(dialog);
    ReadEntries();
    return platform::kOk;
}

std::int32_t CDialUpNetworking::OpenEntry(QWidget* parent, std::uint32_t command) {
    ReadEntries();
    if (!Available()) return kDialUpFolderMissing;
    const std::size_t index = command - ID_DIALUP_ENTRY_FIRST;
    if (!IsEntryCommand(command) || index >= entries_.size()) return platform::kFileNotFound;
    std::string name = entries_[index];
    return EditEntry(parent, name);
}

void CDialUpNetworking::WarnMissing(QWidget* parent) const {
    ui::messageBox(parent, Strings(), IDS_DIALUP_MISSING, ui::Icon::Warning, ui::Buttons::Ok,
                   Strings().text(IDS_DIALUP_MISSING_CAPTION), {book_.Folder()});
}

std::int32_t CDialUpNetworking::Dial(QWidget* parent, const std::string& name) {
    return RunTool(parent, "pon", name);
}

std::int32_t CDialUpNetworking::HangUp(QWidget* parent, const std::string& name) {
    return RunTool(parent, "poff", name);
}

// The tool runs on a worker while this loop keeps the windows painted; the
// user's clicks wait until it is done.
std::int32_t CDialUpNetworking::RunTool(QWidget* parent, const char* tool,
                                        const std::string& name) {
    std::int32_t result = dialup::IsSafeName(name) ? platform::kOk : kDialUpBadName;
    platform::ProcessResult ended;
    if (result == platform::kOk) {
        ui::WaitCursor wait;
        QEventLoop loop;
        std::jthread worker([&] {
            result = platform::runProcess(tool, {name}, kToolWaitMs, ended);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (result == platform::kOk && ended.exitCode != 0) result = kDialUpToolFailed;
    if (result == platform::kWaitTimeout) result = platform::kOk;
    switch (result) {
        case platform::kOk:
            break;
        case platform::kFileNotFound:
            ui::messageBox(parent, Strings(), IDS_DIALUP_TOOL_MISSING, ui::Icon::Error,
                           ui::Buttons::Ok, Strings().text(IDS_DIALUP_TITLE), {tool});
            break;
        case kDialUpToolFailed:
            ui::messageBox(parent, Strings(), IDS_DIALUP_TOOL_EXIT, ui::Icon::Error,
                           ui::Buttons::Ok, Strings().text(IDS_DIALUP_TITLE),
                           {tool, name, std::int64_t{ended.exitCode},
                            QString::fromStdString(ended.output).trimmed().toStdString()});
            break;
        case kDialUpBadName:
            ShowError(parent, result, name);
            break;
        default:
            ui::messageBox(parent, Strings(), IDS_DIALUP_TOOL_START, ui::Icon::Error,
                           ui::Buttons::Ok, Strings().text(IDS_DIALUP_TITLE), {tool});
    }
    ReadEntries();
    return result;
}

std::int32_t CDialUpNetworking::EditEntry(QWidget* parent, std::string& name) {
    const bool create = name.empty();
    dialup::DialEntry entry;
    std::vector<DialAdapter> choices = adapters ? adapters() : std::vector<DialAdapter>();
    if (create && choices.empty()) {
        ui::messageBox(parent, Strings(), IDS_DIALUP_NO_ADAPTER, ui::Icon::Information,
                       ui::Buttons::Ok, Strings().text(IDS_DIALUP_TITLE));
        return platform::kFileNotFound;
    }
    if (!create) {
        if (const std::int32_t result = book_.Read(name, entry); result != platform::kOk) {
            ShowError(parent, result, name);
            ReadEntries();
            return result;
        }
    }
    CDialEntryDlg dialog(choices, name, entry, parent);
    if (runDialog(dialog) != QDialog::Accepted) return platform::kUserCancelled;
    const std::string written = dialog.Name();
    const std::int32_t result = book_.Write(written, dialog.Entry(), create);
    if (result == platform::kOk)
        name = written;
    else
        ShowError(parent, result, written);
    ReadEntries();
    return result;
}

std::int32_t CDialUpNetworking::RemoveEntry(QWidget* parent, const std::string& name) {
    if (ui::messageBox(parent, Strings(), IDS_DIALUP_CONFIRM_DELETE, ui::Icon::Question,
                       ui::Buttons::YesNo, Strings().text(IDS_DIALUP_DELETE_CAPTION),
                       {name}) != ui::IDYES)
        return platform::kUserCancelled;
    const std::int32_t result = book_.Remove(name);
    if (result != platform::kOk) ShowError(parent, result, name);
    ReadEntries();
    return result;
}

void CDialUpNetworking::ShowError(QWidget* parent, std::int32_t code,
                                  const std::string& name) const {
    std::uint32_t text = IDS_DIALUP_FAILED;
    switch (code) {
        case kDialUpFolderMissing:
            WarnMissing(parent);
            return;
        case kDialUpBadName:
            text = IDS_DIALUP_BAD_NAME;
            break;
        case kDialUpBadValue:
        case platform::kInvalidData:
        case platform::kFileNotFound:
            text = IDS_DIALUP_BAD_ENTRY;
            break;
        case kDialUpEntryExists:
            text = IDS_DIALUP_EXISTS;
            break;
        case kDialUpBookFull:
            text = IDS_DIALUP_FULL;
            break;
        case platform::kAccessDenied:
            text = IDS_DIALUP_ACCESS;
            break;
        default:
            break;
    }
    const std::string detail =
        text == IDS_DIALUP_ACCESS ? book_.Folder() : status::statusText(code);
    ui::messageBox(parent, Strings(), text, ui::Icon::Error, ui::Buttons::Ok,
                   Strings().text(IDS_DIALUP_TITLE), {name, detail});
}
