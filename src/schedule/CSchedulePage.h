#pragma once

#include "ui/PropertyPage.h"

namespace mivra {
class CMvDoc;
}

namespace mivra::schedule {

/**
 * What every page of the scheduling sheet shares: the document, the week number of the
 * first listed week as the sheet last said, and the sheet-wide notification (555, 555)
 * that tells the pages to re-read it and rebuild.
 */
class CSchedulePage : public ui::PropertyPage {
public:
    static constexpr int kSiblingsChanged = 555;

    CSchedulePage(const ui::TemplateUse& use, CMvDoc& doc) : PropertyPage(use), m_doc(doc) {}

    /** firstShownWeek as read when the page opened or was last notified. */
    int FirstShownWeek() const { return m_firstShown; }

protected:
    CMvDoc& Doc() const { return m_doc; }
    /** Tells every opened page, this one included, that what they show has changed. */
    void NotifySiblings();
    /** Writes the event list, then the week file; false when either failed. */
    bool SaveEventsAndWeeks();
    /** Writes the week file, then the event list; false when either failed. */
    bool SaveWeeksAndEvents();

    /** Derived pages that override this call it first. */
    void OnInit() override;
    /** After a notification, with FirstShownWeek() re-read: rebuild what the page lists. */
    virtual void OnSiblingsChanged() {}

private:
    int OnQuerySiblings(int first, int second) override;

    CMvDoc& m_doc;
    int m_firstShown = 0;
};

} // namespace mivra::schedule
