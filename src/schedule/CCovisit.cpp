#include "schedule/CCovisit.h"

#include "schedule/CEditEventDlg.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

namespace mivra::schedule {
namespace {

constexpr int kTabStops[] = {60};
constexpr int kListFlags = 10;

} // namespace

bool CCovisit::OnApply() {
    // Both files are written twice, the modified mark cleared between. A failed write stops
    // and marks the page, so the sheet stays open with the change still to be saved.
    if (SaveEventsAndWeeks()) {
        SetModified(false);
        if (SaveEventsAndWeeks())
            return true;
    }
    SetModified();
    return false;
}

void CCovisit::OnInit() {
    CSchedulePage::OnInit();
    m_buffer = {};
    Win().SetTabStops(kList, kTabStops);
    Fill();
}

void CCovisit::OnSiblingsChanged() {
    if (!m_notifying && IsOpen())
        Fill();
}

void CCovisit::Fill() {
    Win().ClearRows(kList);
    for (const SpecialEventRecord& event : Doc().Events().Items())
        Win().AddRow(kList, Doc().FormatDate(event.weekIndex + 1, kListFlags) + "\t" + event.name,
                     event.weekIndex);
    m_selectedWeek.reset();
    Win().Show(kEdit, false);
    Win().Show(kRemove, false);
}

void CCovisit::OnSelChange(int id) {
    if (id == kList)
        ReadSelection();
}

void CCovisit::OnDoubleClick(int id, int /*row*/) {
    if (id == kList) {
        ReadSelection();
        Edit();
    }
}

void CCovisit::OnCommand(int id) {
    if (id == kAdd)
        Add();
    else if (id == kEdit)
        Edit();
    else if (id == kRemove)
        Remove();
}

void CCovisit::ReadSelection() {
    const int row = Win().Selection(kList);
    const SpecialEventRecord* event = Doc().Events().At(row);
    if (!event)
        return;
    m_selectedWeek = event->weekIndex;
    m_buffer = *event;
    Win().Show(kEdit);
    Win().Show(kRemove);
}

void CCovisit::Add() {
    CEditEventDlg dialog(Doc(), m_buffer, true);
    if (Host().RunDialog(dialog) != ui::kIdOk)
        return;
    m_buffer = dialog.Record();
    Doc().AddEvent(m_buffer);
    Changed();
}

void CCovisit::Edit() {
    if (!m_selectedWeek)
        return;
    CEditEventDlg dialog(Doc(), m_buffer, false);
    if (Host().RunDialog(dialog) != ui::kIdOk)
        return;
    // An event moved to another week leaves its old week: one event never becomes two.
    if (dialog.Record().weekIndex != *m_selectedWeek)
        if (const int position = Doc().Events().Find(*m_selectedWeek))
            Doc().RemoveEvent(position - 1);
    m_buffer = dialog.Record();
    Doc().AddEvent(m_buffer);
    Changed();
}

void CCovisit::Remove() {
    if (!m_selectedWeek)
        return;
    if (const int position = Doc().Events().Find(*m_selectedWeek))
        Doc().RemoveEvent(position - 1);
    Changed();
}

void CCovisit::Changed() {
    SetModified();
    m_notifying = true; // this page refills below
    NotifySiblings();
    m_notifying = false;
    Fill();
}

} // namespace mivra::schedule
