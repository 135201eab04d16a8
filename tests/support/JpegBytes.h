#pragma once

#include <cstdint>
#include <vector>

namespace mivra::test {

/**
 * The header of a baseline JPEG of the given size: start of image, a JFIF segment, a table
 * segment, the frame header (marker 0xC0, or `frameMarker`) and the end of image; no image
 * data, so it gives a size but does not decode.
 */
inline std::vector<uint8_t> JpegHeader(int width, int height, uint8_t frameMarker = 0xC0) {
    std::vector<uint8_t> b = {0xFF, 0xD8,                                                  // SOI
                              0xFF, 0xE0,        0x00, 0x10, 'J',  'F',  'I',  'F',  0x00, // APP0
                              0x01, 0x01,        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,
                              0xFF, 0xFF,        0xDB, 0x00, 0x04, 0x00, 0x00, // a fill byte, DQT
                              0xFF, frameMarker, 0x00, 0x11, 0x08};
    b.push_back(static_cast<uint8_t>(height >> 8));
    b.push_back(static_cast<uint8_t>(height));
    b.push_back(static_cast<uint8_t>(width >> 8));
    b.push_back(static_cast<uint8_t>(width));
    b.insert(b.end(), {0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01});
    b.insert(b.end(), {0xFF, 0xD9}); // EOI
    return b;
}

} // namespace mivra::test
