#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <optional>

namespace mivra {

class CMvDoc;

/**
 * "Bröder": the brother list and the system's brother picker. Plain mode edits brothers
 * through the form; role mode picks an office holder or speaker; exclusion mode picks a
 * brother of another congregation (or adds one to it); pick mode picks any brother.
 */
class CBrotherListDlg : public ui::Dialog {
public:
    enum class Mode { Plain, Role, Exclusion, Pick };

    /** Roles 1–3 the officers, 4 any speaker, 5 outgoing speakers, 6 chairmen, 7 readers. */
    static constexpr int kRoleOutgoing = 5;
    static constexpr int kRoleCount = 7;

    struct Options {
        Mode mode = Mode::Plain;
        uint16_t filter = 0;   ///< only this congregation's brothers (0: all)
        uint16_t excluded = 0; ///< never this congregation's brothers (0: none)
        int role = 0;
        int week = 0;            ///< week index whose unavailable brothers are marked (0: none)
        uint16_t currentKey = 0; ///< role mode: the present holder, preselected
    };

    static constexpr int kTemplate = 136;
    static constexpr int kList = 1310;
    static constexpr int kAdd = 224;
    static constexpr int kNoCongregation = 1105; ///< or the unavailable legend
    static constexpr int kSuspendedLegend = 1106;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel,   kList,
                                   kAdd,      kNoCongregation, kSuspendedLegend};
    static constexpr ui::TemplateUse kUse{"CBrotherListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CBrotherListDlg(CMvDoc& doc, Options options);

    /** Runs the list: the chosen brother index, or nothing. */
    static std::optional<int> Choose(CMvDoc& doc, ui::Host& host, Options options);
    std::optional<int> Chosen() const { return m_chosen; }

    /** The form's "&Nästa"/"&Föreg": the list refilled, its selection moved with wrap. */
    int Step(int brotherIndex, int delta);
    /** Fills the list anew, keeping the brother selected when he is still listed. */
    void Refill(int selectBrother = -1);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnDoubleClick(int id, int row) override;

    void Fill();
    std::string RowText(int index, int& noCongregation, int& suspended, bool& unavailable) const;
    bool Listed(int index) const;
    int SelectedBrother() const;
    /** Opens the form; true when it was confirmed. */
    bool OpenForm(bool add, int index);
    void AfterChange(int selectBrother);

    CMvDoc& m_doc;
    Options m_options;
    std::optional<int> m_chosen;
};

} // namespace mivra
