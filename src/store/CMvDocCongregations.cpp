// Congregations: the deletion that reaches the brothers and the weeks, the talk coordinator.
#include "store/CMvDoc.h"

namespace mivra {

bool CMvDoc::DeleteCongregation(int index) {
    const CongregationIndexEntry* entry = m_congregations.Congregation(index);
    if (!entry)
        return false;
    const uint16_t key = entry->congregationKey;
    const bool wasHome = key == m_congregations.OurCongregationKey();
    for (int i = 0; i < BrotherCount(); ++i) {
        BrotherIndexEntry& brother = m_brothers[static_cast<size_t>(i)];
        if (brother.congregationKey != key)
            continue;
        brother.congregationKey = 0;
        BrotherRecord record;
        if (uint16_t slot = ReadBrother(i, record)) {
            record.congregationKey = 0;
            WriteBrother(slot, record);
        }
    }
    ChangeWeeks([key](WeekRecord& week) {
        bool changed = false;
        auto clear = [&](int16_t& field) {
            if (SameKey(field, key)) {
                field = 0;
                changed = true;
            }
        };
        clear(week.homeCongregation);
        for (int16_t& congregation : week.outCongregation)
            clear(congregation);
        return changed;
    });
    m_congregations.RemoveCongregation(index);
    if (wasHome)
        ClearHomeCongregation();
    return true;
}

int CMvDoc::TalkCoordinatorOf(int index) const {
    const CongregationIndexEntry* entry = m_congregations.Congregation(index);
    if (!entry)
        return 0;
    const int brother = FindBrotherByKey(entry->talkCoordinatorKey);
    return brother == kNotFound ? 0 : brother + 1;
}

} // namespace mivra
