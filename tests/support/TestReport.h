#pragma once

#include "reports/Report.h"

#include <functional>
#include <string>
#include <vector>

namespace mivra::test {

/**
 * A small report for the view's tests and the demo: a heading on a grey band, then rows in
 * the text font. A page holds as many rows as fit between the top offset and its end, which
 * for a printer target is a quarter inch higher, so screen and paper can differ in pages.
 */
class TestReport : public reports::Report {
public:
    struct Drawn {
        int page;
        int dpiY;
        ui::Font textFont;
    };

    explicit TestReport(int rows, int scrollTenths = reports::kPageHeightTenths)
        : m_rows(rows), m_scrollTenths(scrollTenths) {}

    std::vector<reports::Target> layouts; ///< every target laid out for
    std::vector<Drawn> drawn;
    std::function<void(int page)> onDraw; ///< runs inside each DrawPage

    int Layout(const reports::PageContext& c) override {
        layouts.push_back(c.geometry.target());
        m_perPage = std::max(1, Usable(c.geometry) / RowHeight(c));
        return std::max(1, (m_rows + m_perPage - 1) / m_perPage);
    }

    void DrawPage(const reports::PageContext& c, int page) override {
        const reports::ReportGeometry& g = c.geometry;
        const ui::Font text = g.Font(c.fonts[FontRole::Text]);
        drawn.push_back({page, g.target().dpiY, text});
        if (onDraw)
            onDraw(page);
        const int top = g.PageTop(page) + g.TopOffset();
        c.canvas.SelectFont(g.Font(c.fonts[FontRole::Heading]));
        const int headingHeight = c.canvas.Metrics().height;
        ui::Rect band{g.LeftOffset(), top - headingHeight, g.X(775, 100), top};
        ui::Colour colour = reports::DrawBand(c.canvas, band, 1, 0, ui::kBlack);
        c.canvas.SetBackground(false);
        c.canvas.SetTextColour(colour);
        c.canvas.DrawText({g.X(4), top}, "Sida " + std::to_string(page),
                          {ui::HAlign::Centre, ui::VAlign::Bottom});
        c.canvas.SetBackground(true);
        c.canvas.SelectFont(text);
        c.canvas.SetTextColour(c.fonts[FontRole::Text].colour);
        const int height = RowHeight(c);
        const int first = (page - 1) * m_perPage;
        for (int row = first; row < std::min(m_rows, first + m_perPage); ++row)
            c.canvas.DrawText({g.LeftOffset(), top + (row - first) * height},
                              "Rad " + std::to_string(row + 1));
    }

    int ScrollPageTenths() const override { return m_scrollTenths; }

private:
    static int Usable(const reports::ReportGeometry& g) {
        return g.PageHeight() - g.TopOffset() - (g.IsPrinter() ? g.Y(1, 4) : 0);
    }
    static int RowHeight(const reports::PageContext& c) {
        return std::max(1, std::abs(c.geometry.Font(c.fonts[FontRole::Text]).height));
    }

    int m_rows;
    int m_scrollTenths;
    int m_perPage = 1;
};

} // namespace mivra::test
