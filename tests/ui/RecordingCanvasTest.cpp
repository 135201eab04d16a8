#include "ui/headless/RecordingCanvas.h"

#include "support/Golden.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using ui::headless::RecordingCanvas;

ui::Font Arial(int height) {
    ui::Font f;
    f.height = height;
    f.weight = 700;
    f.pitchAndFamily = 22;
    f.face = "Arial";
    return f;
}

TEST(RecordingCanvas, MetricsAreFixedFractionsOfTheFontHeight) {
    RecordingCanvas canvas(300, 300, true);
    EXPECT_TRUE(canvas.IsPrinter());
    canvas.SelectFont(Arial(-40));
    EXPECT_EQ(canvas.TextExtent("Åsa"), (ui::Size{60, 40})) << "characters, not bytes";
    ui::FontMetrics m = canvas.Metrics();
    EXPECT_EQ(m.ascent, 32);
    EXPECT_EQ(m.descent, 8);
    ui::Font narrow = Arial(40);
    narrow.width = 7;
    canvas.SelectFont(narrow);
    EXPECT_EQ(canvas.TextExtent("abcd").width, 28) << "a font's own width wins";
    canvas.SelectFont({});
    EXPECT_EQ(canvas.TextExtent("ab"), (ui::Size{12, 13})) << "the dialog font";
}

TEST(RecordingCanvas, WrapsAtSpacesAndLineBreaks) {
    RecordingCanvas canvas;
    canvas.SelectFont(Arial(-10)); // 5 units a character
    EXPECT_EQ(canvas.WrapLines(50, "ett två tre fyra"),
              (std::vector<std::string>{"ett två", "tre fyra"}));
    EXPECT_EQ(canvas.WrapLines(20, "Schemaläggning i dag"),
              (std::vector<std::string>{"Schemaläggning", "i", "dag"}))
        << "a word longer than the width stands alone";
    EXPECT_EQ(canvas.WrapLines(500, "rad ett\nrad två"),
              (std::vector<std::string>{"rad ett", "rad två"}));
    EXPECT_EQ(canvas.DrawWrapped({0, 0, 50, 100}, "ett två tre fyra"), 20);
    EXPECT_EQ(canvas.WrappedHeight(50, "ett två tre fyra"), 20);
}

TEST(RecordingCanvas, DumpsEveryCallForGoldenFiles) {
    RecordingCanvas canvas(300, 300, true);
    canvas.SetOrigin({0, 3300});
    canvas.SetClip({0, 3300, 2400, 6600});
    canvas.SelectFont(Arial(-27));
    canvas.FillRect({60, 3400, 2340, 3440}, ui::kLightGrey);
    canvas.SetBackground(false);
    canvas.SetTextColour(ui::kWhite);
    canvas.DrawText({1200, 3400}, "Program för offentliga föredrag", {ui::HAlign::Centre});
    canvas.DrawText({2325, 3300}, "Utskrivet", {ui::HAlign::Right, ui::VAlign::Baseline});
    canvas.SetPen({ui::Rgb(0, 0, 128), 3, ui::PenStyle::Dash});
    canvas.DrawLine({60, 3399}, {2340, 3399});
    canvas.DrawWrapped({60, 3500, 600, 3700}, "Kära broder", ui::HAlign::Left);
    canvas.ClearClip();
    test::ExpectGolden(canvas.Dump(), "ui/golden/canvas_calls.txt");
    const auto* text = canvas.FindText("Utskrivet");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->colour, ui::kWhite);
    EXPECT_FALSE(text->opaque);
    EXPECT_EQ(canvas.CallsOf("text").size(), 2u);
}

} // namespace
} // namespace mivra
