#pragma once

#include "ui/Printing.h"

#include <memory>

class QPrinter;
class QWidget;

namespace mivra::ui::qt {

/**
 * Printing through Qt: the print dialog of the desktop (CUPS), the print preview, the page
 * set-up and PDF files. One printer is kept for the session, so choices carry over between
 * jobs; without any printer its resolution is 300 dpi.
 */
class QtPrinting : public Printing {
public:
    QtPrinting();
    ~QtPrinting() override;

    void SetParent(QWidget* parent) { m_parent = parent; }

    PrinterInfo CurrentPrinter() override;
    bool SetUpPrinter() override;
    std::unique_ptr<Canvas> MeasuringCanvas(int dpiX, int dpiY, bool printer) override;
    bool Print(const PrintRequest& request, const std::function<int(const PrinterInfo&)>& pageCount,
               const JobRenderer& render) override;
    bool PrintNow(const std::string& title, const JobRenderer& render) override;
    void Preview(const std::string& title, const JobRenderer& render) override;
    std::optional<std::filesystem::path> AskPdfPath(const std::string& title,
                                                    const std::string& suggested) override;
    Status WritePdf(const std::filesystem::path& path, const std::string& title,
                    const JobRenderer& render) override;

private:
    QPrinter& Printer();
    bool RunJob(QPrinter& printer, const JobRenderer& render);

    std::unique_ptr<QPrinter> m_printer;
    QWidget* m_parent = nullptr;
};

} // namespace mivra::ui::qt
