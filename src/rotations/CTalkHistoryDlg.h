#pragma once

#include "rotations/TalkHistory.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * "Talhistorik i hemförsamlingen": the weeks a talk (or any talk) was given at home or by the
 * speakers sent out. Its choosing modes let the letters pick a week (and slot):
 *
 *     std::optional<int> week = CTalkHistoryDlg::ChooseHomeWeek(doc, host);
 *     std::optional<TalkGiven> slot = CTalkHistoryDlg::ChooseOutgoingSlot(doc, host);
 */
class CTalkHistoryDlg : public ui::Dialog {
public:
    enum class Mode { Home, Outgoing, ChooseHome, ChooseOutgoing };

    static constexpr int kTemplate = 169;
    static constexpr int kTalks = 1102;
    static constexpr int kWeeks = 1103;
    static constexpr int kTalkText = 244;
    static constexpr int kTalkLabel = 1147;
    static constexpr int kSpeakerHistory = 3; ///< "Visa historik - %1"
    static constexpr int kSpeakers = 1037;    ///< outgoing mode's speaker filter
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kTalks,          kWeeks,
                                   kTalkText, kTalkLabel,    kSpeakerHistory, kSpeakers};
    static constexpr ui::TemplateUse kUse{"CTalkHistoryDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** `talk`: the talk selected at first (0: "Alla"). */
    CTalkHistoryDlg(CMvDoc& doc, Mode mode, uint16_t talk = 0);

    /** Commands 32858 (home) and 32875 (outgoing), and the pages with their week's talk. */
    static void Show(CMvDoc& doc, ui::Host& host, Mode mode, uint16_t talk = 0);
    /** The letter's choice: the home week's index, or nothing (cancelled, or no week). */
    static std::optional<int> ChooseHomeWeek(CMvDoc& doc, ui::Host& host);
    /** The notice's choice: week index and slot 0–5 of an outgoing talk, or nothing. */
    static std::optional<TalkGiven> ChooseOutgoingSlot(CMvDoc& doc, ui::Host& host);

    /** The row confirmed in a choosing mode. */
    std::optional<TalkGiven> Chosen() const { return m_chosen; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnSelChange(int id) override;
    void OnCommand(int id) override;
    void OnDoubleClick(int id, int row) override;

    bool Choosing() const { return m_mode == Mode::ChooseHome || m_mode == Mode::ChooseOutgoing; }
    bool Outgoing() const { return m_mode == Mode::Outgoing || m_mode == Mode::ChooseOutgoing; }
    void FillTalks();
    void FillSpeakers();
    void FillWeeks();
    std::string RowText(const TalkGiven& row) const;
    void ShowRow();
    const TalkGiven* SelectedRow() const;
    uint16_t SelectedTalk() const;
    /** Home mode: the row's speaker has two or more home talks (button 3, double-click). */
    bool HasSeveralTalks(const TalkGiven& row) const;
    void OpenSpeakerHistory();

    CMvDoc& m_doc;
    Mode m_mode;
    uint16_t m_talk;
    std::vector<TalkGiven> m_rows; ///< the week list's rows
    std::optional<TalkGiven> m_chosen;
};

} // namespace mivra::rotations
