#include "ui/property_page.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

#include "ui/framework_ids.h"
#include "ui/property_sheet.h"
#include "ui/resource_id.h"

namespace ui {

namespace {
// Raises a counter for the lifetime of a scope.
struct Counter {
    explicit Counter(int& c) : c_(c) { ++c_; }
    ~Counter() { --c_; }
    int& c_;
};
}  // namespace

PropertyPage::PropertyPage(int dialogId, const QString& caption)
    : QWidget(nullptr), dialogId_(dialogId), caption_(caption) {
    setResourceId(this, dialogId);
}

PropertyPage::~PropertyPage() {
    // Gone without a word to the other pages: they may be on their way out
    // as well.
    if (sheet_) sheet_->forgetPage(this);
}

void PropertyPage::setCaption(const QString& caption) {
    caption_ = caption;
    if (sheet_) sheet_->pageCaptionChanged(this);
}

void PropertyPage::setHasHelp(bool hasHelp) {
    hasHelp_ = hasHelp;
    if (sheet_) sheet_->updateButtons();
}

void PropertyPage::setModified(bool modified) {
    modified_ = modified;
    if (sheet_) sheet_->updateButtons();
}

bool PropertyPage::updateData(bool save) {
    DataExchange dx(*this, save);
    if (save) {
        doDataExchange(dx);
    } else {
        // Filling the controls fires their change signals; not the user's.
        Counter guard(loading_);
        doDataExchange(dx);
    }
    if (!dx.failed()) return true;
    if (QWidget* control = dx.preparedControl()) {
        control->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    }
    return false;
}

bool PropertyPage::onInitDialog() {
    updateData(false);
    return true;
}

bool PropertyPage::onSetActive() {
    return true;
}
bool PropertyPage::onKillActive() {
    return updateData(true);
}

bool PropertyPage::onApply() {
    onOK();
    return true;
}

void PropertyPage::onOK() {}
void PropertyPage::onCancel() {}
bool PropertyPage::onQueryCancel() {
    return true;
}

void PropertyPage::onHelp() {
    if (sheet_) sheet_->openHelpTopic(HID_BASE_RESOURCE + std::uint32_t(dialogId_));
}

bool PropertyPage::onHelpInfo(QWidget*, int, HelpTrigger) {
    return false;
}
int PropertyPage::onWizardBack() {
    return 0;
}
int PropertyPage::onWizardNext() {
    return 0;
}
bool PropertyPage::onWizardFinish() {
    return true;
}

void PropertyPage::createControls() {}
void PropertyPage::doDataExchange(DataExchange&) {}

void PropertyPage::onControlChanged(QWidget*) {
    changed_ = true;
    setModified(true);
}

void PropertyPage::attach(PropertySheet* sheet) {
    sheet_ = sheet;
}

void PropertyPage::detach(bool now) {
    destroyControls(now);
    sheet_ = nullptr;
}

void PropertyPage::buildControls() {
    if (controlsCreated_) return;
    createControls();
    controlsCreated_ = true;
    // Children made after the page was shown stay hidden unless told.
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child);
            w && !w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            w->show();
    watchControls();
}

void PropertyPage::destroyControls(bool now) {
    if (!controlsCreated_) return;
    controlsCreated_ = false;
    initialised_ = false;
    // The controls may be inside one of their own signal handlers (a page
    // removed from a selection change), so they normally go later -- but out
    // of the page at once, so that a page added again finds only its new
    // controls.
    auto* grave = new QWidget;
    grave->hide();
    const auto children = this->children();
    for (QObject* child : children) {
        if (auto* w = qobject_cast<QWidget*>(child)) {
            w->hide();
            w->setParent(grave);
        } else if (!qobject_cast<QLayout*>(child)) {
            child->setParent(grave);
        }
    }
    delete layout();
    if (now)
        delete grave;
    else
        grave->deleteLater();
}

void PropertyPage::initialise() {
    if (initialised_) return;
    initialised_ = true;
    Counter guard(loading_);
    onInitDialog();
}

void PropertyPage::watchControls() {
    const auto changed = [this](QWidget* w) {
        return [this, w] {
            if (!loading()) onControlChanged(w);
        };
    };
    for (QWidget* w : findChildren<QWidget*>()) {
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            connect(e, &QLineEdit::textEdited, this, changed(w));
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            // Push buttons run commands; only settings count as changes.
            if (b->isCheckable()) connect(b, &QAbstractButton::clicked, this, changed(w));
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            connect(c, &QComboBox::activated, this, changed(w));
        } else if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
            connect(s, &QAbstractSlider::actionTriggered, this, changed(w));
        } else if (auto* sp = qobject_cast<QSpinBox*>(w)) {
            connect(sp, &QSpinBox::valueChanged, this, changed(w));
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            connect(p, &QPlainTextEdit::textChanged, this, changed(w));
        } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
            if (!t->isReadOnly()) connect(t, &QTextEdit::textChanged, this, changed(w));
        }
    }
}

}  // namespace ui
