#include "ui/qt/PdfRender.h"

#include "base/FileIo.h"
#include "ui/qt/QtCanvas.h"
#include "ui/qt/QtText.h"

#include <span>

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace mivra::ui::qt {
namespace {

QByteArray Render(int pageCount, const std::function<void(int, Canvas&)>& drawPage,
                  const PdfOptions& options) {
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
        for (int page = 1; page <= pageCount; ++page) {
            if (page > 1)
                writer.newPage();
            painter.save();
            QtCanvas canvas(painter, options.dpi, options.dpi, true);
            drawPage(page, canvas);
            painter.restore();
        }
    }
    return bytes;
}

} // namespace

Status RenderPdf(const std::filesystem::path& path, int pageCount,
                 const std::function<void(int page, Canvas& canvas)>& drawPage,
                 const PdfOptions& options) {
    if (pageCount < 1 || options.dpi < 36)
        return IoError{path, "nothing to print"};
    QByteArray bytes;
    if (QCoreApplication::instance()) {
        bytes = Render(pageCount, drawPage, options);
    } else {
        int argc = 3;
        char arg0[] = "mivra", arg1[] = "-platform", arg2[] = "offscreen";
        char* argv[] = {arg0, arg1, arg2, nullptr};
        QGuiApplication app(argc, argv);
        bytes = Render(pageCount, drawPage, options);
    }
    return io::SaveFile(path, std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size())));
}

} // namespace mivra::ui::qt
