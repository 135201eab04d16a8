#include "reports/TextRow.h"

#include "base/Text.h"

#include <climits>

namespace mivra::reports {
namespace {

constexpr std::string_view kEllipsis = "…";

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

/** The first n characters, without trailing blanks, and "…". */
std::string Cut(std::string_view text, size_t n) {
    std::string cut(TrimRight(text::LeftChars(text, n)));
    cut += kEllipsis;
    return cut;
}

} // namespace

std::string FitText(ui::Canvas& canvas, std::string_view text, int width) {
    if (canvas.TextExtent(text).width <= width)
        return std::string(text);
    auto fits = [&](size_t n) { return canvas.TextExtent(Cut(text, n)).width <= width; };
    // The most characters that fit with "…": at least lo, fewer than hi.
    size_t lo = 0, hi = text::CharCount(text);
    if (!fits(lo))
        return {};
    while (hi - lo > 1) {
        const size_t mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    return Cut(text, lo);
}

TextRow::TextRow(const ReportGeometry& geometry, int right)
    : m_right(right), m_gap(geometry.X(1, 20)) {}

void TextRow::Add(const ui::Font& font, int x, std::string_view text, ui::HAlign align) {
    if (!text.empty())
        m_cells.push_back({font, x, std::string(text), align});
}

void TextRow::Draw(ui::Canvas& canvas, int y, std::optional<ui::Colour> colour) const {
    const ui::Font* font = nullptr;
    std::optional<ui::Colour> textColour;
    auto draw = [&](const Cell& c, int width) {
        if (!font || !(*font == c.font)) {
            canvas.SelectFont(c.font);
            font = &c.font;
        }
        const std::string text = FitText(canvas, c.text, width);
        if (text.empty())
            return 0;
        if (textColour != colour.value_or(c.font.colour)) {
            textColour = colour.value_or(c.font.colour);
            canvas.SetTextColour(*textColour);
        }
        canvas.DrawText({c.x, y}, text, {c.align, ui::VAlign::Bottom});
        return canvas.TextExtent(text).width;
    };
    std::vector<int> starts;
    for (const Cell& c : m_cells)
        starts.push_back(c.x);
    // Right-aligned texts first: where one begins, the text before it must end.
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const Cell& c = m_cells[i];
        if (c.align == ui::HAlign::Right) {
            const int from = i == 0 ? INT_MIN / 2 : m_cells[i - 1].x + m_gap;
            starts[i] = c.x - draw(c, c.x - from);
        }
    }
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const Cell& c = m_cells[i];
        if (c.align != ui::HAlign::Right)
            draw(c, (i + 1 < m_cells.size() ? starts[i + 1] - m_gap : m_right) - c.x);
    }
}

} // namespace mivra::reports
