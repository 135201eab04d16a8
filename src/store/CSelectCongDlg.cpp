#include "store/CSelectCongDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <set>

namespace mivra {
namespace {

constexpr int kAllCircuits = 61070;      // "Alla kretsar"
constexpr int kAllCongregations = 61071; // "Alla församlingar"
constexpr int kScheduledWeeks = 156;
constexpr int kRowsAboveSelection = 10;

/** The congregations other than home that the weeks from the current one name. */
std::set<uint16_t> ScheduledCongregations(const CMvDoc& doc) {
    std::set<uint16_t> keys;
    for (int k = 0; k < kScheduledWeeks; ++k) {
        const WeekRecord week = doc.Weeks().Week(doc.CurrentWeek() - 1 + k);
        keys.insert(static_cast<uint16_t>(week.homeCongregation));
        for (int16_t out : week.outCongregation)
            keys.insert(static_cast<uint16_t>(out));
    }
    keys.erase(0);
    keys.erase(doc.Congregations().OurCongregationKey());
    return keys;
}

} // namespace

std::optional<CSelectCongDlg::Choice> CSelectCongDlg::Choose(const CMvDoc& doc, ui::Host& host,
                                                             Mode mode) {
    CSelectCongDlg dialog(doc, mode);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

void CSelectCongDlg::OnInit() {
    FillCircuits();
    FillList(m_mode == Mode::Export ? m_doc.Congregations().OurCongregationKey() : 0);
}

void CSelectCongDlg::FillCircuits() {
    Win().ClearRows(kCircuits);
    Win().AddRow(kCircuits, m_doc.Strings().Get(kAllCircuits), 0);
    for (const CircuitRecord& c : m_doc.Circuits().Items())
        Win().AddRow(kCircuits, c.name, c.key);
    Win().Select(kCircuits, 0);
    Win().Show(kCircuits, m_mode != Mode::Scheduled && m_doc.Circuits().Count() >= 2);
}

uint16_t CSelectCongDlg::CircuitFilter() const {
    const int row = Win().Selection(kCircuits);
    return row > 0 ? static_cast<uint16_t>(Win().RowData(kCircuits, row)) : 0;
}

void CSelectCongDlg::FillList(uint16_t select) {
    const uint16_t circuit = m_mode == Mode::Scheduled ? 0 : CircuitFilter();
    const std::set<uint16_t> scheduled =
        m_mode == Mode::Scheduled ? ScheduledCongregations(m_doc) : std::set<uint16_t>{};
    Win().ClearRows(kList);
    if (m_mode == Mode::All)
        Win().AddRow(kList, m_doc.Strings().Get(kAllCongregations), 0);
    int selected = -1;
    for (const CongregationIndexEntry& c : m_doc.Congregations().Items()) {
        if (circuit != 0 && c.circuitId != circuit)
            continue;
        if (m_mode == Mode::Scheduled && !scheduled.count(c.congregationKey))
            continue;
        const int row = Win().AddRow(kList, c.name, c.congregationKey);
        if (select != 0 && c.congregationKey == select)
            selected = row;
    }
    if (selected < 0 && m_mode != Mode::Export && Win().RowCount(kList) > 0)
        selected = 0;
    Win().Select(kList, selected);
    if (selected >= kRowsAboveSelection)
        Win().SetTopIndex(kList, selected - kRowsAboveSelection);
}

void CSelectCongDlg::OnSelChange(int id) {
    if (id != kCircuits)
        return;
    const int row = Win().Selection(kList);
    FillList(row >= 0 ? static_cast<uint16_t>(Win().RowData(kList, row)) : 0);
}

void CSelectCongDlg::OnOk() {
    const int row = Win().Selection(kList);
    if (row < 0) {
        End(ui::kIdCancel); // nothing chosen is no choice
        return;
    }
    m_choice = Choice{static_cast<uint16_t>(Win().RowData(kList, row)), CircuitFilter()};
    End(ui::kIdOk);
}

} // namespace mivra
