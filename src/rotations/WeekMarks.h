#pragma once

#include <cstdint>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * The markers of a week list's rows, shared by the pages that list brothers by week: "* "
 * before a brother unavailable that week, else "# " before one with another duty in it; both
 * are noted, so the legends show when any row carries either.
 */
class WeekMarks {
public:
    /** Forgets what the rows of the last build carried. */
    void Clear() { m_unavailable = m_conflict = false; }
    /** The brother's marker in the week; `ownDuty` is the duty of the list (WeekDutyOf's). */
    std::string Marker(const CMvDoc& doc, uint16_t brother, int weekIndex, int ownDuty);
    bool UnavailableSeen() const { return m_unavailable; }
    bool ConflictSeen() const { return m_conflict; }
    /** Whether the conflict marks differ from those of the build before; remembers them. */
    bool ConflictsChanged();

private:
    bool m_unavailable = false;
    bool m_conflict = false;
    bool m_lastConflict = false;
};

} // namespace mivra::rotations
