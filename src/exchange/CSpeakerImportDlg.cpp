#include "exchange/CSpeakerImportDlg.h"

#include "base/Text.h"
#include "exchange/CImportDlg.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/CFileDlg.h"
#include "ui/Host.h"

#include <cstdlib>
#include <initializer_list>
#include <system_error>

namespace mivra::exchange {
namespace {

constexpr int kStateNew = 61040;        // "ny"
constexpr int kStateUnchanged = 61042;  // "oförändrad"
constexpr int kTitle = 61250;           // "Importera talare - "
constexpr int kStateUpdated = 61251;    // "uppdateras: %1"
constexpr int kStateRejected = 61252;   // "avvisad: %1"
constexpr int kCountsText = 61253;      // "%1 nya, %2 uppdateras"
constexpr int kOtherCountsText = 61261; // "%1 oförändrade, %2 avvisade"
constexpr int kNewCongregationsText = 61254;
constexpr int kUnknownColumnsText = 61255;
constexpr int kWarningsText = 61256;
constexpr int kLineText = 61257;    // "rad %1"
constexpr int kReportTitle = 61258; // "Avvisade rader i %1:"
constexpr int kFileTitle = 61259;   // "Välj CSV-fil med talare"
constexpr int kFilter = 61260;      // "CSV-filer"
constexpr int kTabs[] = {28, 140, 240};

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

// The columns of a row, each flat: a quoted tab or line break in a cell would start another
// column or row in the list and the report.
std::string Columns(std::initializer_list<std::string_view> fields) {
    std::string row;
    for (const std::string_view& field : fields)
        row += (&field == fields.begin() ? "" : "\t") + text::FlatField(field);
    return row;
}

// A spreadsheet is more likely saved in the home folder than in the data folder.
std::filesystem::path StartFolder(const CMvDoc& doc) {
    std::error_code error;
    if (const char* home = std::getenv("HOME"); home && std::filesystem::is_directory(home, error))
        return home;
    return doc.DataFolder();
}

} // namespace

CSpeakerImportDlg::CSpeakerImportDlg(CMvDoc& doc, std::filesystem::path path, const SpeakerCsv& csv)
    : Dialog(kUse), m_doc(doc), m_path(std::move(path)), m_unknownColumns(csv.unknownColumns),
      m_plan(PlanSpeakerImport(doc, csv)) {}

bool CSpeakerImportDlg::Run(CMvDoc& doc, ui::Host& host, const std::filesystem::path& path) {
    const SpeakerCsv csv = ReadSpeakerCsv(path);
    if (csv.error != CsvError::None) {
        host.Warn(CsvErrorText(doc.Strings(), csv.error, path));
        return false;
    }
    CSpeakerImportDlg dialog(doc, path, csv);
    host.RunDialog(dialog);
    return dialog.Outcome() && (dialog.Outcome()->added || dialog.Outcome()->updated ||
                                dialog.Outcome()->congregations);
}

std::string CSpeakerImportDlg::RowText(const SpeakerLinePlan& line) const {
    const StringTable& strings = m_doc.Strings();
    std::string state;
    switch (line.action) {
    case LineAction::Add:
        state = strings.Get(kStateNew);
        break;
    case LineAction::Update: {
        std::vector<std::string> fields;
        for (const std::string& field : line.changes)
            fields.push_back(FieldName(strings, field));
        state = strings.Format(kStateUpdated, Joined(fields));
        break;
    }
    case LineAction::Unchanged:
        state = strings.Get(kStateUnchanged);
        break;
    case LineAction::Skip:
        state = strings.Format(kStateRejected, RejectText(strings, line));
        break;
    }
    return Columns({std::to_string(line.number), line.FullName(), line.congregation, state});
}

std::string CSpeakerImportDlg::RejectReport() const {
    const StringTable& strings = m_doc.Strings();
    std::string report = strings.Format(kReportTitle, m_path.string()) + "\n";
    for (const SpeakerLinePlan& line : m_plan.lines)
        if (line.action == LineAction::Skip)
            report += Columns({strings.Format(kLineText, std::to_string(line.number)),
                               line.FullName(), line.congregation, RejectText(strings, line)}) +
                      "\n";
    return report;
}

void CSpeakerImportDlg::OnInit() {
    const StringTable& strings = m_doc.Strings();
    Win().SetTitle(strings.Get(kTitle) + m_path.string());
    Win().SetTabStops(kList, kTabs);
    std::vector<std::string> warnings;
    for (const SpeakerLinePlan& line : m_plan.lines) {
        Win().AddRow(kList, RowText(line), static_cast<uint32_t>(line.number));
        if (!line.warnings.empty())
            warnings.push_back(strings.Format(kLineText, std::to_string(line.number)) + " (" +
                               Joined(line.warnings) + ")");
    }
    if (Win().RowCount(kList) > 0)
        Win().Select(kList, 0);

    const int added = m_plan.Count(LineAction::Add), updated = m_plan.Count(LineAction::Update);
    const int rejected = m_plan.Count(LineAction::Skip);
    Win().SetText(
        kCounts,
        strings.Format(kCountsText, std::to_string(added), std::to_string(updated)) + ", " +
            strings.Format(kOtherCountsText, std::to_string(m_plan.Count(LineAction::Unchanged)),
                           std::to_string(rejected)));
    const auto line = [this, &strings](int id, int format, const std::vector<std::string>& items) {
        Win().SetText(id, items.empty() ? "" : strings.Format(format, Joined(items)));
        Win().Show(id, !items.empty());
    };
    line(kNewCongregations, kNewCongregationsText, m_plan.newCongregations);
    line(kUnknownColumns, kUnknownColumnsText, m_unknownColumns);
    line(kWarnings, kWarningsText, warnings);
    Win().Enable(kCopy, rejected > 0);
    Win().Enable(ui::kIdOk, added + updated > 0);
}

void CSpeakerImportDlg::OnCommand(int id) {
    if (id == kCopy)
        Host().SetClipboardText(RejectReport());
}

void CSpeakerImportDlg::OnOk() {
    if (m_plan.Count(LineAction::Add) + m_plan.Count(LineAction::Update) == 0)
        return;
    m_outcome = CommitSpeakerImport(m_doc, m_plan);
    if (!m_outcome->complete)
        TellImportStopped(m_doc, Host(), m_outcome->added, m_outcome->updated);
    End(ui::kIdOk);
}

bool ImportSpeakers(CMvDoc& doc, ui::Host& host) {
    const StringTable& strings = doc.Strings();
    ui::CFileDlg chooser(strings.Get(kFileTitle), strings.Get(kFilter), {"*.csv", "*.txt"},
                         StartFolder(doc));
    if (!chooser.Run(host))
        return false;
    return CSpeakerImportDlg::Run(doc, host, chooser.Path());
}

} // namespace mivra::exchange
