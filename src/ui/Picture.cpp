#include "ui/Picture.h"

#include "base/FileIo.h"
#include "resources/StringTable.h"

namespace mivra::ui {
namespace {

constexpr int kCaption = 60470;
constexpr int kNoMemory = 60471;
constexpr int kNotAPicture = 60472;
constexpr int kMissing = 60473;
constexpr int kUnreadable = 60474;

int Word(std::span<const uint8_t> b, size_t at) {
    return (b[at] << 8) | b[at + 1];
}

// SOF0 … SOF15 carry the frame size; C4 (DHT), C8 (JPG) and CC (DAC) share the range.
bool IsFrameHeader(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length.
bool IsStandalone(uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

} // namespace

std::optional<Size> JpegFrameSize(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return std::nullopt;
    size_t at = 2;
    while (at + 1 < bytes.size()) {
        if (bytes[at] != 0xFF)
            return std::nullopt;
        const uint8_t marker = bytes[at + 1];
        at += 2;
        if (marker == 0xFF) { // fill byte before a marker
            --at;
            continue;
        }
        if (IsStandalone(marker))
            continue;
        if (marker == 0xD9 || marker == 0xDA || at + 2 > bytes.size())
            return std::nullopt; // the image ends or its data starts before any frame header
        const int length = Word(bytes, at);
        if (length < 2 || at + static_cast<size_t>(length) > bytes.size())
            return std::nullopt;
        if (IsFrameHeader(marker)) {
            if (length < 8)
                return std::nullopt;
            const Size size{Word(bytes, at + 5), Word(bytes, at + 3)};
            if (size.width == 0 || size.height == 0)
                return std::nullopt;
            return size;
        }
        at += static_cast<size_t>(length);
    }
    return std::nullopt;
}

PictureLoad LoadPicture(const std::filesystem::path& path, const PictureDecoder& decoder) {
    PictureLoad load;
    load.path = path;
    if (io::FileSize(path).value_or(0) > kMaxPictureFileBytes) {
        load.fault = PictureFault::OutOfMemory;
        return load;
    }
    const io::FileBytes file = io::ReadFile(path, kMaxPictureFileBytes);
    if (file.state != io::ReadState::Ok) {
        load.fault =
            file.state == io::ReadState::Missing ? PictureFault::Missing : PictureFault::Unreadable;
        return load;
    }
    if (file.fileSize > kMaxPictureFileBytes) { // grew since it was measured
        load.fault = PictureFault::OutOfMemory;
        return load;
    }
    const std::optional<Size> frame = JpegFrameSize(file.bytes);
    if (!frame) {
        load.fault = PictureFault::NotAPicture;
        return load;
    }
    if (uint64_t(frame->width) * uint64_t(frame->height) * 4 > kMaxPictureImageBytes) {
        load.fault = PictureFault::OutOfMemory;
        return load;
    }
    load.picture = decoder.Decode(file.bytes, *frame);
    if (!load.picture)
        load.fault = PictureFault::NotAPicture;
    return load;
}

MessageBox PictureMessage(const PictureLoad& load, const StringTable& strings) {
    MessageBox box;
    box.icon = Icon::Error;
    box.caption = strings.Get(kCaption);
    switch (load.fault) {
    case PictureFault::Missing:
        box.text = strings.Format(kMissing, load.path.string());
        break;
    case PictureFault::Unreadable:
        box.text = strings.Format(kUnreadable, load.path.string());
        break;
    case PictureFault::OutOfMemory:
        box.text = strings.Get(kNoMemory);
        break;
    case PictureFault::NotAPicture:
    case PictureFault::None:
        box.text = strings.Get(kNotAPicture);
        break;
    }
    return box;
}

Size NaturalSize(const Picture& picture, const Canvas& canvas) {
    const Size pixels = picture.PixelSize();
    if (canvas.IsPrinter())
        return pixels;
    return {pixels.width * canvas.DpiX() / 96, pixels.height * canvas.DpiY() / 96};
}

} // namespace mivra::ui
