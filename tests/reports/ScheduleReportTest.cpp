#include "reports/ScheduleReport.h"

#include "reports/ScheduleFixture.h"
#include "support/Golden.h"
#include "ui/headless/RecordingCanvas.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace mivra {
namespace {

using reports::ReportGeometry;
using reports::ScheduleReport;
using reports::Target;
using ui::headless::RecordingCanvas;

constexpr int kLeft = 19; // the default left margin, 0.20 in at 96 dpi
constexpr int kY0 = 144;  // row 0 of the first week with default fonts: 80 + 4 rows of 16

/** One laid-out and drawn schedule on a recording canvas. */
struct Printed {
    Printed(const CMvDoc& doc, const ReportFonts& fonts, int start, int count, Target target = {})
        : canvas(target.dpiX, target.dpiY, target.printer),
          geometry(target, doc.Settings().Options().topMargin, doc.Settings().Options().leftMargin),
          report(doc, start, count), pages(report.Layout({canvas, geometry, fonts})) {}

    void Draw(const ReportFonts& fonts, int page) {
        report.DrawPage({canvas, geometry, fonts}, page);
    }
    std::vector<int> PageSizes() const {
        std::vector<int> sizes;
        for (const ScheduleReport::PageWeeks& p : report.Pages())
            sizes.push_back(p.count);
        return sizes;
    }

    RecordingCanvas canvas;
    ReportGeometry geometry;
    ScheduleReport report;
    int pages;
};

class Schedule : public test::ScheduleTest {
protected:
    Printed Print(int start, int count, Target target = {}) {
        Printed p(*doc, fonts, start, count, target);
        for (int page = 1; page <= p.pages; ++page)
            p.Draw(fonts, page);
        return p;
    }
    /** The point a text was drawn at; fails the test when it was not drawn. */
    static ui::Point At(const RecordingCanvas& canvas, const std::string& text) {
        const RecordingCanvas::Call* c = canvas.FindText(text);
        EXPECT_TRUE(c) << "\"" << text << "\" not drawn";
        return c ? c->at : ui::Point{-1, -1};
    }
    static ui::HAlign HAlignOf(const RecordingCanvas& canvas, const std::string& text) {
        const RecordingCanvas::Call* c = canvas.FindText(text);
        return c ? c->align.h : ui::HAlign::Centre;
    }
    static int Count(const RecordingCanvas& canvas, const std::string& text) {
        int n = 0;
        for (const RecordingCanvas::Call& c : canvas.CallsOf("text"))
            n += c.text == text;
        return n;
    }
    std::string Date(int offset) const { return doc->FormatDate(Today() + offset + 1, 10); }
    std::string Title(int talk) const { return doc->Talks().Talk(talk - 1)->title; }

    ReportFonts fonts = DefaultFonts();
};

TEST_F(Schedule, ASavedCopyIsNamedForItsFirstMeetingDayAndTitledByTheHeading) {
    WriteFolder({});
    Load();
    ScheduleReport report(*doc, Today(), 4);
    EXPECT_EQ(report.FileName(), "Schema 2026-03-08") << "the Sunday of today's week";
    EXPECT_EQ(report.Title(), doc->Settings().Options().heading);
}

// Pagination -------------------------------------------------------------------------------

TEST_F(Schedule, TenPlainWeeksFillA96DpiPageAndTheEleventhStartsTheNext) {
    WriteFolder({});
    Load();
    fonts[FontRole::Text].height = -20; // a row of 20 units; the top offset is 80
    Printed ten(*doc, fonts, Today(), 10);
    EXPECT_EQ(ten.pages, 1) << "40 × 20 + 80 = 880 ≤ 936";
    Printed eleven(*doc, fonts, Today(), 11);
    EXPECT_EQ(eleven.pages, 2) << "44 × 20 + 80 = 960 > 936";
    EXPECT_EQ(eleven.PageSizes(), (std::vector<int>{10, 1}));
}

TEST_F(Schedule, SixOutgoingSpeakersCountTenRowsAndTakeTenAndAHalf) {
    WeekBytes busy = FullWeek(0);
    for (size_t s = 0; s < 6; ++s)
        SendOut(busy, s);
    WriteFolder({busy});
    Load();
    fonts[FontRole::Text].height = -20;
    Printed p = Print(Today(), 11);
    EXPECT_EQ(p.PageSizes(), (std::vector<int>{9, 2})) << "(10 + 8 × 4) × 20 + 80 = 920 ≤ 936";
    // The first week's rows start 4 rows below the top; the second week 10.5 rows later.
    EXPECT_EQ(At(p.canvas, Date(0)).y, 80 + 80 - 24);
    EXPECT_EQ(At(p.canvas, Date(1)).y, 80 + 80 + 210 - 24);
    EXPECT_EQ(Count(p.canvas, "Talare som reser ut"), 6);
}

TEST_F(Schedule, APrinterTargetFitsAQuarterInchLess) {
    WeekBytes two = FullWeek(0);
    SendOut(two, 0);
    SendOut(two, 1);
    WriteFolder({two});
    Load();
    fonts[FontRole::Text].height = -20;
    // 42 rows: 920 fits under the screen's 936 but not under a printer's 912.
    EXPECT_EQ(Printed(*doc, fonts, Today(), 10).pages, 1);
    Printed paper(*doc, fonts, Today(), 10, Target{96, 96, 96, 96, true});
    EXPECT_EQ(paper.PageSizes(), (std::vector<int>{9, 1}));
}

TEST_F(Schedule, APrinterTargetScalesTheFontsAndTheRows) {
    WriteFolder({FullWeek(0), FullWeek(1)});
    Load();
    Printed p = Print(Today(), 2, Target{300, 300, 96, 96, true});
    const RecordingCanvas::Call* speaker = p.canvas.FindText("Anders Berg");
    ASSERT_TRUE(speaker);
    EXPECT_EQ(speaker->font.height, -50) << "−16 screen units at 300 dpi";
    // Top offset 150 + 100, rows of 50 (1/6 in and the scaled fonts agree), a quarter inch 75.
    EXPECT_EQ(At(p.canvas, Date(0)).y, 250 + 200 - 75);
    EXPECT_EQ(At(p.canvas, Date(1)).y, 250 + 200 + 225 - 75);
}

TEST_F(Schedule, LargeFontsKeepTheLastRowOfAPageAboveTheBottomQuarterInch) {
    WriteFolder({});
    Load();
    fonts[FontRole::Speaker].height = -42;
    // The row count alone takes five weeks (20 × 42 + 80 = 920), but with the gaps between
    // weeks the fifth one's last row would end at 1046, past 10.75 in (1032).
    Printed p(*doc, fonts, Today(), 5);
    EXPECT_EQ(p.PageSizes(), (std::vector<int>{4, 1}));
}

TEST_F(Schedule, AWeekTallerThanAPageStandsAloneAndCountsAreHeld) {
    WriteFolder({});
    Load();
    fonts[FontRole::Text].height = -300;
    Printed p(*doc, fonts, Today(), 3);
    EXPECT_EQ(p.PageSizes(), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(ScheduleReport(*doc, Today(), 0).WeekCount(), 1);
    EXPECT_EQ(ScheduleReport(*doc, Today(), 99).WeekCount(), 52);
}

TEST_F(Schedule, EachPageDrawsOnlyItsOwnWeeks) {
    WriteFolder({});
    Load();
    fonts[FontRole::Text].height = -20;
    Printed p(*doc, fonts, Today(), 11);
    p.Draw(fonts, 2);
    EXPECT_FALSE(p.canvas.FindText(Date(0)));
    EXPECT_FALSE(p.canvas.FindText(Date(9)));
    EXPECT_EQ(At(p.canvas, Date(10)).y, 1056 + 80 + 80 - 24) << "page 2 begins at 11 in";
    EXPECT_EQ(Count(p.canvas, doc->Settings().Options().heading), 1);
    const size_t drawn = p.canvas.CallsOf("text").size();
    EXPECT_EQ(drawn, 4u) << "heading, date and the two labels of an empty week";
    p.Draw(fonts, 3);
    EXPECT_EQ(p.canvas.CallsOf("text").size(), drawn) << "a page past the end draws nothing";
}

// Rows ---------------------------------------------------------------------------------------

TEST_F(Schedule, AnOrdinaryWeekPlacesEveryText) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 0);
    WriteFolder({w});
    Load();
    doc->Settings().MutableOptions().scheduleHosts = true;
    doc->Settings().MutableOptions().scheduleReaders = true;
    doc->Settings().MutableOptions().includeReaders = true;
    Printed p = Print(Today(), 1);
    const RecordingCanvas& c = p.canvas;
    const int y0 = kY0, y1 = kY0 + 16, y2 = kY0 + 32;
    EXPECT_EQ(At(c, Date(0)), (ui::Point{kLeft, y0 - 24}));
    EXPECT_EQ(At(c, Title(12)), (ui::Point{kLeft + 144, y0 - 24}));
    EXPECT_EQ(At(c, "Talare"), (ui::Point{kLeft + 9, y0}));
    EXPECT_EQ(At(c, "Församling"), (ui::Point{kLeft + 364, y0}));
    EXPECT_EQ(HAlignOf(c, "Församling"), ui::HAlign::Right);
    EXPECT_EQ(At(c, "Anders Berg"), (ui::Point{kLeft + 96, y0}));
    EXPECT_EQ(At(c, "Västra"), (ui::Point{kLeft + 384, y0}));
    EXPECT_EQ(At(c, "Tal 12"), (ui::Point{kLeft + 720, y0}));
    EXPECT_EQ(HAlignOf(c, "Tal 12"), ui::HAlign::Right);
    EXPECT_EQ(At(c, "Ordförande"), (ui::Point{kLeft + 9, y1}));
    EXPECT_EQ(At(c, "Bo Ek"), (ui::Point{kLeft + 96, y1}));
    EXPECT_EQ(At(c, "Högläsare"), (ui::Point{kLeft + 316, y1})) << "3.5 in − 0.2 in";
    EXPECT_EQ(At(c, "Carl Dahl"), (ui::Point{kLeft + 336, y1}));
    EXPECT_EQ(At(c, "Värd"), (ui::Point{kLeft + 556, y1}));
    EXPECT_EQ(At(c, "Familjen Holm"), (ui::Point{kLeft + 576, y1}));
    EXPECT_EQ(At(c, "Talare som reser ut"), (ui::Point{kLeft + 9, y2}));
    EXPECT_EQ(At(c, "till"), (ui::Point{kLeft + 364, y2}));
    EXPECT_EQ(At(c, "Olof Lind"), (ui::Point{kLeft + 144, y2}));
    EXPECT_EQ(At(c, "Västra ( 13:30 )"), (ui::Point{kLeft + 384, y2})) << "2026 is even";
    EXPECT_EQ(At(c, "Tal 45"), (ui::Point{kLeft + 672, y2}));
    EXPECT_EQ(HAlignOf(c, "Tal 45"), ui::HAlign::Left);
    for (const RecordingCanvas::Call& t : c.CallsOf("text"))
        EXPECT_EQ(t.align.v, ui::VAlign::Bottom) << t.text;
    EXPECT_EQ(c.FindText("Anders Berg")->font.weight, 700) << "the speaker font";
    EXPECT_TRUE(c.FindText("Talare")->font.italic) << "labels in the subheading font";
}

TEST_F(Schedule, OutgoingLinesFollowTheFilledSlotsWithoutGaps) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 1, kOstra);
    SendOut(w, 4);
    WriteFolder({w, FullWeek(1)});
    Load();
    Printed p = Print(Today(), 2);
    EXPECT_EQ(At(p.canvas, "Per Lind").y, kY0 + 2 * 16);
    EXPECT_EQ(At(p.canvas, "Tore Lind").y, kY0 + 3 * 16) << "the second filled slot, row 3";
    EXPECT_EQ(At(p.canvas, "Östra ( 11:00 )").y, kY0 + 2 * 16);
    EXPECT_EQ(At(p.canvas, Date(1)).y, kY0 + 6 * 16 + 8 - 24) << "(2 + 2 + 2) rows and a half";
}

TEST_F(Schedule, OmittedTalkNumbersShowOtherMeetingDays) {
    WeekBytes w = FullWeek(0);
    SendOut(w, 0, kVastra);
    SendOut(w, 1, kOstra);
    WriteFolder({w});
    Load();
    doc->Settings().MutableOptions().omitTalkNumbers = true;
    Printed p = Print(Today(), 1);
    EXPECT_TRUE(p.canvas.FindText("Västra ( 13:30 - Lör )")) << "Saturday, not Sunday";
    EXPECT_TRUE(p.canvas.FindText("Östra ( 11:00 )")) << "meets on the home day";
    EXPECT_FALSE(p.canvas.FindText("Tal 12"));
    EXPECT_FALSE(p.canvas.FindText("Tal 45"));
}

TEST_F(Schedule, OmittedOutgoingSpeakersNeitherPrintNorCount) {
    WeekBytes w = FullWeek(0);
    for (size_t s = 0; s < 6; ++s)
        SendOut(w, s);
    WriteFolder({w});
    Load();
    doc->Settings().MutableOptions().omitOutgoing = true;
    Printed p = Print(Today(), 2);
    EXPECT_FALSE(p.canvas.FindText("Talare som reser ut"));
    EXPECT_EQ(At(p.canvas, Date(1)).y, kY0 + 4 * 16 + 8 - 24);
}

TEST_F(Schedule, ATalkNotChosenOrOutOfRangePrintsNoTitleAndNoNumber) {
    WeekBytes none = FullWeek(0, 0), high = FullWeek(1, 300);
    SendOut(high, 0, kVastra, 0);
    WriteFolder({none, high});
    Load();
    Printed p = Print(Today(), 2);
    int onDateLines = 0;
    for (const RecordingCanvas::Call& t : p.canvas.CallsOf("text")) {
        EXPECT_NE(t.text.rfind("Tal ", 0), 0u) << t.text;
        onDateLines += t.at.y == kY0 - 24 || t.at.y == kY0 + 4 * 16 + 8 - 24;
    }
    EXPECT_EQ(onDateLines, 2) << "the dates, and no title beside them";
    EXPECT_EQ(Count(p.canvas, "Anders Berg"), 2);
}

TEST_F(Schedule, KeysThatResolveToNothingAndWeeksOutsideTheWindowPrintEmptyTexts) {
    WeekBytes w = FullWeek(0);
    w.homeSpeaker = 999;
    w.homeCongregation = 77;
    w.chairman = 555;
    w.host = 30999;
    WriteFolder({w});
    Load();
    doc->Settings().MutableOptions().scheduleHosts = true;
    Printed p = Print(Today(), 1);
    EXPECT_TRUE(p.canvas.FindText("Talare"));
    EXPECT_TRUE(p.canvas.FindText("Värd"));
    EXPECT_FALSE(p.canvas.FindText("Anders Berg"));
    EXPECT_FALSE(p.canvas.FindText("Västra"));
    EXPECT_TRUE(p.canvas.FindText("Ordförande")) << "an unknown key still holds the duty";
    EXPECT_FALSE(p.canvas.FindText("Bo Ek"));

    const int beyond = doc->Weeks().BaseWeek() + 1000;
    Printed far = Print(beyond, 1);
    EXPECT_TRUE(far.canvas.FindText(doc->FormatDate(beyond + 1, 10)));
    EXPECT_EQ(far.canvas.CallsOf("text").size(), 5u) << "heading, date and three labels";
}

// Special weeks -----------------------------------------------------------------------------

TEST_F(Schedule, SpecialWeeksTakeTheirTextFromTheEventOrTheirKind) {
    WeekBytes assembly = Week(0), visit = Week(1), other = Week(2), bare = Week(3), both = Week(4),
              unnamed = Week(5);
    assembly.flags = 0x03;
    visit.flags = 0x05 | 0x30;
    other.flags = 0x09;
    bare.flags = 0x05;
    both.flags = 0x07;
    unnamed.flags = 0x09;
    WriteFolder({assembly, visit, other, bare, both, unnamed},
                {Event(0, 0x02, "Kretssammankomst", "Tema"), Event(1, 0x34, "Olle Berg", "Vaka"),
                 Event(2, 0x08, "Städdag"), Event(5, 0x08, "", "Ändrad tid")});
    Load();
    Printed p = Print(Today(), 6);
    const RecordingCanvas& c = p.canvas;
    EXPECT_EQ(At(c, "Kretssammankomst").y, At(c, Date(0)).y) << "an assembly shows its name";
    EXPECT_EQ(At(c, "Vaka").y, At(c, Date(1)).y) << "a visit shows its theme";
    EXPECT_EQ(At(c, "Olle Berg").x, kLeft + 96);
    EXPECT_EQ(At(c, "Städdag").y, At(c, Date(2)).y) << "no theme: the name";
    EXPECT_EQ(Count(c, "Städdag"), 2) << "on the date line and as the speaker";
    EXPECT_EQ(Count(c, "KT-besök"), 2) << "a visit without an event, title and name";
    EXPECT_EQ(At(c, "Sammankomst").y, At(c, Date(4)).y) << "assembly before visit";
    EXPECT_EQ(At(c, "Ändrad tid").y, At(c, Date(5)).y);
    // Labels: "Talare" for the visits and the named other event only; "Församling" for none.
    EXPECT_EQ(Count(c, "Talare"), 3);
    EXPECT_EQ(Count(c, "Församling"), 0);
}

TEST_F(Schedule, AnAssemblyWeeksOutgoingLinesStartOnTheFirstFreeRow) {
    WeekBytes clear = Week(0), chair = Week(1), speaker = Week(2);
    for (WeekBytes* w : {&clear, &chair, &speaker}) {
        w->flags = 0x03;
        SendOut(*w, 0);
    }
    chair.chairman = kBo;          // left from before the assembly was entered
    speaker.homeSpeaker = kAnders; // row 0 only
    WriteFolder({clear, chair, speaker}, {Event(0, 0x02, "Sammankomst")});
    Load();
    Printed p = Print(Today(), 3);
    const int y0 = kY0;
    std::vector<int> outRows;
    for (const RecordingCanvas::Call& t : p.canvas.CallsOf("text"))
        if (t.text == "Olof Lind")
            outRows.push_back(t.at.y);
    ASSERT_EQ(outRows.size(), 3u);
    EXPECT_EQ(outRows[0], y0) << "nothing on rows 0 and 1: row 0";
    const int y0b = y0 + (0 + 1 + 2) * 16 + 8;
    EXPECT_EQ(outRows[1], y0b + 2 * 16) << "a chairman's name on row 1 keeps row 2";
    EXPECT_EQ(At(p.canvas, "Bo Ek").y, y0b + 16);
    const int y0c = y0b + (2 + 1 + 2) * 16 + 8;
    EXPECT_EQ(outRows[2], y0c + 16) << "a speaker on row 0: row 1";
    EXPECT_FALSE(p.canvas.FindText("Talare")) << "an assembly has no speaker label";
}

// Columns -------------------------------------------------------------------------------------

TEST_F(Schedule, ReaderAndHostColumnsFollowTheSettings) {
    WeekBytes event = FullWeek(1);
    event.flags = 0x09 | 0x60; // other event, host and reader still served
    WriteFolder({FullWeek(0), event}, {Event(1, 0x68, "Städdag")});
    Load();
    DocOptions& o = doc->Settings().MutableOptions();
    o.scheduleHosts = true;
    Printed hostsOnly = Print(Today(), 1);
    EXPECT_EQ(At(hostsOnly.canvas, "Familjen Holm").x, kLeft + 432) << "4.5 in";
    EXPECT_EQ(At(hostsOnly.canvas, "Värd").x, kLeft + 412);
    EXPECT_FALSE(hostsOnly.canvas.FindText("Carl Dahl"));

    // Readers scheduled but not shown: the reader label would stand on the host label.
    o.scheduleReaders = true;
    Printed hidden = Print(Today(), 2);
    EXPECT_EQ(Count(hidden.canvas, "Värd"), 2);
    EXPECT_FALSE(hidden.canvas.FindText("Högläsare"));

    o.scheduleHosts = false;
    Printed readersOnly = Print(Today() + 1, 1);
    EXPECT_EQ(At(readersOnly.canvas, "Högläsare").x, kLeft + 412) << "the event's reader";
    EXPECT_FALSE(readersOnly.canvas.FindText("Carl Dahl")) << "readers are not shown";
}

/** Texts on one line whose boxes overlap, as the recording canvas measures them. */
std::vector<std::string> Overprints(const RecordingCanvas& canvas) {
    struct Box {
        int left, right;
        std::string text;
    };
    std::map<int, std::vector<Box>> lines;
    for (const RecordingCanvas::Call& c : canvas.CallsOf("text")) {
        const int charWidth = c.font.width > 0 ? c.font.width : std::abs(c.font.height) / 2;
        const int width = static_cast<int>(text::CharCount(c.text)) * charWidth;
        const int left = c.align.h == ui::HAlign::Right    ? c.at.x - width
                         : c.align.h == ui::HAlign::Centre ? c.at.x - width / 2
                                                           : c.at.x;
        lines[c.at.y].push_back({left, left + width, c.text});
    }
    std::vector<std::string> found;
    for (auto& [y, boxes] : lines) {
        std::sort(boxes.begin(), boxes.end(),
                  [](const Box& a, const Box& b) { return a.left < b.left; });
        for (size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].left < boxes[i - 1].right)
                found.push_back(boxes[i - 1].text + " | " + boxes[i].text);
    }
    return found;
}

TEST_F(Schedule, NamesOfTheRecordsLengthAreCutToTheirColumnsAndOverprintNothing) {
    longNames = true;
    WeekBytes w = FullWeek(0, 123);
    SendOut(w, 0, kVastra, 200);
    WriteFolder({w});
    Load();
    DocOptions& o = doc->Settings().MutableOptions();
    o.scheduleHosts = o.scheduleReaders = true;
    for (bool readerApart : {true, false}) {
        o.includeReaders = readerApart;
        for (Target target : {Target{}, Target{300, 300, 96, 96, true}}) {
            Printed p = Print(Today(), 1, target);
            EXPECT_EQ(Overprints(p.canvas), std::vector<std::string>{})
                << readerApart << " at " << target.dpiX;
            EXPECT_TRUE(p.canvas.FindText("Församling"));
            EXPECT_TRUE(p.canvas.FindText("Tal 123"));
            int cut = 0;
            for (const RecordingCanvas::Call& t : p.canvas.CallsOf("text"))
                cut += t.text.ends_with("…");
            // Speaker, congregation, chairman, outgoing speaker and destination; with the
            // reader apart his name and the host's too (at 4.5 in the host has room).
            EXPECT_EQ(cut, readerApart ? 7 : 5);
        }
    }
}

// Bands and stamps ------------------------------------------------------------------------------

TEST_F(Schedule, WhiteBandsDrawTwoLinesAroundTheHeadingAndEachDate) {
    WriteFolder({FullWeek(0)});
    Load();
    doc->Settings().MutableOptions().borderStyle = 3;
    Printed p = Print(Today(), 1);
    EXPECT_TRUE(p.canvas.CallsOf("fill").empty());
    std::vector<RecordingCanvas::Call> lines = p.canvas.CallsOf("line");
    ASSERT_EQ(lines.size(), 4u);
    // Heading at 80 with a character height of 27; the date line at 120 under the 19 of the
    // date font; 1/90 in is 1 unit, 1/80 in 1 unit; each line one unit above the edge.
    EXPECT_EQ(lines[0].at, (ui::Point{kLeft - 1, 80 - 27 - 1 - 1}));
    EXPECT_EQ(lines[0].to, (ui::Point{kLeft + 739, 80 - 27 - 1 - 1}));
    EXPECT_EQ(lines[1].at.y, 80 + 1 - 1);
    EXPECT_EQ(lines[2].at.y, 120 - 19 - 1 - 1);
    EXPECT_EQ(lines[3].at.y, 120 + 1 - 1);
}

TEST_F(Schedule, TextOnABlackBandIsWhiteThenBlackAndOpaqueAgain) {
    WriteFolder({FullWeek(0)});
    Load();
    doc->Settings().MutableOptions().borderStyle = 2;
    Printed p = Print(Today(), 1);
    const RecordingCanvas::Call* date = p.canvas.FindText(Date(0));
    const RecordingCanvas::Call* title = p.canvas.FindText(Title(12));
    ASSERT_TRUE(date && title);
    EXPECT_EQ(date->colour, ui::kWhite);
    EXPECT_EQ(title->colour, ui::kWhite);
    EXPECT_FALSE(date->opaque);
    const RecordingCanvas::Call* speaker = p.canvas.FindText("Anders Berg");
    EXPECT_EQ(speaker->colour, ui::kBlack);
    EXPECT_FALSE(speaker->opaque) << "an opaque cell would cut the descenders of the row above";
    EXPECT_EQ(p.canvas.CallsOf("fill").size(), 2u);
    // After each band, and after the page, black text on an opaque background again.
    const std::vector<RecordingCanvas::Call>& calls = p.canvas.Calls();
    for (size_t i = 0; i + 2 < calls.size(); ++i) {
        if (calls[i].op == "text" && calls[i].text == Title(12)) {
            EXPECT_EQ(calls[i + 1].op, "background");
            EXPECT_TRUE(calls[i + 1].opaque);
            EXPECT_EQ(calls[i + 2].op, "textcolour");
            EXPECT_EQ(calls[i + 2].colour, ui::kBlack);
        }
    }
    EXPECT_EQ(calls[calls.size() - 2].op, "background");
    EXPECT_TRUE(calls[calls.size() - 2].opaque);
    EXPECT_EQ(calls.back().colour, ui::kBlack);

    // A light coloured band keeps each font's own colour.
    doc->Settings().MutableOptions().borderStyle = 4;
    fonts[FontRole::Talk].colour = ui::Rgb(0, 0, 128);
    Printed light = Print(Today(), 1);
    EXPECT_EQ(light.canvas.FindText(Title(12))->colour, ui::Rgb(0, 0, 128));
    EXPECT_EQ(light.canvas.FindText(Date(0))->colour, ui::kBlack);
}

TEST_F(Schedule, DateStampsStandOnEveryPage) {
    WriteFolder({});
    Load();
    doc->Settings().MutableOptions().printDateStamps = true;
    fonts[FontRole::Text].height = -20;
    Printed p = Print(Today(), 11);
    std::vector<int> stamps;
    for (const RecordingCanvas::Call& t : p.canvas.CallsOf("text"))
        if (t.text == "Utskrivet 04 Mar 2026")
            stamps.push_back(t.at.y);
    EXPECT_EQ(stamps, (std::vector<int>{0, 1056}));
}

// Golden pages --------------------------------------------------------------------------------

class ScheduleGolden : public Schedule {
protected:
    void WriteRealisticFolder() {
        WeekBytes a = FullWeek(0), b = FullWeek(1, 57), assembly = Week(2), visit = FullWeek(3, 0);
        SendOut(a, 0);
        SendOut(a, 1, kOstra, 102);
        assembly.flags = 0x03;
        SendOut(assembly, 0, kOstra, 17);
        visit.flags = 0x05 | 0x30;
        visit.homeSpeaker = 0;
        visit.homeCongregation = 0;
        WriteFolder({a, b, assembly, visit, FullWeek(4, 230)},
                    {Event(2, 0x02, "Kretssammankomst"), Event(3, 0x34, "Olle Berg", "Vaka")});
        Load();
        DocOptions& o = doc->Settings().MutableOptions();
        o.scheduleHosts = o.scheduleReaders = o.includeReaders = true;
        o.printDateStamps = true;
        o.borderStyle = 1;
    }
};

TEST_F(ScheduleGolden, ScreenPage) {
    WriteRealisticFolder();
    Printed p = Print(Today(), 5);
    test::ExpectGolden(p.canvas.Dump(), "reports/golden/schedule_screen.txt");
}

TEST_F(ScheduleGolden, NamesOfTheRecordsLengthCut) {
    longNames = true;
    WeekBytes w = FullWeek(0);
    SendOut(w, 0);
    WriteFolder({w});
    Load();
    DocOptions& o = doc->Settings().MutableOptions();
    o.scheduleHosts = o.scheduleReaders = o.includeReaders = true;
    Printed p = Print(Today(), 1);
    test::ExpectGolden(p.canvas.Dump(), "reports/golden/schedule_long_names.txt");
}

TEST_F(ScheduleGolden, PrinterPageWithBlackBands) {
    WriteRealisticFolder();
    doc->Settings().MutableOptions().borderStyle = 2;
    Printed p = Print(Today(), 5, Target{300, 300, 96, 96, true});
    test::ExpectGolden(p.canvas.Dump(), "reports/golden/schedule_printer.txt");
}

} // namespace
} // namespace mivra
