#include "reports/ListReport.h"

#include "reports/TextRow.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <cstdlib>

namespace mivra::reports {

int ListRowHeight(const ReportGeometry& g, const ReportFonts& fonts) {
    return std::max({g.Y(1, 6), std::abs(g.Font(fonts[FontRole::Speaker]).height),
                     std::abs(g.Font(fonts[FontRole::Text]).height)});
}

int ListBottom(const ReportGeometry& g) {
    return g.Y(21, 2) - (g.IsPrinter() ? g.Y(1, 4) : 0);
}

ListReport::ListReport(const CMvDoc& doc, std::string title, Builder build, ListStart start)
    : m_doc(doc), m_title(std::move(title)), m_build(std::move(build)), m_start(start) {}

int ListReport::RowHeight(const PageContext& context) const {
    return ListRowHeight(context.geometry, context.fonts);
}

int ListReport::Layout(const PageContext& context) {
    m_blocks = m_build();
    const ReportGeometry& g = context.geometry;
    const int row = RowHeight(context);
    const int first = g.TopOffset() + m_start.rows * row + g.Y(m_start.gap, kListUnit);
    const int bottom = ListBottom(g);
    auto step = [&](const ListLine& line) { return line.rows * row + g.Y(line.gap, kListUnit); };

    m_pages.assign(1, {});
    int y = 0; // the last baseline on the page; 0 while it is empty
    auto place = [&](const ListLine& line) {
        y = y == 0 ? first : y + step(line);
        m_pages.back().push_back({&line, y});
    };
    for (const ListBlock& block : m_blocks) {
        if (block.lines.empty())
            continue;
        // Where the block would end here, and on a page of its own.
        int end = y == 0 ? first : y + step(block.lines.front());
        int alone = first;
        for (size_t i = 1; i < block.lines.size(); ++i) {
            end += step(block.lines[i]);
            alone += step(block.lines[i]);
        }
        if (end > bottom && y != 0 && alone <= bottom) {
            m_pages.push_back({});
            y = 0;
        }
        for (const ListLine& line : block.lines) {
            if (y != 0 && y + step(line) > bottom) {
                m_pages.push_back({});
                y = 0;
            }
            place(line);
        }
    }
    return static_cast<int>(m_pages.size());
}

std::vector<int> ListReport::LinesPerPage() const {
    std::vector<int> counts;
    for (const auto& page : m_pages)
        counts.push_back(static_cast<int>(page.size()));
    return counts;
}

void ListReport::DrawPage(const PageContext& context, int page) {
    if (page < 1 || page > static_cast<int>(m_pages.size()))
        return;
    const ReportGeometry& g = context.geometry;
    ui::Canvas& canvas = context.canvas;
    const int pageTop = g.PageTop(page);
    const int left = g.LeftOffset();
    const DocOptions& o = m_doc.Settings().Options();
    DrawHeading(canvas, g, g.Font(context.fonts[FontRole::Heading]), o, pageTop + g.TopOffset(),
                m_title);
    canvas.SetBackground(false);
    ui::Font fonts[kFontRoleCount];
    for (int r = 0; r < kFontRoleCount; ++r)
        fonts[r] = g.Font(context.fonts[static_cast<FontRole>(r)]);
    for (const Placed& placed : m_pages[static_cast<size_t>(page - 1)]) {
        TextRow row(g, left + g.X(77, 10));
        int tallest = 0;
        for (const ListCell& cell : placed.line->cells) {
            const ui::Font& font = fonts[static_cast<int>(cell.role)];
            row.Add(font, left + g.X(cell.x, kListUnit), cell.text, cell.align);
            tallest = std::max(tallest, std::abs(font.height));
        }
        const int y = pageTop + placed.y;
        std::optional<ui::Colour> colour;
        if (placed.line->band) {
            // White text on a dark band; otherwise each text keeps its font's colour.
            const ui::Rect box{left - g.X(1, 90), y - tallest - g.Y(1, 80), left + g.X(77, 10),
                               y + g.Y(1, 90)};
            if (DrawBand(canvas, box, o.borderStyle, o.borderColour, ui::kBlack) == ui::kWhite)
                colour = ui::kWhite;
        }
        row.Draw(canvas, y, colour);
    }
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

} // namespace mivra::reports
