#include "reports/CSelectWeeksDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>
#include <string>

namespace mivra::reports {
namespace {

constexpr int kTitleText = 60201; // "Veckor med start %1"
constexpr int kListDateFlags = 26;
constexpr int kTitleDateFlags = 2;

struct StartRows {
    int first; ///< week index of row 0
    int rows;
    int selected; ///< row of today's week
    int top;
};

struct CountRows {
    int rows;
    int top; ///< -1: just keep the selected row in view
};

StartRows StartsOf(CSelectWeeksDlg::Mode mode, int w) {
    switch (mode) {
    case CSelectWeeksDlg::Mode::Schedule:
    case CSelectWeeksDlg::Mode::Calendar:
        return {w - 5, 26, 4, 4};
    case CSelectWeeksDlg::Mode::Short:
        return {w - 5, 39, 4, 4};
    case CSelectWeeksDlg::Mode::Worksheet:
        return {0, std::max(1, w + 26), std::max(0, w - 1), std::max(0, w - 8)};
    }
    return {w - 5, 26, 4, 4};
}

CountRows CountsOf(CSelectWeeksDlg::Mode mode) {
    switch (mode) {
    case CSelectWeeksDlg::Mode::Schedule:
    case CSelectWeeksDlg::Mode::Calendar:
        return {52, -1};
    case CSelectWeeksDlg::Mode::Short:
        return {18, -1};
    case CSelectWeeksDlg::Mode::Worksheet:
        return {144, 28};
    }
    return {52, -1};
}

} // namespace

CSelectWeeksDlg::CSelectWeeksDlg(CMvDoc& doc, Mode mode) : Dialog(kUse), m_doc(doc), m_mode(mode) {}

std::optional<CSelectWeeksDlg::Range> CSelectWeeksDlg::Choose(CMvDoc& doc, ui::Host& host,
                                                              Mode mode) {
    CSelectWeeksDlg dialog(doc, mode);
    const int code = host.RunDialog(dialog);
    if (code != ui::kIdOk && code != kExported)
        return std::nullopt;
    return Range{dialog.StartWeek(), dialog.WeekCount(), code == kExported};
}

void CSelectWeeksDlg::OnInit() {
    FillStarts();
    FillCounts();
    Win().Show(kExport, m_mode == Mode::Schedule);
    Win().Enable(kExport, !m_doc.ReadOnly()); // it writes "ptsched.txt" into the data folder
    ReadSelection();
    UpdateTitle();
}

void CSelectWeeksDlg::FillStarts() {
    const StartRows starts = StartsOf(m_mode, m_doc.CurrentWeek());
    Win().ClearRows(kStartList);
    for (int row = 0; row < starts.rows; ++row) {
        const int week = starts.first + row;
        Win().AddRow(kStartList, m_doc.FormatDate(week + 1, kListDateFlags),
                     static_cast<uint32_t>(week));
    }
    Win().Select(kStartList, std::min(starts.selected, starts.rows - 1));
    Win().SetTopIndex(kStartList, std::min(starts.top, starts.rows - 1));
}

void CSelectWeeksDlg::FillCounts() {
    const CountRows counts = CountsOf(m_mode);
    Win().ClearRows(kCountList);
    for (int n = 1; n <= counts.rows; ++n)
        Win().AddRow(kCountList, std::to_string(n), static_cast<uint32_t>(n));
    const int preselected = m_mode == Mode::Worksheet ? 36 : ScheduledCount();
    Win().Select(kCountList, std::min(preselected, counts.rows) - 1);
    if (counts.top >= 0)
        Win().SetTopIndex(kCountList, counts.top);
}

int CSelectWeeksDlg::ScheduledCount() const {
    const int w = m_doc.CurrentWeek();
    for (int k = 1; k <= 20; ++k) {
        const WeekRecord week = m_doc.Weeks().Week(w + k);
        if (!week.IsEventWeek() && week.homeSpeaker == 0)
            return k + 1;
    }
    return 2;
}

void CSelectWeeksDlg::ReadSelection() {
    const int start = Win().Selection(kStartList);
    if (start >= 0)
        m_start = static_cast<int32_t>(Win().RowData(kStartList, start));
    const int count = Win().Selection(kCountList);
    if (count >= 0)
        m_count = static_cast<int>(Win().RowData(kCountList, count));
}

void CSelectWeeksDlg::UpdateTitle() {
    Win().SetTitle(
        std::to_string(m_count) + " " +
        m_doc.Strings().Format(kTitleText, m_doc.FormatDate(m_start + 1, kTitleDateFlags)));
}

void CSelectWeeksDlg::OnSelChange(int id) {
    if (id != kStartList && id != kCountList)
        return;
    ReadSelection();
    UpdateTitle();
}

void CSelectWeeksDlg::OnOk() {
    ReadSelection();
    End(ui::kIdOk);
}

void CSelectWeeksDlg::OnCommand(int id) {
    if (id != kExport || m_mode != Mode::Schedule)
        return;
    ReadSelection();
    End(kExported);
}

} // namespace mivra::reports
