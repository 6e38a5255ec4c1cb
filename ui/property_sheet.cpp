#include "ui/property_sheet.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>

#include "ui/framework_ids.h"
#include "ui/help.h"
#include "ui/multi_row_tab_bar.h"
#include "ui/resource_id.h"
#include "ui/ui_strings.h"

namespace ui {

namespace {

QString text(std::uint32_t id) {
    return QString::fromStdString(uiText(id));
}

// The raised panel the pages sit on, joined to the tabs above it.
class PageFrame : public QWidget {
public:
    explicit PageFrame(bool framed, QWidget* parent) : QWidget(parent), framed_(framed) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!framed_) return;
        QStylePainter painter(this);
        QStyleOptionTabWidgetFrame opt;
        opt.initFrom(this);
        opt.shape = QTabBar::RoundedNorth;
        opt.lineWidth = 1;
        painter.drawPrimitive(QStyle::PE_FrameTabWidget, opt);
    }

private:
    bool framed_;
};

}  // namespace

PropertySheet::PropertySheet(const QString& caption, QWidget* parent, int startPage)
    : QDialog(parent), startPage_(startPage) {
    setWindowTitle(caption);
    build();
}

PropertySheet::PropertySheet(const QString& caption, QWidget* parent, bool wizard)
    : QDialog(parent), wizard_(wizard) {
    setWindowTitle(caption);
    build();
}

PropertySheet::~PropertySheet() {
    // The caller owns the pages: take them out before Qt would delete them
    // with the stack they sit in.
    const auto pages = pages_;
    pages_.clear();
    for (PropertyPage* p : pages) {
        stack_->removeWidget(p);
        p->setParent(nullptr);
        p->detach(true);
    }
}

void PropertySheet::build() {
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    tabHolder_ = new QVBoxLayout;
    tabHolder_->setSpacing(0);
    main->addLayout(tabHolder_);
    pageFrame_ = new PageFrame(!wizard_, this);
    auto* frameLayout = new QVBoxLayout(pageFrame_);
    frameLayout->setContentsMargins(wizard_ ? QMargins() : QMargins(8, 8, 8, 8));
    stack_ = new QStackedWidget(pageFrame_);
    frameLayout->addWidget(stack_);
    if (!wizard_) {
        main->setSpacing(0);
        main->addWidget(pageFrame_);
        main->addSpacing(8);
    } else {
        main->addWidget(pageFrame_);
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        main->addWidget(line);
    }
    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch(1);
    main->addLayout(buttonRow_);

    if (wizard_) {
        connect(addButton(ID_WIZBACK, text(IDS_BUTTON_BACK)), &QPushButton::clicked, this,
                [this] { backPressed(); });
        connect(addButton(ID_WIZNEXT, text(IDS_BUTTON_NEXT)), &QPushButton::clicked, this,
                [this] { nextPressed(); });
        connect(addButton(ID_WIZFINISH, text(IDS_BUTTON_FINISH)), &QPushButton::clicked, this,
                [this] { finishPressed(); });
        button(ID_WIZNEXT)->setDefault(true);
        button(ID_WIZFINISH)->hide();
        showApply_ = false;
        showOk_ = false;
    } else {
        connect(addButton(IDOK, text(IDS_BUTTON_OK)), &QPushButton::clicked, this,
                [this] { okPressed(); });
        button(IDOK)->setDefault(true);
    }
    connect(addButton(IDCANCEL, text(IDS_BUTTON_CANCEL)), &QPushButton::clicked, this,
            [this] { cancelPressed(); });
    if (!wizard_)
        connect(addButton(ID_APPLY_NOW, text(IDS_BUTTON_APPLY)), &QPushButton::clicked, this,
                [this] { applyPressed(); });
    connect(addButton(IDHELP, text(IDS_BUTTON_HELP)), &QPushButton::clicked, this,
            [this] { helpPressed(); });
    setTabLayout(tabLayout_);
    updateButtons();
}

QPushButton* PropertySheet::addButton(int id, const QString& label) {
    auto* b = new QPushButton(label, this);
    setResourceId(b, id);
    b->setAutoDefault(false);
    buttonRow_->addWidget(b);
    return b;
}

QPushButton* PropertySheet::button(int id) const {
    // Only the sheet's own buttons, not a page control with the same id.
    for (QObject* child : children())
        if (auto* b = qobject_cast<QPushButton*>(child); b && resourceId(b) == id) return b;
    return nullptr;
}

void PropertySheet::setOkButton(bool shown) {
    showOk_ = shown && !wizard_;
    updateButtons();
}
void PropertySheet::setCancelButton(bool shown) {
    showCancel_ = shown;
    updateButtons();
}
void PropertySheet::setApplyButton(bool shown) {
    showApply_ = shown && !wizard_;
    updateButtons();
}
void PropertySheet::setHelpButton(bool shown) {
    showHelp_ = shown;
    updateButtons();
}

void PropertySheet::setTabLayout(TabLayout layout) {
    if (shownOnce_) return;  // decided when the sheet is made
    tabLayout_ = layout;
    delete singleRow_;
    singleRow_ = nullptr;
    delete stacked_;
    stacked_ = nullptr;
    if (wizard_) return;
    if (layout == TabLayout::SingleRow) {
        singleRow_ = new QTabBar(this);
        singleRow_->setUsesScrollButtons(true);
        singleRow_->setExpanding(false);
        singleRow_->setElideMode(Qt::ElideNone);
        singleRow_->setDrawBase(false);
        // Wide captions scroll instead of widening the sheet.
        singleRow_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setResourceId(singleRow_, ID_TAB_CONTROL);
        tabHolder_->addWidget(singleRow_);
        connect(singleRow_, &QTabBar::currentChanged, this, [this](int index) {
            if (index != active_ && !setActivePage(index)) refreshTabs();
        });
    } else {
        stacked_ = new MultiRowTabBar(this);
        setResourceId(stacked_, ID_TAB_CONTROL);
        tabHolder_->addWidget(stacked_);
        connect(stacked_, &MultiRowTabBar::tabClicked, this,
                [this](int index) { setActivePage(index); });
    }
    refreshTabs();
}

// ------------------------------------------------------------------ pages

void PropertySheet::addPage(PropertyPage* page) {
    if (!page || pageIndex(page) >= 0) return;
    if (page->sheet() && page->sheet() != this) page->sheet()->removePage(page);
    page->attach(this);
    pages_.push_back(page);
    stack_->addWidget(page);
    if (shownOnce_) {
        page->buildControls();
        watchForHelp(page);
        refreshTabs();
        if (active_ < 0) showPage(pageCount() - 1);
    } else {
        refreshTabs();
    }
    updateButtons();
}

void PropertySheet::removePage(int index) {
    removePage(page(index));
}

void PropertySheet::removePage(PropertyPage* page) {
    const int index = pageIndex(page);
    if (index < 0) return;
    const bool wasActive = index == active_;
    pages_.erase(pages_.begin() + index);
    stack_->removeWidget(page);
    page->setParent(nullptr);
    page->detach();
    if (index < active_) --active_;
    if (!shownOnce_ && index < startPage_) --startPage_;
    if (wasActive) {
        active_ = -1;
        // The page is gone, so it is not asked whether it may be left.
        if (!pages_.empty()) showPage(index > 0 ? index - 1 : 0);
    }
    refreshTabs();
    updateButtons();
}

void PropertySheet::forgetPage(PropertyPage* page) {
    const int index = pageIndex(page);
    if (index < 0) return;
    pages_.erase(pages_.begin() + index);
    stack_->removeWidget(page);
    page->setParent(nullptr);
    page->detach(true);
    if (index == active_)
        active_ = -1;
    else if (index < active_)
        --active_;
    refreshTabs();
    updateButtons();
}

PropertyPage* PropertySheet::page(int index) const {
    return index >= 0 && index < pageCount() ? pages_[std::size_t(index)] : nullptr;
}

int PropertySheet::pageIndex(const PropertyPage* page) const {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    return it == pages_.end() ? -1 : int(it - pages_.begin());
}

PropertyPage* PropertySheet::activePage() const {
    return page(active_);
}

bool PropertySheet::setActivePage(PropertyPage* page) {
    return setActivePage(pageIndex(page));
}

bool PropertySheet::setActivePage(int index) {
    if (index < 0 || index >= pageCount()) return false;
    if (!shownOnce_) {
        startPage_ = index;
        return true;
    }
    if (index == active_) return true;
    PropertyPage* old = activePage();
    if (old && old->initialised() && !old->onKillActive()) {
        refreshTabs();
        return false;
    }
    showPage(index);
    return true;
}

void PropertySheet::showPage(int index) {
    PropertyPage* p = page(index);
    if (!p) return;
    const int previous = active_;
    active_ = index;
    p->buildControls();
    stack_->setCurrentWidget(p);
    p->initialise();
    refreshTabs();
    if (!p->onSetActive() && previous >= 0 && previous != index && page(previous)) {
        // The page refused to be shown: back to the one before.
        active_ = previous;
        stack_->setCurrentWidget(page(previous));
        refreshTabs();
    }
    updateButtons();
    emit activePageChanged(active_);
}

void PropertySheet::pageCaptionChanged(PropertyPage*) {
    refreshTabs();
}

void PropertySheet::refreshTabs() {
    QStringList captions;
    for (PropertyPage* p : pages_) captions << p->caption();
    if (singleRow_) {
        const QSignalBlocker block(singleRow_);
        while (singleRow_->count() > captions.size())
            singleRow_->removeTab(singleRow_->count() - 1);
        for (int i = 0; i < captions.size(); ++i) {
            if (i < singleRow_->count())
                singleRow_->setTabText(i, captions[i]);
            else
                singleRow_->addTab(captions[i]);
        }
        singleRow_->setCurrentIndex(active_);
    }
    if (stacked_) {
        stacked_->setTabs(captions);
        stacked_->setCurrentIndex(active_);
        // The rows span the page area, which is as wide as the widest page.
        int width = 0;
        for (PropertyPage* p : pages_) width = std::max(width, p->sizeHint().width());
        const QMargins m = pageFrame_->layout()->contentsMargins();
        stacked_->setLayoutWidth(std::max(width + m.left() + m.right(), 100));
    }
}

// ----------------------------------------------------------------- running

int PropertySheet::doModal() {
    return exec();
}

void PropertySheet::create() {
    show();
}

void PropertySheet::firstShow() {
    shownOnce_ = true;
    running_ = true;
    for (PropertyPage* p : pages_) {
        p->buildControls();
        watchForHelp(p);
    }
    refreshTabs();
    if (!pages_.empty()) showPage(std::clamp(startPage_, 0, pageCount() - 1));
    updateButtons();
}

void PropertySheet::setVisible(bool visible) {
    // The pages are built before the sheet takes its size and place.
    if (visible && !shownOnce_) {
        firstShow();
        initPending_ = true;
    }
    QDialog::setVisible(visible);
}

void PropertySheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);  // puts the sheet at its default place
    if (initPending_) {
        initPending_ = false;
        onInitDialog();
    }
}

void PropertySheet::onInitDialog() {
    if (cascade_) {
        move(pos() + QPoint(60, 25));
        cascade_ = false;
    }
}

void PropertySheet::done(int result) {
    QDialog::done(result);
    running_ = false;
    // As with the windows of a finished sheet, the controls are gone; the
    // pages keep what they saved into their variables. A second run starts
    // on the page that was active.
    startPage_ = std::max(active_, 0);
    active_ = -1;
    shownOnce_ = false;
    for (PropertyPage* p : pages_) p->destroyControls();
}

void PropertySheet::pressButton(SheetButton which) {
    QMetaObject::invokeMethod(
        this,
        [this, which] {
            switch (which) {
                case SheetButton::Back:
                    backPressed();
                    break;
                case SheetButton::Next:
                    nextPressed();
                    break;
                case SheetButton::Finish:
                    finishPressed();
                    break;
                case SheetButton::Ok:
                    okPressed();
                    break;
                case SheetButton::Apply:
                    applyPressed();
                    break;
                case SheetButton::Cancel:
                    cancelPressed();
                    break;
                case SheetButton::Help:
                    helpPressed();
                    break;
            }
        },
        Qt::QueuedConnection);
}

bool PropertySheet::applyPages(bool closing) {
    PropertyPage* current = activePage();
    if (current && current->initialised() && !current->onKillActive()) return false;
    const auto pages = pages_;  // an apply may add or remove pages
    for (PropertyPage* p : pages) {
        if (pageIndex(p) < 0 || !p->initialised()) continue;
        if (!p->onApply()) {
            if (p != activePage()) showPage(pageIndex(p));
            return false;
        }
    }
    for (PropertyPage* p : pages_) p->modified_ = false;
    updateButtons();
    // After Apply the sheet stays, and its page is shown afresh.
    if (!closing && activePage()) activePage()->onSetActive();
    return true;
}

bool PropertySheet::okPressed() {
    if (!applyPages(true)) return false;
    done(IDOK);
    return true;
}

bool PropertySheet::applyPressed() {
    if (!isApplyEnabled()) return false;
    return applyPages(false);
}

bool PropertySheet::cancelPressed() {
    PropertyPage* current = activePage();
    if (current && current->initialised() && !current->onQueryCancel()) return false;
    const auto pages = pages_;
    for (PropertyPage* p : pages)
        if (pageIndex(p) >= 0 && p->initialised()) p->onCancel();
    done(IDCANCEL);
    return true;
}

void PropertySheet::helpPressed() {
    if (PropertyPage* p = activePage(); p && p->hasHelp()) p->onHelp();
}

void PropertySheet::reject() {
    cancelPressed();
}
void PropertySheet::accept() {
    okPressed();
}

bool PropertySheet::isApplyEnabled() const {
    if (!showApply_) return false;
    return std::any_of(pages_.begin(), pages_.end(),
                       [](const PropertyPage* p) { return p->isModified(); });
}

void PropertySheet::updateButtons() {
    if (QPushButton* b = button(IDOK)) b->setVisible(showOk_);
    if (QPushButton* b = button(IDCANCEL)) b->setVisible(showCancel_);
    if (QPushButton* b = button(ID_APPLY_NOW)) {
        b->setVisible(showApply_);
        b->setEnabled(isApplyEnabled());
    }
    if (QPushButton* b = button(IDHELP)) {
        b->setVisible(showHelp_);
        const PropertyPage* p = activePage();
        b->setEnabled(p && p->hasHelp());
    }
}

// -------------------------------------------------------------------- help

void PropertySheet::setContextHelp(const std::string& file, std::uint32_t offset) {
    helpFile_ = file;
    helpOffset_ = offset;
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
}

void PropertySheet::requestContextHelp(QWidget* control, HelpTrigger trigger) {
    PropertyPage* p = activePage();
    QWidget* withId = widgetWithId(control, p);
    if (withId == p) withId = nullptr;  // the page's own id is not a control's
    const int id = withId ? resourceId(withId) : -1;
    if (p && p->onHelpInfo(withId, id, trigger)) return;
    if (id > 0) onContextHelp(withId, id);
}

void PropertySheet::onContextHelp(QWidget*, int controlId) {
    const std::string file = currentHelpFile();
    if (file.empty()) return;
    openHelp(file, HelpCommand::ContextPopup, std::uint32_t(controlId) + helpOffset_);
}

void PropertySheet::openHelpTopic(std::uint32_t context) {
    const std::string file = currentHelpFile();
    if (file.empty()) return;
    openHelp(file, HelpCommand::Topic, context);
}

void PropertySheet::watchForHelp(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) w->installEventFilter(this);
}

bool PropertySheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::QueryWhatsThis) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::WhatsThis && watched->isWidgetType()) {
        requestContextHelp(static_cast<QWidget*>(watched), HelpTrigger::ContextClick);
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PropertySheet::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        QWidget* focus = focusWidget();
        requestContextHelp(focus ? focus : this, HelpTrigger::Key);
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (!wizard_ && ctrl && pageCount() > 1 &&
        (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
         event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
        const bool back = event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp ||
                          (event->modifiers() & Qt::ShiftModifier);
        setActivePage((active_ + (back ? pageCount() - 1 : 1)) % pageCount());
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ui
