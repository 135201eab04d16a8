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

std::optional<WeekRange> ParseWeekRange(const Invocation& call, std::string& error) {
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
    if (!count || *count < 1 || *count > reports::ScheduleReport::kMaxWeeks) {
        error = "--weeks takes a number from 1 to 52, not \"" + weeks->second + "\"";
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

Status ScheduleCommand::PrintPdf(const std::filesystem::path& file, const ReportFonts& fonts,
                                 const PdfRenderer& pdf) const {
    const reports::Target target{kPdfDpi, kPdfDpi, kScreenDpi, kScreenDpi, true, true};
    const reports::ReportGeometry geometry(target, m_doc.Settings().Options().topMargin,
                                           m_doc.Settings().Options().leftMargin);
    reports::ScheduleReport report(m_doc, m_range.startWeek, m_range.weekCount);
    // The layout only needs the target's resolution; the PDF canvas exists only while it renders.
    ui::headless::RecordingCanvas layoutCanvas(kPdfDpi, kPdfDpi, true);
    PdfPages pages;
    pages.pageCount = report.Layout({layoutCanvas, geometry, fonts});
    pages.dpi = kPdfDpi;
    pages.title = m_doc.Settings().Options().heading;
    pages.draw = [&](int page, ui::Canvas& canvas) {
        reports::SelectStripPage(canvas, geometry, page);
        report.DrawPage({canvas, geometry, fonts}, page);
    };
    return pdf(file, pages);
}

Status ScheduleCommand::ExportTsv() const {
    return exchange::WriteScheduleExport(m_doc, m_range.startWeek, m_range.weekCount);
}

} // namespace mivra::cli
