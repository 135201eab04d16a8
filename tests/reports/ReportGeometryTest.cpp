#include "reports/ReportGeometry.h"

#include "resources/StringTable.h"
#include "ui/headless/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace mivra::reports {
namespace {

using ui::headless::RecordingCanvas;

ReportGeometry Screen(int top = 50, int left = 20) {
    return ReportGeometry(Target{96, 96, 96, 96, false}, top, left);
}

TEST(ReportGeometry, MarginsAndOffsetsInDeviceUnits) {
    ReportGeometry g = Screen();
    EXPECT_EQ(g.TopOffset(), 48 + 32);
    EXPECT_EQ(g.LeftOffset(), 19);
    EXPECT_EQ(g.PageHeight(), 1056);
    EXPECT_EQ(g.PageTop(3), 2112);
    EXPECT_EQ(Screen(150, 101).TopOffset(), 48 + 32) << "above an inch counts as half an inch";
    EXPECT_EQ(Screen(150, 101).LeftOffset(), 48);
    ReportGeometry printer(Target{600, 300, 96, 96, true}, 50, 20);
    EXPECT_EQ(printer.X(1), 600);
    EXPECT_EQ(printer.Y(1), 300);
    EXPECT_EQ(printer.TopOffset(), 150 + 100);
}

TEST(ReportGeometry, AStripPageBeginsAtThePrintableAreaAWholeSheetsAQuarterInchIn) {
    for (bool wholeSheet : {false, true}) {
        ReportGeometry g(Target{300, 300, 96, 96, true, wholeSheet}, 50, 20);
        RecordingCanvas sheet(300, 300, true);
        SelectStripPage(sheet, g, 2);
        EXPECT_EQ(sheet.Dump(), std::string(wholeSheet ? "origin (-75,3225)" : "origin (0,3300)") +
                                    "\nclip (0,3300)-(2400,6600)\n");
    }
}

TEST(ReportGeometry, PrinterFontsScaleEachAxisByTheTargetsOwnResolution) {
    FontSpec wanted{-16, 7, 700, true, false, 0, 18, "Arial", 0x0000FF};
    ui::Font screen = Screen().Font(wanted);
    EXPECT_EQ(screen.height, -16);
    EXPECT_EQ(screen.width, 7);
    ui::Font printer = ReportGeometry(Target{600, 300, 96, 96, true}, 50, 20).Font(wanted);
    EXPECT_EQ(printer.height, -50);
    EXPECT_EQ(printer.width, 44); // 7 × 600 / 96 = 43.75
    EXPECT_EQ(printer.weight, 700);
    EXPECT_TRUE(printer.italic);
    EXPECT_EQ(printer.colour, 0x0000FFu);
}

TEST(ReportGeometry, TargetOfACanvasCountsResolutionAndPrinterFlag) {
    RecordingCanvas screen(96, 96, false);
    RecordingCanvas pdf(300, 300, true);
    RecordingCanvas sameDpiPrinter(96, 96, true);
    EXPECT_FALSE(Target::Of(screen, 96, 96).printer);
    EXPECT_TRUE(Target::Of(pdf, 96, 96).printer);
    EXPECT_TRUE(Target::Of(sameDpiPrinter, 96, 96).printer);
}

TEST(ReportGeometry, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(-16, 300, 96), -50);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
}

TEST(Bands, EachStyleDrawsAndChoosesTheTextColour) {
    ui::Rect box{10, 20, 110, 40};
    struct Case {
        int style;
        ui::Colour band;
        std::string dump;
        ui::Colour text;
    } cases[] = {
        {0, 0, "", ui::kBlack},
        {1, 0, "fill (10,20)-(110,40) c0c0c0\n", ui::kBlack},
        {2, 0, "fill (10,20)-(110,40) 000000\n", ui::kWhite},
        {3, 0, "pen 000000 solid 0\nline (10,19)-(110,19)\nline (10,39)-(110,39)\n", ui::kBlack},
        {4, 0, "", ui::kBlack},
        {4, ui::Rgb(0, 0, 128), "fill (10,20)-(110,40) 000080\n", ui::kWhite},
        {4, ui::Rgb(192, 192, 192), "fill (10,20)-(110,40) c0c0c0\n", ui::kBlack},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        EXPECT_EQ(DrawBand(canvas, box, c.style, c.band, ui::kBlack), c.text) << c.style;
        EXPECT_EQ(canvas.Dump(), c.dump) << c.style;
    }
}

TEST(Bands, LightAndDarkColours) {
    EXPECT_TRUE(IsLightColour(ui::Rgb(192, 192, 192)));
    EXPECT_FALSE(IsLightColour(ui::Rgb(0, 0, 128)));
    EXPECT_TRUE(IsLightColour(ui::Rgb(255, 255, 0)));
    EXPECT_TRUE(IsLightColour(ui::Rgb(0, 252, 0))) << "one component above 251";
    EXPECT_FALSE(IsLightColour(ui::Rgb(125, 125, 124))) << "sum 374 is still dark";
}

TEST(DateStamp, RightAlignedAtSevenAndThreeQuarterInchesOnThePageTop) {
    RecordingCanvas canvas(300, 300, true);
    ReportGeometry g(Target{300, 300, 96, 96, true}, 50, 20);
    DrawDateStamp(canvas, g, g.PageTop(2), {2026, 12, 7}, StringTable::Swedish(), "sve");
    const auto* text = canvas.FindText("Utskrivet 07 Dec 2026");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->at.x, 2325);
    EXPECT_EQ(text->at.y, 3300);
    EXPECT_EQ(text->align.h, ui::HAlign::Right);
    EXPECT_EQ(text->font.height, -28); // -9 × 300 / 96
    EXPECT_EQ(text->font.face, "Times New Roman");
}

TEST(StripPages, PageNPrintsAtTheSheetTopClippedToItsBand) {
    RecordingCanvas canvas;
    SelectStripPage(canvas, Screen(), 2);
    EXPECT_EQ(canvas.Dump(), "origin (0,1056)\nclip (0,1056)-(768,2112)\n");
}

TEST(PrintSequence, CopyLoopRestartsAtTheFirstPageOfTheRange) {
    EXPECT_EQ(PrintSequence(1, 2, 3, false), (std::vector<int>{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(PrintSequence(1, 2, 3, true), (std::vector<int>{1, 2}));
    EXPECT_EQ(PrintSequence(2, 3, 2, false), (std::vector<int>{2, 3, 2, 3}));
    EXPECT_TRUE(PrintSequence(3, 2, 1, false).empty());
}

} // namespace
} // namespace mivra::reports
