#pragma once

#include <vector>

#include <QStyledItemDelegate>

namespace mivra::ui::qt {

/**
 * Draws a list row's tab-separated text in columns: the text after the n-th tab starts at
 * the n-th stop, or a blank after the text before it when that runs past the stop (so a
 * long name never hides the next column, and one overrun does not shift the rest). Stops
 * are in dialog units of the list's font; one stop repeats, none means every 32 units.
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
    /** The n-th stop (0-based) in pixels, or -1 past the last one. */
    int Stop(size_t n, int unitX) const;

    std::vector<int> m_stops;
};

} // namespace mivra::ui::qt
