#include "ui/native_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <cstdio>

#include "ui/file_filter.h"
#include "ui/framework_ids.h"
#include "ui/gui_thread.h"
#include "ui/ui_strings.h"

namespace ui {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonDef {
    std::uint32_t label;
    int result;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonDef> buttonDefs(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return {{IDS_BUTTON_OK, IDOK, QMessageBox::AcceptRole}};
        case Buttons::OkCancel:
            return {{IDS_BUTTON_OK, IDOK, QMessageBox::AcceptRole},
                    {IDS_BUTTON_CANCEL, IDCANCEL, QMessageBox::RejectRole}};
        case Buttons::OkHelp:
            return {{IDS_BUTTON_OK, IDOK, QMessageBox::AcceptRole},
                    {IDS_BUTTON_HELP, IDHELP, QMessageBox::HelpRole}};
        case Buttons::YesNo:
            return {{IDS_BUTTON_YES, IDYES, QMessageBox::YesRole},
                    {IDS_BUTTON_NO, IDNO, QMessageBox::NoRole}};
        case Buttons::YesNoCancel:
            return {{IDS_BUTTON_YES, IDYES, QMessageBox::YesRole},
                    {IDS_BUTTON_NO, IDNO, QMessageBox::NoRole},
                    {IDS_BUTTON_CANCEL, IDCANCEL, QMessageBox::RejectRole}};
        case Buttons::RetryCancel:
            return {{IDS_BUTTON_RETRY, IDRETRY, QMessageBox::AcceptRole},
                    {IDS_BUTTON_CANCEL, IDCANCEL, QMessageBox::RejectRole}};
        case Buttons::RetryCancelHelp:
            return {{IDS_BUTTON_RETRY, IDRETRY, QMessageBox::AcceptRole},
                    {IDS_BUTTON_CANCEL, IDCANCEL, QMessageBox::RejectRole},
                    {IDS_BUTTON_HELP, IDHELP, QMessageBox::HelpRole}};
    }
    return {{IDS_BUTTON_OK, IDOK, QMessageBox::AcceptRole}};
}

// Without a display nobody can answer; the box then takes its default
// button and its text goes to standard error, so a head-less run neither
// hangs nor loses the message.
bool headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

}  // namespace

int defaultAnswer(Buttons buttons) {
    return buttonDefs(buttons).front().result;
}

int NativeDialogs::messageBox(const MessageRequest& request) {
    return callOnGuiThread([&] { return showMessageBox(request); });
}

FileAnswer NativeDialogs::fileDialog(const FileRequest& request) {
    return callOnGuiThread([&] { return showFileDialog(request); });
}

std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest& request) {
    auto box = std::make_unique<QMessageBox>(
        qtIcon(request.icon),
        request.caption.empty() ? QGuiApplication::applicationDisplayName() : qs(request.caption),
        qs(request.text), QMessageBox::NoButton, request.owner);
    QPushButton* first = nullptr;
    for (const ButtonDef& def : buttonDefs(request.buttons)) {
        QPushButton* b = box->addButton(qs(uiStrings().text(def.label)), def.role);
        b->setProperty("answer", def.result);
        if (!first) first = b;
    }
    box->setDefaultButton(first);
    return box;
}

int NativeDialogs::showMessageBox(const MessageRequest& request) {
    if (!qApp || headless()) {
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
        return defaultAnswer(request.buttons);
    }
    const std::unique_ptr<QMessageBox> box = makeMessageBox(request);
    // F1 asks for the same help as the Help button.
    if (request.onHelp) {
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), box.get());
        QObject::connect(f1, &QShortcut::activated, box.get(),
                         [&request] { request.onHelp(request.helpContext); });
    }
    // Help keeps the box open: show the help, then ask again.
    for (;;) {
        box->exec();
        QAbstractButton* clicked = box->clickedButton();
        if (!clicked) {
            // Closed with Esc or the close box: Cancel where there is one,
            // else the only answer the box has.
            const bool hasCancel = request.buttons == Buttons::OkCancel ||
                                   request.buttons == Buttons::YesNoCancel ||
                                   request.buttons == Buttons::RetryCancel ||
                                   request.buttons == Buttons::RetryCancelHelp;
            return hasCancel ? IDCANCEL : defaultAnswer(request.buttons);
        }
        const int result = clicked->property("answer").toInt();
        if (result != IDHELP) return result;
        if (request.onHelp) request.onHelp(request.helpContext);
    }
}

FileAnswer NativeDialogs::showFileDialog(const FileRequest& request) {
    if (!qApp || headless()) return {IDCANCEL, {}};
    QFileDialog dialog(request.owner);
    dialog.setWindowTitle(qs(request.caption.empty()
                                 ? uiText(request.save ? IDS_FILE_SAVE : IDS_FILE_OPEN)
                                 : request.caption));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((request.flags & FileMustExist) ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!(request.flags & FileOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const std::string& f : qtNameFilters(request.filter)) filters << qs(f);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    // The stored extension is upper case ("PRF") from systems that ignore
    // case; here the filter "*.prf" would not show "x.PRF" again.
    if (!request.defaultExt.empty()) dialog.setDefaultSuffix(qs(request.defaultExt).toLower());
    if (!request.initialDir.empty()) dialog.setDirectory(qs(request.initialDir));
    const QString name = qs(request.initialName);
    if (!name.isEmpty() && !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {IDCANCEL, {}};
    return {IDOK, dialog.selectedFiles().front().toStdString()};
}

}  // namespace ui
