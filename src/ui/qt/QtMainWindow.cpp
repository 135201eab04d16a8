#include "ui/qt/QtMainWindow.h"

#include "resources/Embedded.h"
#include "ui/Dialog.h"
#include "ui/qt/DesktopSettings.h"
#include "ui/qt/ProgramIcon.h"
#include "ui/qt/QtForm.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtReportView.h"
#include "ui/qt/QtText.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QToolBar>
#include <QUrl>

namespace mivra::ui::qt {
namespace {

const QString kGeometryKey = QStringLiteral("mainWindow/geometry");

/** Return and Enter press the focused button of the start panel, as Space does. */
class ReturnPressesButtons : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                button->animateClick();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QIcon ToolbarIcon(const std::string& name) {
    QIcon icon;
    std::optional<std::string_view> svg = resources::Find("icons/toolbar/" + name + ".svg");
    if (!svg)
        return icon;
    QSvgRenderer renderer(QByteArray(svg->data(), static_cast<qsizetype>(svg->size())));
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QtMainWindow::QtMainWindow(FrameSink& frame, const FrameLayout& layout, Dialog& startPanel,
                           ScrollView& view, QtHost& host)
    : m_frame(frame) {
    // Caption, system menu, sizing border and minimise box; no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(ToQt(layout.title));
    setWindowIcon(ProgramIcon());
    m_view = new QtReportView(view, this);
    setCentralWidget(m_view);
    BuildMenus(layout);
    BuildToolbar(layout);
    BuildStatusBar(layout);
    BuildStartPanel(startPanel, host);
    FitToDesktop();
    UpdateCommands();
}

QtMainWindow::~QtMainWindow() {
    // The panel's widgets go while their form and its event binding still live.
    delete m_dock;
}

QAction* QtMainWindow::MakeAction(const MenuEntry& entry) {
    auto* action = new QAction(ToQt(entry.text), this);
    action->setObjectName(QStringLiteral("a%1").arg(entry.id));
    action->setStatusTip(ToQt(m_frame.Prompt(entry.id)));
    QList<QKeySequence> keys;
    for (const std::string& key : entry.shortcuts)
        keys << QKeySequence(ToQt(key));
    action->setShortcuts(keys);
    const int id = entry.id;
    connect(action, &QAction::triggered, this, [this, id] { m_frame.OnCommand(id); });
    m_actions[id] = action;
    return action;
}

void QtMainWindow::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.IsSeparator())
            menu->addSeparator();
        else if (!entry.items.empty())
            AddEntries(menu->addMenu(ToQt(entry.text)), entry.items);
        else
            menu->addAction(MakeAction(entry));
    }
}

void QtMainWindow::BuildMenus(const FrameLayout& layout) {
    for (const MenuEntry& entry : layout.menuBar) {
        if (entry.items.empty()) {
            menuBar()->addAction(MakeAction(entry));
            continue;
        }
        QMenu* menu = menuBar()->addMenu(ToQt(entry.text));
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommands(); });
        AddEntries(menu, entry.items);
    }
}

void QtMainWindow::BuildToolbar(const FrameLayout& layout) {
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    for (const ToolSlot& slot : layout.toolbar) {
        QAction* action = slot.id ? Action(slot.id) : nullptr;
        if (!action) {
            bar->addSeparator();
            continue;
        }
        action->setIcon(ToolbarIcon(slot.icon));
        action->setToolTip(ToQt(slot.tip));
        bar->addAction(action);
    }
}

void QtMainWindow::BuildStatusBar(const FrameLayout& layout) {
    m_datePane = new QLabel(ToQt(layout.datePane), this);
    m_datePane->setObjectName(QStringLiteral("datePane"));
    m_datePane->setAlignment(Qt::AlignCenter);
    m_datePane->setMinimumWidth(
        m_datePane->fontMetrics().horizontalAdvance(ToQt(layout.datePaneSample)) + 16);
    statusBar()->addPermanentWidget(m_datePane);
}

void QtMainWindow::BuildStartPanel(Dialog& startPanel, QtHost& host) {
    m_dock = new QDockWidget(this);
    m_dock->setObjectName(QStringLiteral("startPanel"));
    m_dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_dock->setTitleBarWidget(new QWidget(m_dock));
    m_dock->setAllowedAreas(Qt::LeftDockWidgetArea);
    // The panel scrolls instead of holding the window taller than a laptop's screen.
    auto* scroller = new QScrollArea(m_dock);
    scroller->setObjectName(QStringLiteral("startPanelScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panelForm =
        std::make_unique<QtForm>(host.Templates(), startPanel.TemplateId(), startPanel, scroller);
    QWidget* panel = m_panelForm->Root();
    scroller->setWidget(panel);
    m_dock->setWidget(scroller);
    auto* returnFilter = new ReturnPressesButtons(panel);
    for (QAbstractButton* button : panel->findChildren<QAbstractButton*>())
        button->installEventFilter(returnFilter);
    addDockWidget(Qt::LeftDockWidgetArea, m_dock);
    const int width = panel->sizeHint().width() + scroller->verticalScrollBar()->sizeHint().width();
    scroller->setMinimumWidth(width);
    resizeDocks({m_dock}, {width + 8}, Qt::Horizontal);
    startPanel.Open(m_panelForm->Window(), host);
}

void QtMainWindow::FitToDesktop() {
    if (restoreGeometry(DesktopSettings().value(kGeometryKey).toByteArray()))
        return;
    // The desktop's height; the width of the report page, 8.3 inches at most.
    const QRect desktop = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const int pageWidth = static_cast<int>(8.3 * logicalDpiX());
    const int width =
        desktop.width() > static_cast<int>(8.5 * logicalDpiX()) ? pageWidth : desktop.width();
    resize(width, desktop.height() - 40);
}

QAction* QtMainWindow::Action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QWidget* QtMainWindow::StartPanel() const {
    return m_dock;
}

void QtMainWindow::UpdateCommands() {
    for (auto& [id, action] : m_actions)
        action->setEnabled(m_frame.IsCommandEnabled(id));
}

void QtMainWindow::ShowStartPanel(bool shown) {
    m_dock->setVisible(shown);
    if (!shown)
        m_view->setFocus();
}

void QtMainWindow::UpdateView() {
    m_view->Sync();
}

void QtMainWindow::SetStatusText(int pane, std::string_view text) {
    if (pane == 1)
        m_datePane->setText(ToQt(text));
    else
        statusBar()->showMessage(ToQt(text));
}

void QtMainWindow::RequestClose() {
    close();
}

bool QtMainWindow::OpenUrl(const std::string& url) {
    if (url.empty() || url.front() != '/')
        return QDesktopServices::openUrl(QUrl(ToQt(url)));
    const size_t hash = url.find('#');
    QUrl address = QUrl::fromLocalFile(ToQt(url.substr(0, hash)));
    if (hash != std::string::npos)
        address.setFragment(ToQt(url.substr(hash + 1)));
    return QDesktopServices::openUrl(address);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (!m_frame.OnClose()) {
        event->ignore();
        return;
    }
    DesktopSettings().setValue(kGeometryKey, saveGeometry());
    event->accept();
}

} // namespace mivra::ui::qt
