#pragma once

#include "reports/ListReport.h"

#include <memory>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}

// The invitations to follow up: visiting speakers asked but not confirmed for too long, and
// confirmed ones near their week who have had no reminder.
namespace mivra::reports {

struct FollowUpLimits {
    static constexpr int kMaxAfter = 12;
    static constexpr int kMaxAhead = 52;
    int after = 3;  ///< weeks without an answer before an asked speaker is due
    int ahead = 26; ///< weeks looked at, from the week before the current one
};

struct FollowUp {
    enum class Kind { Unconfirmed, Remind };
    Kind kind = Kind::Unconfirmed;
    int weekIndex = 0;
    int stamp = 0;      ///< the week number the tick counts from, read unsigned
    int weeksSince = 0; ///< the current week less that stamp; a later stamp counts as now
    int asked = 0;      ///< the week's stamps, read unsigned
    int confirmed = 0;
    std::string speaker; ///< first name first
    std::string congregation;
    std::string phone; ///< the first usable number
    std::string email;
};

/** The due weeks in week order; a week is due for one reason at most. */
std::vector<FollowUp> FollowUps(const CMvDoc& doc, FollowUpLimits limits);

/** Kind 15: the due weeks in two groups, with the speakers' first telephone and e-mail. */
std::unique_ptr<ListReport> FollowUpList(const CMvDoc& doc, FollowUpLimits limits);

} // namespace mivra::reports
