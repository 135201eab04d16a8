#include "rotations/WeekMarks.h"

#include "store/CMvDoc.h"
#include "store/WeekQueries.h"

namespace mivra::rotations {

std::string WeekMarks::Marker(const CMvDoc& doc, uint16_t brother, int weekIndex, int ownDuty) {
    const bool unavailable =
        !doc.Availability().IsAvailable(brother, static_cast<uint16_t>(weekIndex + 1));
    const bool conflict = WeekDutyOf(doc, brother, weekIndex, ownDuty) != kNoDuty;
    m_unavailable = m_unavailable || unavailable;
    m_conflict = m_conflict || conflict;
    if (unavailable)
        return "* ";
    return conflict ? "# " : "";
}

bool WeekMarks::ConflictsChanged() {
    const bool changed = m_conflict != m_lastConflict;
    m_lastConflict = m_conflict;
    return changed;
}

} // namespace mivra::rotations
