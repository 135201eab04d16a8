#pragma once

#include "app/cli/CommandLine.h"
#include "reports/Report.h"
#include "store/Settings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::cli {

/** The weeks of `--from YYYY-MM-DD --weeks N`: the week containing the date starts them. */
struct WeekRange {
    int startWeek = 0; ///< week index
    int weekCount = 0; ///< 1 … 52
};

/**
 * The range of the command's options, the count 1 … maxWeeks; nothing, with the error text,
 * when one is wrong.
 */
std::optional<WeekRange> ParseWeekRange(const Invocation& call, std::string& error,
                                        int maxWeeks = 52);

/**
 * Lays a report out for a 300-dpi PDF page (fonts scaled from 96 dpi) and renders its pages
 * through `pdf`, titled with the report's title; the page count goes to `pages`.
 */
Status PrintReportPdf(const CMvDoc& doc, reports::Report& report, const std::filesystem::path& file,
                      const ReportFonts& fonts, const PdfRenderer& pdf, int& pages);

/**
 * `print-schedule` and `export-tsv`: the printed schedule of a range as a PDF, and the
 * tab-separated export the chooser's "Exportera" writes. Neither changes the data.
 */
class ScheduleCommand {
public:
    static constexpr int kPdfDpi = 300;
    /** Fonts are stored in screen units; without a screen the usual 96 dpi scales them. */
    static constexpr int kScreenDpi = 96;

    ScheduleCommand(const CMvDoc& doc, WeekRange range) : m_doc(doc), m_range(range) {}

    /** Lays the schedule out for a PDF page and renders it through `pdf`. */
    Status PrintPdf(const std::filesystem::path& file, const ReportFonts& fonts,
                    const PdfRenderer& pdf) const;
    /** Writes "ptsched.txt" in the data folder. */
    Status ExportTsv() const;

    /** The report fonts of the folder's settings profile. */
    static ReportFonts FontsOf(const CMvDoc& doc);

private:
    const CMvDoc& m_doc;
    WeekRange m_range;
};

} // namespace mivra::cli
