#pragma once

#include "reports/ReportGeometry.h"
#include "store/Settings.h"
#include "ui/Canvas.h"

#include <string>

// A report kind's routine as the report view drives it: laid out for one target, then drawn
// page by page, so screen, preview, paper and PDF show the same pages.
namespace mivra::reports {

/** What a report draws with: the target canvas, its geometry and the seven report fonts. */
struct PageContext {
    ui::Canvas& canvas;
    const ReportGeometry& geometry;
    const ReportFonts& fonts;
};

class Report {
public:
    virtual ~Report() = default;

    /** Lays the report out for the context's target; returns its page count (at least 1). */
    virtual int Layout(const PageContext& context) = 0;
    /**
     * Draws page N (1-based) of the last layout in strip coordinates: the page begins at
     * geometry.PageTop(N). Only that page's content is drawn.
     */
    virtual void DrawPage(const PageContext& context, int page) = 0;
    /** The name a saved copy proposes, without ".pdf" ("Schema 2027-01-17"); empty: the job's. */
    virtual std::string FileName() const { return {}; }
    /** The title a saved copy carries in its metadata: the report's heading; empty: the job's. */
    virtual std::string Title() const { return {}; }
    /** The height of a scroll page in tenths of an inch (a few lists use 12 inches). */
    virtual int ScrollPageTenths() const { return kPageHeightTenths; }
};

} // namespace mivra::reports
