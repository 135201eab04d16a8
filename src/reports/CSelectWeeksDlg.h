#pragma once

#include "ui/Dialog.h"

#include <optional>

namespace mivra {
class CMvDoc;
}

namespace mivra::reports {

/**
 * "Välj veckor": the start week and the number of weeks of a schedule report. Schedule mode
 * also offers "Exportera", which closes the dialog asking for the tab-separated export of the
 * range; the caller writes it.
 */
class CSelectWeeksDlg : public ui::Dialog {
public:
    /** Calendar: the schedule's weeks for the calendar export, without "Exportera". */
    enum class Mode { Schedule, Short, Worksheet, Calendar };

    static constexpr int kTemplate = 196;
    static constexpr int kStartList = 1301; ///< "Startvecka", item data the week index
    static constexpr int kCountList = 1302; ///< "# veckor"
    static constexpr int kExport = 1303;    ///< "Exportera"
    /** The end code after "Exportera": the export is asked for, no report is to be shown. */
    static constexpr int kExported = kExport;
    static constexpr int kIds[] = {kStartList, kCountList, kExport};
    static constexpr ui::TemplateUse kUse{"CSelectWeeksDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CSelectWeeksDlg(CMvDoc& doc, Mode mode);

    /** The chosen range: valid after OK (and after "Exportera"). */
    int StartWeek() const { return m_start; }
    int WeekCount() const { return m_count; }

    struct Range {
        int startWeek = 0;
        int weekCount = 0;
        bool exportAsked = false; ///< "Exportera" closed the dialog
    };
    /** Runs the dialog: the range on OK or "Exportera", nothing on Cancel. */
    static std::optional<Range> Choose(CMvDoc& doc, ui::Host& host, Mode mode);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

    void FillStarts();
    void FillCounts();
    /** The count of the first week after today's that still needs a speaker. */
    int ScheduledCount() const;
    void ReadSelection();
    void UpdateTitle();

    CMvDoc& m_doc;
    Mode m_mode;
    int m_start = 0;
    int m_count = 1;
};

} // namespace mivra::reports
