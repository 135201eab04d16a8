#pragma once

#include "schedule/CSchedulePage.h"
#include "schedule/Summary.h"
#include "ui/Canvas.h"

#include <array>
#include <optional>

namespace mivra::schedule {

/** Where a click on the grid leads: a page of the sheet, and the row when one was hit. */
struct GridTarget {
    int page = -1;
    std::optional<int> row;
};

/** The summary page: twenty weeks at a glance; it moves the sheet's first listed week. */
class CTDlg : public CSchedulePage {
public:
    static constexpr int kGrid = 1055;
    static constexpr int kMove = 1056;
    static constexpr int kToggle = 1058;
    static constexpr int kStart = 1173;
    static constexpr int kLegendComplete = 1134;
    static constexpr int kLegendUnconfirmed = 1135;
    static constexpr int kLegendIncomplete = 1136;
    static constexpr int kLegendUnavailable = 1137;
    static constexpr int kRows = 20;
    static constexpr int kIds[] = {kGrid,
                                   kMove,
                                   kToggle,
                                   kStart,
                                   kLegendComplete,
                                   kLegendUnconfirmed,
                                   kLegendIncomplete,
                                   kLegendUnavailable};
    static constexpr ui::TemplateUse kUse{"CTDlg", 149, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CTDlg(CMvDoc& doc) : CSchedulePage(kUse, doc) {}

    int FirstWeek() const { return m_first; }
    bool OvhMode() const { return m_ovh; }
    /** The page and row a click at this point of a grid of this size leads to. */
    GridTarget TargetAt(ui::Point at, ui::Size grid) const;

private:
    void OnInit() override;
    void OnSetActive() override;
    void OnCommand(int id) override;
    void OnUpDown(int id, int delta) override;
    void OnClick(int id, int row, int column, ui::Point point) override;
    void OnPaint(int id, ui::Canvas& canvas, ui::Size size) override;
    void OnSiblingsChanged() override;

    void Move(int delta);
    void Repaint();
    void PaintGrid(ui::Canvas& canvas, ui::Size size);
    void PaintLegend(int id, ui::Canvas& canvas, ui::Size size);

    int m_first = 0;
    bool m_ovh = false;
    std::optional<ui::Size> m_gridSize; ///< as drawn last; clicks map through it
    std::array<bool, 4> m_legendShown{};
};

} // namespace mivra::schedule
