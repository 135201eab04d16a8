#include "store/CCongregationListDlg.h"

#include "store/CCongregationEditDlg.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

namespace mivra {

CCongregationListDlg::CCongregationListDlg(CMvDoc& doc, bool picker, int selection)
    : Dialog(kUse), m_doc(doc), m_picker(picker), m_selection(selection) {}

std::optional<int> CCongregationListDlg::Choose(CMvDoc& doc, ui::Host& host, uint16_t currentKey) {
    CCongregationListDlg dialog(doc, true,
                                doc.Congregations().FindCongregationByKey(currentKey) - 1);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

void CCongregationListDlg::OnInit() {
    if (m_picker)
        Win().SetText(ui::kIdOk, "OK");
    const int count = m_doc.Congregations().CongregationCount();
    if (m_selection >= count || m_selection < 0)
        m_selection = 0;
    Refill(count > 0 ? m_selection : -1);
    Win().SetFocus(count > 0 ? kList : kAdd);
}

void CCongregationListDlg::Refill(int index) {
    Win().ClearRows(kList);
    const CongregationStore& congregations = m_doc.Congregations();
    for (int i = 0; i < congregations.CongregationCount(); ++i)
        Win().AddRow(kList, congregations.Congregation(i)->name);
    if (index >= 0 && index < congregations.CongregationCount())
        Win().Select(kList, index);
}

int CCongregationListDlg::Step(int index, int delta) {
    const int rows = m_doc.Congregations().CongregationCount();
    Refill(index);
    if (rows == 0)
        return -1;
    const int row = index < 0 ? 0 : ((index + delta) % rows + rows) % rows;
    Win().Select(kList, row);
    m_selection = row;
    return row;
}

void CCongregationListDlg::OnOk() {
    Open(false);
}

void CCongregationListDlg::OnCommand(int id) {
    if (id == kAdd)
        Open(true);
}

void CCongregationListDlg::OnDoubleClick(int id, int row) {
    if (id == kList && row >= 0)
        Open(false);
}

void CCongregationListDlg::Open(bool addRequest) {
    const int selected = Win().Selection(kList);
    if (selected >= 0)
        m_selection = selected;
    const bool add = addRequest || Win().RowCount(kList) == 0;
    if (m_picker && !add) {
        if (selected < 0)
            return; // nothing to choose yet
        m_chosen = selected;
        End(ui::kIdOk);
        return;
    }
    if (!add && selected < 0)
        return;
    CCongregationEditDlg form(m_doc, {.add = add, .index = add ? -1 : selected, .list = this});
    Host().RunDialog(form);
    if (form.Changed()) {
        m_selection = form.CongregationIndex() >= 0 ? form.CongregationIndex() : 0;
        Refill(m_selection);
    }
    Win().SetFocus(kList);
}

} // namespace mivra
