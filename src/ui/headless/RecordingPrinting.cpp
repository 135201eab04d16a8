#include "ui/headless/RecordingPrinting.h"

namespace mivra::ui::headless {
namespace {

class RecordingSheets : public Sheets {
public:
    RecordingSheets(std::vector<RecordingCanvas>& sheets, int dpiX, int dpiY)
        : m_sheets(sheets), m_dpiX(dpiX), m_dpiY(dpiY) {
        Next();
    }
    Canvas& Current() override { return m_sheets.back(); }
    void Next() override { m_sheets.emplace_back(m_dpiX, m_dpiY, true); }

private:
    std::vector<RecordingCanvas>& m_sheets;
    int m_dpiX;
    int m_dpiY;
};

} // namespace

bool RecordingPrinting::SetUpPrinter() {
    ++setUps;
    if (!setUpChoice)
        return false;
    printer = *setUpChoice;
    return true;
}

std::unique_ptr<Canvas> RecordingPrinting::MeasuringCanvas(int dpiX, int dpiY, bool isPrinter) {
    return std::make_unique<RecordingCanvas>(dpiX, dpiY, isPrinter);
}

RecordingPrinting::Job& RecordingPrinting::Run(std::string kind, const std::string& title,
                                               const JobSettings& settings,
                                               const JobRenderer& render) {
    jobs.push_back({std::move(kind), title, settings, {}});
    Job& job = jobs.back();
    RecordingSheets sheets(job.sheets, settings.dpiX, settings.dpiY);
    render(job.settings, sheets);
    return job;
}

bool RecordingPrinting::Print(const PrintRequest& request,
                              const std::function<int(const PrinterInfo&)>& pageCount,
                              const JobRenderer& render) {
    dialogRanges.push_back(pageCount(printer));
    if (choices.empty())
        return false;
    Choice choice = choices.front();
    choices.pop_front();
    if (choice.otherPrinter) {
        printer = *choice.otherPrinter;
        pageCount(printer);
    }
    JobSettings settings{printer.name,  printer.dpiX,  printer.dpiY,     choice.fromPage,
                         choice.toPage, choice.copies, driverMakesCopies};
    Run("print", request.title, settings, render);
    return true;
}

bool RecordingPrinting::PrintNow(const std::string& title, const JobRenderer& render) {
    JobSettings settings{printer.name, printer.dpiX, printer.dpiY, 0, 0, 1, true};
    Run("print now", title, settings, render);
    return true;
}

void RecordingPrinting::Preview(const std::string& title, const JobRenderer& render) {
    Run("preview", title, JobSettings{printer.name, printer.dpiX, printer.dpiY}, render);
}

std::optional<std::filesystem::path> RecordingPrinting::AskPdfPath(const std::string&,
                                                                   const std::string& suggested) {
    pdfSuggested = suggested;
    return pdfPath;
}

Status RecordingPrinting::WritePdf(const std::filesystem::path& path, const std::string& title,
                                   const JobRenderer& render) {
    JobSettings settings{"", 300, 300};
    settings.wholeSheet = true;
    Run("pdf", title, settings, render);
    if (failPdf)
        return IoError{path, "no space left"};
    return {};
}

std::vector<int> RecordingPrinting::PagesSent(const Job& job, int pageHeight) {
    std::vector<int> pages;
    for (const RecordingCanvas& sheet : job.sheets) {
        std::vector<RecordingCanvas::Call> clips = sheet.CallsOf("clip");
        if (!clips.empty() && pageHeight > 0)
            pages.push_back(clips.front().box.top / pageHeight + 1);
    }
    return pages;
}

} // namespace mivra::ui::headless
