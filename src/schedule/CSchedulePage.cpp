#include "schedule/CSchedulePage.h"

#include "store/CMvDoc.h"

namespace mivra::schedule {

void CSchedulePage::OnInit() {
    m_firstShown = m_doc.FirstShownWeek();
}

void CSchedulePage::NotifySiblings() {
    QuerySiblings(kSiblingsChanged, kSiblingsChanged);
}

int CSchedulePage::OnQuerySiblings(int first, int second) {
    if (first == kSiblingsChanged && second == kSiblingsChanged) {
        m_firstShown = m_doc.FirstShownWeek();
        OnSiblingsChanged();
    }
    return 0; // never answers, so the notification reaches every page
}

bool CSchedulePage::SaveEventsAndWeeks() {
    // Both are tried even when the first fails: whatever can be written is.
    const bool events = m_doc.Events().SaveSpecialEvents();
    const bool weeks = m_doc.Weeks().SaveWeeks();
    return events && weeks;
}

bool CSchedulePage::SaveWeeksAndEvents() {
    const bool weeks = m_doc.Weeks().SaveWeeks();
    const bool events = m_doc.Events().SaveSpecialEvents();
    return weeks && events;
}

} // namespace mivra::schedule
