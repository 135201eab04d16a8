#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <vector>

namespace mivra {

class CMvDoc;

/**
 * The weeks a brother cannot serve: 52 weeks from the current one, his unavailable weeks
 * selected. OK applies only the rows the user changed; read-only mode only shows them.
 */
class CAvailabilityDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 154;
    static constexpr int kPrompt = 1065;
    static constexpr int kWeeks = 1066;
    static constexpr int kCount = 1067;
    static constexpr int kSuspend = 1172;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kPrompt, kWeeks, kCount, kSuspend};
    static constexpr ui::TemplateUse kUse{"CAvailabilityDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    static constexpr int kRows = 52;

    /** brotherKey 0 edits nothing; in add mode the form keeps the weeks itself (Weeks()). */
    CAvailabilityDlg(CMvDoc& doc, uint16_t brotherKey, bool readOnly, bool suspended,
                     std::vector<uint16_t> initialWeeks = {});

    /** The availability command: pick a brother, mark his weeks, until the list closes. */
    static void MarkWeeks(CMvDoc& doc, ui::Host& host);

    bool Suspended() const { return m_suspended; }
    /** The selected week numbers after OK. */
    const std::vector<uint16_t>& Weeks() const { return m_weeks; }
    /** Hides the suspend box (the command discards it). */
    void HideSuspend() { m_hideSuspend = true; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnSelChange(int id) override;
    void OnClick(int id, int row, int column, ui::Point point) override;

    void ShowCount();

    CMvDoc& m_doc;
    uint16_t m_key;
    bool m_readOnly;
    bool m_suspended;
    bool m_hideSuspend = false;
    std::vector<uint16_t> m_weeks;
    std::vector<bool> m_initial;
};

} // namespace mivra
