#pragma once

#include "reports/ReportGeometry.h"
#include "ui/Canvas.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Column texts of the reports: a text never runs into the next one on its line. Headings and
// lines without columns draw straight on the canvas.
namespace mivra::reports {

/**
 * The text cut at a character boundary to fit `width` in the selected font, ending in "…"
 * when cut; empty when not even "…" fits.
 */
std::string FitText(ui::Canvas& canvas, std::string_view text, int width);

/**
 * One line of texts in columns. Each text stands at its x, left-aligned or (ending there)
 * right-aligned, and is cut to its column: a left-aligned text ends a small gap before the next
 * text begins, a right-aligned one begins a gap after the previous text's x. Right-aligned
 * texts (labels, numbers) keep their width first; the names beside them give way.
 */
class TextRow {
public:
    /** A line whose last column ends at `right` (device units of the geometry's target). */
    TextRow(const ReportGeometry& geometry, int right);

    /** Adds a text (left or right aligned); texts come left to right, empty ones take no column. */
    void Add(const ui::Font& font, int x, std::string_view text,
             ui::HAlign align = ui::HAlign::Left);

    /**
     * Draws the texts on their bottom edge y in their fonts' colours, or all in `colour`.
     * The background is left as the caller set it.
     */
    void Draw(ui::Canvas& canvas, int y, std::optional<ui::Colour> colour = std::nullopt) const;

private:
    struct Cell {
        ui::Font font;
        int x;
        std::string text;
        ui::HAlign align;
    };

    int m_right;
    int m_gap;
    std::vector<Cell> m_cells;
};

} // namespace mivra::reports
