#include "ui/PropertySheet.h"

namespace mivra::ui {

void PropertyPage::SetModified(bool modified) {
    m_sheet->SetModified(*this, modified);
}

int PropertyPage::QuerySiblings(int first, int second) {
    return m_sheet->QuerySiblings(first, second);
}

void PropertySheet::AddPage(PropertyPage& page) {
    page.m_sheet = this;
    m_pages.push_back({&page, false, false});
}

void PropertySheet::Open(SheetFrame& frame, ui::Host& host) {
    m_frame = &frame;
    m_host = &host;
    m_endCode = 0;
    m_active = -1;
    for (Slot& slot : m_pages)
        slot = {slot.page, false, false};
    UpdateApply();
    OnInit();
    if (!m_pages.empty())
        SetActivePage(m_start >= 0 && m_start < PageCount() ? m_start : 0);
}

void PropertySheet::Close() {
    for (Slot& slot : m_pages)
        if (slot.opened)
            slot.page->Close();
    m_frame = nullptr;
}

void PropertySheet::SetActivePage(int index) {
    if (!m_frame) {
        m_start = index; // before the sheet runs, this is the page it opens on
        return;
    }
    if (index < 0 || index >= PageCount() || index == m_active)
        return;
    Activate(index);
    m_frame->ShowPage(index);
}

void PropertySheet::TabSelected(int index) {
    if (index >= 0 && index < PageCount() && index != m_active)
        Activate(index);
}

void PropertySheet::Activate(int index) {
    m_active = index;
    Slot& slot = m_pages[static_cast<size_t>(index)];
    if (!slot.opened) {
        slot.opened = true;
        slot.page->Open(m_frame->PageWindow(index), *m_host);
    }
    slot.page->OnSetActive();
}

int PropertySheet::QuerySiblings(int first, int second) {
    for (Slot& slot : m_pages) {
        if (!slot.opened)
            continue;
        if (int answer = slot.page->OnQuerySiblings(first, second))
            return answer;
    }
    return 0;
}

void PropertySheet::SetModified(const PropertyPage& page, bool modified) {
    int index = IndexOf(page);
    if (index < 0)
        return;
    m_pages[static_cast<size_t>(index)].modified = modified;
    UpdateApply();
}

void PropertySheet::Press(int id) {
    if (id == kIdOk) {
        if (ApplyAll())
            End(kIdOk);
    } else if (id == kIdApply) {
        ApplyAll();
    } else if (id == kIdCancel) {
        ResetAll();
        OnReset();
        End(kIdCancel);
    } else {
        OnCommand(id);
    }
}

void PropertySheet::CloseRequested() {
    if (m_closeRefusal)
        m_host->ShowMessage(*m_closeRefusal);
    else
        Press(kIdCancel);
}

bool PropertySheet::ApplyAll() {
    for (int i = 0; i < PageCount(); ++i) {
        Slot& slot = m_pages[static_cast<size_t>(i)];
        if (slot.opened && !slot.page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    for (Slot& slot : m_pages)
        slot.modified = false;
    UpdateApply();
    return true;
}

void PropertySheet::ResetAll() {
    for (Slot& slot : m_pages)
        if (slot.opened)
            slot.page->OnReset();
}

void PropertySheet::UpdateApply() {
    bool any = false;
    for (const Slot& slot : m_pages)
        any = any || slot.modified;
    if (m_frame)
        m_frame->Controls().Enable(kIdApply, any);
}

int PropertySheet::IndexOf(const PropertyPage& page) const {
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].page == &page)
            return static_cast<int>(i);
    return -1;
}

} // namespace mivra::ui
