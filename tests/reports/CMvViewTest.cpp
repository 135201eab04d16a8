#include "reports/CMvView.h"

#include "store/Profile.h"
#include "support/DocFixture.h"
#include "support/TestReport.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/headless/RecordingPrinting.h"

namespace mivra::reports {
namespace {

using ui::headless::RecordingPrinting;

class ViewTest : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
        printing.printer = {true, "Kontoret", 300, 300};
        view = std::make_unique<CMvView>(*doc, host, printing);
        view->SetOnChange([this] { ++changes; });
    }

    /** Shows a test report of `rows` rows (61 a screen page, 59 a 300-dpi sheet). */
    test::TestReport& ShowRows(int rows, int kind = 1, int scrollTenths = kPageHeightTenths) {
        auto report = std::make_unique<test::TestReport>(rows, scrollTenths);
        test::TestReport& r = *report;
        view->Show(kind, std::move(report));
        return r;
    }
    RecordingPrinting::Job& LastJob() { return printing.jobs.back(); }
    std::vector<int> PagesSent(const RecordingPrinting::Job& job) const {
        return RecordingPrinting::PagesSent(job, job.settings.dpiY * 11);
    }

    RecordingPrinting printing;
    std::unique_ptr<CMvView> view;
    int changes = 0;
};

TEST_F(ViewTest, StartsOnTheStartPanelWithThePrinterRead) {
    EXPECT_EQ(view->Mode(), ViewMode::StartPanel);
    EXPECT_EQ(view->Kind(), 1);
    EXPECT_EQ(view->State().pageHeight, 110);
    EXPECT_EQ(view->State().pageWidth, 80);
    EXPECT_EQ(view->State().printerName, "Kontoret");
    EXPECT_EQ(view->ScrollSize(), (ui::Size{0, 0}));
    EXPECT_FALSE(view->OnKey(ui::Key::PageDown)) << "no report, nothing to scroll";
}

TEST_F(ViewTest, ScrollSizeIsEightInchesByThePagesOfTheStrip) {
    ShowRows(120);
    EXPECT_EQ(view->Mode(), ViewMode::Report);
    EXPECT_EQ(view->State().pageCount, 2);
    EXPECT_EQ(view->ScrollSize(), (ui::Size{768, 2 * 1056}));
    ShowRows(120, 3, 120);
    EXPECT_EQ(view->ScrollSize(), (ui::Size{768, 2 * 1152})) << "twelve-inch scroll pages";
    view->SetScreenDpi(120, 120);
    EXPECT_EQ(view->ScrollSize(), (ui::Size{960, 2 * 1440}));
}

TEST_F(ViewTest, KeysScrollByPageAndLineStepsInsideTheStrip) {
    ShowRows(120);
    view->SetViewport({500, 600});
    EXPECT_EQ(view->PageStep(), (ui::Size{192, 384}));
    EXPECT_EQ(view->LineStep(), (ui::Size{9, 16}));
    struct Step {
        ui::Key key;
        ui::Point expected;
    } steps[] = {
        {ui::Key::PageDown, {0, 384}},  {ui::Key::Down, {0, 400}},
        {ui::Key::Up, {0, 384}},        {ui::Key::End, {0, 2112 - 600}},
        {ui::Key::PageDown, {0, 1512}}, {ui::Key::Right, {9, 1512}},
        {ui::Key::Left, {0, 1512}},     {ui::Key::Left, {0, 1512}},
        {ui::Key::PageUp, {0, 1128}},   {ui::Key::Home, {0, 0}},
        {ui::Key::Up, {0, 0}},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(view->OnKey(s.key));
        EXPECT_EQ(view->ScrollPosition(), s.expected) << static_cast<int>(s.key);
    }
    view->SetViewport({1000, 3000});
    EXPECT_EQ(view->ScrollPosition(), (ui::Point{0, 0})) << "a larger window shows it all";
}

TEST_F(ViewTest, EscapeReturnsToTheStartPanel) {
    ShowRows(10);
    changes = 0;
    EXPECT_TRUE(view->OnKey(ui::Key::Escape));
    EXPECT_EQ(view->Mode(), ViewMode::StartPanel);
    EXPECT_EQ(view->CurrentReport(), nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(view->OnKey(ui::Key::Escape));
}

TEST_F(ViewTest, PaintDrawsTheVisiblePagesOfTheStripAtTheScrollPosition) {
    test::TestReport& report = ShowRows(120);
    view->SetViewport({768, 600});
    view->ScrollTo({0, 800});
    ui::headless::RecordingCanvas screen;
    view->Paint(screen);
    ASSERT_EQ(report.drawn.size(), 2u);
    EXPECT_EQ(report.drawn[0].page, 1);
    EXPECT_EQ(report.drawn[1].page, 2);
    EXPECT_EQ(screen.CallsOf("origin").front().at, (ui::Point{0, 800}));
    EXPECT_NE(screen.FindText("Sida 2"), nullptr);
}

// Printing ---------------------------------------------------------------------------------------

TEST_F(ViewTest, CopiesTheDriverCannotMakeAreSentAsTheWholeRangeAgain) {
    test::TestReport& report = ShowRows(100);
    printing.driverMakesCopies = false;
    printing.choices.push_back({0, 0, 3, {}});
    view->Print();
    ASSERT_EQ(printing.jobs.size(), 1u);
    EXPECT_EQ(PagesSent(LastJob()), (std::vector<int>{1, 2, 1, 2, 1, 2}));
    for (const test::TestReport::Drawn& d : report.drawn) {
        if (d.dpiY == 300) {
            EXPECT_EQ(d.textFont.height, -50) << "-16 screen units at 300 dpi";
        }
    }
    EXPECT_FALSE(view->IsPrinting());
    EXPECT_EQ(view->State().copiesPending, 0);

    printing.driverMakesCopies = true;
    printing.choices.push_back({0, 0, 3, {}});
    view->Print();
    EXPECT_EQ(PagesSent(LastJob()), (std::vector<int>{1, 2})) << "the driver makes the copies";
    EXPECT_EQ(LastJob().settings.copies, 3);
}

TEST_F(ViewTest, ThePrintRangeComesFromTheLayoutForThePrinter) {
    test::TestReport& report = ShowRows(120);
    ASSERT_EQ(view->State().pageCount, 2) << "61 rows a screen page";
    printing.choices.push_back({0, 0, 1, {}});
    view->Print();
    ASSERT_EQ(printing.dialogRanges, (std::vector<int>{3})) << "59 rows a 300-dpi sheet";
    EXPECT_EQ(PagesSent(LastJob()), (std::vector<int>{1, 2, 3})) << "no week left off";
    EXPECT_TRUE(report.layouts.back().printer == false) << "laid out for the screen again";
    EXPECT_EQ(view->State().pageCount, 2);
}

TEST_F(ViewTest, TheCopyLoopRestartsAtTheFirstPageOfTheChosenRange) {
    ShowRows(120);
    printing.driverMakesCopies = false;
    printing.choices.push_back({2, 3, 2, {}});
    view->Print();
    EXPECT_EQ(PagesSent(LastJob()), (std::vector<int>{2, 3, 2, 3}));
}

TEST_F(ViewTest, AnotherPrinterChosenInTheDialogIsLaidOutForItsOwnResolution) {
    test::TestReport& report = ShowRows(120);
    printing.choices.push_back({0, 0, 1, ui::PrinterInfo{true, "Laser", 600, 300}});
    view->Print();
    EXPECT_EQ(view->State().printerName, "Laser");
    EXPECT_EQ(view->State().printerDpiX, 600);
    ASSERT_GE(report.layouts.size(), 2u);
    const Target& sent = report.layouts[report.layouts.size() - 2];
    EXPECT_EQ(sent.dpiX, 600);
    EXPECT_EQ(sent.dpiY, 300);
    const ui::Font font = report.drawn.back().textFont;
    EXPECT_EQ(font.height, -50) << "height scaled by the vertical resolution";
}

TEST_F(ViewTest, PreviewAndPdfAreLaidOutForTheirTargetsToo) {
    ShowRows(120);
    printing.printer = {};
    view->ReadPrinter();
    EXPECT_EQ(view->State().printerDpiX, 300) << "no printer: 300 × 300";
    view->Preview();
    ASSERT_EQ(printing.jobs.size(), 1u);
    EXPECT_EQ(PagesSent(LastJob()), (std::vector<int>{1, 2, 3}));
    auto firstOrigin = [this] { return LastJob().sheets[0].CallsOf("origin").front().at; };
    EXPECT_EQ(firstOrigin(), (ui::Point{0, 0}))
        << "a printer's canvas begins at its printable area";

    EXPECT_FALSE(view->SavePdf());
    EXPECT_EQ(printing.jobs.size(), 1u) << "no file chosen, nothing written";
    printing.pdfPath = dir / "schema.pdf";
    EXPECT_EQ(view->SavePdf(), dir / "schema.pdf");
    ASSERT_EQ(printing.jobs.size(), 2u);
    EXPECT_EQ(LastJob().kind, "pdf");
    EXPECT_EQ(printing.pdfSuggested, "Mivra.pdf") << "a report without a name of its own";
    EXPECT_EQ(LastJob().title, "Mivra");
    EXPECT_EQ(PagesSent(LastJob()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(firstOrigin(), (ui::Point{-75, -75})) << "a PDF page stands in as paper's does";
    EXPECT_TRUE(host.Messages().empty());

    printing.failPdf = true;
    EXPECT_FALSE(view->SavePdf());
    ASSERT_EQ(host.Messages().size(), 1u) << "a failed PDF is not reported as done";
    EXPECT_NE(host.Messages()[0].text.find(Path("schema.pdf")), std::string::npos);
    EXPECT_NE(host.Messages()[0].text.find("Kunde inte skapa ny fil"), std::string::npos);
    host.ClearMessages();
}

TEST_F(ViewTest, PrintingNeedsAReportAndASetUpReadsThePrinterAgain) {
    view->Print();
    view->Preview();
    EXPECT_TRUE(printing.jobs.empty());
    EXPECT_TRUE(printing.dialogRanges.empty());
    printing.setUpChoice = ui::PrinterInfo{true, "Matris", 180, 360};
    view->PrinterSetup();
    EXPECT_EQ(view->State().printerName, "Matris");
    EXPECT_EQ(view->State().printerDpiY, 360);
}

// Context menu ----------------------------------------------------------------------------------

TEST_F(ViewTest, TheScheduleOffersItsFontMenuOnARightClick) {
    std::vector<int> run;
    view->SetCommands([&run](int id) { run.push_back(id); }, [](int id) { return id != 32864; });
    ui::headless::HeadlessWindow owner(ui::Template{}, nullptr, {});
    ShowRows(10, 2);
    view->OnContextMenu(owner, {5, 5});
    EXPECT_TRUE(host.Menus().empty()) << "only the printed schedule has the menu";
    ShowRows(10, 1);
    host.ChooseMenu(32868);
    view->OnContextMenu(owner, {40, 60});
    ASSERT_EQ(host.Menus().size(), 1u);
    const ui::Menu& menu = host.Menus()[0].menu;
    ASSERT_EQ(menu.items.size(), 8u);
    EXPECT_EQ(menu.items[0].text, "Inställningar");
    EXPECT_FALSE(menu.items[0].enabled);
    EXPECT_EQ(menu.items[6].text, "Teckensnitt, text");
    EXPECT_EQ(menu.items[7].text, "Återställ teckensnitt till Förval");
    EXPECT_EQ(menu.items[7].id, 32813);
    EXPECT_EQ(run, (std::vector<int>{32868}));
}

// Fonts -----------------------------------------------------------------------------------------

TEST_F(ViewTest, TheSameFontChosenAgainOnlyTakesTheColour) {
    test::TestReport& report = ShowRows(10);
    const size_t layouts = report.layouts.size();
    host.OnChooseFont([](const ui::FontRequest& r) {
        ui::Font f = r.font;
        f.colour = ui::Rgb(0, 0, 128);
        return std::optional(f);
    });
    view->ChooseFont(FontRole::Heading, 32868);
    ASSERT_EQ(host.FontRequests().size(), 1u);
    EXPECT_EQ(host.FontRequests()[0].title, "Teckensnitt för schemarubrik");
    EXPECT_TRUE(host.FontRequests()[0].hideStrikeOutAndUnderline);
    EXPECT_EQ(host.FontRequests()[0].font.face, "Arial");
    EXPECT_EQ(host.FontRequests()[0].font.height, -27);
    EXPECT_EQ(view->Fonts()[FontRole::Heading].colour, ui::Rgb(0, 0, 128));
    EXPECT_EQ(view->Fonts()[FontRole::Heading].height, -27);
    EXPECT_EQ(report.layouts.size(), layouts) << "the same font needs no new layout";
}

TEST_F(ViewTest, AnotherFontReplacesTheRolesFontAndLaysTheReportOutAgain) {
    test::TestReport& report = ShowRows(120);
    host.OnChooseFont([](const ui::FontRequest& r) {
        ui::Font f = r.font;
        f.height = -32;
        f.face = "Liberation Serif";
        return std::optional(f);
    });
    view->ChooseFont(FontRole::Text, 32791);
    EXPECT_EQ(host.FontRequests()[0].title, "Teckensnitt för text");
    EXPECT_EQ(view->Fonts()[FontRole::Text].height, -32);
    EXPECT_EQ(view->Fonts()[FontRole::Text].face, "Liberation Serif");
    EXPECT_EQ(view->State().pageCount, 4) << "30 rows a page now";
    EXPECT_FALSE(report.layouts.back().printer);

    const FontSpec before = view->Fonts()[FontRole::Text];
    view->ChooseFont(FontRole::Text, 32791); // cancelled
    EXPECT_EQ(view->Fonts()[FontRole::Text], before);
}

TEST_F(ViewTest, DefaultsResetEveryRoleAndAreWrittenInFullOnExit) {
    dir.WriteText("mivraw.ini", "[Teckensnitt]\r\nHeight=-20\r\nWeight=700\r\nFaceName=Courier\r\n"
                                "[Annat]\r\nNyckel=kvar\r\n");
    view->LoadFonts(Profile::Load(dir / "mivraw.ini", 1252));
    EXPECT_EQ(view->Fonts()[FontRole::Text].face, "Courier");
    view->ResetFonts();
    EXPECT_EQ(view->Fonts()[FontRole::Text].face, "Times New Roman");
    EXPECT_EQ(view->Fonts()[FontRole::Text].height, -16);
    for (bool pending : view->Fonts().writeAll)
        EXPECT_TRUE(pending);
    ASSERT_TRUE(view->WriteFonts());
    Profile written = Profile::Load(dir / "mivraw.ini", 1252);
    EXPECT_EQ(written.GetInt("Teckensnitt", "Height", 0), -16);
    EXPECT_EQ(written.GetString("Teckensnitt", "FaceName"), "Times New Roman");
    EXPECT_EQ(written.GetInt("Teckensnitt, Rubrik", "Weight", 0), 700);
    EXPECT_EQ(written.GetString("Annat", "Nyckel"), "kvar") << "the rest of the profile stays";
}

TEST_F(ViewTest, FontsAreWrittenOnlyWhenChangedAndAFailedWriteSays1231) {
    view->LoadFonts(Profile::Load(dir / "mivraw.ini", 1252));
    ASSERT_TRUE(view->WriteFonts()); // the first exit stores the defaults
    std::vector<std::string>& written = RecordWrites();
    view->LoadFonts(Profile::Load(dir / "mivraw.ini", 1252));
    EXPECT_TRUE(view->WriteFonts());
    EXPECT_TRUE(written.empty()) << "nothing changed, nothing written";

    FailWritesTo("mivraw.ini");
    host.OnChooseFont([](const ui::FontRequest& r) {
        ui::Font f = r.font;
        f.weight = 700;
        return std::optional(f);
    });
    view->ChooseFont(FontRole::Small, 32803);
    EXPECT_FALSE(view->WriteFonts());
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(Path("mivraw.ini")), std::string::npos);
}

} // namespace
} // namespace mivra::reports
