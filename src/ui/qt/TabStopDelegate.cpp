#include "ui/qt/TabStopDelegate.h"

#include "ui/qt/QtWindow.h"

#include <QApplication>
#include <QPainter>

namespace mivra::ui::qt {
namespace {

constexpr int kDefaultStep = 32; // dialog units between columns when a list sets no stops

} // namespace

int TabStopDelegate::Stop(size_t n, int unitX) const {
    auto px = [unitX](int dlu) { return dlu * unitX / 4; };
    if (m_stops.size() <= 1)
        return px(m_stops.empty() ? kDefaultStep : m_stops.front()) * static_cast<int>(n + 1);
    return n < m_stops.size() ? px(m_stops[n]) : -1;
}

std::vector<int> TabStopDelegate::ColumnStarts(const std::vector<int>& widths, int unitX,
                                               int spaceWidth) const {
    std::vector<int> starts;
    int x = 0;
    for (size_t i = 0; i + 1 < widths.size(); ++i) {
        const int end = x + widths[i];
        const int stop = Stop(i, unitX);
        x = stop > end ? stop : end + spaceWidth;
        starts.push_back(x);
    }
    return starts;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const QFontMetrics fm(opt.font);
    const QStringList parts = text.split(QLatin1Char('\t'));
    std::vector<int> widths;
    for (const QString& part : parts)
        widths.push_back(fm.horizontalAdvance(part));
    std::vector<int> starts = ColumnStarts(widths, UnitsOf(opt.font).x, fm.horizontalAdvance(' '));

    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(opt.rect);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        int x = area.left() + (i == 0 ? 0 : starts[static_cast<size_t>(i - 1)]);
        QRect cell(x, area.top(), area.right() - x + 1, area.height());
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QString text = index.data(Qt::DisplayRole).toString();
    if (!text.contains(QLatin1Char('\t')))
        return size;
    const QFontMetrics fm(option.font);
    const QStringList parts = text.split(QLatin1Char('\t'));
    std::vector<int> widths;
    for (const QString& part : parts)
        widths.push_back(fm.horizontalAdvance(part));
    std::vector<int> starts =
        ColumnStarts(widths, UnitsOf(option.font).x, fm.horizontalAdvance(' '));
    size.setWidth(starts.back() + widths.back() + 8);
    return size;
}

} // namespace mivra::ui::qt
