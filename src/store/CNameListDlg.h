#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <optional>

namespace mivra {

class CMvDoc;

/**
 * One of the short name lists: circuits ("Kretsar", template 144), hosts ("Värd", template
 * 144) or topics ("Ämnen", template 146, see CTopicListDlg). Selecting a row fills the edit
 * field; OK adds, renames in place (the key stays) or, on an empty name, deletes without
 * asking, then writes the list's file. In selection mode OK returns the selected entry's key.
 *
 * A picker, e.g. the congregation form's circuit or the host page's manual choice:
 *
 *     std::optional<uint16_t> key =
 *         CNameListDlg::Choose(doc, host, CNameListDlg::Kind::Hosts, week.hostKey);
 */
class CNameListDlg : public ui::Dialog {
public:
    enum class Kind { Circuits, Hosts, Topics };

    static constexpr int kTemplate = 144;
    static constexpr int kList = 1310;
    static constexpr int kEdit = 1311;
    static constexpr int kAdd = 1312;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kList, kEdit, kAdd};
    static constexpr ui::TemplateUse kUse{"CNameListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /**
     * The list of one kind. With `selecting` set it is a picker: the entry with `currentKey`
     * is preselected (0: none), a double-click or OK chooses; adding stays possible.
     */
    CNameListDlg(CMvDoc& doc, Kind kind, bool selecting = false, uint16_t currentKey = 0);

    /** Runs the list as a picker: the chosen key, or nothing (cancelled, nothing selected). */
    static std::optional<uint16_t> Choose(CMvDoc& doc, ui::Host& host, Kind kind,
                                          uint16_t currentKey);
    /** Runs the list for editing; true when it changed anything (the document is modified). */
    static bool Edit(CMvDoc& doc, ui::Host& host, Kind kind);

    /** Selection mode: the key chosen on OK; nothing when cancelled or nothing was selected. */
    std::optional<uint16_t> Chosen() const { return m_chosen; }
    /** True when an entry was added, renamed or deleted (and the file written). */
    bool Changed() const { return m_changed; }

protected:
    CNameListDlg(const ui::TemplateUse& use, CMvDoc& doc, Kind kind, bool selecting,
                 uint16_t currentKey);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;

    void Fill(uint16_t selectKey);
    void ShowEditing(bool editing);
    /** The index of the selected entry, or −1. */
    int SelectedIndex() const;
    /** Adds, renames or deletes from the edit field; false when refused (the field stays). */
    bool Apply();

    CMvDoc& m_doc;
    Kind m_kind;
    bool m_selecting;
    uint16_t m_currentKey;
    bool m_adding = false;
    uint16_t m_editedKey = 0; ///< the entry in the edit field (0: none)
    bool m_changed = false;
    std::optional<uint16_t> m_chosen;
};

/** "Ämnen": the topic list (template 146), the name list in topic kind. */
class CTopicListDlg : public CNameListDlg {
public:
    static constexpr int kTemplate = 146;
    static constexpr ui::TemplateUse kUse{"CTopicListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    explicit CTopicListDlg(CMvDoc& doc, bool selecting = false, uint16_t currentKey = 0)
        : CNameListDlg(kUse, doc, Kind::Topics, selecting, currentKey) {}
};

} // namespace mivra
