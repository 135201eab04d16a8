#include "ui/qt/QtPrinting.h"

#include "ui/qt/DesktopSettings.h"
#include "ui/qt/PdfRender.h"
#include "ui/qt/PrinterSheets.h"
#include "ui/qt/QtText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <QStandardPaths>

namespace mivra::ui::qt {
namespace {

constexpr int kNoPrinterDpi = 300;

PrinterInfo InfoOf(QPrinter& printer) {
    return {!QPrinterInfo::availablePrinters().isEmpty(), FromQt(printer.printerName()),
            printer.logicalDpiX(), printer.logicalDpiY()};
}

JobSettings SettingsOf(QPrinter& printer) {
    JobSettings job;
    job.printerName = FromQt(printer.printerName());
    job.dpiX = printer.logicalDpiX();
    job.dpiY = printer.logicalDpiY();
    if (printer.printRange() == QPrinter::PageRange) {
        job.fromPage = printer.fromPage();
        job.toPage = printer.toPage();
    }
    job.copies = printer.copyCount();
    job.driverMakesCopies = printer.supportsMultipleCopies();
    job.wholeSheet = printer.fullPage();
    return job;
}

} // namespace

QtPrinting::QtPrinting() = default;
QtPrinting::~QtPrinting() = default;

QPrinter& QtPrinting::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            // Without a printer Qt prints to a PDF; its printable area is a typical printer's,
            // as in our PDFs, so the preview and page set-up show the page as they will.
            m_printer->setResolution(kNoPrinterDpi);
            const double edge = kSheetEdgeHundredths * 0.254; // millimetres, as Swedes read
            m_printer->setPageMargins(QMarginsF(edge, edge, edge, edge), QPageLayout::Millimeter);
        }
    }
    return *m_printer;
}

PrinterInfo QtPrinting::CurrentPrinter() {
    return InfoOf(Printer());
}

bool QtPrinting::SetUpPrinter() {
    QPageSetupDialog dialog(&Printer(), m_parent);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<Canvas> QtPrinting::MeasuringCanvas(int dpiX, int dpiY, bool printer) {
    return std::make_unique<qt::MeasuringCanvas>(dpiX, dpiY, printer);
}

bool QtPrinting::RunJob(QPrinter& printer, const JobRenderer& render) {
    JobSettings job = SettingsOf(printer);
    if (!job.driverMakesCopies)
        printer.setCopyCount(1); // the view sends the copies itself
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PrinterSheets sheets(printer, painter, job.dpiX, job.dpiY);
    render(job, sheets);
    return painter.end();
}

bool QtPrinting::Print(const PrintRequest& request,
                       const std::function<int(const PrinterInfo&)>& pageCount,
                       const JobRenderer& render) {
    QPrinter& printer = Printer();
    const PrinterInfo before = InfoOf(printer);
    const int pages = pageCount(before);
    printer.setDocName(ToQt(request.title));
    printer.setCollateCopies(request.collate);
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, m_parent);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const PrinterInfo after = InfoOf(printer);
    if (after.name != before.name || after.dpiX != before.dpiX || after.dpiY != before.dpiY)
        pageCount(after);
    return RunJob(printer, render);
}

bool QtPrinting::PrintNow(const std::string& title, const JobRenderer& render) {
    QPrinter& printer = Printer();
    printer.setDocName(ToQt(title));
    printer.setPrintRange(QPrinter::AllPages);
    printer.setCopyCount(1);
    return RunJob(printer, render);
}

void QtPrinting::Preview(const std::string& title, const JobRenderer& render) {
    QPrinter& printer = Printer();
    printer.setDocName(ToQt(title));
    printer.setPrintRange(QPrinter::AllPages);
    printer.setCopyCount(1);
    QPrintPreviewDialog dialog(&printer, m_parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this, &render](QPrinter* target) { RunJob(*target, render); });
    dialog.resize(900, 1000);
    dialog.exec();
}

std::optional<std::filesystem::path> QtPrinting::AskPdfPath(const std::string& title,
                                                            const std::string& suggested) {
    // The folder last used for a PDF, at first the user's documents; never the working folder.
    const QString folderKey = QStringLiteral("pdf/folder");
    QSettings settings = DesktopSettings();
    QString folder = settings.value(folderKey).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    QString file =
        QFileDialog::getSaveFileName(m_parent, ToQt(title), QDir(folder).filePath(ToQt(suggested)),
                                     QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty())
        return std::nullopt;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    settings.setValue(folderKey, QFileInfo(file).absolutePath());
    return std::filesystem::path(file.toStdString());
}

Status QtPrinting::WritePdf(const std::filesystem::path& path, const std::string& title,
                            const JobRenderer& render) {
    PdfOptions options;
    options.title = title;
    JobSettings job;
    job.dpiX = job.dpiY = options.dpi;
    job.wholeSheet = true;
    return RenderPdfSheets(
        path, [&](Sheets& sheets) { render(job, sheets); }, options);
}

} // namespace mivra::ui::qt
