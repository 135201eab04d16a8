#pragma once

#include "reports/ReportGeometry.h"
#include "store/NeedsList.h"
#include "store/Settings.h"

#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}
namespace mivra::ui {
class Host;
class Printing;
} // namespace mivra::ui

namespace mivra::reports {

/**
 * The needs list on paper: a head (the caption, then the column titles) and the talks 1 … 200
 * of the list, one a line from line 3 to line 40, so at most 38 a page. Coordinates are the
 * target's device units from the printable area's corner.
 */
class NeedsReport {
public:
    static constexpr int kFirstLine = 3;
    static constexpr int kLastLine = 40;
    static constexpr int kRowsPerPage = kLastLine - kFirstLine + 1;

    NeedsReport(const CMvDoc& doc, const NeedsList& needs, std::string caption);

    int PageCount() const;
    /** Draws page 1 … PageCount() on a canvas of the target's resolution. */
    void DrawPage(ui::Canvas& canvas, const Target& target, const ReportFonts& fonts,
                  int page) const;

private:
    const CMvDoc& m_doc;
    NeedsList m_needs;
    std::string m_caption;
    std::vector<int> m_talks;
};

/**
 * Prints the list at once on the current printer, without a print dialog; with no printer it
 * says so (message 1234) and offers the pages as a PDF.
 */
void PrintNeedsList(const CMvDoc& doc, ui::Host& host, ui::Printing& printing,
                    const ReportFonts& fonts, const NeedsList& needs, const std::string& caption);

} // namespace mivra::reports
