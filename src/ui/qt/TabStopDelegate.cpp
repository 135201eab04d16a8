#include "ui/qt/TabStopDelegate.h"

#include "ui/TabColumns.h"
#include "ui/qt/QtWindow.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>

namespace mivra::ui::qt {

std::vector<int> TabStopDelegate::Starts(const QStyleOptionViewItem& opt,
                                         const QString& text) const {
    const QFontMetrics fm(opt.font);
    std::vector<int> widths;
    for (const QString& part : text.split(QLatin1Char('\t')))
        widths.push_back(fm.horizontalAdvance(part));
    return ui::ColumnStarts(m_stops, widths, UnitsOf(opt.font).x, fm.horizontalAdvance(' '));
}

int TabStopDelegate::ColumnAt(const QModelIndex& index, const QRect& itemRect, QPoint p) const {
    QStyleOptionViewItem opt;
    opt.rect = itemRect;
    opt.widget = qobject_cast<const QWidget*>(parent());
    if (opt.widget)
        opt.font = opt.widget->font();
    initStyleOption(&opt, index);
    const QString text = opt.text;
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    return ui::ColumnAt(Starts(opt, text), p.x() - area.left());
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
    const QStringList parts = text.split(QLatin1Char('\t'));
    const std::vector<int> starts = Starts(opt, text);

    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(opt.rect);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        int x = area.left() + (i == 0 ? 0 : starts[static_cast<size_t>(i - 1)]);
        // The whole row's height: the text area's margins would push the accents of "Ö" and
        // "Å" above the clip.
        QRect cell(x, opt.rect.top(), area.right() - x + 1, opt.rect.height());
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
    }
    if (opt.state & QStyle::State_MouseOver) {
        painter->setPen(opt.palette.color(QPalette::Highlight));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(opt.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics fm(option.font);
    size.setHeight(std::max(size.height(), fm.height() + 2));
    if (!text.contains(QLatin1Char('\t')))
        return size;
    const std::vector<int> starts = Starts(option, text);
    size.setWidth(starts.back() + fm.horizontalAdvance(text.section(QLatin1Char('\t'), -1)) + 8);
    return size;
}

} // namespace mivra::ui::qt
