#pragma once

#include "app/ProgramOptions.h"
#include "base/Result.h"
#include "ui/Canvas.h"
#include "ui/Picture.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mivra::cli {

/** Exit codes of mivra-cli. */
enum ExitCode : int { kOk = 0, kFailure = 1, kUsage = 2 };

/** Pages for a PDF file, each drawn on a printer canvas of this resolution. */
struct PdfPages {
    int pageCount = 1;
    int dpi = 300;
    std::string title;
    std::function<void(int page, ui::Canvas& canvas)> draw;
};

/**
 * Writes a PDF: the Qt backend's renderer, handed in by the program; empty in a build
 * without Qt, where print-schedule reports that it is unavailable.
 */
using PdfRenderer = std::function<Status(const std::filesystem::path& path, const PdfPages& pages)>;

using app::DefaultDataFolder;
using app::Invocation;
using app::ParseArguments;
using app::PrepareDataFolder;

/**
 * Runs mivra-cli with the arguments after the program name; returns the exit code. Maps are
 * decoded by `pictures`, the PDF's backend; without it the letters leave them out.
 */
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const PdfRenderer& pdf = {}, const ui::PictureDecoder* pictures = nullptr);

} // namespace mivra::cli
