#include "reports/NeedsReport.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"
#include "ui/Printing.h"

#include <algorithm>

namespace mivra::reports {
namespace {

constexpr int kLastTalk = 200;
constexpr int kLookAhead = 26; // last given: LastTalkWeek from firstShownWeek + 26
constexpr int kListFlags = 26;
constexpr int kScreenDpi = 96;
constexpr int kTalkWord = 1041;     // "Tal"
constexpr int kPriorityWord = 1059; // "Prioritet"
constexpr int kPreviousWord = 1066; // "Föregående:  "
constexpr int kNoPrinter = 1234;
constexpr int kPriorityTexts[] = {1263, 1262, 1261}; // "Hög", "Medel", "Låg"

/** The page's columns and line height in device units. */
struct Columns {
    int top;
    int left;
    int priority;
    int previous;
    int line;
};

} // namespace

NeedsReport::NeedsReport(const CMvDoc& doc, const NeedsList& needs, std::string caption)
    : m_doc(doc), m_needs(needs), m_caption(std::move(caption)) {
    for (int t = 1; t <= kLastTalk; ++t)
        if (m_needs.Contains(t))
            m_talks.push_back(t);
}

int NeedsReport::PageCount() const {
    return std::max(1, (static_cast<int>(m_talks.size()) + kRowsPerPage - 1) / kRowsPerPage);
}

void NeedsReport::DrawPage(ui::Canvas& canvas, const Target& target, const ReportFonts& fonts,
                           int page) const {
    const DocOptions& options = m_doc.Settings().Options();
    const ReportGeometry g(target, options.topMargin, options.leftMargin);
    const int dpiX = target.dpiX;
    const int dpiY = target.dpiY;
    const ui::Font text = g.Font(fonts[FontRole::Text]);
    canvas.SelectFont(text);
    const int cell = std::max(canvas.Metrics().height, dpiY / 6);
    Columns c{};
    c.top = dpiY * options.topMargin / 100 > dpiY ? dpiY / 2 : dpiY * options.topMargin / 100;
    c.left = dpiX * options.leftMargin / 100;
    c.priority = c.left + 5 * dpiX + dpiX / 4;
    c.previous = c.left + 6 * dpiX + dpiX / 2;
    c.line = cell + cell / 10;

    const StringTable& s = m_doc.Strings();
    canvas.SetBackground(false);
    canvas.SelectFont(g.Font(fonts[FontRole::Heading]));
    canvas.DrawText({c.left, c.top}, m_caption);
    canvas.SelectFont(g.Font(fonts[FontRole::Subheading]));
    const int heads = c.top + 2 * c.line;
    canvas.DrawText({c.left, heads}, s.Get(kTalkWord));
    canvas.DrawText({c.priority, heads}, s.Get(kPriorityWord));
    canvas.DrawText({c.previous, heads}, s.Get(kPreviousWord));

    const ui::Font talkFont = g.Font(fonts[FontRole::Talk]);
    const size_t from = static_cast<size_t>((page - 1) * kRowsPerPage);
    const size_t to = std::min(m_talks.size(), from + kRowsPerPage);
    for (size_t i = from; i < to; ++i) {
        const int t = m_talks[i];
        const int y = c.top + (kFirstLine + static_cast<int>(i - from)) * c.line;
        canvas.SelectFont(text);
        canvas.DrawText({c.left, y}, std::to_string(t));
        canvas.DrawText({c.priority, y},
                        s.Get(kPriorityTexts[m_needs.PriorityOf(t) - NeedsList::kHigh]));
        const int week = LastTalkWeek(m_doc, t, m_doc.FirstShownWeek() + kLookAhead);
        // Horizontal offsets follow the horizontal resolution.
        canvas.DrawText({c.previous - dpiX / 10, y},
                        week != 0 ? m_doc.FormatDate(week, kListFlags) : std::string("    -"));
        canvas.SelectFont(talkFont);
        const TalkRecord* talk = m_doc.Talks().Talk(t - 1);
        canvas.DrawText({c.left + dpiX / 3, y + dpiY / 40}, talk ? talk->title : std::string());
    }
}

void PrintNeedsList(const CMvDoc& doc, ui::Host& host, ui::Printing& printing,
                    const ReportFonts& fonts, const NeedsList& needs, const std::string& caption) {
    const NeedsReport report(doc, needs, caption);
    const ui::JobRenderer render = [&](const ui::JobSettings& job, ui::Sheets& sheets) {
        const Target target{job.dpiX, job.dpiY, kScreenDpi, kScreenDpi, true, job.wholeSheet};
        const ReportGeometry g(target, 0, 0);
        for (int page = 1; page <= report.PageCount(); ++page) {
            if (page > 1)
                sheets.Next();
            ui::Canvas& canvas = sheets.Current();
            SelectStripPage(canvas, g, 1); // every page is drawn from its own top
            report.DrawPage(canvas, target, fonts, page);
        }
    };
    if (printing.CurrentPrinter().present) {
        printing.PrintNow(caption, render);
        return;
    }
    host.Warn(doc.Strings().Get(kNoPrinter));
    if (const auto path = printing.AskPdfPath(caption, caption + ".pdf")) {
        if (const Status status = printing.WritePdf(*path, caption, render); !status) {
            ui::MessageBox failed;
            failed.text = doc.Strings().Format(1231, path->string());
            failed.icon = ui::Icon::Error;
            host.ShowMessage(failed);
        }
    }
}

} // namespace mivra::reports
