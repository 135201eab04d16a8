#pragma once

#include "reports/Report.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}

// The lists of the coordinator: a heading on every page, then blocks of text lines that the
// layout deals out to pages for the target, so every target counts the pages it draws.
namespace mivra::reports {

/** x positions of the lists are counted in 120ths of an inch from the left margin. */
inline constexpr int kListUnit = 120;

struct ListCell {
    FontRole role = FontRole::Text;
    int x = 0;
    std::string text;
    ui::HAlign align = ui::HAlign::Left;
};

struct ListLine {
    std::vector<ListCell> cells;
    int rows = 1;      ///< row heights below the line before
    int gap = 0;       ///< and 120ths of an inch more; neither counts at the top of a page
    bool band = false; ///< a week's date line: on the band of the settings' style

    ListLine& Add(FontRole role, int x, std::string text, ui::HAlign align = ui::HAlign::Left) {
        cells.push_back({role, x, std::move(text), align});
        return *this;
    }
};

/** Lines that stay on one page, unless they fill more than a page on their own. */
struct ListBlock {
    std::vector<ListLine> lines;

    ListLine& Line(int rows = 1, int gap = 0) {
        lines.push_back({{}, rows, gap});
        return lines.back();
    }
};

/** Where the first line of a page stands below the heading's baseline. */
struct ListStart {
    int rows = 2; ///< row heights
    int gap = 0;  ///< and 120ths of an inch more
};

class ListReport : public Report {
public:
    using Builder = std::function<std::vector<ListBlock>()>;

    /** The blocks are built at every layout, so edits show at once. */
    ListReport(const CMvDoc& doc, std::string title, Builder build, ListStart start = ListStart());

    std::string FileName() const override { return m_title; }
    std::string Title() const override { return m_title; }
    int ScrollPageTenths() const override { return m_scrollTenths; }
    /** The talks' list scrolls by 12-inch pages. */
    void SetScrollPageTenths(int tenths) { m_scrollTenths = tenths; }

    int Layout(const PageContext& context) override;
    void DrawPage(const PageContext& context, int page) override;

    /** The lines of each page of the last layout, as counts. */
    std::vector<int> LinesPerPage() const;

private:
    struct Placed {
        const ListLine* line;
        int y; ///< the baseline, from the page's top
    };
    int RowHeight(const PageContext& context) const;

    const CMvDoc& m_doc;
    std::string m_title;
    Builder m_build;
    ListStart m_start;
    int m_scrollTenths = kPageHeightTenths;
    std::vector<ListBlock> m_blocks;
    std::vector<std::vector<Placed>> m_pages;
};

/** The larger of a sixth of an inch and the speaker and text fonts' character heights. */
int ListRowHeight(const ReportGeometry& geometry, const ReportFonts& fonts);
/** Where the lists stop: half an inch above the sheet's foot, a quarter more on paper. */
int ListBottom(const ReportGeometry& geometry);

} // namespace mivra::reports
