#pragma once

#include "ui/Picture.h"

#include <QImage>

namespace mivra::ui::qt {

/** A decoded picture that QtCanvas draws. */
class QtPicture : public Picture {
public:
    explicit QtPicture(QImage image) : m_image(std::move(image)) {}
    Size PixelSize() const override { return {m_image.width(), m_image.height()}; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

/** Decodes JPEG bytes with Qt's image reader (the JPEG plugin of Qt's image formats). */
class QtPictureDecoder : public PictureDecoder {
public:
    std::unique_ptr<Picture> Decode(std::span<const uint8_t> jpeg, Size frame) const override;
};

} // namespace mivra::ui::qt
