#include "app/cli/CalendarCommand.h"

#include "app/cli/ScheduleCommand.h"
#include "exchange/Calendar.h"
#include "store/CMvDoc.h"

#include <ostream>

namespace mivra::cli {

std::string CheckExportIcs(const app::Invocation& call) {
    if (call.words.size() != 1)
        return "export-ics takes no argument " + call.words[1];
    for (const auto& [name, value] : call.options)
        if (name != "--from" && name != "--weeks" && name != "--out")
            return "export-ics takes no " + name;
    if (!call.options.count("--out") || call.options.at("--out").empty())
        return "export-ics needs --out FILE";
    std::string error;
    return ParseWeekRange(call, error) ? std::string() : error;
}

int ExportIcs(const app::Invocation& call, const CMvDoc& doc, std::ostream& out,
              std::ostream& err) {
    std::string error;
    const WeekRange range = *ParseWeekRange(call, error); // checked before
    const std::filesystem::path file = std::filesystem::absolute(call.options.at("--out"));
    const Result<int> events =
        exchange::ExportCalendar(doc, range.startWeek, range.weekCount, file);
    if (!events.ok()) {
        err << "mivra-cli: cannot write " << events.error().path.string() << ": "
            << events.error().what << '\n';
        return 1;
    }
    out << *events << '\t' << file.string() << '\n';
    out.flush();
    return out ? 0 : 1;
}

} // namespace mivra::cli
