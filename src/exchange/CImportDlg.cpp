#include "exchange/CImportDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "ui/CFileDlg.h"
#include "ui/Host.h"

#include <algorithm>
#include <sstream>

namespace mivra::exchange {
namespace {

constexpr int kTitle = 61020;          // "Gästande - "
constexpr int kCircuitMissing = 61021; // "Kan inte hitta krets - %1. …"
constexpr int kChooseCircuit = 61022;  // "Välj krets"
constexpr int kExists = 61023;         // "Uppgifter om denna församling finns redan. …"
constexpr int kNew = 61024;            // "Ny församling kommer att läggas till."
constexpr int kMarked = 61025;         // "%1 broder(bröder) markerade som gästande talare"
constexpr int kDuplicates = 61026;     // "%1 markerade namn är dubletter …"
constexpr int kNewBrothers = 61027;    // "%1 ny(a) broder(bröder) kommer att läggas till."
constexpr int kClickOkText = 61028;    // "Klicka OK för att importera vald information."
constexpr int kRemoved = 61029;        // "broder(bröder) kommer att tas bort från\n%1."
constexpr int kApply = 61030;          // "Använd"
constexpr int kOk = 61031;             // "OK"
constexpr int kStopped = 61032;        // "Importen avbröts …"
constexpr int kStateNew = 61040;       // "ny"
constexpr int kStateUpdated = 61041;   // "uppdateras"
constexpr int kStateUnchanged = 61042; // "oförändrad"
constexpr int kStateMoved = 61043;     // "flyttas från %1"
constexpr int kStateSkipped = 61044;   // "hoppas över: %1"
constexpr int kNoLastName = 61045;     // "inget efternamn"
constexpr int kSameName = 61046;       // "samma namn som post %1"
constexpr int kChangesText = 61048;    // "Församlingen får nya uppgifter: %1"
constexpr int kNoCongregationChange = 61049;
constexpr int kNameMissing = 1061; // "Ange församlingens namn"
constexpr int kFileTitle = 61080;  // "Välj filen Församlingsdata ( .C1D ) för att importera"
constexpr int kFilter = 61081;     // "Församlingens datafiler (.C1D)"
constexpr int kNameChars = 48;
constexpr int kNameTab = 150;

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

/** Talks as added and removed: "+5 +9 −3". */
std::string TalkDifference(const FieldChange& c) {
    const std::vector<std::string> before = Words(c.before), after = Words(c.after);
    std::string out;
    for (const std::string& t : after)
        if (std::find(before.begin(), before.end(), t) == before.end())
            out += (out.empty() ? "+" : " +") + t;
    for (const std::string& t : before)
        if (std::find(after.begin(), after.end(), t) == after.end())
            out += (out.empty() ? "−" : " −") + t;
    return out;
}

} // namespace

CImportDlg::CImportDlg(CMvDoc& doc, std::filesystem::path path, Package package)
    : Dialog(kUse), m_doc(doc), m_path(std::move(path)), m_package(std::move(package)) {}

bool CImportDlg::Run(CMvDoc& doc, ui::Host& host, const std::filesystem::path& path) {
    PackageRead read = ReadPackage(path, doc.CodePage());
    if (read.error != PackageError::None) {
        host.Warn(PackageErrorText(doc.Strings(), read.error, path));
        return false;
    }
    CImportDlg dialog(doc, path, std::move(read.package));
    return host.RunDialog(dialog) == ui::kIdOk && dialog.Outcome();
}

void CImportDlg::OnInit() {
    const StringTable& strings = m_doc.Strings();
    Win().SetTitle(strings.Get(kTitle) + m_path.string());
    Win().SetLimit(kName, kNameChars);
    Win().SetText(kName, text::LeftChars(m_package.header.name, kNameChars));
    Win().SetText(kClickOk, strings.Get(kClickOkText));
    Win().SetText(ui::kIdOk, strings.Get(kOk));
    const int stops[] = {kNameTab};
    Win().SetTabStops(kList, stops);
    LookUp();
    Replan();
    FillList();
    for (int row = 0; row < Win().RowCount(kList); ++row)
        Win().SetRowSelected(kList, row, true);
    ReadSelection();
    UpdateSummary();
}

void CImportDlg::LookUp() {
    m_match = FindCongregationByName(m_doc, Win().Text(kName));
    m_circuit = InitialCircuit(m_doc, m_package.header, m_match);
    UpdateCircuit();
}

void CImportDlg::UpdateCircuit() {
    const StringTable& strings = m_doc.Strings();
    const std::string name = m_doc.Circuits().NameByKey(m_circuit);
    Win().SetText(kCircuit, name.empty() ? strings.Get(kChooseCircuit) : name);
    const bool missing = m_circuit == 0 && !m_package.header.circuitName.empty();
    Win().SetText(kCircuitWarning,
                  missing ? strings.Format(kCircuitMissing, m_package.header.circuitName) : "");
}

void CImportDlg::Replan() {
    std::vector<bool> selected;
    for (const LinePlan& line : m_plan.lines)
        selected.push_back(line.selected);
    m_plan = PlanImport(m_doc, m_package, Win().Text(kName), m_circuit, selected);
}

std::string CImportDlg::LineText(const LinePlan& line) const {
    const StringTable& strings = m_doc.Strings();
    std::string state;
    switch (line.action) {
    case LineAction::Add:
        state = strings.Get(kStateNew);
        break;
    case LineAction::Update:
        state = line.moves
                    ? strings.Format(kStateMoved, m_doc.Congregations().CongregationNameByKey(
                                                      line.fromCongregation, false))
                    : strings.Get(kStateUpdated);
        break;
    case LineAction::Unchanged:
        state = strings.Get(kStateUnchanged);
        break;
    case LineAction::Skip:
        state = strings.Format(kStateSkipped,
                               line.skip == SkipReason::NoLastName
                                   ? strings.Get(kNoLastName)
                                   : strings.Format(kSameName, std::to_string(line.sameAsRecord)));
        break;
    }
    return (line.Matches() ? "* " : "") + line.name + "\t" + state;
}

void CImportDlg::FillList() {
    const int top = Win().TopIndex(kList);
    const int current = Win().Selection(kList);
    Win().ClearRows(kList);
    for (size_t i = 0; i < m_plan.lines.size(); ++i) {
        const int row = Win().AddRow(kList, LineText(m_plan.lines[i]), static_cast<uint32_t>(i));
        Win().SetRowSelected(kList, row, m_plan.lines[i].selected);
    }
    if (current >= 0 && current < Win().RowCount(kList))
        Win().SetTopIndex(kList, top);
}

void CImportDlg::ReadSelection() {
    for (int row = 0; row < Win().RowCount(kList); ++row)
        m_plan.lines[Win().RowData(kList, row)].selected = Win().IsRowSelected(kList, row);
}

void CImportDlg::UpdateSummary() {
    const StringTable& strings = m_doc.Strings();
    Win().SetText(kCongregationLine, strings.Get(m_plan.NewCongregation() ? kNew : kExists));
    Win().SetText(kCountLine,
                  strings.Format(kMarked, std::to_string(m_plan.SelectedCount()) + " i " +
                                              std::to_string(m_plan.lines.size()) + " "));
    const int duplicates = m_plan.SelectedMatches();
    Win().SetText(kDuplicateLine,
                  duplicates ? strings.Format(kDuplicates, std::to_string(duplicates) + " ") : "");
    const int added = m_plan.SelectedAdds();
    Win().SetText(kNewLine, added ? strings.Format(kNewBrothers, std::to_string(added) + " ") : "");

    std::string changes;
    for (const FieldChange& c : m_plan.congregationChanges)
        changes += (changes.empty() ? "" : ", ") + FieldName(strings, c.field);
    Win().SetText(kCongregationChanges, changes.empty() ? strings.Get(kNoCongregationChange)
                                                        : strings.Format(kChangesText, changes));
    const bool removing = !m_plan.detach.empty();
    for (int id : {kRemovalGroup, kRemovalLabel, kRemovalList})
        Win().Show(id, removing);
    Win().ClearRows(kRemovalList);
    for (uint16_t key : m_plan.detach)
        Win().AddRow(kRemovalList, m_doc.Brothers().BrotherNameByKey(key, false), key);
    if (removing) {
        Win().Select(kRemovalList, 0);
        Win().SetText(kRemovalLabel, std::to_string(m_plan.detach.size()) + " " +
                                         strings.Format(kRemoved, m_plan.name));
    }
    ShowDetails();
}

void CImportDlg::ShowDetails() {
    const StringTable& strings = m_doc.Strings();
    const int row = Win().Selection(kList);
    if (row < 0) {
        Win().SetText(kDetails, "");
        return;
    }
    const LinePlan& line = m_plan.lines[Win().RowData(kList, row)];
    std::string details;
    for (const FieldChange& c : line.changes) {
        const std::string change =
            c.field == "talks"
                ? TalkDifference(c)
                : (c.before.empty() ? "–" : c.before) + " → " + (c.after.empty() ? "–" : c.after);
        details += (details.empty() ? "" : "\n") + FieldName(strings, c.field) + ": " + change;
    }
    Win().SetText(kDetails, details);
}

void CImportDlg::OnSelChange(int id) {
    if (id != kList)
        return;
    ReadSelection();
    UpdateSummary();
}

void CImportDlg::OnEditChange(int id) {
    if (id != kName)
        return;
    LookUp();
    m_applyPending = true;
    Win().SetText(ui::kIdOk, m_doc.Strings().Get(kApply));
}

void CImportDlg::OnCommand(int id) {
    if (id != kCircuit)
        return;
    if (std::optional<uint16_t> circuit = PickCircuit()) {
        m_circuit = *circuit;
        UpdateCircuit();
        Replan();
        UpdateSummary();
    }
}

std::optional<uint16_t> CImportDlg::PickCircuit() {
    return CNameListDlg::Choose(m_doc, Host(), CNameListDlg::Kind::Circuits, m_circuit);
}

void CImportDlg::OnOk() {
    if (m_applyPending) {
        m_applyPending = false;
        Win().SetText(ui::kIdOk, m_doc.Strings().Get(kOk));
        Replan();
        FillList();
        ReadSelection();
        UpdateSummary();
        return;
    }
    if (m_plan.name.empty()) {
        ui::MessageBox box;
        box.text = m_doc.Strings().Get(kNameMissing);
        Host().ShowMessage(box);
        return;
    }
    m_outcome = CommitImport(m_doc, m_package, m_plan);
    if (!m_outcome->complete)
        TellImportStopped(m_doc, Host(), m_outcome->added, m_outcome->updated);
    End(ui::kIdOk);
}

void TellImportStopped(const CMvDoc& doc, ui::Host& host, int added, int updated) {
    host.Warn(doc.Strings().Format(kStopped, std::to_string(added), std::to_string(updated)));
}

bool ImportPackage(CMvDoc& doc, ui::Host& host) {
    const StringTable& strings = doc.Strings();
    ui::CFileDlg chooser(strings.Get(kFileTitle), strings.Get(kFilter), {"*.c1d"},
                         doc.DataFolder());
    if (!chooser.Run(host))
        return false;
    return CImportDlg::Run(doc, host, chooser.Path());
}

} // namespace mivra::exchange
