#pragma once

#include "base/Result.h"
#include "ui/Canvas.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// Paper, preview and PDF as system code sees them. A job is drawn by a renderer that gets the
// job's settings and its sheets, so print, preview and PDF lay the report out the same way.
namespace mivra::ui {

/**
 * A typical printer's unprintable edge, in hundredths of an inch. A sheet without a printer's
 * printable area (a PDF) takes this one, so PDF and paper look alike.
 */
inline constexpr int kSheetEdgeHundredths = 25;

/** The printer the next job goes to; without one the layout still assumes 300 × 300 dpi. */
struct PrinterInfo {
    bool present = false;
    std::string name;
    int dpiX = 300;
    int dpiY = 300;
};

/** The print dialog's start: the job's title; copies are collated. */
struct PrintRequest {
    std::string title;
    bool collate = true;
};

/** One job as it is sent: resolution, the chosen range (0 = every page) and the copies. */
struct JobSettings {
    std::string printerName;
    int dpiX = 300;
    int dpiY = 300;
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
    bool driverMakesCopies = true; ///< otherwise the renderer sends the range once per copy
    /** The canvas's origin is the sheet's corner (a PDF), not a printer's printable area. */
    bool wholeSheet = false;
};

/** The sheets of a running job. The first sheet is open when the renderer starts. */
class Sheets {
public:
    virtual ~Sheets() = default;
    /** The canvas of the current sheet (also the one to measure on). */
    virtual Canvas& Current() = 0;
    /** Ends the current sheet and starts the next one. */
    virtual void Next() = 0;
};

using JobRenderer = std::function<void(const JobSettings& job, Sheets& sheets)>;

class Printing {
public:
    virtual ~Printing() = default;

    virtual PrinterInfo CurrentPrinter() = 0;
    /** The printer set-up dialog; true when the user confirmed it. */
    virtual bool SetUpPrinter() = 0;
    /** A canvas of a target's resolution to lay a report out on without drawing. */
    virtual std::unique_ptr<Canvas> MeasuringCanvas(int dpiX, int dpiY, bool printer) = 0;

    /**
     * The print dialog offering pages 1…pageCount, then the job. `pageCount` lays the report
     * out for a printer: asked before the dialog and again when the user chose another
     * printer, whose name and resolution it then learns. False when cancelled or failed.
     */
    virtual bool Print(const PrintRequest& request,
                       const std::function<int(const PrinterInfo&)>& pageCount,
                       const JobRenderer& render) = 0;
    /**
     * Prints every page at once on the current printer, one copy, without a dialog; the
     * title names the job. False when the job failed.
     */
    virtual bool PrintNow(const std::string& title, const JobRenderer& render) = 0;
    /** The print preview, modal; printing from it runs the same renderer. */
    virtual void Preview(const std::string& title, const JobRenderer& render) = 0;

    /** Asks where to save a PDF; nothing when cancelled. */
    virtual std::optional<std::filesystem::path> AskPdfPath(const std::string& title,
                                                            const std::string& suggested) = 0;
    /** Writes a PDF of the job (its resolution, every page), atomically. */
    virtual Status WritePdf(const std::filesystem::path& path, const std::string& title,
                            const JobRenderer& render) = 0;
};

} // namespace mivra::ui
