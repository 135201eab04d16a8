#pragma once

#include "base/Result.h"
#include "ui/Canvas.h"
#include "ui/Printing.h"

#include <filesystem>
#include <functional>
#include <string>

namespace mivra::ui::qt {

struct PdfOptions {
    int dpi = 300;
    bool letter = false; ///< US Letter instead of A4; both hold the 8 × 11 inch report page
    std::string title;
};

/**
 * Writes a PDF of `pageCount` pages, page n (1-based) drawn by drawPage on a printer-like
 * canvas at the options' resolution, with the sheet's corner at (0, 0): a whole sheet. The file is
 * saved atomically; without a running Qt application one is started offscreen for the call, so the
 * command line needs no display.
 */
Status RenderPdf(const std::filesystem::path& path, int pageCount,
                 const std::function<void(int page, Canvas& canvas)>& drawPage,
                 const PdfOptions& options = {});

/** Writes a PDF whose sheets a job draws itself (the report view's renderer). */
Status RenderPdfSheets(const std::filesystem::path& path,
                       const std::function<void(Sheets& sheets)>& drawSheets,
                       const PdfOptions& options = {});

} // namespace mivra::ui::qt
