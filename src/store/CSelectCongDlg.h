#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <optional>

namespace mivra {

class CMvDoc;

/**
 * "Välj församling": picks a congregation, optionally filtered by circuit. All: "Alla
 * församlingar" (key 0) first, and the circuit is returned too. Scheduled: only congregations
 * other than home that the next 156 weeks name, without the circuit filter. Export: the home
 * congregation preselected and in view.
 */
class CSelectCongDlg : public ui::Dialog {
public:
    enum class Mode { All = 0, Scheduled = 1, Export = 2 };

    static constexpr int kTemplate = 301;
    static constexpr int kList = 1310;     ///< item data: the congregation key
    static constexpr int kCircuits = 1311; ///< item data: the circuit id, 0 for every circuit
    static constexpr int kIds[] = {kList, kCircuits};
    static constexpr ui::TemplateUse kUse{"CSelectCongDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    struct Choice {
        uint16_t congregationKey = 0; ///< 0: "Alla församlingar"
        uint16_t circuitId = 0;       ///< the circuit filter shown; 0 for all
    };

    CSelectCongDlg(const CMvDoc& doc, Mode mode) : Dialog(kUse), m_doc(doc), m_mode(mode) {}

    /** The choice on OK with a row selected; nothing on Cancel or OK without a row. */
    static std::optional<Choice> Choose(const CMvDoc& doc, ui::Host& host, Mode mode);
    const std::optional<Choice>& Chosen() const { return m_choice; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnSelChange(int id) override;

    void FillCircuits();
    void FillList(uint16_t select);
    uint16_t CircuitFilter() const;

    const CMvDoc& m_doc;
    Mode m_mode;
    std::optional<Choice> m_choice;
};

} // namespace mivra
