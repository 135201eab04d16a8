#include "schedule/CTDlg.h"

#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "schedule/CTabSchedule.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra::schedule {
namespace {

using ui::Colour;
using ui::Rgb;

constexpr int kDateFlags = 24;
constexpr int kStepWeeks = 10;
constexpr int kWeeksAhead = 150;
constexpr int kClickSlack = 2; // pixels either side of a drawn line that hit no column
constexpr int kDateIndent = 5;

constexpr int kHomeHeading = 1095;     // "Hemmatalare"
constexpr int kTalkHeading = 1044;     // "Tal"
constexpr int kMarkHeadings = 1053;    // "O", "V", "H"
constexpr int kOutgoingHeading = 1037; // "Talare som reser ut"
constexpr int kChairmanHeading = 1038;
constexpr int kHostHeading = 1192;
constexpr int kReaderHeading = 1033;
constexpr int kToHomeView = 1056; // "O - V - H"
constexpr int kToOvhView = 1058;  // "Tillbaka"
constexpr int kStartText = 1274;  // "Med start\n%1"
constexpr int kLegendCaptions = 60850;

constexpr Colour kWindowText = ui::kBlack;
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kPurple = Rgb(200, 2, 200);
constexpr Colour kBlue = Rgb(0, 0, 255);

Colour StatusColour(int status) {
    switch (status) {
    case kStatusComplete:
        return Rgb(128, 255, 128);
    case kStatusIncomplete:
    case kStatusOutgoingIncomplete:
        return Rgb(255, 255, 87);
    case kStatusUnavailable:
        return Rgb(255, 150, 150);
    case kStatusUnconfirmed:
        return Rgb(135, 220, 255);
    case kStatusConflict:
        return Rgb(255, 150, 255);
    default:
        return ui::kWhite;
    }
}

/** The legend that explains a status; -1 for none. */
int LegendOf(int status) {
    switch (status) {
    case kStatusComplete:
        return CTDlg::kLegendComplete;
    case kStatusUnconfirmed:
        return CTDlg::kLegendUnconfirmed;
    case kStatusIncomplete:
    case kStatusOutgoingIncomplete:
        return CTDlg::kLegendIncomplete;
    case kStatusUnavailable:
        return CTDlg::kLegendUnavailable;
    default:
        return -1;
    }
}

Colour InkColour(Ink ink) {
    switch (ink) {
    case Ink::Red:
        return kRed;
    case Ink::Purple:
        return kPurple;
    case Ink::Blue:
        return kBlue;
    default:
        return kWindowText;
    }
}

/** The grid's measures for one size: every drawing and hit test goes through these. */
struct Grid {
    explicit Grid(ui::Size size)
        : w(size.width), top(size.height / 28), rowHeight((size.height - size.height / 28) / 21) {}

    int Line(int i) const { return top + i * rowHeight; } ///< line i: 1 under the header
    int RowTop(int row) const { return Line(row + 1); }
    int DateEnd() const { return w / 10; }
    int TalkEnd() const { return 4 * (w / 9); }
    int Column(int k) const { return k * (w / 22); } ///< k = 12 … 15
    int Name() const { return w / 9; }
    int TalkRight() const { return w / 2; }
    int Mark(int k) const { return w / 2 + w / 20 + k * (w / 22); } ///< 0 O, 1 V, 2 H, 3 out

    int w, top, rowHeight;
};

} // namespace

void CTDlg::OnInit() {
    CSchedulePage::OnInit();
    m_first = Doc().CurrentWeek();
    m_ovh = false;
    Win().SetRange(kMove, -1, 1);
    Win().SetValue(kMove, 0);
    Repaint();
}

void CTDlg::OnSetActive() {
    if (IsOpen())
        Repaint();
}

void CTDlg::OnSiblingsChanged() {
    if (IsOpen())
        Repaint();
}

void CTDlg::OnCommand(int id) {
    if (id != kToggle)
        return;
    m_ovh = !m_ovh;
    Win().SetText(kToggle, Doc().Strings().Get(m_ovh ? kToOvhView : kToHomeView));
    Repaint();
}

void CTDlg::OnUpDown(int id, int delta) {
    if (id != kMove)
        return;
    Win().SetValue(kMove, 0);
    if (delta != 0)
        Move(delta);
}

void CTDlg::Move(int delta) {
    const int base = Doc().Weeks().BaseWeek();
    const int cap = Doc().CurrentWeek() + kWeeksAhead;
    if (delta < 0)
        m_first = m_first > base + kStepWeeks - 1 ? m_first - kStepWeeks : base;
    else
        m_first = m_first < cap ? std::min(m_first + kStepWeeks, cap) : cap;
    Doc().SetFirstShownWeek(m_first);
    NotifySiblings();
    Repaint();
}

void CTDlg::Repaint() {
    m_legendShown = {};
    for (int i = 0; i < kRows; ++i) {
        const int legend = LegendOf(WeekStatus(Doc(), m_first + i - 1));
        if (legend > 0)
            m_legendShown[static_cast<size_t>(legend - kLegendComplete)] = true;
    }
    for (int k = 0; k < 4; ++k)
        Win().Show(kLegendComplete + k, m_legendShown[static_cast<size_t>(k)]);
    Win().SetText(kStart,
                  Doc().Strings().Format(kStartText, Doc().FormatDate(m_first, kDateFlags)));
    Win().Redraw(kGrid);
}

void CTDlg::OnPaint(int id, ui::Canvas& canvas, ui::Size size) {
    if (id == kGrid)
        PaintGrid(canvas, size);
    else if (id >= kLegendComplete && id <= kLegendUnavailable)
        PaintLegend(id, canvas, size);
}

void CTDlg::PaintLegend(int id, ui::Canvas& canvas, ui::Size size) {
    static constexpr int kStatuses[] = {kStatusComplete, kStatusUnconfirmed, kStatusIncomplete,
                                        kStatusUnavailable};
    canvas.FillRect({0, 0, size.width, size.height}, StatusColour(kStatuses[id - kLegendComplete]));
    canvas.SelectFont({});
    canvas.SetBackground(false);
    canvas.SetTextColour(kWindowText);
    canvas.DrawText({size.width / 2, size.height / 10},
                    Doc().Strings().Get(kLegendCaptions + id - kLegendComplete),
                    {ui::HAlign::Centre, ui::VAlign::Top});
}

void CTDlg::PaintGrid(ui::Canvas& canvas, ui::Size size) {
    m_gridSize = size;
    const Grid g(size);
    const StringTable& s = Doc().Strings();
    canvas.FillRect({0, 0, size.width, size.height}, ui::kWhite);
    canvas.FillRect({0, 0, g.DateEnd(), size.height}, ui::kLightGrey);
    canvas.FillRect({0, 0, size.width, g.Line(1)}, ui::kLightGrey);
    canvas.SelectFont({});
    canvas.SetBackground(false);
    const int textHeight = canvas.Metrics().height;
    const auto text = [&](int x, int rowTop, std::string_view what, Colour colour,
                          ui::HAlign h = ui::HAlign::Left) {
        canvas.SetTextColour(colour);
        canvas.DrawText({x, rowTop + (g.rowHeight - textHeight) / 2}, what, {h, ui::VAlign::Top});
    };

    // Status cells first, so the lines stay on top of them.
    std::array<SummaryRow, kRows> rows;
    for (int i = 0; i < kRows; ++i) {
        rows[static_cast<size_t>(i)] = SummarizeWeek(Doc(), m_first + i - 1);
        const int status = rows[static_cast<size_t>(i)].status;
        if (status == kStatusEmpty)
            continue;
        const int top = g.RowTop(i);
        const int bottom = g.RowTop(i + 1);
        canvas.FillRect({0, top, g.DateEnd() + 1, bottom}, StatusColour(status));
        if (status == kStatusOutgoingIncomplete && !m_ovh)
            canvas.FillRect({g.Column(15), top, size.width, bottom}, StatusColour(status));
    }

    canvas.SetPen({ui::kBlack});
    const auto vertical = [&](int x) { canvas.DrawLine({x, 0}, {x, size.height}); };
    vertical(g.DateEnd());
    vertical(g.TalkEnd());
    for (int k = m_ovh ? 15 : 12; k <= 15; ++k)
        vertical(g.Column(k));
    for (int i = 1; i <= kRows; ++i)
        canvas.DrawLine({0, g.Line(i)}, {size.width, g.Line(i)});

    // The header's years describe the rows shown, the first and the last.
    const dates::MeetingDays days = Doc().MeetingDays();
    const int firstYear = dates::MeetingYear(m_first - 1, days);
    const int lastYear = dates::MeetingYear(m_first + kRows - 2, days);
    canvas.SetTextColour(kWindowText);
    canvas.DrawText({kDateIndent, 0}, std::to_string(firstYear));
    if (lastYear != firstYear)
        canvas.DrawText({kDateIndent, textHeight}, std::to_string(lastYear));
    const int header = g.top;
    if (m_ovh) {
        text(size.width / 8, header, s.Get(kChairmanHeading), kWindowText);
        text(size.width / 2 - size.width / 24, header, s.Get(kHostHeading), kWindowText);
        text(g.Mark(3), header, s.Get(kReaderHeading), kWindowText);
    } else {
        text(size.width / 8, header, s.Get(kHomeHeading), kWindowText);
        text(size.width / 2 - size.width / 24, header, s.Get(kTalkHeading), kWindowText);
        for (int k = 0; k < 3; ++k)
            text(g.Mark(k), header, s.Get(kMarkHeadings + k), kWindowText);
        text(g.Mark(3), header, s.Get(kOutgoingHeading), kWindowText);
    }

    for (int i = 0; i < kRows; ++i) {
        const SummaryRow& row = rows[static_cast<size_t>(i)];
        const int top = g.RowTop(i);
        text(kDateIndent, top, row.date, kWindowText);
        if (m_ovh) {
            text(g.Name(), top, row.chairman.text, InkColour(row.chairman.ink));
            text(size.width / 3 + size.width / 8, top, row.host, kWindowText);
            text(g.Mark(3), top, row.reader.text, InkColour(row.reader.ink));
            continue;
        }
        text(g.Name(), top, row.home.text, InkColour(row.home.ink));
        text(g.TalkRight(), top, row.talk, kWindowText, ui::HAlign::Right);
        text(g.Mark(0), top, row.chairmanMark.text, InkColour(row.chairmanMark.ink));
        text(g.Mark(1), top, row.hostMark, kWindowText);
        text(g.Mark(2), top, row.readerMark.text, InkColour(row.readerMark.ink));
        text(g.Mark(3), top, row.outgoing.text, InkColour(row.outgoing.ink));
    }
}

GridTarget CTDlg::TargetAt(ui::Point at, ui::Size size) const {
    const Grid g(size);
    const DocOptions& options = Doc().Settings().Options();
    const auto index = [&](SchedulePage page) { return SchedulePageIndex(options, page); };
    // Column regions between the drawn lines, in the order the columns stand.
    struct Region {
        int from, to;
        SchedulePage page;
    };
    const std::vector<Region> regions =
        m_ovh ? std::vector<Region>{{g.DateEnd(), g.TalkEnd(), SchedulePage::Chairman},
                                    {g.TalkEnd(), g.Column(15), SchedulePage::Hosts},
                                    {g.Column(15), size.width, SchedulePage::Readers}}
              : std::vector<Region>{{0, g.Column(12), SchedulePage::HomeTalks},
                                    {g.Column(12), g.Column(13), SchedulePage::Chairman},
                                    {g.Column(13), g.Column(14), SchedulePage::Hosts},
                                    {g.Column(14), g.Column(15), SchedulePage::Readers},
                                    {g.Column(15), size.width, SchedulePage::Outgoing}};
    GridTarget target;
    for (const Region& r : regions) {
        const int from = r.from == 0 ? 0 : r.from + kClickSlack;
        if (at.x >= from && at.x < r.to - kClickSlack)
            target.page = index(r.page);
    }
    if (target.page < 0)
        return target;
    if (at.y >= g.RowTop(0)) {
        const int row = (at.y - g.RowTop(0)) / g.rowHeight;
        // Below the last row there is no week: nothing happens there.
        if (row >= kRows)
            return {};
        target.row = row;
    }
    return target;
}

void CTDlg::OnClick(int id, int /*row*/, int /*column*/, ui::Point point) {
    if (id != kGrid || !m_gridSize || m_first != Doc().FirstShownWeek())
        return;
    const GridTarget target = TargetAt(point, *m_gridSize);
    if (target.page < 0)
        return;
    Sheet().SetActivePage(target.page);
    if (!target.row)
        return;
    if (auto* page = dynamic_cast<CWeekPage*>(&Sheet().Page(target.page)))
        page->SelectWeek(FirstShownWeek() - 1 + *target.row);
}

} // namespace mivra::schedule
