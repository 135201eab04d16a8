#include "reports/GridReports.h"

#include "base/Text.h"
#include "dates/Dates.h"
#include "reports/Lists.h"
#include "reports/ScheduleWeek.h"
#include "reports/TextRow.h"
#include "resources/StringTable.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra::reports {
namespace {

constexpr int kWorksheetTitle = 61152; // "Tal i hemförsamlingen"
constexpr int kConfirmed = 61154;      // "Bekräftad"
constexpr int kAsked = 61155;          // "Tillfrågad"
constexpr int kColumnTitles[] = {61156, 1041, 1036, 1057, 61157, 61158};
constexpr int kRecentTitle = 1152; // "Ämnen för offentliga föredrag"
constexpr int kFixedFace = 1110;   // "Times New Roman"
constexpr int kListDate = 26;
constexpr size_t kRemarkChars = 20;
constexpr size_t kTitleSplit = 55;

// Column boundaries of the worksheet in 120ths of an inch from the left margin.
constexpr int kWorksheetColumns[] = {0, 100, 160, 400, 640, 760, 920};

/** The grid's top line: half an inch under the heading's baseline. */
int GridTop(const ReportGeometry& g, int page) {
    return g.PageTop(page) + g.TopOffset() + g.Y(1, 2);
}

/** Frame, a rule between rows and one at every boundary, black and 2 units wide. */
void DrawGrid(ui::Canvas& canvas, const std::vector<int>& xs, int top, int rows, int row) {
    canvas.SetPen({ui::kBlack, 2, ui::PenStyle::Solid});
    const int bottom = top + rows * row;
    for (int r = 0; r <= rows; ++r)
        canvas.DrawLine({xs.front(), top + r * row}, {xs.back(), top + r * row});
    for (int x : xs)
        canvas.DrawLine({x, top}, {x, bottom});
}

/** The fixed small font of the grids: Times New Roman, height −13. */
ui::Font FixedFont(const ReportGeometry& g, const CMvDoc& doc, bool italic) {
    FontSpec wanted;
    wanted.height = -13;
    wanted.weight = 400;
    wanted.italic = italic;
    wanted.pitchAndFamily = 18;
    wanted.face = doc.Strings().Get(kFixedFace);
    wanted.charSet = LanguageCharSet(doc.LanguageCode());
    return g.Font(wanted);
}

/** The heading of a page; the texts under it are drawn transparent. */
void StartPage(const PageContext& context, const CMvDoc& doc, int page, const std::string& title) {
    const ReportGeometry& g = context.geometry;
    DrawHeading(context.canvas, g, g.Font(context.fonts[FontRole::Heading]),
                doc.Settings().Options(), g.PageTop(page) + g.TopOffset(), title);
    context.canvas.SetBackground(false);
}

int Pages(int rows) {
    return std::max(1, (rows + kGridRows - 1) / kGridRows);
}

} // namespace

// The worksheet ----------------------------------------------------------------------------------

WorksheetReport::WorksheetReport(const CMvDoc& doc, int startWeek, int weekCount)
    : m_doc(doc), m_start(startWeek), m_count(std::clamp(weekCount, 1, kMaxWeeks)) {}

std::string WorksheetReport::Title() const {
    return m_doc.Strings().Get(kWorksheetTitle);
}

int WorksheetReport::Layout(const PageContext&) {
    return Pages(m_count);
}

std::array<std::string, 6> WorksheetReport::Row(int w) const {
    const WeekRecord week = m_doc.Weeks().Week(w);
    std::array<std::string, 6> row;
    row[0] = m_doc.FormatDate(w + 1, kListDate);
    row[1] = TalkNumber(m_doc, week.homeTalk);
    const uint16_t speaker = static_cast<uint16_t>(week.homeSpeaker);
    if (week.IsEventWeek())
        row[2] = "    " + SpecialWeekTitle(m_doc, w, week);
    else if (speaker != 0)
        row[2] = m_doc.Brothers().BrotherNameByKey(speaker, false);
    if (week.homeCongregation != 0)
        row[3] = m_doc.Congregations().CongregationNameByKey(
            static_cast<uint16_t>(week.homeCongregation), false);
    const ContactList contacts = CollectContacts(m_doc, speaker);
    row[4] = contacts.phones[0];
    if (w < m_doc.CurrentWeek() - 1) {
        const BrotherIndexEntry* b = m_doc.Brothers().Brother(
            speaker == 0 ? -1 : m_doc.Brothers().FindBrotherByKey(speaker));
        BrotherExtraRecord extra;
        if (b && b->extraSlot != 0 &&
            m_doc.Brothers().ReadBrotherExtra(b->extraSlot, speaker, extra) &&
            !extra.remark.starts_with("!"))
            row[5] = std::string(text::LeftChars(extra.remark, kRemarkChars));
    } else if (week.confirmed != 0) {
        row[5] = m_doc.Strings().Get(kConfirmed);
    } else if (week.asked != 0) {
        row[5] = m_doc.Strings().Get(kAsked);
    }
    return row;
}

void WorksheetReport::DrawPage(const PageContext& context, int page) {
    if (page < 1 || page > Pages(m_count))
        return;
    const ReportGeometry& g = context.geometry;
    ui::Canvas& canvas = context.canvas;
    const int left = g.LeftOffset();
    StartPage(context, m_doc, page, Title());
    std::vector<int> xs;
    for (int x : kWorksheetColumns)
        xs.push_back(left + g.X(x, kListUnit));
    const int top = GridTop(g, page);
    const int row = g.Y(1, 4);
    const int first = (page - 1) * kGridRows;
    const int rows = std::min(kGridRows, m_count - first);
    DrawGrid(canvas, xs, top, rows, row);

    const ui::Font titles = g.Font(context.fonts[FontRole::Subheading]);
    TextRow head(g, xs.back());
    for (size_t c = 0; c < 6; ++c)
        head.Add(titles, xs[c] + (c == 1 ? g.X(1, 20) : g.X(1, 10)),
                 m_doc.Strings().Get(kColumnTitles[c]));
    head.Draw(canvas, top);

    const ui::Font font = FixedFont(g, m_doc, false);
    for (int r = 0; r < rows; ++r) {
        const std::array<std::string, 6> texts = Row(m_start + first + r);
        // Each text stays inside its cell, even beside an empty one.
        for (size_t c = 0; c < 6; ++c) {
            TextRow cell(g, xs[c + 1] - g.X(1, 20));
            cell.Add(font, xs[c] + g.X(1, 20), texts[c]);
            cell.Draw(canvas, top + (r + 1) * row - row / 5);
        }
    }
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

// The recent years ------------------------------------------------------------------------------

RecentYearsReport::RecentYearsReport(const CMvDoc& doc) : m_doc(doc) {}

std::string RecentYearsReport::Title() const {
    return m_doc.Strings().Get(kRecentTitle);
}

std::pair<std::string, std::string> RecentYearsReport::SplitTitle(const std::string& title) {
    if (text::CharCount(title) <= kTitleSplit)
        return {title, {}};
    const std::string_view head = text::LeftChars(title, kTitleSplit);
    const size_t blank = head.rfind(' ');
    const size_t at = blank == std::string_view::npos || blank == 0 ? head.size() : blank;
    std::string_view rest = std::string_view(title).substr(at);
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    return {std::string(head.substr(0, at)), std::string(rest)};
}

void RecentYearsReport::Scan() {
    const int today = m_doc.CurrentWeek() - 1;
    m_end = today;
    for (int w = today + 1; w <= today + 70; ++w) {
        const WeekRecord week = m_doc.Weeks().Week(w);
        if (week.homeSpeaker != 0 && week.homeTalk != 0)
            m_end = w;
    }
    const dates::MeetingDays days = m_doc.MeetingDays();
    m_year = dates::MeetingYear(m_end, days);
    m_rows.assign(static_cast<size_t>(ListedTalkCount(m_doc)), {});
    // Weeks before the window read as empty: the scan stops at its first week.
    const int stop = std::max(1, m_doc.Weeks().BaseWeek());
    for (int w = m_end; w >= stop; --w) {
        const WeekRecord week = m_doc.Weeks().Week(w);
        if (week.homeTalk == 0 || week.homeTalk > m_rows.size())
            continue;
        const int column = dates::MeetingYear(w, days) - (m_year - 5);
        if (column < 0 || column > 5)
            continue;
        Cell& cell = m_rows[week.homeTalk - 1u][static_cast<size_t>(column)];
        if (cell.week < 0)
            cell.week = w;
        else
            cell.repeated = true;
    }
}

int RecentYearsReport::Layout(const PageContext&) {
    Scan();
    return Pages(TalkCount());
}

void RecentYearsReport::DrawPage(const PageContext& context, int page) {
    if (page < 1 || page > Pages(TalkCount()))
        return;
    const ReportGeometry& g = context.geometry;
    ui::Canvas& canvas = context.canvas;
    const int left = g.LeftOffset();
    StartPage(context, m_doc, page, Title());
    // The talk column, then six year columns of 0.6 in from 4 in.
    std::vector<int> xs{left};
    for (int c = 0; c <= 6; ++c)
        xs.push_back(left + g.X(4) + g.X(6 * c, 10));
    const int top = GridTop(g, page);
    const int row = g.Y(1, 4);
    const int first = (page - 1) * kGridRows;
    const int rows = std::min(kGridRows, TalkCount() - first);
    DrawGrid(canvas, xs, top, rows, row);

    const ui::Font years = g.Font(context.fonts[FontRole::Speaker]);
    TextRow head(g, xs.back());
    for (int c = 0; c < 6; ++c)
        head.Add(years, xs[static_cast<size_t>(c) + 1] + g.X(1, 20),
                 std::to_string(m_year - 5 + c));
    head.Draw(canvas, top);

    const ui::Font number = g.Font(context.fonts[FontRole::Text]);
    const ui::Font italic = FixedFont(g, m_doc, true);
    ui::Font planned = italic;
    planned.colour = ui::Rgb(255, 0, 0);
    const int today = m_doc.CurrentWeek() - 1;
    for (int r = 0; r < rows; ++r) {
        const int talk = first + r + 1;
        const int bottom = top + (r + 1) * row;
        const int line = bottom - row / 5;
        const auto [head1, rest] = SplitTitle(TalkTitle(m_doc, talk));
        TextRow cells(g, xs.back() - g.X(1, 20));
        cells.Add(number, xs[0] + g.X(1, 20), TalkNumber(m_doc, talk));
        cells.Add(italic, xs[0] + g.X(1, 2), rest.empty() ? head1 : std::string());
        const std::array<Cell, 6>& row6 = CellsOf(talk);
        for (size_t c = 0; c < 6; ++c) {
            if (row6[c].week < 0)
                continue;
            std::string date = m_doc.FormatDate(row6[c].week + 1, dates::kShortMonth);
            if (row6[c].repeated)
                date += "+";
            cells.Add(row6[c].week >= today ? planned : number, xs[c + 1] + g.X(1, 20), date);
        }
        cells.Draw(canvas, line);
        if (!rest.empty()) {
            // Two parts: a quarter row above the line and, slightly indented, a quarter below.
            TextRow upper(g, xs[1] - g.X(1, 20)), lower(g, xs[1] - g.X(1, 20));
            upper.Add(italic, xs[0] + g.X(1, 2), head1);
            lower.Add(italic, xs[0] + g.X(1, 2) + g.X(1, 10), rest);
            upper.Draw(canvas, line - row / 4);
            lower.Draw(canvas, line + row / 4 - row / 5 + 1);
        }
    }
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

} // namespace mivra::reports
