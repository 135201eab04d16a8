#pragma once

#include "reports/Report.h"

#include <array>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}

// The ruled reports: 36 rows of a quarter inch a page under the heading, the same on every
// target.
namespace mivra::reports {

inline constexpr int kGridRows = 36;

/** Kind 12: the planning worksheet of a range of weeks (1 … 144). */
class WorksheetReport : public Report {
public:
    static constexpr int kMaxWeeks = 144;

    WorksheetReport(const CMvDoc& doc, int startWeek, int weekCount);

    std::string FileName() const override { return Title(); }
    std::string Title() const override;
    int Layout(const PageContext& context) override;
    void DrawPage(const PageContext& context, int page) override;

    /** The six texts of a row, as the week reads now. */
    std::array<std::string, 6> Row(int weekIndex) const;

private:
    const CMvDoc& m_doc;
    int m_start;
    int m_count;
};

/** Kind 4: each talk's latest week at home in each of six meeting years. */
class RecentYearsReport : public Report {
public:
    explicit RecentYearsReport(const CMvDoc& doc);

    std::string FileName() const override { return Title(); }
    std::string Title() const override;
    int Layout(const PageContext& context) override;
    void DrawPage(const PageContext& context, int page) override;

    struct Cell {
        int week = -1; ///< week index, or −1
        bool repeated = false;
    };
    int EndWeek() const { return m_end; }
    int EndYear() const { return m_year; }
    int TalkCount() const { return static_cast<int>(m_rows.size()); }
    const std::array<Cell, 6>& CellsOf(int talk) const {
        return m_rows[static_cast<size_t>(talk - 1)];
    }

    /** A title of 56 characters or more in two parts: at the last blank of its first 55, else
        at 55; shorter ones whole. */
    static std::pair<std::string, std::string> SplitTitle(const std::string& title);

private:
    void Scan();

    const CMvDoc& m_doc;
    int m_end = 0;
    int m_year = 0;
    std::vector<std::array<Cell, 6>> m_rows;
};

} // namespace mivra::reports
