#include "store/CTalkListDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>
#include <string>

namespace mivra {
namespace {

constexpr int kEditTitle = 1027;   // "Välj tal för att redigera"
constexpr int kPickTitle = 1040;   // "Välj tal"
constexpr int kTalksWord = 1000;   // "tal"
constexpr int kSeeList = 1020;     // "Se förteckning"
constexpr int kChooseTalks = 1048; // "Välj tal"
constexpr int kAddTalk = 1062;     // "Lägg till ett nytt tal"
constexpr int kNewTalkRow = 1063;  // "Denna rad kan användas för ett nytt tal"
constexpr int kAddedText = 1005;   // "Infogad"
constexpr int kRemovedText = 1010; // "Borttaget"
constexpr int kCloseText = 1131;   // "Stäng"
constexpr int kTabStops[] = {25};
constexpr int kColumnWidth = 30;
constexpr int kRowsAboveNew = 9;
constexpr int kLastTopRow = 236;
constexpr int kCaptionWithNumber = 1;

uint16_t KeyOf(int index) {
    return static_cast<uint16_t>(index + 1);
}

} // namespace

CTalkListDlg::CTalkListDlg(CMvDoc& doc, Opening opening)
    : Dialog(kUse), m_doc(doc), m_opening(std::move(opening)),
      m_brother(m_opening.brother.value_or(BrotherRecord{})), m_start(m_brother.repertoire) {}

void CTalkListDlg::EditTalks(CMvDoc& doc, ui::Host& host, TalkForm form) {
    CTalkListDlg dialog(doc, {.mode = Mode::Edit, .form = std::move(form)});
    host.RunDialog(dialog);
}

bool CTalkListDlg::EditRepertoire(CMvDoc& doc, ui::Host& host, BrotherRecord& brother) {
    CTalkListDlg dialog(doc, {.mode = Mode::Repertoire, .brother = brother});
    if (host.RunDialog(dialog) != ui::kIdOk)
        return false;
    brother = dialog.Brother();
    return true;
}

std::optional<uint16_t> CTalkListDlg::PickTalk(CMvDoc& doc, ui::Host& host, uint16_t current,
                                               BrotherRecord* brother) {
    Opening opening{.mode = Mode::Picker, .current = current};
    if (brother)
        opening.brother = *brother;
    CTalkListDlg dialog(doc, std::move(opening));
    if (host.RunDialog(dialog) != ui::kIdOk || !dialog.Chosen())
        return std::nullopt;
    if (brother)
        *brother = dialog.Brother();
    return dialog.Chosen();
}

void CTalkListDlg::OnInit() {
    const StringTable& s = m_doc.Strings();
    Win().SetTabStops(kShowList, kTabStops);
    Win().SetColumnWidth(kEditList, kColumnWidth);
    Win().Show(kEditList, false);
    Win().Show(kCaption, false);
    Win().SetText(kAdded, s.Get(kAddedText));
    Win().SetText(kRemoved, s.Get(kRemovedText));
    switch (m_opening.mode) {
    case Mode::Edit:
        Win().SetTitle(s.Get(kEditTitle));
        Win().SetText(kToggle, s.Get(kAddTalk));
        // Confirmed talk forms are written at once: nothing is left to cancel here.
        Win().SetText(ui::kIdCancel, s.Get(kCloseText));
        break;
    case Mode::Repertoire:
        Win().SetText(kToggle, s.Get(kChooseTalks));
        break;
    case Mode::Picker:
        Win().SetTitle(s.Get(kPickTitle));
        Win().SetText(kToggle, s.Get(kChooseTalks));
        Win().Show(kToggle, HasBrother());
        break;
    }
    FillShowView(m_opening.mode == Mode::Picker ? m_opening.current : 0);
    ShowChanges();
    Win().SetFocus(kShowList);
}

bool CTalkListDlg::Listed(int index) const {
    if (HasBrother())
        return m_brother.repertoire.Has(KeyOf(index));
    return !text::IsBlank(m_doc.Talks().Talk(index)->title);
}

std::string CTalkListDlg::RowText(int index, const std::string& title) const {
    return m_doc.Talks().Talk(index)->numberText + "\t" + title;
}

void CTalkListDlg::FillShowView(uint16_t select) {
    Win().ClearRows(kShowList);
    const auto& talks = m_doc.Talks().Items();
    bool untitled = false;
    for (int i = 0; i < static_cast<int>(talks.size()); ++i) {
        untitled = untitled || text::IsBlank(talks[static_cast<size_t>(i)].title);
        if (!Listed(i))
            continue;
        const int row =
            Win().AddRow(kShowList, RowText(i, talks[static_cast<size_t>(i)].title), KeyOf(i));
        if (KeyOf(i) == select)
            Win().Select(kShowList, row);
    }
    if (m_opening.mode == Mode::Edit)
        Win().Show(kToggle, untitled);
}

void CTalkListDlg::AddUntitled() {
    const std::string& newRow = m_doc.Strings().Get(kNewTalkRow);
    const auto& talks = m_doc.Talks().Items();
    int first = -1;
    for (int i = 0; i < static_cast<int>(talks.size()); ++i) {
        if (!text::IsBlank(talks[static_cast<size_t>(i)].title))
            continue;
        const int row = Win().AddRow(kShowList, RowText(i, newRow), KeyOf(i));
        if (first < 0)
            first = row;
    }
    Win().Show(kToggle, false);
    if (first < 0)
        return;
    Win().Select(kShowList, first);
    Win().SetTopIndex(kShowList, std::clamp(first - kRowsAboveNew, 0, kLastTopRow));
    Win().SetFocus(kShowList);
}

void CTalkListDlg::OpenTalk(int row) {
    if (row < 0 || !m_opening.form)
        return;
    const auto key = static_cast<uint16_t>(Win().RowData(kShowList, row));
    m_opening.form(m_doc, Host(), key - 1);
    FillShowView(key);
    Win().SetFocus(kShowList);
}

uint16_t CTalkListDlg::SelectedTalk() const {
    const int row = Win().Selection(kShowList);
    return row < 0 ? 0 : static_cast<uint16_t>(Win().RowData(kShowList, row));
}

// The brother's views --------------------------------------------------------------------------

void CTalkListDlg::EnterEditView() {
    Win().ClearRows(kEditList);
    const auto& talks = m_doc.Talks().Items();
    int first = -1;
    for (int i = 0; i < static_cast<int>(talks.size()); ++i) {
        const std::string& number = talks[static_cast<size_t>(i)].numberText;
        const int row = Win().AddRow(
            kEditList, text::IsBlank(number) ? std::to_string(i + 1) : number, KeyOf(i));
        if (m_brother.repertoire.Has(KeyOf(i))) {
            Win().SetRowSelected(kEditList, row, true);
            first = first < 0 ? row : first;
        }
    }
    Win().SetTopIndex(kEditList, std::max(first, 0));
    m_editing = true;
    Win().Show(kShowList, false);
    Win().Show(kEditList, true);
    Win().Show(kCaption, true);
    Win().SetText(kCaption, "");
    Win().SetText(kToggle, m_doc.Strings().Get(kSeeList));
    Win().SetFocus(kEditList);
}

void CTalkListDlg::LeaveEditView() {
    const uint16_t selected = SelectedTalk();
    m_brother.repertoire = Shown();
    m_editing = false;
    Win().Show(kEditList, false);
    Win().Show(kCaption, false);
    Win().Show(kShowList, true);
    Win().SetText(kToggle, m_doc.Strings().Get(kChooseTalks));
    FillShowView(selected);
    ShowChanges();
    Win().SetFocus(kShowList);
}

TalkRepertoire CTalkListDlg::Shown() const {
    if (!m_editing)
        return m_brother.repertoire;
    TalkRepertoire shown;
    for (int row : Win().SelectedRows(kEditList))
        shown.Set(static_cast<int>(Win().RowData(kEditList, row)));
    return shown;
}

void CTalkListDlg::ShowChanges() {
    const TalkRepertoire shown = Shown();
    bool added = false;
    bool removed = false;
    for (int talk = 1; talk <= TalkRepertoire::kTalks; ++talk) {
        added = added || (shown.Has(talk) && !m_start.Has(talk));
        removed = removed || (!shown.Has(talk) && m_start.Has(talk));
    }
    Win().Show(kAdded, added);
    Win().Show(kRemoved, removed);
    if (m_opening.mode == Mode::Repertoire)
        Win().SetTitle(m_brother.firstName + " " + m_brother.lastName + " - " +
                       std::to_string(shown.Count()) + " " + m_doc.Strings().Get(kTalksWord));
}

// Events ---------------------------------------------------------------------------------------

void CTalkListDlg::OnOk() {
    switch (m_opening.mode) {
    case Mode::Edit:
        if (Win().Selection(kShowList) >= 0) {
            OpenTalk(Win().Selection(kShowList));
            return;
        }
        m_doc.Talks().SaveTalks();
        End(ui::kIdOk);
        return;
    case Mode::Repertoire:
        if (m_editing)
            LeaveEditView();
        End(ui::kIdOk);
        return;
    case Mode::Picker:
        if (m_editing)
            LeaveEditView();
        if (const uint16_t talk = SelectedTalk(); talk != 0)
            m_chosen = talk;
        End(m_chosen ? ui::kIdOk : ui::kIdCancel);
        return;
    }
}

void CTalkListDlg::OnCommand(int id) {
    if (id != kToggle)
        return;
    if (m_opening.mode == Mode::Edit)
        AddUntitled();
    else if (m_editing)
        LeaveEditView();
    else
        EnterEditView();
}

void CTalkListDlg::OnSelChange(int id) {
    if (id == kEditList)
        ShowChanges();
}

void CTalkListDlg::OnDoubleClick(int id, int row) {
    if (id != kShowList)
        return;
    if (m_opening.mode == Mode::Edit)
        OpenTalk(row);
    else if (m_opening.mode == Mode::Picker)
        OnOk();
}

void CTalkListDlg::OnHover(int id, int row) {
    if (id != kEditList)
        return;
    const int key = row < 0 ? 0 : static_cast<int>(Win().RowData(kEditList, row));
    Win().SetText(kCaption, key == 0 ? "" : m_doc.Talks().TalkCaption(key, kCaptionWithNumber));
}

} // namespace mivra
