#include "app/cli/CommandLine.h"

#ifdef MIVRA_CLI_PDF
#include "ui/qt/PdfRender.h"
#include "ui/qt/QtPictures.h"
#endif

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    mivra::cli::PdfRenderer pdf;
    const mivra::ui::PictureDecoder* pictures = nullptr;
#ifdef MIVRA_CLI_PDF
    static const mivra::ui::qt::QtPictureDecoder qtPictures;
    pictures = &qtPictures;
    // The one place the command line reaches the Qt backend.
    pdf = [](const std::filesystem::path& path, const mivra::cli::PdfPages& pages) {
        mivra::ui::qt::PdfOptions options;
        options.dpi = pages.dpi;
        options.title = pages.title;
        return mivra::ui::qt::RenderPdf(path, pages.pageCount, pages.draw, options);
    };
#endif
    return mivra::cli::Run(args, std::cout, std::cerr, pdf, pictures);
}
