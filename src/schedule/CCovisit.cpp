#include "schedule/CCovisit.h"

namespace mivra::schedule {

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

} // namespace mivra::schedule
