#pragma once

#include "store/Records.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace mivra {

class CMvDoc;

/**
 * The talk list: edits the talks through the talk form (edit mode), a brother's prepared
 * talks on a copy of his record (repertoire mode), and picks a talk (picker mode, every
 * titled talk, or with a brother copy his talks, whose list can be edited there as well).
 * A brother's list has two views: the show view (his talks) and the edit view (all 256
 * numbers); his talk bits are rebuilt from the edit view's rows only when it is left.
 */
class CTalkListDlg : public ui::Dialog {
public:
    enum class Mode { Edit, Repertoire, Picker };
    /** Opens the talk form on a talk (0-based index); true when it changed the talk. The form
     *  lives above this folder (it reads the schedule's history), so the caller hands it in. */
    using TalkForm = std::function<bool(CMvDoc&, ui::Host&, int talkIndex)>;

    struct Opening {
        Mode mode = Mode::Edit;
        std::optional<BrotherRecord> brother{}; ///< repertoire mode, or the picker on his talks
        uint16_t current = 0;                   ///< picker: the talk preselected (its key)
        TalkForm form{};                        ///< edit mode
    };

    static constexpr int kTemplate = 141;
    static constexpr int kShowList = 165;
    static constexpr int kEditList = 1019;
    static constexpr int kToggle = 1021; ///< edit mode: "Lägg till ett nytt tal"
    static constexpr int kAdded = 1022;
    static constexpr int kRemoved = 1023;
    static constexpr int kCaption = 1310; ///< the hovered talk's caption
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kShowList, kEditList,
                                   kToggle,   kAdded,        kRemoved,  kCaption};
    static constexpr ui::TemplateUse kUse{"CTalkListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CTalkListDlg(CMvDoc& doc, Opening opening);

    /** Command "&Tal": opens talks in the form; closing with OK writes "talk.dat". */
    static void EditTalks(CMvDoc& doc, ui::Host& host, TalkForm form);
    /** The brother form's talks: true on OK, with his talk bits in `brother`. */
    static bool EditRepertoire(CMvDoc& doc, ui::Host& host, BrotherRecord& brother);
    /**
     * The talk picker: the chosen talk's key, or nothing (Cancel, or OK without a selection).
     * Without a brother it offers every titled talk; with one, his talks, which the user may
     * change there: `*brother` takes the changed copy only when a talk was chosen.
     */
    static std::optional<uint16_t> PickTalk(CMvDoc& doc, ui::Host& host, uint16_t current,
                                            BrotherRecord* brother = nullptr);

    /** The brother copy as the dialog holds it (its bits as last rebuilt). */
    const BrotherRecord& Brother() const { return m_brother; }
    std::optional<uint16_t> Chosen() const { return m_chosen; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;
    void OnHover(int id, int row) override;

    bool HasBrother() const { return m_opening.brother.has_value(); }
    bool Listed(int index) const;
    std::string RowText(int index, const std::string& title) const;
    /** Fills the show view and selects the talk (a key) when it is listed. */
    void FillShowView(uint16_t select);
    void AddUntitled();
    void OpenTalk(int row);
    void EnterEditView();
    void LeaveEditView();
    /** His talks as the user sees them: the edit view's rows while it is open, else the bits. */
    TalkRepertoire Shown() const;
    void ShowChanges();
    uint16_t SelectedTalk() const;

    CMvDoc& m_doc;
    Opening m_opening;
    BrotherRecord m_brother;
    TalkRepertoire m_start;
    bool m_editing = false;
    std::optional<uint16_t> m_chosen;
};

} // namespace mivra
