#pragma once

#include "reports/FollowUps.h"
#include "ui/Dialog.h"

#include <optional>

namespace mivra {
class CMvDoc;
}

namespace mivra::reports {

/**
 * "Uppföljning av inbjudningar": after how many weeks an unanswered invitation is due, and how
 * many weeks ahead to look. The profile keeps both for the next time.
 */
class CFollowUpDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 306;
    static constexpr int kAfter = 1310; ///< "Svar saknas efter" 1 … 12 "veckor"
    static constexpr int kAhead = 1311; ///< "Veckor framåt" 1 … 52
    static constexpr int kIds[] = {kAfter, kAhead};
    static constexpr ui::TemplateUse kUse{"CFollowUpDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    explicit CFollowUpDlg(CMvDoc& doc);

    const FollowUpLimits& Limits() const { return m_limits; }

    /** Runs the dialog: the limits on OK (kept in the profile), nothing on Cancel. */
    static std::optional<FollowUpLimits> Choose(CMvDoc& doc, ui::Host& host);

    /** The limits the profile keeps, each held to its range. */
    static FollowUpLimits StoredLimits(const CMvDoc& doc);

private:
    void OnInit() override;
    void OnOk() override;

    CMvDoc& m_doc;
    FollowUpLimits m_limits;
};

} // namespace mivra::reports
