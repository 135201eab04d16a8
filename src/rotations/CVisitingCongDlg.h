#pragma once

#include "rotations/CSpeakerChooserDlg.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/** The congregation chosen, with the speaker chosen from it ("Välj en talare från") if any. */
struct CongregationChoice {
    int congregation = -1; ///< congregation index
    std::optional<SpeakerChoice> speaker{};
};

/**
 * Chooses the congregation that sends a speaker for a home week: every congregation with
 * brothers who hold the week's talk (or any talk), their number and the latest visit. The
 * speaker chosen from a congregation comes back with it, for the caller to write together.
 *
 *     std::optional<CongregationChoice> c =
 *         CVisitingCongDlg::ChooseCongregation(doc, host, title, weekIndex);
 */
class CVisitingCongDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 164;
    static constexpr int kCircuits = 1038;
    static constexpr int kList = 1097;
    static constexpr int kSpeakerFrom = 1098;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kCircuits, kList, kSpeakerFrom};
    static constexpr ui::TemplateUse kUse{"CVisitingCongDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** The talk filter is the week's home talk. */
    CVisitingCongDlg(CMvDoc& doc, std::string title, int weekIndex);

    /** The choice on OK; nothing on Cancel or OK without a row. */
    static std::optional<CongregationChoice> ChooseCongregation(CMvDoc& doc, ui::Host& host,
                                                                std::string title, int weekIndex);

    const std::optional<CongregationChoice>& Chosen() const { return m_chosen; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;

    void Fill();
    std::string LatestVisit(uint16_t congregationKey, int upTo) const;
    int SelectedCongregation() const;

    CMvDoc& m_doc;
    std::string m_title;
    int m_week;
    uint16_t m_talk;
    std::optional<CongregationChoice> m_chosen;
};

} // namespace mivra::rotations
