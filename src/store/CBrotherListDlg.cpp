#include "store/CBrotherListDlg.h"

#include "resources/StringTable.h"
#include "store/CBrotherEditDlg.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <array>
#include <string>

namespace mivra {
namespace {

constexpr int kTabStops[] = {100};
constexpr int kChoose = 1259;             // "Välj"
constexpr int kCancelText = 1260;         // "Avbryt"
constexpr int kNewSpeaker = 1047;         // "Ny talare"
constexpr int kChooseRole = 1021;         // "Välj %1"
constexpr int kChooseSpeaker = 1046;      // "Välj talare"
constexpr int kNoCongregationText = 1194; // "* Ingen församling"
constexpr int kUnavailable = 1097;        // "* Ej tillgänglig - %1"
constexpr int kSuspended = 1300;          // "Suspended"
constexpr int kServant = 1272;            // "BT"
constexpr std::array<int, CBrotherListDlg::kRoleCount> kRoleNames = {1022, 1023, 1024, 1036,
                                                                     1037, 1038, 1039};
constexpr int kServantAppointment = 1;
constexpr ui::Point kBesideOffset{150, 20};
constexpr int kDateTitleFlags = 2;
constexpr int kDateListFlags = 9;

} // namespace

CBrotherListDlg::CBrotherListDlg(CMvDoc& doc, Options options)
    : Dialog(kUse), m_doc(doc), m_options(options) {
    if (m_options.mode == Mode::Pick)
        m_options.excluded = 0;
}

std::optional<int> CBrotherListDlg::Choose(CMvDoc& doc, ui::Host& host, Options options) {
    CBrotherListDlg dialog(doc, options);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

void CBrotherListDlg::OnInit() {
    const StringTable& s = m_doc.Strings();
    const Mode mode = m_options.mode;
    if (mode != Mode::Plain) {
        Win().SetText(ui::kIdOk, "&" + s.Get(kChoose));
        Win().SetText(ui::kIdCancel, "&" + s.Get(kCancelText));
    }
    if (mode == Mode::Role) {
        const int role = m_options.role;
        const int name = role >= 1 && role <= kRoleCount ? kRoleNames[role - 1] : 0;
        Win().SetTitle(s.Format(kChooseRole, name ? s.Get(name) : std::string()));
    } else if (mode == Mode::Exclusion || mode == Mode::Pick) {
        Win().SetTitle(s.Get(kChooseSpeaker));
        Win().SetText(kAdd, "&" + s.Get(kNewSpeaker));
        // Beside the list it was opened from, not on top of it.
        SetOffset(kBesideOffset);
    }
    Win().Show(kAdd, mode == Mode::Plain || mode == Mode::Exclusion);
    Fill();
    if (mode == Mode::Role && m_options.currentKey != 0) {
        const int current = m_doc.Brothers().FindBrotherByKey(m_options.currentKey);
        for (int row = 0; row < Win().RowCount(kList); ++row)
            if (static_cast<int>(Win().RowData(kList, row)) == current)
                Win().Select(kList, row);
    }
    Win().SetFocus(kList);
}

bool CBrotherListDlg::Listed(int index) const {
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(index);
    if (m_options.filter != 0 && b.congregationKey != m_options.filter)
        return false;
    if (m_options.excluded != 0 && b.congregationKey == m_options.excluded)
        return false;
    if (m_options.mode == Mode::Role && m_options.role == kRoleOutgoing)
        return m_doc.Brothers().IsOutgoingSpeaker(index) && !b.repertoire.Empty();
    return true;
}

std::string CBrotherListDlg::RowText(int index, int& noCongregation, int& suspended,
                                     bool& unavailable) const {
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(index);
    std::string text = m_doc.Brothers().BrotherName(index, m_options.filter == 0);
    if (b.congregationKey == 0) {
        text = "* " + text;
        ++noCongregation;
    }
    if (b.Suspended()) {
        text = "(§) " + text;
        ++suspended;
    }
    const int week = m_options.week;
    if (week == 0)
        return text;
    if (!m_doc.Availability().IsAvailable(b.brotherKey, static_cast<uint16_t>(week + 1))) {
        text = "* " + text;
        unavailable = true;
    }
    if (m_options.mode == Mode::Role && m_options.role == kRoleOutgoing) {
        if (b.Appointment() == kServantAppointment)
            text += " (" + m_doc.Strings().Get(kServant) + ")";
        if (const int nearest = NearestOutgoingWeek(m_doc, b.brotherKey, week); nearest != 0)
            text += "\t # " + m_doc.FormatDate(nearest + 1, kDateListFlags);
    }
    return text;
}

void CBrotherListDlg::Fill() {
    Win().ClearRows(kList);
    Win().SetTabStops(kList, kTabStops);
    int noCongregation = 0;
    int suspended = 0;
    bool unavailable = false;
    for (int i = 0; i < m_doc.Brothers().BrotherCount(); ++i)
        if (Listed(i))
            Win().AddRow(kList, RowText(i, noCongregation, suspended, unavailable),
                         static_cast<uint32_t>(i));
    const StringTable& s = m_doc.Strings();
    std::string legend;
    if (m_options.week != 0) {
        if (unavailable)
            legend = s.Format(kUnavailable, m_doc.FormatDate(m_options.week + 1, kDateTitleFlags));
    } else if (noCongregation > 0) {
        legend = s.Get(kNoCongregationText) + " ( " + std::to_string(noCongregation) + " )";
    }
    Win().SetText(kNoCongregation, legend);
    Win().Show(kNoCongregation, !legend.empty());
    Win().SetText(kSuspendedLegend, suspended > 0 ? "(§) " + s.Get(kSuspended) + " ( " +
                                                        std::to_string(suspended) + " )"
                                                  : std::string());
}

void CBrotherListDlg::Refill(int selectBrother) {
    Fill();
    for (int row = 0; row < Win().RowCount(kList); ++row)
        if (static_cast<int>(Win().RowData(kList, row)) == selectBrother)
            Win().Select(kList, row);
}

int CBrotherListDlg::Step(int brotherIndex, int delta) {
    Refill(brotherIndex);
    const int rows = Win().RowCount(kList);
    if (rows == 0)
        return -1;
    int row = Win().Selection(kList);
    row = row < 0 ? 0 : ((row + delta) % rows + rows) % rows;
    Win().Select(kList, row);
    return static_cast<int>(Win().RowData(kList, row));
}

int CBrotherListDlg::SelectedBrother() const {
    const int row = Win().Selection(kList);
    return row < 0 ? -1 : static_cast<int>(Win().RowData(kList, row));
}

bool CBrotherListDlg::OpenForm(bool add, int index) {
    const uint16_t preset =
        m_options.mode == Mode::Exclusion ? m_options.excluded : m_options.filter;
    CBrotherEditDlg form(m_doc, {add, preset, index, this});
    const bool confirmed = Host().RunDialog(form) == ui::kIdOk;
    AfterChange(form.BrotherIndex());
    return confirmed;
}

void CBrotherListDlg::AfterChange(int selectBrother) {
    // Indexes shift with every add, delete and re-sort: the home list names brothers by them.
    m_doc.BuildOurBrotherList();
    Refill(selectBrother);
    m_doc.Availability().SaveAvailability();
    Win().SetFocus(kList);
}

void CBrotherListDlg::OnOk() {
    const int selected = SelectedBrother();
    if (m_options.mode != Mode::Plain) {
        if (selected >= 0)
            m_chosen = selected;
        End(selected >= 0 ? ui::kIdOk : ui::kIdCancel);
        return;
    }
    const bool empty = Win().RowCount(kList) == 0;
    if (!empty && selected < 0)
        return; // nothing chosen: no brother to open
    OpenForm(empty, selected);
}

void CBrotherListDlg::OnDoubleClick(int id, int row) {
    if (id == kList && row >= 0)
        OnOk();
}

void CBrotherListDlg::OnCommand(int id) {
    if (id != kAdd)
        return;
    if (m_options.mode == Mode::Exclusion) {
        if (OpenForm(true, -1))
            End(ui::kIdCancel); // the new brother already belongs to the congregation
        return;
    }
    if (m_options.mode != Mode::Plain)
        return;
    if (m_options.filter == 0) {
        OpenForm(true, -1);
        return;
    }
    Options others;
    others.mode = Mode::Exclusion;
    others.excluded = m_options.filter;
    const std::optional<int> picked = Choose(m_doc, Host(), others);
    if (picked) {
        const uint16_t key = m_doc.Brothers().Brother(*picked)->brotherKey;
        if (m_doc.MoveBrother(*picked, m_options.filter, true))
            m_doc.SetModified(true);
        AfterChange(m_doc.Brothers().FindBrotherByKey(key));
    } else {
        AfterChange(SelectedBrother());
    }
}

} // namespace mivra
