#pragma once

#include <vector>

#include <QStyledItemDelegate>

namespace mivra::ui::qt {

/**
 * Draws a list row's tab-separated text in columns: each tab moves on to the next tab stop
 * past the text before it. Stops are in dialog units of the list's font; without stops
 * the columns are 32 units apart.
 */
class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetStops(std::vector<int> dialogUnits) { m_stops = std::move(dialogUnits); }
    /** The x of each column after the first, in pixels, for texts of these widths. */
    std::vector<int> ColumnStarts(const std::vector<int>& widths, int unitX, int spaceWidth) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int NextStop(int x, int unitX, int spaceWidth) const;

    std::vector<int> m_stops;
};

} // namespace mivra::ui::qt
