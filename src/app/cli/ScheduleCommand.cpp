#include "app/cli/ScheduleCommand.h"

#include "dates/Dates.h"
#include "exchange/TsvExport.h"
#include "reports/ReportGeometry.h"
#include "reports/ScheduleReport.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "ui/headless/RecordingCanvas.h"

#include <charconv>

namespace mivra::cli {
namespace {

constexpr const char* kFromRule = "--from takes a date YYYY-MM-DD from 2000-01-03 to 2099-12-31";

std::optional<int> ParseCount(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<WeekRange> ParseWeekRange(const Invocation& call, std::string& error, int maxWeeks) {
    auto from = call.options.find("--from");
    auto weeks = call.options.find("--weeks");
    if (from == call.options.end() || weeks == call.options.end()) {
        error = call.words[0] + " needs --from YYYY-MM-DD and --weeks N";
        return std::nullopt;
    }
    std::optional<CivilDate> date = dates::ParseIsoDate(from->second);
    if (!date) {
        error = std::string(kFromRule) + ", not \"" + from->second + "\"";
        return std::nullopt;
    }
    std::optional<int> count = ParseCount(weeks->second);
    if (!count || *count < 1 || *count > maxWeeks) {
        error = "--weeks takes a number from 1 to " + std::to_string(maxWeeks) + ", not \"" +
                weeks->second + "\"";
        return std::nullopt;
    }
    return WeekRange{dates::WeekNumberOf(*date) - 1, *count};
}

ReportFonts ScheduleCommand::FontsOf(const CMvDoc& doc) {
    ReportFonts fonts;
    Profile profile = Profile::Load(doc.DataFilePath(file::kProfile), doc.CodePage());
    LoadFonts(profile, doc.Strings(), doc.LanguageCode(), false, fonts);
    return fonts;
}

Status PrintReportPdf(const CMvDoc& doc, reports::Report& report, const std::filesystem::path& file,
                      const ReportFonts& fonts, const PdfRenderer& pdf, int& pages) {
    constexpr int kDpi = ScheduleCommand::kPdfDpi, kScreen = ScheduleCommand::kScreenDpi;
    const reports::Target target{kDpi, kDpi, kScreen, kScreen, true, true};
    const reports::ReportGeometry geometry(target, doc.Settings().Options().topMargin,
                                           doc.Settings().Options().leftMargin);
    // The layout only needs the target's resolution; the PDF canvas exists only while it renders.
    ui::headless::RecordingCanvas layoutCanvas(kDpi, kDpi, true);
    PdfPages sheets;
    sheets.pageCount = pages = report.Layout({layoutCanvas, geometry, fonts});
    sheets.dpi = kDpi;
    sheets.title = report.Title();
    sheets.draw = [&](int page, ui::Canvas& canvas) {
        reports::SelectStripPage(canvas, geometry, page);
        report.DrawPage({canvas, geometry, fonts}, page);
    };
    return pdf(file, sheets);
}

Status ScheduleCommand::PrintPdf(const std::filesystem::path& file, const ReportFonts& fonts,
                                 const PdfRenderer& pdf) const {
    reports::ScheduleReport report(m_doc, m_range.startWeek, m_range.weekCount);
    int pages = 0;
    return PrintReportPdf(m_doc, report, file, fonts, pdf, pages);
}

Status ScheduleCommand::ExportTsv() const {
    return exchange::WriteScheduleExport(m_doc, m_range.startWeek, m_range.weekCount);
}

} // namespace mivra::cli
