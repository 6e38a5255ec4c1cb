#include "ui/data_exchange.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>
#include <QtDebug>
#include <limits>

#include "ui/resource_id.h"
#include "ui/ui_strings.h"

namespace ui {

namespace {

QString controlText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    return {};
}

void setControlText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
        e->setCursorPosition(0);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int at = c->findText(text);
        if (at >= 0)
            c->setCurrentIndex(at);
        else if (c->isEditable())
            c->setEditText(text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(text);
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        t->setPlainText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    }
}

// Decimal with optional sign and surrounding blanks, nothing else.
bool parseNumber(const QString& text, std::int64_t& out) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    out = t.toLongLong(&ok, 10);
    return ok;
}

}  // namespace

DataExchange::DataExchange(QWidget& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

QWidget* DataExchange::controlFor(int id) {
    QWidget* w = findControl(&dialog_, id);
    if (!w) qWarning("data exchange: no control id%d in %s", id, qPrintable(dialog_.objectName()));
    return w;
}

QWidget* DataExchange::prepare(int id) {
    QWidget* w = controlFor(id);
    if (w) prepared_ = w;
    return w;
}

void DataExchange::fail() {
    failed_ = true;
}

void DataExchange::fail(const platform::StringTable& table, std::uint32_t stringId, Icon icon,
                        std::initializer_list<platform::FormatArg> inserts) {
    if (failed_) return;
    messageBox(dialog_.window(), table, stringId, icon, Buttons::Ok, {}, inserts);
    fail();
}

void DataExchange::text(int id, QString& value) {
    if (failed_) return;
    QWidget* w = prepare(id);
    if (!w) return;
    if (saving_)
        value = controlText(w);
    else
        setControlText(w, value);
}

void DataExchange::text(int id, std::string& value) {
    if (failed_) return;
    QString q = QString::fromStdString(value);
    text(id, q);
    if (saving_ && !failed_ && prepared_) value = q.toStdString();
}

template <typename T>
void DataExchange::exchangeNumber(int id, T& value, std::uint32_t message) {
    if (failed_) return;
    QWidget* w = prepare(id);
    if (!w) return;
    if (!saving_) {
        setControlText(w, QString::number(value));
        return;
    }
    std::int64_t n = 0;
    if (!parseNumber(controlText(w), n) || n < std::int64_t(std::numeric_limits<T>::min()) ||
        n > std::int64_t(std::numeric_limits<T>::max())) {
        fail(uiStrings(), message, Icon::Warning);
        return;
    }
    value = static_cast<T>(n);
}

void DataExchange::number(int id, std::int32_t& value) {
    exchangeNumber(id, value, IDS_PARSE_INT);
}

void DataExchange::number(int id, std::uint32_t& value) {
    exchangeNumber(id, value, IDS_PARSE_UINT);
}

void DataExchange::check(int id, std::int32_t& value) {
    if (failed_) return;
    auto* b = qobject_cast<QAbstractButton*>(prepare(id));
    if (!b) return;
    auto* box = qobject_cast<QCheckBox*>(b);
    if (saving_) {
        if (box && box->isTristate() && box->checkState() == Qt::PartiallyChecked)
            value = 2;
        else
            value = b->isChecked() ? 1 : 0;
    } else if (box && box->isTristate() && value == 2) {
        box->setCheckState(Qt::PartiallyChecked);
    } else {
        b->setChecked(value != 0);
    }
}

void DataExchange::radio(std::initializer_list<int> ids, std::int32_t& value) {
    if (failed_ || ids.size() == 0) return;
    prepare(*ids.begin());
    int i = 0;
    if (saving_) value = -1;
    for (int id : ids) {
        auto* b = qobject_cast<QAbstractButton*>(controlFor(id));
        if (b) {
            if (saving_ && b->isChecked()) value = i;
            if (!saving_) {
                // Exclusive groups refuse to uncheck their checked button.
                const bool exclusive = b->autoExclusive();
                b->setAutoExclusive(false);
                b->setChecked(i == value);
                b->setAutoExclusive(exclusive);
            }
        }
        ++i;
    }
}

void DataExchange::index(int id, std::int32_t& value) {
    if (failed_) return;
    QWidget* w = prepare(id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (saving_)
            value = c->currentIndex();
        else
            c->setCurrentIndex(value >= 0 && value < c->count() ? value : -1);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        if (saving_)
            value = l->currentRow();
        else
            l->setCurrentRow(value >= 0 && value < l->count() ? value : -1);
    }
}

void DataExchange::position(int id, std::int32_t& value) {
    if (failed_) return;
    QWidget* w = prepare(id);
    if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        if (saving_)
            value = s->value();
        else
            s->setValue(value);
    } else if (auto* sp = qobject_cast<QSpinBox*>(w)) {
        if (saving_)
            value = sp->value();
        else
            sp->setValue(value);
    }
}

void DataExchange::maxChars(int id, const std::string& value, int limit) {
    if (failed_) return;
    QWidget* w = prepare(id);
    if (!saving_) {
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setMaxLength(limit);
        return;
    }
    if (QString::fromStdString(value).size() > limit)
        fail(uiStrings(), IDS_PARSE_STRING_SIZE, Icon::Warning, {std::int64_t(limit)});
}

void DataExchange::range(std::int64_t value, std::int64_t min, std::int64_t max) {
    if (failed_ || !saving_) return;
    if (value < min || value > max)
        fail(uiStrings(), IDS_PARSE_INT_RANGE, Icon::Warning, {min, max});
}

}  // namespace ui
