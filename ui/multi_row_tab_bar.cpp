#include "ui/multi_row_tab_bar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <algorithm>

namespace ui {

MultiRowTabBar::MultiRowTabBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void MultiRowTabBar::setTabs(const QStringList& texts) {
    texts_ = texts;
    if (current_ >= count()) current_ = count() - 1;
    if (current_ < 0 && count() > 0) current_ = 0;
    relayout();
}

void MultiRowTabBar::setCurrentIndex(int index) {
    if (index < -1 || index >= count() || index == current_) return;
    current_ = index;
    relayout();
}

void MultiRowTabBar::setLayoutWidth(int width) {
    if (width == layoutWidth_) return;
    layoutWidth_ = width;
    relayout();
}

int MultiRowTabBar::rowOf(int index) const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (std::find(rows_[r].begin(), rows_[r].end(), index) != rows_[r].end()) return int(r);
    return -1;
}

QRect MultiRowTabBar::tabRect(int index) const {
    return index >= 0 && std::size_t(index) < rects_.size() ? rects_[std::size_t(index)] : QRect();
}

QSize MultiRowTabBar::naturalTabSize(int index) const {
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.text = texts_.at(index);
    opt.shape = QTabBar::RoundedNorth;
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, opt.text);
    const int hframe = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &opt, this);
    const int vframe = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &opt, this);
    const QSize base(text.width() + hframe, text.height() + vframe);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, base, this);
}

void MultiRowTabBar::relayout() {
    rows_.clear();
    rects_.assign(std::size_t(count()), QRect());
    rowHeight_ = 0;
    const int width = layoutWidth_ > 0 ? layoutWidth_ : std::max(this->width(), 1);
    std::vector<QSize> sizes;
    for (int i = 0; i < count(); ++i) {
        sizes.push_back(naturalTabSize(i));
        rowHeight_ = std::max(rowHeight_, sizes.back().height());
    }
    // Fill rows in page order; a tab wider than the whole row gets one alone.
    std::vector<std::vector<int>> logical;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = sizes[std::size_t(i)].width();
        if (logical.empty() || (used + w > width && !logical.back().empty())) {
            logical.emplace_back();
            used = 0;
        }
        logical.back().push_back(i);
        used += w;
    }
    // The selected tab's row moves to the bottom; the others keep their
    // cyclic order above it.
    std::size_t selectedRow = 0;
    for (std::size_t r = 0; r < logical.size(); ++r)
        if (std::find(logical[r].begin(), logical[r].end(), current_) != logical[r].end())
            selectedRow = r;
    for (std::size_t k = 1; k <= logical.size(); ++k)
        rows_.push_back(logical[(selectedRow + k) % logical.size()]);

    const bool stretch = rows_.size() > 1;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        int natural = 0;
        for (int i : rows_[r]) natural += sizes[std::size_t(i)].width();
        const int extra = stretch ? std::max(0, width - natural) : 0;
        int x = 0;
        for (std::size_t k = 0; k < rows_[r].size(); ++k) {
            const int i = rows_[r][k];
            int w = sizes[std::size_t(i)].width();
            // Spare width is shared out evenly; the last tab ends at the edge.
            if (stretch) {
                w += extra / int(rows_[r].size());
                if (k + 1 == rows_[r].size()) w = std::max(w, width - x);
            }
            rects_[std::size_t(i)] = QRect(x, int(r) * rowHeight_, w, rowHeight_);
            x += w;
        }
    }
    updateGeometry();
    update();
}

QSize MultiRowTabBar::sizeHint() const {
    return QSize(layoutWidth_ > 0 ? layoutWidth_ : 100, std::max(1, rowCount()) * rowHeight_);
}

QSize MultiRowTabBar::minimumSizeHint() const {
    return sizeHint();
}

void MultiRowTabBar::resizeEvent(QResizeEvent*) {
    if (layoutWidth_ <= 0) relayout();
}

void MultiRowTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    for (int i = 0; i < count(); ++i)
        if (rects_[std::size_t(i)].contains(event->position().toPoint())) {
            if (i != current_) emit tabClicked(i);
            return;
        }
}

void MultiRowTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // The selected tab last, so its raised edges cover its neighbours.
    std::vector<int> order;
    for (int i = 0; i < count(); ++i)
        if (i != current_) order.push_back(i);
    if (current_ >= 0) order.push_back(current_);
    for (int i : order) {
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.text = texts_.at(i);
        opt.rect = rects_[std::size_t(i)];
        opt.shape = QTabBar::RoundedNorth;
        opt.row = rowOf(i);
        const auto& row = rows_[std::size_t(rowOf(i))];
        const auto pos = std::find(row.begin(), row.end(), i) - row.begin();
        opt.position = row.size() == 1                      ? QStyleOptionTab::OnlyOneTab
                       : pos == 0                           ? QStyleOptionTab::Beginning
                       : std::size_t(pos) + 1 == row.size() ? QStyleOptionTab::End
                                                            : QStyleOptionTab::Middle;
        if (i == current_) opt.state |= QStyle::State_Selected;
        painter.drawControl(QStyle::CE_TabBarTab, opt);
    }
}

}  // namespace ui
