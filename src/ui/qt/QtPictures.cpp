#include "ui/qt/QtPictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace mivra::ui::qt {

std::unique_ptr<Picture> QtPictureDecoder::Decode(std::span<const uint8_t> jpeg, Size) const {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(jpeg.data()),
                                                     static_cast<qsizetype>(jpeg.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // JPEG only, whatever the content looks like: the headless backend takes nothing else.
    QImageReader reader(&buffer, "jpeg");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(static_cast<int>(kMaxPictureImageBytes / (1024 * 1024)));
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return nullptr;
    return std::make_unique<QtPicture>(std::move(image));
}

} // namespace mivra::ui::qt
