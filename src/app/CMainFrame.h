#pragma once

#include "app/CStartPanel.h"
#include "app/HelpGuide.h"
#include "app/ShellRules.h"
#include "schedule/CTabSchedule.h"
#include "ui/Frame.h"

#include <functional>
#include <map>
#include <string>

namespace mivra {
class CMvDoc;
class StringTable;
namespace reports {
class CMvView;
}
namespace ui {
class Host;
}
} // namespace mivra

namespace mivra::app {

/**
 * Opens the scheduling sheet on a page and returns how it ended; `runCommand` carries the
 * commands of the sheet's "Redigera" menu to the frame.
 */
using SheetRunner = std::function<int(CMvDoc& doc, ui::Host& host, int startPage,
                                      std::function<void(int commandId)> runCommand)>;

/**
 * The main frame's system side: routes every menu, toolbar and start panel command to the
 * document, the view or a dialog, keeps their enable rules, and owns the close rules, help
 * and the About box. A command without a handler (its part is not built) stays disabled.
 */
class CMainFrame : public ui::FrameSink {
public:
    CMainFrame(CMvDoc& doc, reports::CMvView& view, ui::Host& host);
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    /** The window this frame drives (null while there is none). */
    void SetWindow(ui::FrameWindow* window);
    void SetHelp(HelpGuide help) { m_help = std::move(help); }
    /** The title bar then says that the data is the made-up demo folder's. */
    void MarkDemo() { m_demo = true; }
    /** The title bar then says "(skrivskyddad)": the folder is open for viewing only. */
    void MarkReadOnly() { m_readOnly = true; }
    /** Plugs the scheduling sheet in: its commands and buttons become enabled. */
    void SetSheetRunner(SheetRunner runner);
    /** Binds a command or start panel button to a handler. */
    void Bind(int id, std::function<void()> handler);

    CMvDoc& Doc() const { return m_doc; }
    ui::Host& Host() const { return m_host; }
    ui::FrameLayout Layout() const;
    CStartPanel& Panel() { return m_panel; }
    const StringTable& Strings() const;
    ShellState State() const;

    // ui::FrameSink
    void OnCommand(int id) override;
    bool IsCommandEnabled(int id) const override;
    std::string Prompt(int id) const override;
    bool OnClose() override;

    /** Sets a status pane's text (pane 0 prompts and progress, pane 1 the date). */
    void SetStatusText(int pane, std::string_view text);
    /** The view's mode or report changed: panel, view and enable states follow. */
    void ViewChanged();

private:
    void BindViewCommands();
    void BindHelpCommands();
    void RunSheet(schedule::SchedulePage page);
    void ShowHelp(std::string_view topic);
    /** Saves what is still unsaved; asks before closing with files that failed. */
    bool DocumentMayClose();
    void UpdateCommands();

    CMvDoc& m_doc;
    reports::CMvView& m_view;
    ui::Host& m_host;
    ui::FrameWindow* m_window = nullptr;
    CStartPanel m_panel;
    HelpGuide m_help;
    bool m_demo = false;
    bool m_readOnly = false;
    SheetRunner m_sheet;
    std::map<int, std::function<void()>> m_handlers;
};

} // namespace mivra::app
