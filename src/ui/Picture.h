#pragma once

#include "ui/Canvas.h"
#include "ui/Host.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

// Pictures from files (congregation maps): loading is a value, so a paint never has to ask
// the user anything; only the window that loaded a picture tells of a failure.
namespace mivra {
class StringTable;
}

namespace mivra::ui {

/** Larger files are not read at all. */
inline constexpr uint64_t kMaxPictureFileBytes = 20ull * 1024 * 1024;
/** Larger decoded images (4 bytes a pixel) are not decoded. */
inline constexpr uint64_t kMaxPictureImageBytes = 256ull * 1024 * 1024;

enum class PictureFault {
    None,
    Missing,     ///< no such file, or a name that reaches no file
    Unreadable,  ///< there, but not a readable regular file
    OutOfMemory, ///< the file or its decoded image is over the caps
    NotAPicture, ///< not a JPEG, or one that does not decode
};

/** What loading a file gave: a picture, or the fault and the path it concerns. */
struct PictureLoad {
    std::unique_ptr<Picture> picture;
    PictureFault fault = PictureFault::None;
    std::filesystem::path path;
    explicit operator bool() const { return picture != nullptr; }
};

/** Turns a JPEG file's bytes into a picture a canvas of the same backend can draw. */
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    /** Decodes bytes whose frame header gave `frame`; null when they do not decode. */
    virtual std::unique_ptr<Picture> Decode(std::span<const uint8_t> jpeg, Size frame) const = 0;
};

/** The width and height in a JPEG's first frame header; nothing when the bytes are no JPEG,
 *  end before the header or give no size there. */
std::optional<Size> JpegFrameSize(std::span<const uint8_t> bytes);

/** Loads a JPEG file within the caps. */
PictureLoad LoadPicture(const std::filesystem::path& path, const PictureDecoder& decoder);

/** The message box telling of a failed load: caption 60470, error icon. */
MessageBox PictureMessage(const PictureLoad& load, const StringTable& strings);

/**
 * The natural size on a canvas: the pixels as at 96 dpi, each axis scaled by the canvas's
 * resolution on that axis; a printer takes them at 96 dpi.
 */
Size NaturalSize(const Picture& picture, const Canvas& canvas);

} // namespace mivra::ui
