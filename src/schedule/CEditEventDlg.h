#pragma once

#include "store/EventList.h"
#include "ui/Dialog.h"

namespace mivra {
class CMvDoc;
}

namespace mivra::schedule {

/**
 * Edits one special event: its kind, week, name, theme and what may still be scheduled.
 * OK shows what the event would strike from its week and strikes it on confirmation.
 */
class CEditEventDlg : public ui::Dialog {
public:
    static constexpr int kAssembly = 1114;
    static constexpr int kVisit = 1113;
    static constexpr int kOther = 1115;
    static constexpr int kWeek = 1037;
    static constexpr int kName = 244;
    static constexpr int kTheme = 1121;
    static constexpr int kAllow = 1004;
    static constexpr int kChairman = 1122;
    static constexpr int kHost = 1123;
    static constexpr int kReader = 1124;
    static constexpr int kWeeks = 104;
    static constexpr int kIds[] = {kAssembly, kVisit, kOther,    kWeek, kName,
                                   kTheme,    kAllow, kChairman, kHost, kReader};
    static constexpr ui::TemplateUse kUse{"CEditEventDlg", 174, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CEditEventDlg(CMvDoc& doc, const SpecialEventRecord& record, bool isNew);

    /** The event as OK left it. */
    const SpecialEventRecord& Record() const { return m_record; }

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnOk() override;

    void ChooseKind(int id);
    void ShowAllowed();
    /** Asks before an event strikes what the week holds; false keeps the dialog open. */
    bool ConfirmStrikes(int weekIndex);

    CMvDoc& m_doc;
    SpecialEventRecord m_record;
    bool m_isNew;
};

} // namespace mivra::schedule
