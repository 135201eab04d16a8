#pragma once

#include "ui/Picture.h"

namespace mivra::ui::headless {

/** A picture known by its size alone: the recording canvas draws nothing of it. */
class SizedPicture : public Picture {
public:
    explicit SizedPicture(Size size) : m_size(size) {}
    Size PixelSize() const override { return m_size; }

private:
    Size m_size;
};

/** Takes a JPEG for the size its frame header gives; decodes nothing further. */
class FrameHeaderDecoder : public PictureDecoder {
public:
    std::unique_ptr<Picture> Decode(std::span<const uint8_t>, Size frame) const override {
        return std::make_unique<SizedPicture>(frame);
    }
};

} // namespace mivra::ui::headless
