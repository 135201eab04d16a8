#include "schedule/CWeekPage.h"

#include "store/CMvDoc.h"

namespace mivra::schedule {

bool CWeekPage::IsEditable(int weekIndex) const {
    return Doc().Weeks().Contains(weekIndex);
}

bool CWeekPage::EditWeek(int weekIndex, const std::function<void(WeekRecord&)>& change) {
    if (!IsEditable(weekIndex))
        return false;
    WeekRecord& week = Doc().Weeks().GetWeek(weekIndex);
    change(week);
    Doc().Weeks().StoreWeek(week, weekIndex);
    SetModified();
    return true;
}

bool CWeekPage::OnApply() {
    // The page edits its week in place; storing it sets the in-use bit the week file needs.
    if (m_selected && IsEditable(*m_selected))
        Doc().Weeks().StoreWeek(Doc().Weeks().GetWeek(*m_selected), *m_selected);
    if (SaveWeeksAndEvents())
        return true;
    SetModified(); // still to be written: Apply stays offered
    return false;
}

} // namespace mivra::schedule
