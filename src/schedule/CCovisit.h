#pragma once

#include "schedule/CSchedulePage.h"
#include "store/EventList.h"

#include <optional>

namespace mivra::schedule {

/** The special events page: assemblies, circuit overseer visits and other events. */
class CCovisit : public CSchedulePage {
public:
    static constexpr int kList = 1028;
    static constexpr int kAdd = 4;
    static constexpr int kEdit = 5;
    static constexpr int kRemove = 3;
    static constexpr int kIds[] = {kList, kAdd, kEdit, kRemove};
    static constexpr ui::TemplateUse kUse{"CCovisit", 173, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CCovisit(CMvDoc& doc) : CSchedulePage(kUse, doc) {}

protected:
    bool OnApply() override;

private:
    void OnInit() override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;
    void OnCommand(int id) override;
    void OnSiblingsChanged() override;

    void Fill();
    void ReadSelection();
    void Add();
    void Edit();
    void Remove();
    /** After every change: the page is modified and the other pages re-read the weeks. */
    void Changed();

    SpecialEventRecord m_buffer;
    std::optional<int> m_selectedWeek;
    bool m_notifying = false;
};

} // namespace mivra::schedule
