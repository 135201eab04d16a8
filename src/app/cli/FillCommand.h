#pragma once

#include "app/cli/ScheduleCommand.h"
#include "rotations/Rotations.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace mivra::cli {

/**
 * `fill chairman|reader|host --from D --weeks N`: what "Välj automatiskt" does on each run of
 * unfilled weeks of the range, top to bottom. Changed weeks are written to "history.dat" and
 * printed, one line each: week number, date, the new key, the name.
 */
class FillCommand {
public:
    /** The duty of a word; nothing for an unknown one. */
    static std::optional<rotations::Duty> DutyOf(const std::string& word);
    /** The usage error of the command's words and options, or empty. */
    static std::string Check(const Invocation& call);

    FillCommand(CMvDoc& doc, rotations::Duty duty, WeekRange range)
        : m_doc(doc), m_duty(duty), m_range(range) {}

    /** Every week of the range lies in the document's window. */
    bool InWindow() const;
    /** Whether the settings schedule the duty at all (the chairman always). */
    bool Scheduled() const;
    /** Fills, saves when something changed, then prints: kOk, or kFailure when the save failed. */
    int Run(std::ostream& out);

private:
    CMvDoc& m_doc;
    rotations::Duty m_duty;
    WeekRange m_range;
};

} // namespace mivra::cli
