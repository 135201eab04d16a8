#include "app/cli/PackageCommand.h"

#include "app/cli/Lines.h"
#include "base/Text.h"
#include "exchange/PackageExport.h"
#include "exchange/PackageImport.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <ostream>

namespace mivra::cli {
namespace {

constexpr int kWriteFailed = 1231;
constexpr int kCircuitMissing = 61021; // "Kan inte hitta krets - %1. …"
constexpr int kNoLastName = 61045;     // "inget efternamn"
constexpr int kSameName = 61046;       // "samma namn som post %1"
constexpr int kStopped = 61032;        // "Importen avbröts efter ett skrivfel. …"

std::string Fields(const std::vector<exchange::FieldChange>& changes) {
    std::string out;
    for (const exchange::FieldChange& c : changes)
        out += (out.empty() ? "" : ",") + c.field;
    return out;
}

std::string SkipReason(const StringTable& strings, const exchange::LinePlan& line) {
    if (line.skip == exchange::SkipReason::SameNameAsEarlier)
        return strings.Format(kSameName, std::to_string(line.sameAsRecord));
    return strings.Get(kNoLastName);
}

void PrintPlan(const CMvDoc& doc, const exchange::ImportPlan& plan, std::ostream& out) {
    using exchange::LineAction;
    out << "congregation\t" << (plan.NewCongregation() ? "add" : "update") << '\t'
        << Field(plan.name) << '\t' << Fields(plan.congregationChanges) << '\n';
    for (const exchange::LinePlan& line : plan.lines) {
        switch (line.action) {
        case LineAction::Add:
            out << "add\t" << Field(line.name) << '\n';
            break;
        case LineAction::Update:
            out << "update\t" << Field(line.name) << '\t' << Fields(line.changes) << '\n';
            break;
        case LineAction::Unchanged:
            out << "unchanged\t" << Field(line.name) << '\n';
            break;
        case LineAction::Skip:
            out << "skip\t" << line.record << '\t' << SkipReason(doc.Strings(), line) << '\n';
            break;
        }
    }
    for (uint16_t key : plan.detach)
        out << "detach\t" << Field(doc.Brothers().BrotherNameByKey(key, false)) << '\n';
}

} // namespace

bool IsDryRun(const app::Invocation& call) {
    return call.words[0] == "import-package" && call.options.count("--dry-run");
}

std::string CheckPackageCommand(const app::Invocation& call) {
    const bool exporting = call.words[0] == "export-package";
    if (exporting && call.words.size() != 1)
        return "export-package takes no argument " + call.words[1];
    if (!exporting && call.words.size() != 2)
        return call.words.size() < 2 ? "import-package needs a package file"
                                     : "import-package takes one package file";
    for (const auto& [name, value] : call.options) {
        const bool allowed = exporting ? name == "--congregation" || name == "--out"
                                       : name == "--as" || name == "--dry-run";
        if (!allowed)
            return call.words[0] + " takes no " + name;
    }
    if (exporting && !call.options.count("--congregation"))
        return "export-package needs --congregation NAME";
    return {};
}

int ExportPackageCommand(const app::Invocation& call, const CMvDoc& doc, std::ostream& out,
                         std::ostream& err) {
    const std::string& name = call.options.at("--congregation");
    const int match = exchange::FindCongregationByName(doc, name);
    if (match == 0) {
        err << "mivra-cli: no congregation named " << name << '\n';
        return 1;
    }
    std::optional<std::filesystem::path> file;
    if (auto it = call.options.find("--out"); it != call.options.end())
        file = it->second;
    exchange::ExportFailure failure;
    const auto done = exchange::WritePackage(
        doc, doc.Congregations().Congregation(match - 1)->congregationKey, file, &failure);
    if (!done) {
        err << "mivra-cli: "
            << (failure.noCongregation
                    ? "cannot read the congregation " + name
                    : doc.Strings().Format(kWriteFailed, failure.error.path.string()))
            << '\n';
        return 1;
    }
    out << done->path.string() << '\t' << done->brothers << '\n';
    out.flush();
    return out ? 0 : 1;
}

int ImportPackageCommand(const app::Invocation& call, CMvDoc& doc, std::ostream& out,
                         std::ostream& err) {
    const std::filesystem::path file = call.words[1];
    const exchange::PackageRead read = exchange::ReadPackage(file, doc.CodePage());
    if (read.error != exchange::PackageError::None) {
        err << "mivra-cli: " << exchange::PackageErrorText(doc.Strings(), read.error, file) << '\n';
        return 1;
    }
    const exchange::Package& package = read.package;
    auto as = call.options.find("--as");
    const std::string name = as != call.options.end() ? as->second : package.header.name;
    const uint16_t circuit =
        exchange::InitialCircuit(doc, package.header, exchange::FindCongregationByName(doc, name));
    if (circuit == 0 && !package.header.circuitName.empty())
        err << "mivra-cli: " << doc.Strings().Format(kCircuitMissing, package.header.circuitName)
            << '\n';
    const exchange::ImportPlan plan = exchange::PlanImport(doc, package, name, circuit);
    if (plan.name.empty()) {
        err << "mivra-cli: " << doc.Strings().Get(1061) << '\n';
        return 1;
    }
    PrintPlan(doc, plan, out);
    out.flush();
    if (IsDryRun(call))
        return out ? 0 : 1;
    const exchange::ImportOutcome done = exchange::CommitImport(doc, package, plan);
    return ImportExitCode(doc, done.complete, done.added, done.updated, out, err);
}

int ImportExitCode(const CMvDoc& doc, bool complete, int added, int updated,
                   const std::ostream& out, std::ostream& err) {
    if (!complete)
        err << "mivra-cli: "
            << doc.Strings().Format(kStopped, std::to_string(added), std::to_string(updated))
            << '\n';
    return complete && out ? 0 : 1;
}

} // namespace mivra::cli
