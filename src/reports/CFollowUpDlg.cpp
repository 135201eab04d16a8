#include "reports/CFollowUpDlg.h"

#include "store/CMvDoc.h"
#include "store/DataFiles.h"
#include "store/Profile.h"
#include "ui/Host.h"

#include <algorithm>
#include <string_view>

namespace mivra::reports {
namespace {

constexpr std::string_view kSection = "Uppföljning";
constexpr std::string_view kAfterKey = "Veckor";
constexpr std::string_view kAheadKey = "Framåt";

} // namespace

CFollowUpDlg::CFollowUpDlg(CMvDoc& doc) : Dialog(kUse), m_doc(doc), m_limits(StoredLimits(doc)) {}

FollowUpLimits CFollowUpDlg::StoredLimits(const CMvDoc& doc) {
    const Profile profile = Profile::Load(doc.DataFilePath(file::kProfile), doc.CodePage());
    FollowUpLimits limits;
    limits.after =
        std::clamp(profile.GetInt(kSection, kAfterKey, limits.after), 1, FollowUpLimits::kMaxAfter);
    limits.ahead =
        std::clamp(profile.GetInt(kSection, kAheadKey, limits.ahead), 1, FollowUpLimits::kMaxAhead);
    return limits;
}

std::optional<FollowUpLimits> CFollowUpDlg::Choose(CMvDoc& doc, ui::Host& host) {
    CFollowUpDlg dialog(doc);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Limits();
}

void CFollowUpDlg::OnInit() {
    Win().SetRange(kAfter, 1, FollowUpLimits::kMaxAfter);
    Win().SetRange(kAhead, 1, FollowUpLimits::kMaxAhead);
    Win().SetValue(kAfter, m_limits.after);
    Win().SetValue(kAhead, m_limits.ahead);
}

void CFollowUpDlg::OnOk() {
    m_limits.after = std::clamp(Win().Value(kAfter), 1, FollowUpLimits::kMaxAfter);
    m_limits.ahead = std::clamp(Win().Value(kAhead), 1, FollowUpLimits::kMaxAhead);
    // A folder opened for viewing only keeps its profile as it is.
    if (!m_doc.ReadOnly()) {
        const auto path = m_doc.DataFilePath(file::kProfile);
        Profile profile = Profile::Load(path, m_doc.CodePage());
        profile.SetInt(kSection, kAfterKey, m_limits.after);
        profile.SetInt(kSection, kAheadKey, m_limits.ahead);
        if (!profile.Save(path))
            m_doc.ReportWriteFailure(path);
    }
    End(ui::kIdOk);
}

} // namespace mivra::reports
