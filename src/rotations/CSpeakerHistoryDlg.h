#pragma once

#include "rotations/TalkHistory.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <vector>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * "Talarhistorik": the brothers by circuit and congregation, and for the selected one the
 * weeks he spoke at home and, for a home brother, went out, from a year ahead back.
 */
class CSpeakerHistoryDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 170;
    static constexpr int kCongregations = 1037;
    static constexpr int kCircuits = 1038;
    static constexpr int kBrothers = 1104;
    static constexpr int kWeeks = 1103;
    static constexpr int kTalk = 244;         ///< the selected week's date and talk
    static constexpr int kDestination = 1044; ///< "i" and where he went, for an out row
    static constexpr int kIds[] = {ui::kIdCancel, kCongregations, kCircuits,   kBrothers,
                                   kWeeks,        kTalk,          kDestination};
    static constexpr ui::TemplateUse kUse{"CSpeakerHistoryDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** `brotherIndex`: the brother selected at first (−1: the first listed). */
    CSpeakerHistoryDlg(CMvDoc& doc, int brotherIndex);

    /** Command 32859, the talk history's button 3 and the pages: shows the dialog. */
    static void Show(CMvDoc& doc, ui::Host& host, int brotherIndex = -1);

private:
    void OnInit() override;
    void OnSelChange(int id) override;

    void FillCongregations();
    /** Fills the brothers of the chosen circuit and congregation, selecting `brotherIndex`. */
    void FillBrothers(int brotherIndex);
    bool Listed(int brotherIndex) const;
    void ShowBrother();
    void ShowWeek();
    int SelectedBrother() const;

    CMvDoc& m_doc;
    int m_brother;
    std::vector<TalkGiven> m_rows; ///< the history list's rows
};

} // namespace mivra::rotations
