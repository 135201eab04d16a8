#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <optional>

namespace mivra {

class CMvDoc;

/**
 * "Välj församling": the congregations in index order. OK or a double-click opens the form
 * (CCongregationEditDlg); "Lägg till en församling" opens it to add. As a picker OK chooses:
 *
 *     std::optional<int> index = CCongregationListDlg::Choose(doc, host, currentKey);
 */
class CCongregationListDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 122;
    static constexpr int kList = 1310;
    static constexpr int kAdd = 3;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kList, kAdd};
    static constexpr ui::TemplateUse kUse{"CCongregationListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** `selection`: the row selected at first (0 when past the end). */
    CCongregationListDlg(CMvDoc& doc, bool picker, int selection = 0);

    /** The picker: the chosen congregation's index, or nothing; `currentKey` preselected. */
    static std::optional<int> Choose(CMvDoc& doc, ui::Host& host, uint16_t currentKey);

    bool Picker() const { return m_picker; }
    /** The row selected when the list closed (remember it for the next opening). */
    int Selection() const { return m_selection; }
    /** The picker's choice on OK; nothing otherwise. */
    std::optional<int> Chosen() const { return m_chosen; }

    /** The form's "Föreg"/"Nästa": the selection moved from `index` with wrap; −1 if empty. */
    int Step(int index, int delta);
    /** Fills the list anew and selects the congregation at `index` (none when −1). */
    void Refill(int index);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnDoubleClick(int id, int row) override;

    void Open(bool addRequest);

    CMvDoc& m_doc;
    bool m_picker;
    int m_selection;
    std::optional<int> m_chosen;
};

} // namespace mivra
