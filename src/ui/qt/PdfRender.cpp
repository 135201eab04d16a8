#include "ui/qt/PdfRender.h"

#include "base/FileIo.h"
#include "ui/qt/PrinterSheets.h"
#include "ui/qt/QtText.h"

#include <span>

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace mivra::ui::qt {
namespace {

QByteArray Render(const std::function<void(Sheets&)>& drawSheets, const PdfOptions& options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(options.dpi);
        writer.setPageSize(QPageSize(options.letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(ToQt(options.title));
        writer.setCreator(QStringLiteral("Mivra"));
        QPainter painter(&writer);
        PrinterSheets sheets(writer, painter, options.dpi, options.dpi);
        drawSheets(sheets);
    }
    return bytes;
}

} // namespace

Status RenderPdfSheets(const std::filesystem::path& path,
                       const std::function<void(Sheets& sheets)>& drawSheets,
                       const PdfOptions& options) {
    if (options.dpi < 36)
        return IoError{path, "nothing to print"};
    QByteArray bytes;
    if (QCoreApplication::instance()) {
        bytes = Render(drawSheets, options);
    } else {
        int argc = 3;
        char arg0[] = "mivra", arg1[] = "-platform", arg2[] = "offscreen";
        char* argv[] = {arg0, arg1, arg2, nullptr};
        QGuiApplication app(argc, argv);
        bytes = Render(drawSheets, options);
    }
    return io::SaveFile(path, std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size())));
}

Status RenderPdf(const std::filesystem::path& path, int pageCount,
                 const std::function<void(int page, Canvas& canvas)>& drawPage,
                 const PdfOptions& options) {
    if (pageCount < 1)
        return IoError{path, "nothing to print"};
    return RenderPdfSheets(
        path,
        [&](Sheets& sheets) {
            for (int page = 1; page <= pageCount; ++page) {
                if (page > 1)
                    sheets.Next();
                drawPage(page, sheets.Current());
            }
        },
        options);
}

} // namespace mivra::ui::qt
