#pragma once

#include "store/Settings.h"
#include "ui/Dialog.h"

#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::app {

/**
 * "Inställningar": the scheduling and printing options. It works on a copy; OK writes the
 * options back and marks the document modified when any differs. OK and Cancel both have the
 * profile written.
 */
class CSettingsDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 123;
    static constexpr int kAlternativeDate = 249;
    static constexpr int kIncludeReaders = 254; ///< shown while kScheduleReaders is ticked
    static constexpr int kTopMargin = 255;
    static constexpr int kOmitTalkNumbers = 257;
    static constexpr int kLeftMargin = 258;
    static constexpr int kScheduleReaders = 259;
    static constexpr int kScheduleHosts = 260;
    static constexpr int kDateStamps = 261;
    static constexpr int kAutoCaps = 262; ///< only for "eng" and "polish"
    static constexpr int kOmitOutgoing = 263;
    static constexpr int kHeading = 272;
    static constexpr int kBorderStyle = 1039;  ///< steps the style 0 → 4 → 0
    static constexpr int kBorderColour = 1040; ///< "Färg", style 4 only
    static constexpr int kCalendarYear = 1175;
    static constexpr int kServiceYear = 1176;
    static constexpr int kLetters = 1180; ///< always hidden
    static constexpr int kIds[] = {
        kAlternativeDate, kIncludeReaders,  kTopMargin,     kOmitTalkNumbers,
        kLeftMargin,      kScheduleReaders, kScheduleHosts, kDateStamps,
        kAutoCaps,        kOmitOutgoing,    kHeading,       kBorderStyle,
        kBorderColour,    kCalendarYear,    kServiceYear,   kLetters};
    static constexpr ui::TemplateUse kUse{"CSettingsDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    explicit CSettingsDlg(CMvDoc& doc);

    /** True after OK changed an option: the views are to be laid out again. */
    bool Changed() const { return m_changed; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCancel() override;
    void OnCommand(int id) override;
    void OnFocus(int id, bool gained) override;
    void OnListKey(int id, int step, char32_t typed) override;

    void FillMargin(int id, int value);
    void ShowStyle();
    /** Moves a margin list to a value: selected and on top. */
    void SetMargin(int id, int value);
    int Margin(int id) const;

    CMvDoc& m_doc;
    DocOptions m_options;
    std::string m_typed; ///< the digits typed on a margin list so far
    bool m_changed = false;
};

} // namespace mivra::app
