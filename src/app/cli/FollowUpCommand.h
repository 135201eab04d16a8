#pragma once

#include "app/ProgramOptions.h"
#include "reports/FollowUps.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
}

// `followups`: the invitations to follow up, one due week a line.
namespace mivra::cli {

/** The limits of --after and --weeks, or nothing with the usage error in `error`. */
std::optional<reports::FollowUpLimits> FollowUpLimitsOf(const app::Invocation& call,
                                                        std::string& error);

/** The usage error of a `followups` call, or empty. */
std::string CheckFollowUps(const app::Invocation& call);

/**
 * `unconfirmed` or `remind`, week number, date, speaker, congregation, the asked and confirmed
 * stamps, weeks since the stamp that counts, first telephone, e-mail.
 */
void WriteFollowUps(const CMvDoc& doc, reports::FollowUpLimits limits, std::ostream& out);

} // namespace mivra::cli
