#include "reports/ScheduleReport.h"

#include "dates/Dates.h"
#include "reports/TextRow.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace mivra::reports {
namespace {

constexpr int kSpeakerLabel = 1036;  // "Talare"
constexpr int kCongLabel = 1057;     // "Församling"
constexpr int kChairmanLabel = 1038; // "Ordförande"
constexpr int kReaderLabel = 1039;   // "Högläsare"
constexpr int kHostLabel = 1192;     // "Värd"
constexpr int kOutgoingLabel = 1037; // "Talare som reser ut"
constexpr int kToLabel = 60204;      // "till"
constexpr int kFileName = 60060;     // "Schema"

// DrawBand answers white on a dark band; this stands for "each text keeps its own colour".
constexpr ui::Colour kOwnColour = 0xFF000000;

using Fonts = std::array<ui::Font, kFontRoleCount>;

int CharHeight(const ui::Font& font) {
    return std::abs(font.height);
}

} // namespace

/** The layout values of one target, in its device units. */
struct ScheduleReport::Frame {
    int top = 0;          ///< the top offset: where the heading stands
    int left = 0;         ///< the left margin, where x positions count from
    int row = 0;          ///< row height
    int fitLimit = 0;     ///< what the rows of a page may reach
    int lastRowLimit = 0; ///< where the last row of a page must end
    Fonts fonts;
};

ScheduleReport::ScheduleReport(const CMvDoc& doc, int startWeek, int weekCount)
    : m_doc(doc), m_start(startWeek), m_count(std::clamp(weekCount, 1, kMaxWeeks)) {}

ScheduleReport::Frame ScheduleReport::FrameOf(const PageContext& context) const {
    const ReportGeometry& g = context.geometry;
    Frame f;
    for (int r = 0; r < kFontRoleCount; ++r)
        f.fonts[static_cast<size_t>(r)] = g.Font(context.fonts[static_cast<FontRole>(r)]);
    f.top = g.TopOffset();
    f.left = g.LeftOffset();
    f.row = std::max({g.Y(1, 6), CharHeight(f.fonts[static_cast<size_t>(FontRole::Speaker)]),
                      CharHeight(f.fonts[static_cast<size_t>(FontRole::Text)])});
    // A printer loses a quarter inch more at the bottom of the sheet.
    f.fitLimit = g.Y(10) - g.Y(1, 4) - (g.IsPrinter() ? g.Y(1, 4) : 0);
    f.lastRowLimit = g.Y(43, 4);
    return f;
}

int ScheduleReport::LastRowEnd(const Frame& frame, int first, int candidate) const {
    int offset = 4 * frame.row;
    for (int w = first; w < candidate; ++w)
        offset += m_weeks[static_cast<size_t>(w)].AdvanceRows() * frame.row + frame.row / 2;
    return frame.top + offset + m_weeks[static_cast<size_t>(candidate)].LastRow() * frame.row;
}

bool ScheduleReport::Fits(const Frame& frame, int first, int candidate) const {
    int rows = 0;
    for (int w = first; w <= candidate; ++w)
        rows += m_weeks[static_cast<size_t>(w)].OutgoingCount() + 4;
    // The rule counts rows without the gaps between weeks; large fonts can then push the last
    // row off the sheet, so its real end is checked too.
    return rows * frame.row + frame.top <= frame.fitLimit &&
           LastRowEnd(frame, first, candidate) <= frame.lastRowLimit;
}

std::string ScheduleReport::FileName() const {
    const std::string meeting =
        dates::MeetingDate(dates::MondayOf(m_start + 1), 0, m_doc.MeetingDays());
    const std::optional<CivilDate> day = dates::ParseDateText(meeting);
    std::string name = m_doc.Strings().Get(kFileName);
    if (!day)
        return name;
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", day->year, day->month, day->day);
    return name + " " + iso;
}

std::string ScheduleReport::Title() const {
    return m_doc.Settings().Options().heading;
}

int ScheduleReport::Layout(const PageContext& context) {
    m_weeks.clear();
    for (int i = 0; i < m_count; ++i)
        m_weeks.push_back(BuildScheduleWeek(m_doc, m_start + i));
    const Frame frame = FrameOf(context);
    m_pages.clear();
    for (int w = 0; w < m_count; ++w) {
        if (m_pages.empty() || !Fits(frame, m_pages.back().first, w))
            m_pages.push_back({w, 0});
        ++m_pages.back().count;
    }
    return std::max(1, static_cast<int>(m_pages.size()));
}

namespace {

/** Where a page draws: its canvas and fonts, x positions counted from the left margin. */
struct PageDraw {
    ui::Canvas& canvas;
    const ReportGeometry& g;
    const Fonts& fonts;
    int left;

    int X(int num, int den = 1) const { return left + g.X(num, den); }
    const ui::Font& Font(FontRole role) const { return fonts[static_cast<size_t>(role)]; }
    /** A line of column texts, the last column ending with the bands. */
    TextRow Row() const { return TextRow(g, X(77, 10)); }
    ui::Rect Band(int top, int bottom) const { return {X(-1, 90), top, X(77, 10), bottom}; }
};

/** Texts on a band are transparent, white on a dark band; afterwards black and opaque. */
void EndBand(ui::Canvas& canvas) {
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

std::optional<ui::Colour> BandTextColour(ui::Colour drawn) {
    return drawn == kOwnColour ? std::nullopt : std::optional(drawn);
}

void DrawDateLine(const PageDraw& p, const DocOptions& o, const ScheduleWeek& week, int line) {
    const int tallest =
        std::max(CharHeight(p.Font(FontRole::Date)), CharHeight(p.Font(FontRole::Talk)));
    const ui::Rect band = p.Band(line - tallest - p.g.Y(1, 80), line + p.g.Y(1, 90));
    const ui::Colour text = DrawBand(p.canvas, band, o.borderStyle, o.borderColour, kOwnColour);
    TextRow row = p.Row();
    row.Add(p.Font(FontRole::Date), p.X(0), week.date);
    row.Add(p.Font(FontRole::Talk), p.X(3, 2), week.title);
    p.canvas.SetBackground(false);
    row.Draw(p.canvas, line, BandTextColour(text));
    EndBand(p.canvas);
}

void DrawRows01(const PageDraw& p, const StringTable& s, const DocOptions& o,
                const ScheduleWeek& week, int y0, int row) {
    using enum FontRole;
    const auto right = ui::HAlign::Right;
    TextRow r0 = p.Row();
    if (week.speakerLabel)
        r0.Add(p.Font(Subheading), p.X(1, 10), s.Get(kSpeakerLabel));
    r0.Add(p.Font(Speaker), p.X(1), week.speaker);
    if (week.congregationLabel)
        r0.Add(p.Font(Subheading), p.X(38, 10), s.Get(kCongLabel), right);
    r0.Add(p.Font(Text), p.X(4), week.congregation);
    r0.Add(p.Font(Text), p.X(75, 10), week.talk, right);
    r0.Draw(p.canvas, y0);

    const bool ownColumns = ReaderColumnApart(o);
    const int readerTenths = ownColumns ? 35 : 45;
    const int hostTenths = ownColumns ? 60 : 45;
    TextRow r1 = p.Row();
    if (week.chairmanLabel)
        r1.Add(p.Font(Subheading), p.X(1, 10), s.Get(kChairmanLabel));
    r1.Add(p.Font(Text), p.X(1), week.chairman);
    if (week.readerLabel)
        r1.Add(p.Font(Subheading), p.X(readerTenths - 2, 10), s.Get(kReaderLabel), right);
    r1.Add(p.Font(Text), p.X(readerTenths, 10), week.reader);
    if (week.hostLabel)
        r1.Add(p.Font(Subheading), p.X(hostTenths - 2, 10), s.Get(kHostLabel), right);
    r1.Add(p.Font(Text), p.X(hostTenths, 10), week.host);
    r1.Draw(p.canvas, y0 + row);
}

void DrawOutgoing(const PageDraw& p, const StringTable& s, const ScheduleWeek& week, int y0,
                  int row) {
    using enum FontRole;
    int y = y0 + week.firstOutgoingRow * row;
    for (const OutgoingLine& line : week.outgoing) {
        TextRow r = p.Row();
        r.Add(p.Font(Subheading), p.X(1, 10), s.Get(kOutgoingLabel));
        r.Add(p.Font(Text), p.X(3, 2), line.speaker);
        r.Add(p.Font(Subheading), p.X(38, 10), s.Get(kToLabel), ui::HAlign::Right);
        r.Add(p.Font(Text), p.X(4), line.destination);
        r.Add(p.Font(Text), p.X(7), line.talk);
        r.Draw(p.canvas, y);
        y += row;
    }
}

} // namespace

void ScheduleReport::DrawPage(const PageContext& context, int page) {
    if (page < 1 || page > static_cast<int>(m_pages.size()))
        return;
    const Frame frame = FrameOf(context);
    const ReportGeometry& g = context.geometry;
    const DocOptions& o = m_doc.Settings().Options();
    const StringTable& s = m_doc.Strings();
    ui::Canvas& canvas = context.canvas;
    const int pageTop = g.PageTop(page);
    if (o.printDateStamps)
        DrawDateStamp(canvas, g, pageTop, m_doc.Today(), s, m_doc.LanguageCode());

    const PageDraw p{canvas, g, frame.fonts, frame.left};
    DrawHeading(canvas, g, p.Font(FontRole::Heading), o, pageTop + frame.top, o.heading);
    int offset = 4 * frame.row;
    const PageWeeks& weeks = m_pages[static_cast<size_t>(page - 1)];
    for (int i = weeks.first; i < weeks.first + weeks.count; ++i) {
        const ScheduleWeek& week = m_weeks[static_cast<size_t>(i)];
        const int y0 = pageTop + frame.top + offset;
        DrawDateLine(p, o, week, y0 - g.Y(1, 4));
        // A text cell is taller than a row: drawn opaque it would cut off the descenders of
        // the row above.
        canvas.SetBackground(false);
        DrawRows01(p, s, o, week, y0, frame.row);
        DrawOutgoing(p, s, week, y0, frame.row);
        offset += week.AdvanceRows() * frame.row + frame.row / 2;
    }
    EndBand(canvas);
}

} // namespace mivra::reports
