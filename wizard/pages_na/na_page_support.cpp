#include "wizard/pages_na/na_page_support.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/line_sequence.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/wizard_state.h"
#include "wizard/wizard_strings.h"

namespace wizard::na {

SheetTitle CWizPageNA::title() const {
    return State().online ? SheetTitle::Online : SheetTitle::Offline;
}

void Post(QObject* page, std::function<void()> call) {
    QMetaObject::invokeMethod(page, std::move(call), Qt::QueuedConnection);
}

std::string AnyText(std::uint32_t id) {
    if (Strings().contains(id)) return Text(id);
    if (wizard::Strings().contains(id)) return std::string(wizard::Strings().text(id));
    return std::string(LineMessageText(id));
}

int Message(QWidget* owner, std::uint32_t id, ui::Icon icon, ui::Buttons buttons) {
    ui::MessageRequest request;
    request.stringId = id;
    request.text = AnyText(id);
    request.caption = std::string(wizard::Strings().text(IDS_MESSAGE_CAPTION));
    request.icon = icon;
    request.buttons = buttons;
    request.helpContext = ui::HID_BASE_PROMPT + id;
    request.owner = owner;
    return ui::dialogs().messageBox(request);
}

bool Ask(QWidget* owner, std::uint32_t id, ui::Icon icon) {
    return Message(owner, id, icon, ui::Buttons::YesNo) == ui::IDYES;
}

QComboBox* AddNumberCount(QWidget* page, QVBoxLayout* body) {
    auto* form = new QFormLayout;
    auto* count = new QComboBox(page);
    ui::setResourceId(count, IDC_NA_NUMBER_COUNT);
    count->addItems({QStringLiteral("1"), QStringLiteral("2")});
    auto* label = new QLabel(QStringLiteral("&Zugewiesene Nummern"), page);
    label->setBuddy(count);
    form->addRow(label, count);
    body->addLayout(form);
    return count;
}

bool NeedsTwoNumbers() {
    return State().connection == ConnectionMLPPP || IsKnownKind(State().deviceKind);
}

void TellOneNumber(QWidget* owner) {
    if (!State().twoNumbers && NeedsTwoNumbers()) Message(owner, 1314, ui::Icon::Information);
}

namespace {

int controlOf(Field field) {
    switch (field) {
        case Field::AreaCode:
            return IDC_NA_AREA_CODE;
        case Field::Number1:
            return IDC_NA_NUMBER1;
        case Field::Number2:
            return IDC_NA_NUMBER2;
        case Field::Spid1:
            return IDC_NA_SPID1;
        case Field::Spid2:
            return IDC_NA_SPID2;
    }
    return IDC_NA_NUMBER1;
}

}  // namespace

bool WalkChecks(QWidget* page, const std::vector<CheckStep>& steps) {
    for (const CheckStep& step : steps) {
        const bool passed =
            step.question ? Ask(page, step.messageId) : (Message(page, step.messageId), false);
        if (passed) continue;
        if (auto* edit = ui::findControl<QLineEdit>(page, controlOf(step.field))) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
        return false;
    }
    return true;
}

}  // namespace wizard::na
