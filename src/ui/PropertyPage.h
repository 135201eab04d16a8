#pragma once

#include "ui/Dialog.h"

namespace mivra::ui {

class PropertySheet;

/**
 * One page of a property sheet. The sheet opens it (OnInit) the first time it becomes
 * active; only opened pages take part in OK, Apply, Cancel and the sibling query.
 */
class PropertyPage : public Dialog {
public:
    using Dialog::Dialog;

protected:
    PropertySheet& Sheet() const { return *m_sheet; }
    /** Marks the page changed; any changed page enables the sheet's Apply button. */
    void SetModified(bool modified = true);
    /** Passes both values to every opened page in tab order; the first non-zero answer wins. */
    int QuerySiblings(int first, int second);

    /** Each time the page becomes the active one. */
    virtual void OnSetActive() {}
    /** OK or Apply reached this page; false keeps the sheet open on it. */
    virtual bool OnApply() { return true; }
    /** Cancel reached this page. */
    virtual void OnReset() {}
    virtual int OnQuerySiblings(int /*first*/, int /*second*/) { return 0; }

private:
    friend class PropertySheet;
    PropertySheet* m_sheet = nullptr;
};

} // namespace mivra::ui
