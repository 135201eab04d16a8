#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/** What the speaker chooser is opened with. */
struct SpeakerRequest {
    std::string title{};
    int weekIndex = 0;
    uint16_t current = 0;      ///< the speaker selected at first
    uint16_t talk = 0;         ///< only brothers who hold it (0: any talk)
    uint16_t congregation = 0; ///< preset: only its brothers, the combos hidden (0: none)
};

/** The speaker chosen, with the talk chosen through him ("Välj ett tal genom") if any. */
struct SpeakerChoice {
    int brother = -1; ///< brother index
    std::optional<uint16_t> talk{};
};

/**
 * Chooses a visiting speaker for a home week, by circuit and congregation, marking who is
 * unavailable; an unavailable speaker is refused and the dialog stays open. A talk chosen
 * through the speaker comes back with him and is written by the caller, never before the
 * chooser's own OK.
 *
 *     std::optional<SpeakerChoice> c = CSpeakerChooserDlg::ChooseSpeaker(doc, host, request);
 */
class CSpeakerChooserDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 162;
    static constexpr int kList = 1096;
    static constexpr int kCircuits = 1038;
    static constexpr int kCongregations = 1037;
    static constexpr int kHistory = 3;
    static constexpr int kAvailability = 4;
    static constexpr int kContacts = 1109;
    static constexpr int kTalkThrough = 1166;
    static constexpr int kRemark = 1171;
    static constexpr int kIds[] = {ui::kIdOk,      ui::kIdCancel, kList,         kCircuits,
                                   kCongregations, kHistory,      kAvailability, kContacts,
                                   kTalkThrough,   kRemark};
    static constexpr ui::TemplateUse kUse{"CSpeakerChooserDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CSpeakerChooserDlg(CMvDoc& doc, SpeakerRequest request);

    /** The choice on OK; nothing on Cancel or OK without a row. */
    static std::optional<SpeakerChoice> ChooseSpeaker(CMvDoc& doc, ui::Host& host,
                                                      SpeakerRequest request);
    /** The title the page and the congregation chooser give it: date, and the week's talk. */
    static std::string TitleFor(const CMvDoc& doc, int weekIndex);

    /** Fills a circuit combo: "Alla kretsar" (item data 0), then every circuit with its id. */
    static void FillCircuits(const CMvDoc& doc, ui::Window& window, int id);

    const std::optional<SpeakerChoice>& Chosen() const { return m_chosen; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;

    void FillCongregations(uint16_t circuit);
    void Fill();
    bool Skipped(int brother) const;
    std::string RowText(int brother) const;
    void ClearDetails();
    void ShowDetails();
    int SelectedBrother() const;
    void ChooseTalkThrough();
    void EditAvailability();
    bool Available(uint16_t brotherKey) const;

    CMvDoc& m_doc;
    SpeakerRequest m_request;
    uint16_t m_circuit = 0;
    uint16_t m_congregation = 0;                        ///< 0: every congregation of the circuit
    std::unordered_map<uint16_t, uint16_t> m_circuitOf; ///< congregation key → circuit
    std::unordered_map<uint16_t, int> m_lastHomeWeek;   ///< brother key → week number
    std::optional<uint16_t> m_talk;                     ///< chosen through the selected brother
    std::optional<SpeakerChoice> m_chosen;
};

} // namespace mivra::rotations
