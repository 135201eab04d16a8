#pragma once

#include "ui/Frame.h"
#include "ui/qt/QtWindow.h"

#include <QAbstractScrollArea>

namespace mivra::ui::qt {

/** The report view's widget: paints through the system view and forwards keys and clicks. */
class QtReportView : public QAbstractScrollArea {
    Q_OBJECT

public:
    QtReportView(ScrollView& view, QWidget* parent);

    /** Takes the scroll size and position from the view and repaints. */
    void Sync();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ScrollView& m_view;
    QtWindow m_window; ///< the owner of the view's pop-up menus
    bool m_syncing = false;
};

} // namespace mivra::ui::qt
