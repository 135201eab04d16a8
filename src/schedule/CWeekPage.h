#pragma once

#include "schedule/CSchedulePage.h"
#include "store/WeekRecord.h"

#include <functional>
#include <optional>

namespace mivra::schedule {

/**
 * A page that lists weeks and edits the selected one in place: home talks, outgoing
 * speakers and the rotations. OK and Apply store the selected week and write the week file
 * and the event list; a failed write keeps the sheet open. Weeks outside the document's
 * window are shown but read-only.
 */
class CWeekPage : public CSchedulePage {
public:
    using CSchedulePage::CSchedulePage;

    /** Makes a week the selected one, as picking its row does. */
    virtual void SelectWeek(int weekIndex) { m_selected = weekIndex; }
    std::optional<int> SelectedWeek() const { return m_selected; }

    bool IsEditable(int weekIndex) const;
    /**
     * Every change of a week goes through here: the change is made in the document's record,
     * the week stored and the page marked modified. A read-only week is left alone (false).
     */
    bool EditWeek(int weekIndex, const std::function<void(WeekRecord&)>& change);

protected:
    bool OnApply() override;

private:
    std::optional<int> m_selected;
};

} // namespace mivra::schedule
