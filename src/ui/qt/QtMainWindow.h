#pragma once

#include "ui/Frame.h"

#include <map>
#include <memory>

#include <QMainWindow>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;

namespace mivra::ui {
class Dialog;
}

namespace mivra::ui::qt {

class QtForm;
class QtHost;
class QtReportView;

/**
 * The main window, built from the frame's layout: menus, toolbar, status bar with its date
 * pane, the start panel docked at the top left and the report view. It only forwards what
 * the user does to the frame and the view.
 */
class QtMainWindow : public QMainWindow, public FrameWindow {
    Q_OBJECT

public:
    QtMainWindow(FrameSink& frame, const FrameLayout& layout, Dialog& startPanel, ScrollView& view,
                 QtHost& host);
    ~QtMainWindow() override;

    /** The action of a command (menu item and toolbar button), or null. */
    QAction* Action(int id) const;
    QWidget* StartPanel() const;
    QtReportView* ReportView() const { return m_view; }

    // FrameWindow
    void UpdateCommands() override;
    void ShowStartPanel(bool shown) override;
    void UpdateView() override;
    void SetStatusText(int pane, std::string_view text) override;
    void RequestClose() override;
    bool OpenUrl(const std::string& url) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* MakeAction(const MenuEntry& entry);
    void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
    void BuildMenus(const FrameLayout& layout);
    void BuildToolbar(const FrameLayout& layout);
    void BuildStatusBar(const FrameLayout& layout);
    void BuildStartPanel(Dialog& startPanel, QtHost& host);
    void FitToDesktop();

    FrameSink& m_frame;
    std::map<int, QAction*> m_actions;
    QtReportView* m_view = nullptr;
    QDockWidget* m_dock = nullptr;
    QLabel* m_datePane = nullptr;
    std::unique_ptr<QtForm> m_panelForm;
};

/** A toolbar icon from the program's own SVG files. */
QIcon ToolbarIcon(const std::string& name);

} // namespace mivra::ui::qt
