#pragma once

#include "store/Records.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/** What the talk chooser is opened with. */
struct TalkChoice {
    std::string title{};
    uint16_t current = 0;      ///< single choice: the talk selected at first
    uint16_t speaker = 0;      ///< only talks of this brother's repertoire (0: any)
    uint16_t congregation = 0; ///< only talks some brother of it holds (0: any)
    bool needsLimit = false;   ///< "Begränsa till tal på behovslistan" at opening
    bool hideNeedsBox = false;
    TalkRepertoire set{}; ///< single choice: the needs list; multiple: the set to edit
};

/**
 * Chooses one talk for a week, or edits a set of talks (the needs list's "Lägg till"), from
 * talks 1 … 200 filtered by topic, by recent weeks, by a speaker or congregation and by the
 * needs list. The multiple choice keeps a working set that every selection change updates,
 * so a refill after a filter change loses nothing chosen before it.
 *
 *     std::optional<uint16_t> talk = CTalkChooserDlg::ChooseTalk(doc, host, choice);
 *     std::optional<TalkRepertoire> set = CTalkChooserDlg::ChooseTalks(doc, host, choice);
 */
class CTalkChooserDlg : public ui::Dialog {
public:
    enum class Mode { Single, Multiple };

    static constexpr int kTemplate = 157;
    static constexpr int kTopics = 1170;
    static constexpr int kTimes = 1171;
    static constexpr int kSingleList = 1020;
    static constexpr int kMultipleList = 1019;
    static constexpr int kNeedsLimit = 1094;
    static constexpr int kTitle = 244;
    static constexpr int kLastGiven = 1071;
    static constexpr int kLastSpeaker = 1072;
    static constexpr int kPriority = 1164;
    static constexpr int kHistory = 3;
    static constexpr int kIds[] = {ui::kIdOk,   ui::kIdCancel, kTopics,     kTimes,
                                   kSingleList, kMultipleList, kNeedsLimit, kTitle,
                                   kLastGiven,  kLastSpeaker,  kPriority,   kHistory};
    static constexpr ui::TemplateUse kUse{"CTalkChooserDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CTalkChooserDlg(CMvDoc& doc, Mode mode, TalkChoice choice);

    /** The talk chosen, or nothing (Cancel, or OK without a row). */
    static std::optional<uint16_t> ChooseTalk(CMvDoc& doc, ui::Host& host, TalkChoice choice);
    /** The edited set on OK, or nothing on Cancel. */
    static std::optional<TalkRepertoire> ChooseTalks(CMvDoc& doc, ui::Host& host,
                                                     TalkChoice choice);

    std::optional<uint16_t> Chosen() const { return m_chosen; }
    const TalkRepertoire& Set() const { return m_working; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;
    void OnHover(int id, int row) override;

    int List() const { return m_mode == Mode::Single ? kSingleList : kMultipleList; }
    bool AnyNeededTalk() const;
    void Fill();
    bool Skipped(int talk, const TalkRepertoire& recent) const;
    /** The talks of the weeks the time filter's entry excludes. */
    TalkRepertoire RecentTalks() const;
    void ReadSelection();
    void ShowDetails(int talk);
    void ShowHistoryButton();

    CMvDoc& m_doc;
    Mode m_mode;
    TalkChoice m_choice;
    uint16_t m_current = 0;
    bool m_limit = false;
    TalkRepertoire m_working;           ///< multiple choice: the set as chosen so far
    TalkRepertoire m_congregationTalks; ///< what the congregation filter's brothers hold
    std::optional<uint16_t> m_chosen;
};

} // namespace mivra::rotations
