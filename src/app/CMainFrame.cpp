#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "dates/Dates.h"
#include "reports/CMvView.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/CommandMenus.h"
#include "ui/Host.h"

namespace mivra::app {
namespace {

constexpr int kTitle = 2;
constexpr int kDemoTitle = 60050;
constexpr int kReadOnlyTitle = 60073;
constexpr int kDatePaneSample = 59142;
constexpr int kUseCloseButton = 60011;
constexpr int kUnsavedAtClose = 60012;
constexpr int kNoHelp = 60013;
constexpr int kPdfSaved = 60061;

struct FontCommand {
    int id;
    FontRole role;
};
constexpr FontCommand kFontCommands[] = {
    {cmd::kFontHeading, FontRole::Heading}, {cmd::kFontDate, FontRole::Date},
    {cmd::kFontTalk, FontRole::Talk},       {cmd::kFontSubheading, FontRole::Subheading},
    {cmd::kFontSpeaker, FontRole::Speaker}, {cmd::kFontText, FontRole::Text},
    {cmd::kFontSmall, FontRole::Small},
};

} // namespace

CMainFrame::CMainFrame(CMvDoc& doc, reports::CMvView& view, ui::Host& host)
    : m_doc(doc), m_view(view), m_host(host), m_panel(*this) {
    BindViewCommands();
    BindHelpCommands();
    Bind(cmd::kExit, [this] {
        if (m_window)
            m_window->RequestClose();
    });
    m_view.SetCommands([this](int id) { OnCommand(id); },
                       [this](int id) { return IsCommandEnabled(id); });
    m_view.SetOnChange([this] { ViewChanged(); });
}

CMainFrame::~CMainFrame() {
    m_view.SetOnChange({});
    m_view.SetCommands({}, {});
}

void CMainFrame::BindViewCommands() {
    Bind(cmd::kPrint, [this] { m_view.Print(); });
    Bind(cmd::kPrintPreview, [this] { m_view.Preview(); });
    Bind(cmd::kPrintSetup, [this] { m_view.PrinterSetup(); });
    Bind(cmd::kSavePdf, [this] {
        if (std::optional<std::filesystem::path> saved = m_view.SavePdf())
            SetStatusText(0, Strings().Format(kPdfSaved, saved->string()));
    });
    Bind(cmd::kStartPanel, [this] { m_view.ShowStartPanel(); });
    for (const FontCommand& f : kFontCommands)
        Bind(f.id, [this, f] { m_view.ChooseFont(f.role, f.id); });
    Bind(cmd::kFontDefaults, [this] { m_view.ResetFonts(); });
}

void CMainFrame::BindHelpCommands() {
    Bind(cmd::kHelpContents, [this] { ShowHelp(""); });
    Bind(cmd::kHelpIndex, [this] { ShowHelp("index"); });
    Bind(cmd::kHelp, [this] { ShowHelp(""); });
    Bind(cmd::kAbout, [this] {
        CAboutDlg about(m_doc.Strings(), m_doc.DataFolder());
        m_host.RunDialog(about);
    });
}

void CMainFrame::SetSheetRunner(SheetRunner runner) {
    m_sheet = std::move(runner);
    Bind(cmd::kSummary, [this] { RunSheet(schedule::SchedulePage::Summary); });
    Bind(cmd::kHomeTalks, [this] { RunSheet(schedule::SchedulePage::HomeTalks); });
    Bind(cmd::kChairman, [this] { RunSheet(schedule::SchedulePage::Chairman); });
    Bind(cmd::kHosts, [this] { RunSheet(schedule::SchedulePage::Hosts); });
    Bind(cmd::kReaders, [this] { RunSheet(schedule::SchedulePage::Readers); });
    Bind(cmd::kOutgoing, [this] { RunSheet(schedule::SchedulePage::Outgoing); });
    UpdateCommands();
}

void CMainFrame::RunSheet(schedule::SchedulePage page) {
    m_sheet(m_doc, m_host, schedule::SchedulePageIndex(m_doc.Settings().Options(), page),
            [this](int id) { OnCommand(id); });
    m_view.Relayout(); // the sheet may have changed what the report shows
}

void CMainFrame::Bind(int id, std::function<void()> handler) {
    m_handlers[id] = std::move(handler);
}

void CMainFrame::SetWindow(ui::FrameWindow* window) {
    m_window = window;
    if (m_window) {
        m_window->ShowStartPanel(m_view.Mode() == reports::ViewMode::StartPanel);
        UpdateCommands();
    }
}

const StringTable& CMainFrame::Strings() const {
    return m_doc.Strings();
}

ShellState CMainFrame::State() const {
    return StateOf(m_doc, m_view.Mode());
}

ui::FrameLayout CMainFrame::Layout() const {
    ui::FrameLayout layout;
    layout.title =
        m_demo ? Strings().Format(kDemoTitle, Strings().Get(kTitle)) : Strings().Get(kTitle);
    if (m_readOnly)
        layout.title = Strings().Format(kReadOnlyTitle, layout.title);
    const resources::CommandTable& commands = resources::CommandTable::Shell();
    layout.menuBar = ui::MenuEntries(commands.MenuBar(), Strings());
    layout.toolbar = ui::ToolSlots(commands.Toolbar());
    layout.datePane = dates::FormatCivil(m_doc.Today(), "%b %d, %Y", Strings());
    layout.datePaneSample = Strings().Get(kDatePaneSample);
    return layout;
}

// Commands ---------------------------------------------------------------------------------------

bool CMainFrame::IsCommandEnabled(int id) const {
    if (!m_handlers.count(id) && !m_view.Kinds().Has(id))
        return false;
    return Allows(id, State());
}

void CMainFrame::OnCommand(int id) {
    if (!IsCommandEnabled(id))
        return;
    if (auto it = m_handlers.find(id); it != m_handlers.end())
        it->second();
    else
        m_view.ShowReport(id);
    UpdateCommands();
}

std::string CMainFrame::Prompt(int id) const {
    return Strings().Get(id);
}

void CMainFrame::SetStatusText(int pane, std::string_view text) {
    if (m_window)
        m_window->SetStatusText(pane, text);
}

void CMainFrame::ViewChanged() {
    if (m_window) {
        m_window->ShowStartPanel(m_view.Mode() == reports::ViewMode::StartPanel);
        m_window->UpdateView();
    }
    UpdateCommands();
}

void CMainFrame::UpdateCommands() {
    m_panel.UpdateControls();
    if (m_window)
        m_window->UpdateCommands();
}

void CMainFrame::ShowHelp(std::string_view topic) {
    std::optional<std::string> address = m_help.Address(topic);
    if (address && m_window && m_window->OpenUrl(*address))
        return;
    m_host.Warn(Strings().Format(kNoHelp, address.value_or(HelpGuide::kResource)));
}

// Closing ----------------------------------------------------------------------------------------

bool CMainFrame::OnClose() {
    if (m_view.IsPrinting()) {
        ui::MessageBox box;
        box.text = Strings().Get(kUseCloseButton);
        m_host.ShowMessage(box);
        return false;
    }
    if (m_view.Mode() == reports::ViewMode::Report) {
        m_view.ShowStartPanel();
        return false;
    }
    if (!DocumentMayClose())
        return false;
    m_view.WriteFonts();
    return true;
}

bool CMainFrame::DocumentMayClose() {
    if (!m_doc.HasPendingSaves())
        return true;
    std::vector<std::filesystem::path> failing = m_doc.RetryPendingSaves();
    if (failing.empty())
        return true;
    std::string files;
    for (const std::filesystem::path& file : failing)
        files += "  " + file.string() + "\n";
    ui::MessageBox box;
    box.text = Strings().Format(kUnsavedAtClose, files);
    box.buttons = ui::Buttons::YesNo;
    box.icon = ui::Icon::Warning;
    box.secondIsDefault = true;
    return m_host.ShowMessage(box) == ui::Answer::Yes;
}

} // namespace mivra::app
