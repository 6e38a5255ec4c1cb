#pragma once
// Stacked tabs: when the captions do not fit in one row they wrap into
// further rows, every row is stretched to the full width, and the row of the
// selected tab always sits at the bottom, next to the page -- the layout
// users know from sheets with many pages.
#include <QStringList>
#include <QWidget>
#include <vector>

#include "ui/ui_export.h"

namespace ui {

class VELKA_UI_EXPORT MultiRowTabBar : public QWidget {
    Q_OBJECT
public:
    explicit MultiRowTabBar(QWidget* parent = nullptr);

    void setTabs(const QStringList& texts);
    int count() const { return int(texts_.size()); }
    QString tabText(int index) const { return texts_.value(index); }
    void setCurrentIndex(int index);
    int currentIndex() const { return current_; }

    // The width the rows are laid out for (the page area's width).
    void setLayoutWidth(int width);
    int rowCount() const { return int(rows_.size()); }
    // Visual row of a tab, 0 at the top; -1 for no such tab.
    int rowOf(int index) const;
    QRect tabRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void tabClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize naturalTabSize(int index) const;
    void relayout();

    QStringList texts_;
    int current_ = -1;
    int layoutWidth_ = 0;
    int rowHeight_ = 0;
    std::vector<std::vector<int>> rows_;  // visual order, top first
    std::vector<QRect> rects_;
};

}  // namespace ui
