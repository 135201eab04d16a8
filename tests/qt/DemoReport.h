#pragma once

#include "reports/Report.h"

namespace mivra::demo {

/**
 * A report that looks like a printed schedule, for the developer tool's pictures: a
 * heading, then one block a week with its date on a band, the talk and the speaker.
 */
class DemoScheduleReport : public reports::Report {
public:
    explicit DemoScheduleReport(int weeks) : m_weeks(weeks) {}
    int Layout(const reports::PageContext& c) override;
    void DrawPage(const reports::PageContext& c, int page) override;

private:
    int BlockHeight(const reports::ReportGeometry& g) const { return g.Y(13, 10); }
    int m_weeks;
    int m_perPage = 1;
};

} // namespace mivra::demo
