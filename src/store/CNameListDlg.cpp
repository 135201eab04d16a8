#include "store/CNameListDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <string>

namespace mivra {
namespace {

constexpr int kHostTitle = 1192; // "Värd"
constexpr int kHostAdd = 1193;   // "Lägg till värd"
constexpr int kShortLimit = 28;  // circuits and hosts, as typed
constexpr size_t kTopicChars = 45;

using Kind = CNameListDlg::Kind;

/** Runs f on the store of the kind; circuits and hosts share one record type. */
template <class F>
decltype(auto) WithList(CMvDoc& doc, Kind kind, F&& f) {
    switch (kind) {
    case Kind::Circuits:
        return f(doc.Circuits());
    case Kind::Hosts:
        return f(doc.Hosts());
    case Kind::Topics:
        break;
    }
    return f(doc.Topics());
}

} // namespace

CNameListDlg::CNameListDlg(CMvDoc& doc, Kind kind, bool selecting, uint16_t currentKey)
    : CNameListDlg(kind == Kind::Topics ? CTopicListDlg::kUse : kUse, doc, kind, selecting,
                   currentKey) {}

CNameListDlg::CNameListDlg(const ui::TemplateUse& use, CMvDoc& doc, Kind kind, bool selecting,
                           uint16_t currentKey)
    : Dialog(use), m_doc(doc), m_kind(kind), m_selecting(selecting), m_currentKey(currentKey) {}

std::optional<uint16_t> CNameListDlg::Choose(CMvDoc& doc, ui::Host& host, Kind kind,
                                             uint16_t currentKey) {
    CNameListDlg dialog(doc, kind, true, currentKey);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

bool CNameListDlg::Edit(CMvDoc& doc, ui::Host& host, Kind kind) {
    CNameListDlg dialog(doc, kind);
    host.RunDialog(dialog);
    return dialog.Changed();
}

void CNameListDlg::OnInit() {
    if (m_kind == Kind::Hosts) {
        const StringTable& s = m_doc.Strings();
        Win().SetTitle(s.Get(kHostTitle));
        Win().SetText(kAdd, s.Get(kHostAdd));
    }
    // Topics are cut on OK instead, as they always were.
    if (m_kind != Kind::Topics)
        Win().SetLimit(kEdit, kShortLimit);
    Fill(m_currentKey);
    ShowEditing(false);
    Win().SetFocus(kList);
}

void CNameListDlg::Fill(uint16_t selectKey) {
    Win().ClearRows(kList);
    WithList(m_doc, m_kind, [&](const auto& list) {
        for (int i = 0; i < list.Count(); ++i) {
            const int row = Win().AddRow(kList, list.Name(i), list.At(i)->key);
            if (selectKey != 0 && list.At(i)->key == selectKey)
                Win().Select(kList, row);
        }
    });
}

void CNameListDlg::ShowEditing(bool editing) {
    Win().Show(kEdit, editing);
    Win().Show(kAdd, !editing);
    Win().Show(ui::kIdOk, editing || m_selecting);
    if (!editing)
        Win().SetText(kEdit, "");
}

int CNameListDlg::SelectedIndex() const {
    const int row = Win().Selection(kList);
    if (row < 0)
        return -1;
    const auto key = static_cast<uint16_t>(Win().RowData(kList, row));
    return WithList(m_doc, m_kind, [&](const auto& list) { return list.IndexOfKey(key); });
}

void CNameListDlg::OnSelChange(int id) {
    if (id != kList || m_selecting)
        return;
    const int index = SelectedIndex();
    if (index < 0)
        return;
    m_adding = false;
    ShowEditing(true);
    // Hosts show the stored text here, "~" included, so it can be typed away.
    WithList(m_doc, m_kind, [&](const auto& list) {
        m_editedKey = list.At(index)->key;
        Win().SetText(kEdit, list.At(index)->name);
    });
}

void CNameListDlg::OnCommand(int id) {
    if (id != kAdd)
        return;
    m_adding = true;
    m_editedKey = 0;
    ShowEditing(true);
    Win().SetText(kEdit, "");
    Win().SetFocus(kEdit);
}

void CNameListDlg::OnDoubleClick(int id, int row) {
    if (id == kList && row >= 0 && m_selecting && !m_adding)
        OnOk();
}

void CNameListDlg::OnOk() {
    if (m_selecting && !m_adding) {
        const int row = Win().Selection(kList);
        if (row < 0) {
            End(ui::kIdCancel); // nothing chosen is no entry
            return;
        }
        m_chosen = static_cast<uint16_t>(Win().RowData(kList, row));
        End(ui::kIdOk);
        return;
    }
    if (!Apply())
        return;
    m_adding = false;
    ShowEditing(false);
    Win().SetFocus(kList);
}

bool CNameListDlg::Apply() {
    std::string name(text::Trim(Win().Text(kEdit)));
    if (m_kind == Kind::Topics)
        name = std::string(text::Trim(text::LeftChars(name, kTopicChars)));
    const bool adding = m_adding || m_editedKey == 0;
    uint16_t selectKey = 0;
    bool done = false;
    if (adding) {
        if (name.empty())
            return true; // nothing typed, nothing added
        const int added = WithList(m_doc, m_kind, [&](auto& list) { return list.Add(name); });
        if (added < 0)
            return false;
        selectKey = WithList(m_doc, m_kind, [&](auto& list) { return list.At(added)->key; });
        done = true;
    } else {
        const int index =
            WithList(m_doc, m_kind, [&](auto& list) { return list.IndexOfKey(m_editedKey); });
        if (index < 0)
            return true;
        if (name.empty()) {
            switch (m_kind) {
            case Kind::Circuits:
                done = m_doc.DeleteCircuit(index);
                break;
            case Kind::Hosts:
                done = m_doc.DeleteHost(index);
                break;
            case Kind::Topics:
                done = m_doc.DeleteTopic(index);
                break;
            }
        } else if (name !=
                   WithList(m_doc, m_kind, [&](auto& list) { return list.At(index)->name; })) {
            if (WithList(m_doc, m_kind, [&](auto& list) { return list.Rename(index, name); }) < 0)
                return false;
            selectKey = m_editedKey;
            done = true;
        }
    }
    m_editedKey = 0;
    if (!done)
        return true;
    WithList(m_doc, m_kind, [](auto& list) { return list.Save(); });
    m_changed = true;
    m_doc.SetModified(true);
    // A picker keeps the new entry selected, ready for OK; the editor starts afresh.
    Fill(m_selecting ? selectKey : 0);
    return true;
}

} // namespace mivra
