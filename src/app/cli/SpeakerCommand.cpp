#include "app/cli/SpeakerCommand.h"

#include "app/cli/Lines.h"
#include "app/cli/PackageCommand.h"
#include "exchange/SpeakerCsv.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <ostream>

namespace mivra::cli {
namespace {

std::string Joined(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& f : fields)
        out += (out.empty() ? "" : ",") + f;
    return out;
}

const char* ActionWord(exchange::LineAction action) {
    switch (action) {
    case exchange::LineAction::Add:
        return "add";
    case exchange::LineAction::Update:
        return "update";
    case exchange::LineAction::Unchanged:
        return "unchanged";
    case exchange::LineAction::Skip:
        break;
    }
    return "reject";
}

} // namespace

std::string CheckSpeakerImport(const app::Invocation& call) {
    if (call.words.size() != 2)
        return call.words.size() < 2 ? "import-speakers needs a CSV file"
                                     : "import-speakers takes one CSV file";
    for (const auto& [name, value] : call.options)
        if (name != "--dry-run")
            return "import-speakers takes no " + name;
    return {};
}

bool IsSpeakerDryRun(const app::Invocation& call) {
    return call.options.count("--dry-run") != 0;
}

int ImportSpeakersCommand(const app::Invocation& call, CMvDoc& doc, std::ostream& out,
                          std::ostream& err) {
    using exchange::LineAction;
    const std::filesystem::path file = call.words[1];
    const exchange::SpeakerCsv csv = exchange::ReadSpeakerCsv(file);
    if (csv.error != exchange::CsvError::None) {
        err << "mivra-cli: " << Field(exchange::CsvErrorText(doc.Strings(), csv.error, file))
            << '\n';
        return 1;
    }
    for (const std::string& column : csv.unknownColumns)
        err << "mivra-cli: unknown column " << Field(column) << '\n';
    const exchange::SpeakerImportPlan plan = exchange::PlanSpeakerImport(doc, csv);
    for (const std::string& name : plan.newCongregations)
        Line(out, "congregation", "add", Field(name));
    for (const exchange::SpeakerLinePlan& line : plan.lines) {
        out << line.number << '\t' << ActionWord(line.action) << '\t' << Field(line.FullName())
            << '\t' << Field(line.congregation);
        if (line.action == LineAction::Update)
            out << '\t' << Field(Joined(line.changes));
        else if (line.action == LineAction::Skip)
            out << '\t' << Field(exchange::RejectText(doc.Strings(), line));
        out << '\n';
        for (const std::string& column : line.warnings)
            err << "mivra-cli: line " << line.number << ": " << Field(column)
                << " holds a character stored as ?\n";
    }
    out.flush();
    err << "added " << plan.Count(LineAction::Add) << ", updated " << plan.Count(LineAction::Update)
        << ", unchanged " << plan.Count(LineAction::Unchanged) << ", rejected "
        << plan.Count(LineAction::Skip) << ", new congregations " << plan.newCongregations.size()
        << '\n';
    if (IsSpeakerDryRun(call))
        return out ? 0 : 1;
    const exchange::SpeakerImportOutcome done = exchange::CommitSpeakerImport(doc, plan);
    return ImportExitCode(doc, done.complete, done.added, done.updated, out, err);
}

} // namespace mivra::cli
