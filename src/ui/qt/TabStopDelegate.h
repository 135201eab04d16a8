#pragma once

#include <vector>

#include <QStyledItemDelegate>

namespace mivra::ui::qt {

/**
 * Draws a list row's tab-separated text in columns (`ui::ColumnStarts`: a long name never
 * hides the next column, and one overrun does not shift the rest) with a frame around the
 * row under the pointer, and tells which column a point falls in.
 */
class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetStops(std::vector<int> dialogUnits) { m_stops = std::move(dialogUnits); }
    /** The tab column of row `index` under viewport point `p`, as paint draws it. */
    int ColumnAt(const QModelIndex& index, const QRect& itemRect, QPoint p) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    /** The text's left edge and the columns' starts from it, in pixels. */
    std::vector<int> Starts(const QStyleOptionViewItem& opt, const QString& text) const;

    std::vector<int> m_stops;
};

} // namespace mivra::ui::qt
