#include "wizard/wizard_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard {

namespace {

// The picture at the left: the adapter between the computer and the line,
// the line drawn live when the wizard talks to it.
QPixmap wizardPicture(bool online) {
    QPixmap pixmap(120, 280);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 280);
    sky.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    sky.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0xe8, 0xee, 0xf4));
    p.drawRoundedRect(QRectF(30, 120, 60, 34), 5, 5);  // the adapter
    p.setBrush(online ? QColor(0x3c, 0xc8, 0x50) : QColor(0x90, 0x90, 0x90));
    p.drawEllipse(QPointF(44, 137), 4, 4);
    QPen line(online ? QColor(0xff, 0xe0, 0x60) : QColor(0xc0, 0xc0, 0xc0), 3);
    if (!online) line.setStyle(Qt::DashLine);
    p.setPen(line);
    p.drawLine(QPointF(60, 120), QPointF(60, 40));   // to the network
    p.drawLine(QPointF(60, 154), QPointF(60, 240));  // to the computer
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(60, 30), 12, 12);
    p.drawRect(QRectF(42, 240, 36, 22));
    return pixmap;
}

}  // namespace

CWizardPage::CWizardPage(int dialogId, QString header, PageRole role)
    : ui::PropertyPage(dialogId), header_(std::move(header)), role_(role) {
    setHasHelp(true);
}

CWizardSheet* CWizardPage::wizardSheet() const {
    return qobject_cast<CWizardSheet*>(sheet());
}

void CWizardPage::createControls() {
    // One size for every page, so the sheet does not change its width as
    // the run moves on.
    setMinimumWidth(580);
    auto* row = new QHBoxLayout(this);
    auto* picture = new QLabel(this);
    ui::setResourceId(picture, IDC_WIZ_PICTURE);
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture, 0, Qt::AlignTop);

    auto* body = new QVBoxLayout;
    auto* header = new QLabel(header_, this);
    ui::setResourceId(header, IDC_WIZ_HEADER);
    header->setWordWrap(true);
    if (State().fonts) header->setFont(State().fonts->title);
    body->addWidget(header);
    body->addSpacing(8);
    buildBody(body);
    body->addStretch(1);
    row->addLayout(body, 1);
}

QLabel* CWizardPage::addText(QVBoxLayout* body, int id, const QString& text) {
    auto* label = new QLabel(text, this);
    ui::setResourceId(label, id);
    label->setWordWrap(true);
    body->addWidget(label);
    return label;
}

QComboBox* CWizardPage::addCombo(QVBoxLayout* body, int id, const QString& label) {
    auto* form = new QFormLayout;
    auto* combo = new QComboBox(this);
    ui::setResourceId(combo, id);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* text = new QLabel(label, this);
    text->setBuddy(combo);
    form->addRow(text, combo);
    body->addLayout(form);
    return combo;
}

bool CWizardPage::onSetActive() {
    if (CWizardSheet* s = wizardSheet()) {
        s->setWizardTitle(title());
        s->setWizardButtons(role_ == PageRole::First    ? ui::WIZB_NEXT
                            : role_ == PageRole::Middle ? ui::WIZB_BACK | ui::WIZB_NEXT
                                                        : ui::WIZB_BACK | ui::WIZB_FINISH);
    }
    if (auto* picture = ui::findControl<QLabel>(this, IDC_WIZ_PICTURE))
        picture->setPixmap(wizardPicture(State().online));
    return ui::PropertyPage::onSetActive();
}

int CWizardPage::goTo(CWizardPage& page) {
    CWizardSheet* s = wizardSheet();
    if (!s) return -1;
    next_ = &page;
    page.back_ = this;
    if (s->pageIndex(&page) < 0) s->addPage(&page);
    s->setActivePage(&page);
    return -1;
}

int CWizardPage::goBack() {
    CWizardSheet* s = wizardSheet();
    if (!back_ || !s) {
        applicationError();
        return -1;
    }
    if (s->pageIndex(back_) < 0) s->addPage(back_);
    s->setActivePage(back_);
    return -1;
}

int CWizardPage::onWizardBack() {
    return goBack();
}

bool CWizardPage::onWizardFinish() {
    return true;
}

void CWizardPage::applicationError() {
    messageBox(IDS_APPLICATION_ERROR, ui::Icon::Error);
}

int CWizardPage::messageBox(std::uint32_t stringId, ui::Icon icon, ui::Buttons buttons,
                            std::initializer_list<platform::FormatArg> inserts) {
    return ui::messageBox(this, Strings(), stringId, icon, buttons,
                          Strings().text(IDS_MESSAGE_CAPTION), inserts);
}

bool CWizardPage::onQueryCancel() {
    CWizardSheet* s = wizardSheet();
    if (!s) return true;
    if (s->endCode() == kEndManualConfig) return true;
    if (messageBox(IDS_CONFIRM_CANCEL, ui::Icon::Warning, ui::Buttons::YesNo) != ui::IDYES)
        return false;
    s->setEndCode(kEndCancelled);
    return true;
}

void CWizardPage::onHelp() {
    if (sheet()) sheet()->openHelpTopic(kWizardHelpTopic);
}

// F1 opens the general topic; a context-help click falls through to the
// sheet, which opens the control's pop-up. Neither is followed by a help
// command here, so one request never opens both.
bool CWizardPage::onHelpInfo(QWidget*, int, ui::HelpTrigger trigger) {
    if (trigger != ui::HelpTrigger::Key) return false;
    onHelp();
    return true;
}

}  // namespace wizard
