#include "store/CAvailabilityDlg.h"

#include "resources/StringTable.h"
#include "store/CBrotherListDlg.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>
#include <optional>
#include <string>

namespace mivra {
namespace {

constexpr int kCloseText = 1131; // "Stäng"
constexpr int kRowDateFlags = 26;

} // namespace

CAvailabilityDlg::CAvailabilityDlg(CMvDoc& doc, uint16_t brotherKey, bool readOnly, bool suspended,
                                   std::vector<uint16_t> initialWeeks)
    : Dialog(kUse), m_doc(doc), m_key(brotherKey), m_readOnly(readOnly), m_suspended(suspended),
      m_weeks(std::move(initialWeeks)) {}

void CAvailabilityDlg::MarkWeeks(CMvDoc& doc, ui::Host& host) {
    while (const std::optional<int> picked =
               CBrotherListDlg::Choose(doc, host, {.mode = CBrotherListDlg::Mode::Pick})) {
        CAvailabilityDlg dialog(doc, doc.Brothers().Brother(*picked)->brotherKey, false, false);
        dialog.HideSuspend(); // the command keeps no suspended flag
        host.RunDialog(dialog);
    }
}

void CAvailabilityDlg::OnInit() {
    const int w = m_doc.CurrentWeek();
    if (m_key != 0) {
        Win().SetTitle(m_doc.Brothers().BrotherNameByKey(m_key, false));
        m_weeks = m_doc.Availability().ListUnavailableWeeks(m_key, 0);
    }
    Win().ClearRows(kWeeks);
    m_initial.assign(kRows, false);
    int first = -1;
    for (int r = 0; r < kRows; ++r) {
        const auto week = static_cast<uint16_t>(w + r);
        Win().AddRow(kWeeks, m_doc.FormatDate(week, kRowDateFlags), week);
        // Selected from the table itself, not from a capped list of his records.
        const bool unavailable =
            m_key != 0 ? !m_doc.Availability().IsAvailable(m_key, week)
                       : std::find(m_weeks.begin(), m_weeks.end(), week) != m_weeks.end();
        m_initial[static_cast<size_t>(r)] = unavailable;
        Win().SetRowSelected(kWeeks, r, unavailable);
        if (unavailable && first < 0)
            first = r;
    }
    if (first >= 0)
        Win().SetTopIndex(kWeeks, first);
    Win().Show(ui::kIdOk, !m_readOnly);
    Win().Show(kPrompt, !m_readOnly);
    if (m_readOnly)
        Win().SetText(ui::kIdCancel, m_doc.Strings().Get(kCloseText));
    Win().SetChecked(kSuspend, m_suspended);
    Win().Show(kSuspend, !m_hideSuspend);
    Win().Enable(kSuspend, !m_readOnly);
    ShowCount();
}

void CAvailabilityDlg::ShowCount() {
    Win().SetText(kCount, std::to_string(Win().SelectedRows(kWeeks).size()));
}

void CAvailabilityDlg::OnSelChange(int id) {
    if (id == kWeeks)
        ShowCount();
}

void CAvailabilityDlg::OnClick(int id, int /*row*/, int /*column*/, ui::Point /*point*/) {
    if (id == kWeeks)
        ShowCount();
}

void CAvailabilityDlg::OnOk() {
    if (m_readOnly)
        return;
    m_suspended = Win().IsChecked(kSuspend);
    m_weeks.clear();
    AvailabilityTable& table = m_doc.Availability();
    for (int r = 0; r < kRows; ++r) {
        const bool now = Win().IsRowSelected(kWeeks, r);
        const auto week = static_cast<uint16_t>(Win().RowData(kWeeks, r));
        if (now)
            m_weeks.push_back(week);
        if (m_key == 0 || now == m_initial[static_cast<size_t>(r)])
            continue;
        if (now)
            table.AddUnavailableWeek(m_key, week);
        else
            table.RemoveUnavailableWeek(m_key, week);
    }
    if (m_key != 0)
        table.SaveAvailability();
    End(ui::kIdOk);
}

} // namespace mivra
