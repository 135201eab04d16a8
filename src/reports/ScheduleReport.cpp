#include "reports/ScheduleReport.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace mivra::reports {
namespace {

constexpr int kSpeakerLabel = 1036;  // "Talare"
constexpr int kCongLabel = 1057;     // "Församling"
constexpr int kChairmanLabel = 1038; // "Ordförande"
constexpr int kReaderLabel = 1039;   // "Högläsare"
constexpr int kHostLabel = 1192;     // "Värd"
constexpr int kOutgoingLabel = 1037; // "Talare som reser ut"
constexpr int kToLabel = 60204;      // "till"

// DrawBand answers white on a dark band; this stands for "each text keeps its own colour".
constexpr ui::Colour kOwnColour = 0xFF000000;

using Fonts = std::array<ui::Font, kFontRoleCount>;

int CharHeight(const ui::Font& font) {
    return std::abs(font.height);
}

/** Texts of one page, aligned on their bottom edge, each selecting its role's font once. */
class Writer {
public:
    Writer(ui::Canvas& canvas, const Fonts& fonts) : m_canvas(canvas), m_fonts(fonts) {}

    void Put(FontRole role, int x, int y, std::string_view text, ui::HAlign h = ui::HAlign::Left) {
        if (text.empty())
            return;
        if (role != m_role) {
            const ui::Font& font = m_fonts[static_cast<size_t>(role)];
            m_canvas.SelectFont(font);
            m_canvas.SetTextColour(font.colour);
            m_role = role;
        }
        m_canvas.DrawText({x, y}, text, {h, ui::VAlign::Bottom});
    }

    struct BandText {
        FontRole role;
        int x;
        std::string_view text;
    };

    /** Texts on a band: transparent, white on a dark band; afterwards black and opaque. */
    void PutOnBand(ui::Colour bandText, int y, std::initializer_list<BandText> texts,
                   ui::HAlign h) {
        m_canvas.SetBackground(false);
        for (const BandText& t : texts) {
            if (t.text.empty())
                continue;
            const ui::Font& font = m_fonts[static_cast<size_t>(t.role)];
            m_canvas.SelectFont(font);
            m_canvas.SetTextColour(bandText == kOwnColour ? font.colour : bandText);
            m_canvas.DrawText({t.x, y}, t.text, {h, ui::VAlign::Bottom});
        }
        m_canvas.SetBackground(true, ui::kWhite);
        m_canvas.SetTextColour(ui::kBlack);
        m_role = FontRole(-1);
    }

    const ui::Font& FontOf(FontRole role) const { return m_fonts[static_cast<size_t>(role)]; }

private:
    ui::Canvas& m_canvas;
    const Fonts& m_fonts;
    FontRole m_role = FontRole(-1);
};

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

struct Place {
    const ReportGeometry& g;
    int left;
    int X(int num, int den = 1) const { return left + g.X(num, den); }
};

void DrawHeading(ui::Canvas& canvas, Writer& writer, const Place& at, const DocOptions& o,
                 int baseline) {
    const ReportGeometry& g = at.g;
    const ui::Font& font = writer.FontOf(FontRole::Heading);
    ui::Rect band{at.X(-1, 90), baseline - CharHeight(font) - g.Y(1, 90), at.X(77, 10),
                  baseline + g.Y(1, 90)};
    ui::Colour text = DrawBand(canvas, band, o.borderStyle, o.borderColour, kOwnColour);
    writer.PutOnBand(text, baseline, {{FontRole::Heading, g.X(4), o.heading}}, ui::HAlign::Centre);
}

void DrawDateLine(ui::Canvas& canvas, Writer& writer, const Place& at, const DocOptions& o,
                  const ScheduleWeek& week, int line) {
    const ReportGeometry& g = at.g;
    const int tallest = std::max(CharHeight(writer.FontOf(FontRole::Date)),
                                 CharHeight(writer.FontOf(FontRole::Talk)));
    ui::Rect band{at.X(-1, 90), line - tallest - g.Y(1, 80), at.X(77, 10), line + g.Y(1, 90)};
    ui::Colour text = DrawBand(canvas, band, o.borderStyle, o.borderColour, kOwnColour);
    writer.PutOnBand(
        text, line,
        {{FontRole::Date, at.X(0), week.date}, {FontRole::Talk, at.X(3, 2), week.title}},
        ui::HAlign::Left);
}

void DrawRows01(Writer& w, const Place& at, const StringTable& s, const DocOptions& o,
                const ScheduleWeek& week, int y0, int row) {
    using enum FontRole;
    const auto right = ui::HAlign::Right;
    if (week.speakerLabel)
        w.Put(Subheading, at.X(1, 10), y0, s.Get(kSpeakerLabel));
    if (week.congregationLabel)
        w.Put(Subheading, at.X(38, 10), y0, s.Get(kCongLabel), right);
    w.Put(Speaker, at.X(1), y0, week.speaker);
    w.Put(Text, at.X(4), y0, week.congregation);
    w.Put(Text, at.X(75, 10), y0, week.talk, right);

    const int y1 = y0 + row;
    const bool ownColumns = ReaderColumnApart(o);
    const int readerTenths = ownColumns ? 35 : 45;
    const int hostTenths = ownColumns ? 60 : 45;
    if (week.chairmanLabel)
        w.Put(Subheading, at.X(1, 10), y1, s.Get(kChairmanLabel));
    w.Put(Text, at.X(1), y1, week.chairman);
    if (week.readerLabel)
        w.Put(Subheading, at.X(readerTenths - 2, 10), y1, s.Get(kReaderLabel), right);
    w.Put(Text, at.X(readerTenths, 10), y1, week.reader);
    if (week.hostLabel)
        w.Put(Subheading, at.X(hostTenths - 2, 10), y1, s.Get(kHostLabel), right);
    w.Put(Text, at.X(hostTenths, 10), y1, week.host);
}

void DrawOutgoing(Writer& w, const Place& at, const StringTable& s, const ScheduleWeek& week,
                  int y0, int row) {
    using enum FontRole;
    int y = y0 + week.firstOutgoingRow * row;
    for (const OutgoingLine& line : week.outgoing) {
        w.Put(Subheading, at.X(1, 10), y, s.Get(kOutgoingLabel));
        w.Put(Subheading, at.X(38, 10), y, s.Get(kToLabel), ui::HAlign::Right);
        w.Put(Text, at.X(3, 2), y, line.speaker);
        w.Put(Text, at.X(4), y, line.destination);
        w.Put(Text, at.X(7), y, line.talk);
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

    Writer writer(canvas, frame.fonts);
    const Place at{g, frame.left};
    DrawHeading(canvas, writer, at, o, pageTop + frame.top);
    int offset = 4 * frame.row;
    const PageWeeks& weeks = m_pages[static_cast<size_t>(page - 1)];
    for (int i = weeks.first; i < weeks.first + weeks.count; ++i) {
        const ScheduleWeek& week = m_weeks[static_cast<size_t>(i)];
        const int y0 = pageTop + frame.top + offset;
        DrawDateLine(canvas, writer, at, o, week, y0 - g.Y(1, 4));
        // A text cell is taller than a row: drawn opaque it would cut off the descenders of
        // the row above.
        canvas.SetBackground(false);
        DrawRows01(writer, at, s, o, week, y0, frame.row);
        DrawOutgoing(writer, at, s, week, y0, frame.row);
        offset += week.AdvanceRows() * frame.row + frame.row / 2;
    }
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

} // namespace mivra::reports
