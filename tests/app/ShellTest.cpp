#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CMvApp.h"
#include "app/ShellParts.h"
#include "base/Version.h"
#include "reports/CMvView.h"
#include "reports/CSelectWeeksDlg.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "rotations/CTalkHistoryDlg.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CNameListDlg.h"
#include "store/CSelectCongDlg.h"
#include "store/DataFolderLock.h"
#include "support/DocFixture.h"
#include "support/TestReport.h"
#include "ui/headless/HeadlessDialog.h"
#include "ui/headless/HeadlessSheet.h"
#include "ui/headless/RecordingPrinting.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mivra::app {
namespace {

using test::BrotherBytes;
using test::CongregationBytes;
using ui::headless::HeadlessDialog;
using ui::headless::RecordingPrinting;
constexpr reports::ViewMode kPanel = reports::ViewMode::StartPanel;
constexpr reports::ViewMode kReport = reports::ViewMode::Report;

/** The main window as the frame sees it, keeping what it was told. */
class FakeWindow : public ui::FrameWindow {
public:
    explicit FakeWindow(CMainFrame& frame) : m_frame(frame) {}
    void UpdateCommands() override { ++updates; }
    void ShowStartPanel(bool shown) override { panelShown = shown; }
    void UpdateView() override {}
    void SetStatusText(int pane, std::string_view text) override {
        status[pane] = std::string(text);
    }
    void RequestClose() override { closed = closed || m_frame.OnClose(); }
    bool OpenUrl(const std::string& url) override {
        urls.push_back(url);
        return true;
    }

    int updates = 0;
    bool panelShown = false;
    bool closed = false;
    std::map<int, std::string> status;
    std::vector<std::string> urls;

private:
    CMainFrame& m_frame;
};

/** A report opener that shows a small test report. */
reports::ReportOpener TestOpener(int rows = 10) {
    return [rows](reports::ReportOpening&) { return std::make_unique<test::TestReport>(rows); };
}

class ShellTest : public test::DocTest {
protected:
    void WriteCongregations(int count, uint16_t home = 0, int homeBrothers = 0) {
        std::vector<std::pair<size_t, test::Bytes>> slots;
        for (int k = 1; k <= count; ++k)
            slots.push_back(
                {static_cast<size_t>(k),
                 CongregationBytes{.name = "F" + std::to_string(k), .key = static_cast<uint16_t>(k)}
                     .Build()});
        test::Bytes cong(256, 0);
        for (auto& [slot, bytes] : slots) {
            cong.resize((slot + 1) * 256, 0);
            std::copy(bytes.begin(), bytes.end(), cong.begin() + static_cast<long>(slot * 256));
        }
        dir.Write("cong.dat", cong);
        test::Bytes speakers(256, 0);
        for (int k = 1; k <= homeBrothers; ++k) {
            test::Bytes b = BrotherBytes{.first = "B",
                                         .last = std::to_string(k),
                                         .congregation = home,
                                         .key = static_cast<uint16_t>(k)}
                                .Build();
            speakers.insert(speakers.end(), b.begin(), b.end());
        }
        dir.Write("speakers.dat", speakers);
        if (home)
            dir.WriteText("mivraw.ini",
                          "[Congregation]\r\nNumber=" + std::to_string(home) + "\r\n");
    }

    void Start() {
        window.reset();
        frame.reset();
        view.reset();
        LoadQuietly();
        view = std::make_unique<reports::CMvView>(*doc, host, printing);
        frame = std::make_unique<CMainFrame>(*doc, *view, host);
        window = std::make_unique<FakeWindow>(*frame);
        frame->SetWindow(window.get());
    }
    /** Plugs in a sheet that records the pages it was opened on. */
    void PlugInSheet() {
        frame->SetSheetRunner([this](CMvDoc&, ui::Host&, int page, std::function<void(int)>) {
            sheetPages.push_back(page);
            return ui::kIdOk;
        });
    }
    bool Enabled(int id) const { return frame->IsCommandEnabled(id); }

    RecordingPrinting printing;
    std::unique_ptr<reports::CMvView> view;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<FakeWindow> window;
    std::vector<int> sheetPages;
};

// Enable rules -----------------------------------------------------------------------------------

TEST(ShellRules, EachRuleLooksAtItsPartOfTheState) {
    ShellState none;
    ShellState all{kReport, 2, 2, false, true, true, true};
    struct Case {
        Rule rule;
        ShellState on;
        ShellState off;
    } cases[] = {
        {Rule::ReportShown, all, none},
        {Rule::SeveralCongregations, {kPanel, 2}, {kPanel, 1}},
        {Rule::HomeList, {kPanel, 0, 0, false}, {kPanel, 5, 5, true}},
        {Rule::Hosts, {kPanel, 0, 0, true, true}, {kPanel, 0, 0, true, false, true}},
        {Rule::Readers, {kPanel, 0, 0, true, false, true}, {kPanel, 0, 0, true, true, false}},
        {Rule::HomeCongregation, {kPanel, 0, 0, true, false, false, true}, all},
        {Rule::PackageExport, {kPanel, 2, 2}, {kPanel, 2, 1}},
        {Rule::PackageExport, all, {kPanel, 1, 2}},
    };
    cases[5].off.homeCongregation = false;
    for (const Case& c : cases) {
        EXPECT_TRUE(Allows(c.rule, c.on)) << static_cast<int>(c.rule);
        EXPECT_FALSE(Allows(c.rule, c.off)) << static_cast<int>(c.rule);
    }
    EXPECT_TRUE(Allows(Rule::Always, none));
}

TEST(ShellRules, CommandsCarryTheirRules) {
    struct Case {
        int id;
        Rule rule;
    } cases[] = {
        {57607, Rule::ReportShown},
        {57609, Rule::ReportShown},
        {32787, Rule::ReportShown},
        {32900, Rule::ReportShown},
        {32848, Rule::SeveralCongregations},
        {32854, Rule::HomeList},
        {32855, Rule::Hosts},
        {32856, Rule::Readers},
        {32893, Rule::Readers},
        {32885, Rule::HomeCongregation},
        {32883, Rule::HomeCongregation},
        {32888, Rule::HomeCongregation},
        {32829, Rule::PackageExport},
        {116, Rule::HomeCongregation},
        {32849, Rule::HomeCongregation},
        {57606, Rule::Always},
        {32866, Rule::Always},
        {32850, Rule::Always},
        {121, Rule::Always},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RuleOf(c.id), c.rule) << c.id;
}

TEST_F(ShellTest, CommandsOfPartsNotBuiltStayDisabled) {
    WriteCongregations(3, 1, 2);
    Start();
    for (int id : {32768, 32844, 32845, 32782, 32849, 32851, 32865, 32860, 32861, 32864, 32829,
                   32876, 32848, 32866, 32877, 32874, 32850, 32857})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {57606, 57665, 32868, 32813, 57664, 57669, 57666, 57667})
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : {57607, 57609, 32787, 32900})
        EXPECT_FALSE(Enabled(id)) << id << " needs a report";
    view->Kinds().Add(32866, 1, TestOpener());
    EXPECT_TRUE(Enabled(32866)) << "a report plugged in is enabled";
    frame->OnCommand(32866);
    EXPECT_EQ(view->Mode(), kReport);
    EXPECT_FALSE(window->panelShown);
    for (int id : {57607, 57609, 32787, 32900})
        EXPECT_TRUE(Enabled(id)) << id;
    frame->OnCommand(32787);
    EXPECT_EQ(view->Mode(), kPanel);
    EXPECT_TRUE(window->panelShown);
}

TEST_F(ShellTest, TheSheetOpensOnEachCommandsPage) {
    WriteCongregations(1, 1, 1);
    Start();
    PlugInSheet();
    doc->Settings().MutableOptions().scheduleReaders = true;
    for (int id : {32874, 32850, 32854, 32856, 32857})
        frame->OnCommand(id);
    EXPECT_FALSE(Enabled(32855)) << "no host page";
    EXPECT_EQ(sheetPages, (std::vector<int>{0, 1, 2, 3, 4}));
    sheetPages.clear();
    doc->Settings().MutableOptions().scheduleHosts = true;
    for (int id : {32855, 32856, 32857})
        frame->OnCommand(id);
    EXPECT_EQ(sheetPages, (std::vector<int>{3, 4, 5}));
}

TEST_F(ShellTest, DocumentRulesFollowTheData) {
    WriteCongregations(1);
    Start();
    PlugInSheet();
    view->Kinds().Add(32893, 11, TestOpener());
    view->Kinds().Add(32885, 6, TestOpener());
    EXPECT_FALSE(Enabled(32854)) << "an empty home list";
    EXPECT_FALSE(Enabled(32893)) << "readers not scheduled";
    EXPECT_FALSE(Enabled(32885)) << "no home congregation";
    doc->Settings().MutableOptions().scheduleReaders = true;
    EXPECT_TRUE(Enabled(32893));

    WriteCongregations(2, 2, 2);
    Start();
    PlugInSheet();
    view->Kinds().Add(32885, 6, TestOpener());
    EXPECT_TRUE(Enabled(32854));
    EXPECT_TRUE(Enabled(32885));
}

// Close rules ------------------------------------------------------------------------------------

TEST_F(ShellTest, ClosingWithAReportShownOnlyReturnsToTheStartPanel) {
    Start();
    view->Kinds().Add(32866, 1, TestOpener());
    frame->OnCommand(32866);
    frame->OnCommand(57665);
    EXPECT_FALSE(window->closed);
    EXPECT_EQ(view->Mode(), kPanel);
    frame->OnCommand(57665);
    EXPECT_TRUE(window->closed);
    EXPECT_TRUE(dir.Exists("mivraw.ini")) << "the fonts are written on exit";
}

TEST_F(ShellTest, ClosingWhilePrintingIsRefused) {
    Start();
    auto report = std::make_unique<test::TestReport>(10);
    bool allowed = true;
    report->onDraw = [&](int) { allowed = frame->OnClose(); };
    view->Show(1, std::move(report));
    view->Preview();
    EXPECT_FALSE(allowed);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Use Close Button");
    EXPECT_EQ(view->Mode(), kReport);
    host.ClearMessages();
}

TEST_F(ShellTest, AChangedAvailabilityTableIsSavedAtClose) {
    WriteCongregations(1, 1, 1);
    Start();
    doc->Availability().AddUnavailableWeek(1, static_cast<uint16_t>(CurrentWeek() + 2));
    ASSERT_TRUE(doc->HasPendingSaves());
    EXPECT_TRUE(frame->OnClose());
    EXPECT_FALSE(doc->HasPendingSaves());
    EXPECT_EQ(dir.Read("blackout.dat").size(), 8u);
}

TEST_F(ShellTest, FilesThatStillCannotBeSavedAreNamedAndTheUserMayStay) {
    WriteCongregations(1, 1, 1);
    Start();
    FailWritesTo("blackout.dat");
    doc->Availability().AddUnavailableWeek(1, static_cast<uint16_t>(CurrentWeek() + 2));
    host.Answer(ui::Answer::No);
    EXPECT_FALSE(frame->OnClose()) << "No: stay";
    std::vector<ui::MessageBox> shown = host.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(shown[0].secondIsDefault);
    EXPECT_NE(shown[0].text.find(Path("blackout.dat")), std::string::npos);
    host.ClearMessages();
    host.Answer(ui::Answer::Yes);
    EXPECT_TRUE(frame->OnClose()) << "Yes: close anyway";
    host.ClearMessages();
}

// Start panel ------------------------------------------------------------------------------------

TEST_F(ShellTest, StartPanelButtonsFollowTheirRules) {
    WriteCongregations(1);
    Start();
    PlugInSheet();
    HeadlessDialog panel(host, frame->Panel());
    EXPECT_TRUE(panel.IsEnabled(110));
    EXPECT_FALSE(panel.IsEnabled(121)) << "one congregation";
    EXPECT_FALSE(panel.IsEnabled(116)) << "no home congregation";
    EXPECT_FALSE(panel.IsEnabled(126));
    EXPECT_FALSE(panel.IsEnabled(127));
    EXPECT_FALSE(panel.IsEnabled(125)) << "an empty home list";
    EXPECT_TRUE(panel.IsEnabled(115));
    EXPECT_FALSE(panel.IsEnabled(119)) << "none of its lists is built";
    EXPECT_FALSE(panel.IsEnabled(122)) << "the printed schedule is not plugged in";

    doc->Settings().MutableOptions().scheduleReaders = true;
    frame->OnCommand(32874); // any command refreshes the panel
    EXPECT_TRUE(panel.IsEnabled(127));
    panel.Press(127).Press(124);
    EXPECT_EQ(sheetPages, (std::vector<int>{0, 3, 4}));
}

TEST_F(ShellTest, StartPanelMenusPopUpAtTheirPointsAndShowTheChosenList) {
    Start();
    view->Kinds().Add(32887, 7, TestOpener());
    view->Kinds().Add(32858, 4, TestOpener());
    HeadlessDialog panel(host, frame->Panel());
    frame->ViewChanged();
    ASSERT_TRUE(panel.IsEnabled(119));
    host.ChooseMenu(32887);
    panel.Press(119);
    ASSERT_EQ(host.Menus().size(), 1u);
    EXPECT_EQ(host.Menus()[0].at, (ui::Point{35, 158}));
    std::vector<std::string> texts;
    for (const ui::MenuItem& item : host.Menus()[0].menu.items)
        texts.push_back(item.text);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Utbyte av talare", "Tal för bröder i hemförsamlingen",
                                        "Besökande talares telefonnr", "Tal för dem som reser ut",
                                        "Uppföljning av inbjudningar"}));
    EXPECT_FALSE(host.Menus()[0].menu.items[1].enabled);
    EXPECT_EQ(view->Mode(), kReport);
    EXPECT_EQ(view->Kind(), 7);

    frame->OnCommand(32787);
    host.ChooseMenu(32858);
    panel.Press(129);
    EXPECT_EQ(host.Menus()[1].at, (ui::Point{35, 235}));
    EXPECT_EQ(host.Menus()[1].menu.items[2].text, "Talhistorik för talare som reser ut");
    EXPECT_EQ(view->Kind(), 4);
    EXPECT_FALSE(panel.IsEnabled(128));
}

TEST_F(ShellTest, StaengProgramClosesThroughTheCloseRules) {
    Start();
    HeadlessDialog panel(host, frame->Panel());
    panel.Press(110);
    EXPECT_TRUE(window->closed);
}

// About, help, layout ----------------------------------------------------------------------------

TEST_F(ShellTest, TheAboutBoxShowsTheDataFolderTheVersionAndTheMaker) {
    Start();
    host.OnDialog(100, [this](HeadlessDialog& d) {
        EXPECT_EQ(d.Text(CAboutDlg::kFolderText), dir.path().string());
        EXPECT_EQ(d.Text(CAboutDlg::kMakerText),
                  std::string("Mivra-projektet, version ") + kVersion);
        EXPECT_EQ(d.Text(CAboutDlg::kWebText), "https://mivra.example.org");
        EXPECT_EQ(d.Text(CAboutDlg::kMailText), "support@mivra.example.org");
        EXPECT_NE(d.Text(CAboutDlg::kLicenseText).find("GNU GPL, version 3 eller senare"),
                  std::string::npos);
        d.Ok();
    });
    frame->OnCommand(57664);
    std::string longFolder = "/" + std::string(400, 'a') + "ö";
    EXPECT_EQ(CAboutDlg::FolderText(longFolder).size(), 300u);
    EXPECT_EQ(CAboutDlg::FolderText("/ö/" + std::string(297, 'b')), "/ö/" + std::string(297, 'b'))
        << "counted in characters";
}

TEST_F(ShellTest, HelpOpensTheGuideInTheBrowser) {
    Start();
    test::TempDir cache;
    frame->SetHelp(HelpGuide({}, cache.path()));
    frame->OnCommand(57669);
    frame->OnCommand(57667);
    ASSERT_EQ(window->urls.size(), 2u);
    EXPECT_EQ(window->urls[0], (cache / "help" / "index.html").string());
    EXPECT_EQ(window->urls[1], (cache / "help" / "index.html").string() + "#index");
    EXPECT_TRUE(cache.Exists("help/index.html"));

    test::TempDir installed;
    std::filesystem::create_directories(installed / "share" / "mivra" / "help");
    installed.WriteText("share/mivra/help/index.html", "<html></html>");
    std::filesystem::create_directories(installed / "bin");
    EXPECT_EQ(HelpGuide(installed / "bin", cache.path()).File(),
              installed / "share" / "mivra" / "help" / "index.html");
    EXPECT_FALSE(HelpGuide({}, {}).File()) << "nowhere to put it";
}

TEST_F(ShellTest, TheFrameLayoutHasTheTitleMenusToolbarAndDate) {
    clock.Set({2026, 12, 7});
    Start();
    ui::FrameLayout layout = frame->Layout();
    EXPECT_EQ(layout.title, "Schemaskapare för offentliga föredrag - Mivra");
    EXPECT_EQ(layout.datePane, "Dec 07, 2026");
    EXPECT_EQ(layout.datePaneSample, "MMM 00, 0000");
    std::vector<std::string> bar;
    for (const ui::MenuEntry& e : layout.menuBar)
        bar.push_back(e.text);
    EXPECT_EQ(bar, (std::vector<std::string>{"&Fil", "&Redigera", "&Schemaläggning", "&Visa",
                                             "&Teckensnitt", "&Inställningar", "&Hjälp"}));
    EXPECT_EQ(layout.menuBar[5].id, 32864) << "a command on the bar itself";
    std::vector<int> slots;
    for (const ui::ToolSlot& s : layout.toolbar)
        slots.push_back(s.id);
    EXPECT_EQ(slots, (std::vector<int>{32787, 0,     32860, 0,     57607, 57609, 0,     32874,
                                       32850, 32854, 32855, 32856, 32857, 0,     32844, 32768,
                                       32782, 32848, 32851, 0,     57664, 57669}));
    for (int id : resources::CommandTable::Shell().MenuCommandIds())
        EXPECT_FALSE(frame->Prompt(id).empty()) << id << " has no prompt";
    EXPECT_EQ(frame->Prompt(32868), "Teckensnitt för schemarubrik");
}

// Start-up ---------------------------------------------------------------------------------------

TEST(ShellStart, OptionsAreTheDataFolderAndToday) {
    std::string error;
    auto args = ParseStartArgs({"--data", "/tmp/x", "--today=2026-12-07"}, error);
    ASSERT_TRUE(args);
    EXPECT_EQ(args->dataFolder, std::filesystem::path("/tmp/x"));
    EXPECT_EQ(args->today, (CivilDate{2026, 12, 7}));
    EXPECT_FALSE(ParseStartArgs({"dump"}, error));
    EXPECT_FALSE(ParseStartArgs({"--today", "1999-01-01"}, error));
}

TEST(ShellStart, AFreshFolderIsCreatedAndASecondWriterIsRefused) {
    io::SetDurable(false);
    test::TempDir dir;
    test::TestHost host;
    RecordingPrinting printing;
    const std::filesystem::path folder = dir / "ny" / "mivra";
    CMvApp app(StringTable::Swedish(), host, printing);
    ASSERT_EQ(app.Start({folder, CivilDate{2026, 12, 7}}, {}), kStarted);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(app.Frame().Layout().datePane, "Dec 07, 2026");

    test::TestHost second;
    CMvApp other(StringTable::Swedish(), second, printing);
    EXPECT_EQ(other.Start({folder, CivilDate{2026, 12, 7}}, {}), kStartFailed);
    ASSERT_EQ(second.Messages().size(), 1u);
    EXPECT_NE(second.Messages()[0].text.find("används redan av ett annat Mivra-program"),
              std::string::npos);
    EXPECT_FALSE(Result<DataFolderLock>(DataFolderLock::Acquire(folder)).ok())
        << "the lock is held for the whole run";
    io::SetDurable(true);
}

// Runs `body` in a child that cannot write `folder` (made read-only; as root the child drops
// to "nobody", since root writes anywhere). Returns what the body found wrong, or "".
std::string WithoutWriteAccess(const std::filesystem::path& folder,
                               const std::function<std::string()>& body) {
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        std::string found = (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                                ? "cannot drop root"
                                : body();
        [[maybe_unused]] ssize_t n = ::write(pipe[1], found.data(), found.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    std::string found;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        found.append(buffer, static_cast<size_t>(n));
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    return found;
}

TEST(ShellStart, AFolderThatCannotBeWrittenOpensForViewingOnly) {
    io::SetDurable(false);
    // A folder "nobody" may enter and read: outside the test tree, whose parents may be closed.
    std::string pattern = (std::filesystem::temp_directory_path() / "mivra-ro-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const std::filesystem::path folder = pattern;
    {
        test::TestHost host;
        RecordingPrinting printing;
        CMvApp writer(StringTable::Swedish(), host, printing);
        ASSERT_EQ(writer.Start({folder, CivilDate{2026, 12, 7}}, {}), kStarted);
    }
    std::filesystem::permissions(folder, std::filesystem::perms::all,
                                 std::filesystem::perm_options::add);
    const auto filesBefore = std::distance(std::filesystem::directory_iterator(folder), {});
    const std::string found = WithoutWriteAccess(folder, [&folder]() -> std::string {
        test::TestHost host;
        RecordingPrinting printing;
        CMvApp app(StringTable::Swedish(), host, printing);
        if (app.Start({folder, CivilDate{2026, 12, 7}}, {}) != kStarted)
            return "did not start";
        std::string wrong;
        if (host.Messages().size() != 1 ||
            host.Messages()[0].text.find("kan inte skrivas") == std::string::npos ||
            host.Messages()[0].text.find("öppnas skrivskyddad") == std::string::npos)
            wrong += "the message; ";
        if (!app.ReadOnly() || !app.Doc().ReadOnly())
            wrong += "not read-only; ";
        if (app.Frame().Layout().title.find("(skrivskyddad)") == std::string::npos)
            wrong += "the title; ";
        PlugInParts(app.Frame(), app.View());
        if (app.Frame().IsCommandEnabled(cmd::kHomeTalks) ||
            app.Frame().IsCommandEnabled(cmd::kPanelHomeTalks))
            wrong += "the sheet is offered; ";
        if (!app.Frame().IsCommandEnabled(cmd::kScheduleReport))
            wrong += "the printed schedule is not offered; ";
        return wrong;
    });
    EXPECT_EQ(found, "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), filesBefore);
    std::filesystem::remove_all(folder);
    io::SetDurable(true);
}

TEST(ShellStart, AHeldFolderAndOneThatCannotBeWrittenAreToldApart) {
    test::TempDir dir;
    DataFolderLock::Refusal why = DataFolderLock::Refusal::Failed;
    EXPECT_FALSE(DataFolderLock::Acquire(dir / "none", &why).ok());
    EXPECT_EQ(why, DataFolderLock::Refusal::Failed);
    EXPECT_EQ(
        DataFolderLock::RefusalMessage(StringTable::Swedish(), "/m", why, "Permission denied"),
        StringTable::Swedish().Format(60007, "/m", "0"));
    EXPECT_EQ(DataFolderLock::RefusalMessage(StringTable::Swedish(), "/m",
                                             DataFolderLock::Refusal::NotWritable,
                                             "Permission denied"),
              "Datamappen /m kan inte skrivas: Permission denied.");
}

} // namespace
} // namespace mivra::app

namespace mivra::app {
namespace {

TEST_F(ShellTest, TheBuiltPartsArePluggedIn) {
    WriteCongregations(1, 1, 1);
    Start();
    PlugInParts(*frame, *view);
    for (int id : {32866, 122, 32874, 32850, 32854, 32857})
        EXPECT_TRUE(Enabled(id)) << id;

    host.OnDialog(reports::CSelectWeeksDlg::kTemplate, [](auto& d) { d.Ok(); });
    frame->OnCommand(32866);
    EXPECT_EQ(view->Mode(), kReport);
    EXPECT_EQ(view->Kind(), 1);
    frame->OnCommand(32787);

    host.OnDialog(reports::CSelectWeeksDlg::kTemplate, [](auto& d) { d.Cancel(); });
    frame->OnCommand(122);
    EXPECT_EQ(view->Mode(), kPanel) << "a cancelled range shows nothing";

    host.OnSheet([](auto& sheet) { sheet.Cancel(); });
    frame->OnCommand(32850);

    // "&Bröder" from the menu and the start panel, "T&illgänglighet": the brother list.
    for (int id : {cmd::kBrothers, cmd::kPanelBrothers, cmd::kAvailability}) {
        EXPECT_TRUE(Enabled(id)) << id;
        host.OnDialog(CBrotherListDlg::kTemplate, [](auto& d) { d.Cancel(); });
        frame->OnCommand(id);
    }
    // "&Församlingar" and "&Kretsar", which start panel buttons 109 and 118 run.
    host.OnDialog(CCongregationListDlg::kTemplate, [](auto& d) { d.Cancel(); });
    frame->OnCommand(cmd::kCongregations);
    host.OnDialog(CNameListDlg::kTemplate, [](auto& d) { d.Cancel(); });
    frame->OnCommand(cmd::kCircuits);
    // The histories are dialogs, also from the start panel's "Se historik" menu.
    for (int id : {cmd::kTalkHistory, cmd::kOutgoingHistory, cmd::kSpeakerHistory}) {
        host.OnDialog(id == cmd::kSpeakerHistory ? 170 : 169, [](auto& d) { d.Cancel(); });
        frame->OnCommand(id);
    }
    for (int id : {cmd::kHistory, cmd::kPanelEditHistory}) {
        EXPECT_TRUE(Enabled(id)) << "a home congregation is set";
        host.OnDialog(148, [](auto& d) { d.Cancel(); });
        frame->OnCommand(id);
    }
    HeadlessDialog panel(host, frame->Panel());
    host.ChooseMenu(cmd::kTalkHistory);
    host.OnDialog(169, [](auto& d) { d.Cancel(); });
    panel.Press(cmd::kPanelSeeHistory);
    EXPECT_EQ(view->Mode(), kPanel);
    host.Verify();
}

TEST_F(ShellTest, TheListsOpenFromTheirCommandsAndButtons) {
    WriteCongregations(2, 1, 2);
    Start();
    PlugInParts(*frame, *view);
    const std::pair<int, int> plain[] = {{32878, 3},  {131, 3},    {32880, 4}, {32891, 10},
                                         {32893, 11}, {32895, 13}, {32896, 14}};
    for (auto [id, kind] : plain) {
        EXPECT_TRUE(view->ShowReport(id)) << id;
        EXPECT_EQ(view->Kind(), kind) << id;
    }
    // A dialog's Cancel leaves the view as it was; OK shows the kind.
    const std::tuple<int, int, int> asking[] = {{32890, 9, reports::CSelectWeeksDlg::kTemplate},
                                                {32894, 12, reports::CSelectWeeksDlg::kTemplate},
                                                {32888, 8, CBrotherListDlg::kTemplate},
                                                {32877, 2, CSelectCongDlg::kTemplate},
                                                {130, 2, CSelectCongDlg::kTemplate}};
    for (auto [id, kind, dialog] : asking) {
        host.OnDialog(dialog, [](auto& d) { d.Cancel(); });
        view->ShowReport(id);
        EXPECT_EQ(view->Kind(), 14) << id;
        host.OnDialog(dialog, [dialog](auto& d) {
            if (dialog == CBrotherListDlg::kTemplate || dialog == CSelectCongDlg::kTemplate)
                d.Select(CBrotherListDlg::kList, 0);
            d.Ok();
        });
        view->ShowReport(id);
        EXPECT_EQ(view->Kind(), kind) << id;
        frame->OnCommand(32896);
    }
    for (int id : {32883, 32885}) {
        host.OnDialog(rotations::CTalkHistoryDlg::kTemplate, [](auto& d) { d.Cancel(); });
        view->ShowReport(id);
        EXPECT_EQ(view->Kind(), 14) << id;
    }
    host.Verify();
}

} // namespace
} // namespace mivra::app
