#pragma once

#include "exchange/SpeakerCsv.h"
#include "ui/Dialog.h"

#include <filesystem>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::exchange {

/**
 * The preview of a speaker CSV before it is imported: a row per data line with what happens to
 * it, the counts, the new congregations, the columns passed over and the characters stored as
 * "?". OK carries out exactly the plan shown; "Avbryt" writes nothing. "Kopiera rapport" puts
 * the rejected lines on the clipboard, so they can be mended in the spreadsheet.
 */
class CSpeakerImportDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 305;
    static constexpr int kList = 1310;   ///< line, name, congregation, what happens
    static constexpr int kCounts = 1311; ///< "%1 nya, %2 uppdateras, …"
    static constexpr int kNewCongregations = 1312;
    static constexpr int kUnknownColumns = 1313;
    static constexpr int kWarnings = 1314; ///< lines with a character stored as "?"
    static constexpr int kCopy = 1315;     ///< "Kopiera rapport"
    static constexpr int kIds[] = {kList,     kCounts, kNewCongregations, kUnknownColumns,
                                   kWarnings, kCopy,   ui::kIdOk};
    static constexpr ui::TemplateUse kUse{"CSpeakerImportDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CSpeakerImportDlg(CMvDoc& doc, std::filesystem::path path, const SpeakerCsv& csv);

    /** Reads the file and runs the preview; a file that cannot be read is told. True when
     *  something was written. */
    static bool Run(CMvDoc& doc, ui::Host& host, const std::filesystem::path& path);

    const SpeakerImportPlan& Plan() const { return m_plan; }
    const std::optional<SpeakerImportOutcome>& Outcome() const { return m_outcome; }
    /** What "Kopiera rapport" copies: a line per rejected data line, tab-separated. */
    std::string RejectReport() const;

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;

    std::string RowText(const SpeakerLinePlan& line) const;

    CMvDoc& m_doc;
    std::filesystem::path m_path;
    std::vector<std::string> m_unknownColumns;
    SpeakerImportPlan m_plan;
    std::optional<SpeakerImportOutcome> m_outcome;
};

/** "Importera talare från CSV…": a CSV file, then its preview. True when something was
 *  written. */
bool ImportSpeakers(CMvDoc& doc, ui::Host& host);

} // namespace mivra::exchange
