#include "app/cli/FollowUpCommand.h"

#include "app/cli/Lines.h"
#include "store/CMvDoc.h"

#include <ostream>

namespace mivra::cli {
namespace {

constexpr int kListDate = 26;

/** The number of an option from 1 to `high`; `fallback` when it is missing; 0 when wrong. */
int NumberIn(const app::Invocation& call, const char* name, int high, int fallback) {
    auto it = call.options.find(name);
    if (it == call.options.end())
        return fallback;
    const std::string& text = it->second;
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int value = std::stoi(text);
    return value >= 1 && value <= high ? value : 0;
}

} // namespace

std::optional<reports::FollowUpLimits> FollowUpLimitsOf(const app::Invocation& call,
                                                        std::string& error) {
    using Limits = reports::FollowUpLimits;
    Limits limits;
    limits.after = NumberIn(call, "--after", Limits::kMaxAfter, limits.after);
    limits.ahead = NumberIn(call, "--weeks", Limits::kMaxAhead, limits.ahead);
    if (limits.after == 0)
        error = "--after takes a number of weeks from 1 to 12";
    else if (limits.ahead == 0)
        error = "--weeks takes a number of weeks from 1 to 52";
    else
        return limits;
    return std::nullopt;
}

std::string CheckFollowUps(const app::Invocation& call) {
    if (call.words.size() != 1)
        return "followups takes no argument " + call.words[1];
    for (const auto& [name, value] : call.options)
        if (name != "--after" && name != "--weeks")
            return "followups takes no " + name;
    std::string error;
    FollowUpLimitsOf(call, error);
    return error;
}

void WriteFollowUps(const CMvDoc& doc, reports::FollowUpLimits limits, std::ostream& out) {
    for (const reports::FollowUp& due : reports::FollowUps(doc, limits))
        Line(out, due.kind == reports::FollowUp::Kind::Unconfirmed ? "unconfirmed" : "remind",
             Field(due.weekIndex + 1), Field(doc.FormatDate(due.weekIndex + 1, kListDate)),
             Field(due.speaker), Field(due.congregation), Field(due.asked), Field(due.confirmed),
             Field(due.weeksSince), Field(due.phone), Field(due.email));
}

} // namespace mivra::cli
