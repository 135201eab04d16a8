#pragma once

#include "ui/Printing.h"
#include "ui/headless/RecordingCanvas.h"

#include <deque>
#include <string>
#include <vector>

namespace mivra::ui::headless {

/**
 * Printing for tests: a printer of given settings, print dialogs answered from a queue, and
 * every job kept sheet by sheet on recording canvases.
 */
class RecordingPrinting : public Printing {
public:
    /** What the user does in the next print dialog; nothing queued cancels it. */
    struct Choice {
        int fromPage = 0; ///< 0: every page
        int toPage = 0;
        int copies = 1;
        std::optional<PrinterInfo> otherPrinter; ///< the user picks another printer
    };
    struct Job {
        std::string kind; ///< "print", "print now", "preview" or "pdf"
        std::string title;
        JobSettings settings;
        std::vector<RecordingCanvas> sheets;
    };

    PrinterInfo printer;           ///< the current printer
    bool driverMakesCopies = true; ///< of every printer
    std::deque<Choice> choices;
    std::optional<std::filesystem::path> pdfPath; ///< the answer of AskPdfPath
    std::string pdfSuggested;                     ///< the name AskPdfPath last proposed
    bool failPdf = false;
    std::optional<PrinterInfo> setUpChoice; ///< the printer set-up switches to it

    std::vector<int> dialogRanges; ///< the last page each print dialog offered
    std::vector<Job> jobs;
    int setUps = 0;

    PrinterInfo CurrentPrinter() override { return printer; }
    bool SetUpPrinter() override;
    std::unique_ptr<Canvas> MeasuringCanvas(int dpiX, int dpiY, bool isPrinter) override;
    bool Print(const PrintRequest& request, const std::function<int(const PrinterInfo&)>& pageCount,
               const JobRenderer& render) override;
    bool PrintNow(const std::string& title, const JobRenderer& render) override;
    void Preview(const std::string& title, const JobRenderer& render) override;
    std::optional<std::filesystem::path> AskPdfPath(const std::string& title,
                                                    const std::string& suggested) override;
    Status WritePdf(const std::filesystem::path& path, const std::string& title,
                    const JobRenderer& render) override;

    /** The pages a job sent, read from the clip of each sheet's strip page. */
    static std::vector<int> PagesSent(const Job& job, int pageHeight);

private:
    Job& Run(std::string kind, const std::string& title, const JobSettings& settings,
             const JobRenderer& render);
};

} // namespace mivra::ui::headless
