#include "app/ShellRules.h"

#include "resources/CommandIds.h"
#include "store/CMvDoc.h"

#include <algorithm>
#include <iterator>

namespace mivra::app {
namespace {

struct RuleEntry {
    int id;
    Rule rule;
};

constexpr RuleEntry kRules[] = {
    {cmd::kPrint, Rule::ReportShown},
    {cmd::kPrintPreview, Rule::ReportShown},
    {cmd::kSavePdf, Rule::ReportShown},
    {cmd::kStartPanel, Rule::ReportShown},
    {cmd::kOurCongregation, Rule::SeveralCongregations},
    {cmd::kChairman, Rule::HomeList},
    {cmd::kHosts, Rule::Hosts},
    {cmd::kReaders, Rule::Readers},
    {cmd::kReaderReport, Rule::Readers},
    {cmd::kVisitorLetter, Rule::HomeCongregation},
    {cmd::kOutgoingNotice, Rule::HomeCongregation},
    {cmd::kHomeBrothersTalks, Rule::HomeCongregation},
    {cmd::kExportPackage, Rule::PackageExport},
    {cmd::kHistory, Rule::HomeCongregation},
    {cmd::kPanelEditHistory, Rule::HomeCongregation},
};

// Every command that changes the data folder: the editing dialogs, the scheduling sheet, the
// settings, the imports and a restore.
constexpr int kWriters[] = {
    cmd::kImportPackage, cmd::kImportSpeakers,  cmd::kRestore,       cmd::kCongregations,
    cmd::kBrothers,      cmd::kOurCongregation, cmd::kNeedsList,     cmd::kCircuits,
    cmd::kTalks,         cmd::kHistory,         cmd::kAvailability,  cmd::kSummary,
    cmd::kHomeTalks,     cmd::kChairman,        cmd::kHosts,         cmd::kReaders,
    cmd::kOutgoing,      cmd::kSettings,        cmd::kPanelBrothers, cmd::kPanelEditHistory,
};

} // namespace

ShellState StateOf(const CMvDoc& doc, reports::ViewMode viewMode) {
    ShellState s;
    s.viewMode = viewMode;
    s.congregations = doc.Congregations().CongregationCount();
    s.brothers = doc.Brothers().BrotherCount();
    s.homeListEmpty = doc.Brothers().OurBrothers().empty();
    s.scheduleHosts = doc.Settings().Options().scheduleHosts;
    s.scheduleReaders = doc.Settings().Options().scheduleReaders;
    s.homeCongregation = doc.Congregations().OurCongregationKey() != 0;
    s.readOnly = doc.ReadOnly();
    return s;
}

Rule RuleOf(int id) {
    for (const RuleEntry& e : kRules)
        if (e.id == id)
            return e.rule;
    return Rule::Always;
}

bool Allows(Rule rule, const ShellState& s) {
    switch (rule) {
    case Rule::Always:
        return true;
    case Rule::ReportShown:
        return s.viewMode == reports::ViewMode::Report;
    case Rule::SeveralCongregations:
        return s.congregations > 1;
    case Rule::HomeList:
        return !s.homeListEmpty;
    case Rule::Hosts:
        return s.scheduleHosts;
    case Rule::Readers:
        return s.scheduleReaders;
    case Rule::HomeCongregation:
        return s.homeCongregation;
    case Rule::PackageExport:
        return s.brothers >= 2 && s.congregations >= 2;
    }
    return false;
}

bool WritesData(int id) {
    return std::find(std::begin(kWriters), std::end(kWriters), id) != std::end(kWriters);
}

bool Allows(int id, const ShellState& state) {
    return Allows(RuleOf(id), state) && !(state.readOnly && WritesData(id));
}

} // namespace mivra::app
