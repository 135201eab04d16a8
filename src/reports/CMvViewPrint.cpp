// The report view's paper, preview and PDF: every job is laid out for its own target.
#include "reports/CMvView.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra::reports {
namespace {

constexpr int kTitleId = 2;

/** Clears the printing flag however the job ends. */
class PrintingFlag {
public:
    explicit PrintingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~PrintingFlag() { m_flag = false; }
    PrintingFlag(const PrintingFlag&) = delete;
    PrintingFlag& operator=(const PrintingFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

void CMvView::ReadPrinter() {
    NotePrinter(m_printing.CurrentPrinter());
}

void CMvView::NotePrinter(const ui::PrinterInfo& printer) {
    m_state.printerName = printer.name;
    m_state.printerDpiX = printer.dpiX > 0 ? printer.dpiX : 300;
    m_state.printerDpiY = printer.dpiY > 0 ? printer.dpiY : 300;
}

int CMvView::PrinterPageCount(const ui::PrinterInfo& printer) {
    if (printer.name != m_state.printerName || printer.dpiX != m_state.printerDpiX ||
        printer.dpiY != m_state.printerDpiY)
        NotePrinter(printer);
    std::unique_ptr<ui::Canvas> canvas =
        m_printing.MeasuringCanvas(m_state.printerDpiX, m_state.printerDpiY, true);
    return LayOut(*canvas, PrinterTarget(m_state.printerDpiX, m_state.printerDpiY));
}

std::string CMvView::JobTitle() const {
    return "Mivra";
}

void CMvView::RenderJob(const ui::JobSettings& job, ui::Sheets& sheets) {
    const Target target = PrinterTarget(job.dpiX, job.dpiY, job.wholeSheet);
    const int count = LayOut(sheets.Current(), target);
    const int first = job.fromPage > 0 ? std::min(job.fromPage, count) : 1;
    const int last = job.toPage > 0 ? std::clamp(job.toPage, first, count) : count;
    const int perCopy = last - first + 1;
    m_state.driverMakesCopies = job.driverMakesCopies;
    const std::vector<int> pages = PrintSequence(first, last, job.copies, job.driverMakesCopies);
    const ReportGeometry geometry = Geometry(target);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            sheets.Next();
        m_state.copiesPending = static_cast<int>(pages.size() - 1 - i) / perCopy;
        ui::Canvas& canvas = sheets.Current();
        SelectStripPage(canvas, geometry, pages[i]);
        m_report->DrawPage(PageContext{canvas, geometry, m_fonts}, pages[i]);
        canvas.ClearClip();
        canvas.SetOrigin({});
    }
    m_state.copiesPending = 0;
}

void CMvView::Print() {
    if (m_state.mode != ViewMode::Report || !m_report || m_state.printing)
        return;
    {
        PrintingFlag flag(m_state.printing);
        m_printing.Print(
            ui::PrintRequest{JobTitle(), true},
            [this](const ui::PrinterInfo& printer) { return PrinterPageCount(printer); },
            [this](const ui::JobSettings& job, ui::Sheets& sheets) { RenderJob(job, sheets); });
    }
    Relayout();
}

void CMvView::Preview() {
    if (m_state.mode != ViewMode::Report || !m_report || m_state.printing)
        return;
    {
        PrintingFlag flag(m_state.printing);
        ReadPrinter();
        m_printing.Preview(JobTitle(), [this](const ui::JobSettings& job, ui::Sheets& sheets) {
            RenderJob(job, sheets);
        });
    }
    Relayout();
}

void CMvView::PrinterSetup() {
    if (m_printing.SetUpPrinter())
        ReadPrinter();
}

std::optional<std::filesystem::path> CMvView::SavePdf() {
    if (m_state.mode != ViewMode::Report || !m_report || m_state.printing)
        return std::nullopt;
    const std::string name = m_report->FileName().empty() ? JobTitle() : m_report->FileName();
    const std::string title = m_report->Title().empty() ? JobTitle() : m_report->Title();
    std::optional<std::filesystem::path> path =
        m_printing.AskPdfPath(m_doc.Strings().Get(kTitleId), name + ".pdf");
    if (!path)
        return std::nullopt;
    Status status;
    {
        PrintingFlag flag(m_state.printing);
        status = m_printing.WritePdf(
            *path, title,
            [this](const ui::JobSettings& job, ui::Sheets& sheets) { RenderJob(job, sheets); });
    }
    Relayout();
    if (!status.ok()) {
        m_doc.ReportWriteFailure(*path);
        return std::nullopt;
    }
    return path;
}

} // namespace mivra::reports
