#include "reports/TextRow.h"

#include "ui/headless/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace mivra::reports {
namespace {

using ui::headless::RecordingCanvas;

ui::Font Height(int height) {
    ui::Font font;
    font.height = height;
    return font;
}

const ui::Font kTen = Height(-20); // ten units a character on the recording canvas
const ui::Font kFive = Height(-10);

std::string Texts(const RecordingCanvas& canvas) {
    std::string out;
    for (const RecordingCanvas::Call& c : canvas.CallsOf("text"))
        out +=
            std::to_string(c.at.x) + (c.align.h == ui::HAlign::Right ? "R " : " ") + c.text + "\n";
    return out;
}

TEST(FitText, CutsAtACharacterBoundaryEndingInAnEllipsis) {
    RecordingCanvas canvas;
    canvas.SelectFont(kTen);
    struct Case {
        const char* text;
        int width;
        const char* fitted;
    } cases[] = {
        {"Åsa Öberg", 90, "Åsa Öberg"}, // fits exactly
        {"Åsa Öberg", 89, "Åsa Öbe…"},
        {"Åsa Öberg", 59, "Åsa…"}, // no blank before the ellipsis
        {"ÅÄÖåäö", 30, "ÅÄ…"},     // two-byte characters stay whole
        {"Östen", 10, "…"},
        {"Östen", 9, ""},
        {"Östen", -5, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitText(canvas, c.text, c.width), c.fitted) << c.text << " in " << c.width;
}

TEST(TextRow, EachTextEndsAGapBeforeTheNextAndRightAlignedTextsKeepTheirWidth) {
    const ReportGeometry screen(Target{}, 50, 20); // the gap: 1/20 in, 4 units
    RecordingCanvas canvas;
    TextRow row(screen, 400);
    row.Add(kTen, 0, "Bartholomeus Andersson");
    row.Add(kFive, 200, "Församling", ui::HAlign::Right); // 50 wide: begins at 150
    row.Add(kTen, 210, "");                               // takes no column
    row.Add(kTen, 220, "Norra Storstadens församling");
    row.Draw(canvas, 100);
    EXPECT_EQ(Texts(canvas), "200R Församling\n"
                             "0 Bartholomeus…\n"          // by 146
                             "220 Norra Storstadens…\n"); // by the line's end, 400

    RecordingCanvas narrow;
    TextRow numbers(screen, 400);
    numbers.Add(kTen, 100, "Anders");
    numbers.Add(kTen, 160, "Tal 123", ui::HAlign::Right);
    numbers.Draw(narrow, 100, ui::kWhite);
    EXPECT_EQ(Texts(narrow), "160R Tal…\n" // from 104: the text before's x and a gap
                             "100 …\n");
}

TEST(TextRow, FontsAndColoursAreSelectedOnlyWhenTheyChange) {
    const ReportGeometry screen(Target{}, 50, 20);
    RecordingCanvas canvas;
    TextRow row(screen, 800);
    ui::Font blue = kTen;
    blue.colour = ui::Rgb(0, 0, 128);
    row.Add(kTen, 0, "Anders");
    row.Add(kTen, 100, "Berg");
    row.Add(blue, 200, "Tal 12");
    row.Draw(canvas, 50);
    EXPECT_EQ(canvas.Dump(), "font h=-20 w=0 wt=400 pf=0 cs=0 face=\"\" colour=000000\n"
                             "textcolour 000000\n"
                             "text (0,50) left/bottom \"Anders\"\n"
                             "text (100,50) left/bottom \"Berg\"\n"
                             "font h=-20 w=0 wt=400 pf=0 cs=0 face=\"\" colour=000080\n"
                             "textcolour 000080\n"
                             "text (200,50) left/bottom \"Tal 12\"\n");
}

} // namespace
} // namespace mivra::reports
