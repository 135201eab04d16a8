#pragma once

#include "reports/Report.h"
#include "reports/ScheduleWeek.h"

#include <vector>

namespace mivra {
class CMvDoc;
}

namespace mivra::reports {

/**
 * The printed schedule (report kind 1): a range of weeks for the notice board, each with its
 * date, talk, speaker, chairman, reader, host and outgoing speakers, paginated for the target
 * it is laid out for.
 */
class ScheduleReport : public Report {
public:
    static constexpr int kMaxWeeks = 52;

    /** The weeks from startWeek (a week index); the count is held to 1 … 52. */
    ScheduleReport(const CMvDoc& doc, int startWeek, int weekCount);

    /** "Schema" and the meeting day of the first week, as "Schema 2027-01-17". */
    std::string FileName() const override;
    /** The heading of the settings. */
    std::string Title() const override;

    int StartWeek() const { return m_start; }
    int WeekCount() const { return m_count; }

    /** Reads the weeks from the document again and fills the pages for the target. */
    int Layout(const PageContext& context) override;
    void DrawPage(const PageContext& context, int page) override;

    /** The weeks of one page of the last layout, as positions in the range. */
    struct PageWeeks {
        int first = 0;
        int count = 0;
    };
    const std::vector<PageWeeks>& Pages() const { return m_pages; }

private:
    struct Frame;

    Frame FrameOf(const PageContext& context) const;
    bool Fits(const Frame& frame, int first, int candidate) const;
    int LastRowEnd(const Frame& frame, int first, int candidate) const;

    const CMvDoc& m_doc;
    int m_start;
    int m_count;
    std::vector<ScheduleWeek> m_weeks;
    std::vector<PageWeeks> m_pages;
};

} // namespace mivra::reports
